#!/usr/bin/env bash
# Installs what is missing, builds (Release) and runs the program: ./run.sh [ARGS]
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
exec build/bin/wexbo "$@"
