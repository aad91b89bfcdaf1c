#!/usr/bin/env bash
# The pages benchmark: the benchmark pictures as a classic and as a modern gallery. Prints the time
# of each whole gallery (`wexbo generate --no-cache`, median of ROUNDS alternating runs), then
# (bench/pages.js) the bytes each page loads and Lighthouse's performance scores beside each other.
#   bench/pages.sh [BUILD_FOLDER] [ROUNDS]
# Needs the pictures of ../shared/bench/make_corpus.sh (/tmp/corpus60), and the browser tests'
# npm packages (tests/browser/prepare.sh, which ./test.sh runs).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
rounds=${2:-3}
corpus=/tmp/corpus60
[ -d "$corpus" ] || { echo "make the pictures first: ../shared/bench/make_corpus.sh" >&2; exit 1; }
npm=$build/tests/browser/npm/node_modules
[ -d "$npm/lighthouse" ] || "$here/../tests/browser/prepare.sh" "$build/bin" "$build/tests/browser" >/dev/null

# A private copy of the program folder, with a home, data and temporary folder of its own.
. "$here/../tests/cli/program_copy.sh" "$build/bin/wexbo"

# seconds STYLE ROUND: the wall seconds of one whole gallery, into a folder of its own.
seconds() {
  local TIMEFORMAT='%R' out=$work/$1-$2
  sync
  { time "$wexbo" generate "$corpus" "$out" --style "$1" --no-cache --jobs "$(nproc)" >/dev/null 2>&1; } 2>&1
}
declare -A times
for round in $(seq "$rounds"); do
  for style in classic modern; do times[$style]+="$(seconds "$style" "$round") "; done
done
median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
classic=$(echo "${times[classic]}" | median)
modern=$(echo "${times[modern]}" | median)
echo "## Whole gallery of $(ls "$corpus" | wc -l) pictures, $(nproc) cores, median of $rounds"
echo "| style | seconds | files |"
echo "|---|---|---|"
echo "| classic | $classic | $(ls "$work/classic-1" | wc -l) |"
echo "| modern | $modern | $(ls "$work/modern-1" | wc -l) |"
awk -v c="$classic" -v m="$modern" 'BEGIN { printf "modern / classic: %.2f (goal at most 1.6)\n\n", m / c }'

NODE_PATH=$npm node "$here/pages.js" "$work/classic-1" "$work/modern-1"
