#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: ./test.sh [ctest arguments]
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
cd build
ctest --output-on-failure "$@"
