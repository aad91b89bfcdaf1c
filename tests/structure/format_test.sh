#!/usr/bin/env bash
# Every C++ source of the project is formatted as the checked-in .clang-format says.
# Run `git ls-files '*.cpp' '*.h' | xargs clang-format -i` to format them.
set -euo pipefail
cd "$(dirname "$0")/../.."
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench \( -name '*.cpp' -o -name '*.h' \))
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
echo "ok"
