#!/usr/bin/env bash
# The command line without Qt: configures and builds the program with WEXBO_BUILD_UI=OFF in a build
# folder of its own, with Qt made unfindable, and runs the command-line tests on what it built.
# ./qt_free_build_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
here=$(cd "$(dirname "$0")" && pwd)

cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DWEXBO_BUILD_UI=OFF -DWEXBO_BUILD_TESTS=OFF -DWEXBO_BUILD_BENCH=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null
cmake --build "$build_dir" --target wexbo wexbo_program_data
wexbo=$build_dir/bin/wexbo
if ldd "$wexbo" | grep -qi qt; then
  echo "FAIL: the program links Qt: $(ldd "$wexbo" | grep -i qt)" >&2
  exit 1
fi
"$here/help_version_test.sh" "$wexbo"
"$here/generate_test.sh" "$wexbo"
