#!/usr/bin/env bash
# The gallery benchmark: `wexbo generate` on the benchmark pictures against vipsthumbnail making the
# same two sizes, against lazygal (a gallery generator from Debian), and against the floor (only
# decoding, at the needed DCT scale, on all cores, in one process); then the peak memory of a
# gallery of 24-MP baseline pictures. The runs alternate, round after round; medians are printed.
#   bench/gallery_bench.sh [BUILD_FOLDER] [ROUNDS]
# Needs the pictures of ../shared/bench/make_corpus.sh (/tmp/corpus60, /tmp/corpus_bignoisy) and
# the Debian packages libvips-tools and lazygal.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
rounds=${2:-5}
corpus=/tmp/corpus60
big=/tmp/corpus_bignoisy
for tool in vipsthumbnail vipsheader lazygal; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install libvips-tools lazygal" >&2; exit 1; }
done
[ -d "$corpus" ] && [ -d "$big" ] || { echo "make the pictures first: ../shared/bench/make_corpus.sh" >&2; exit 1; }

# A private copy of the program folder, with a home, data and temporary folder of its own.
. "$here/../tests/cli/program_copy.sh" "$build/bin/wexbo"
floor=$build/bench/wexbo_decode_floor
cores=$(nproc)
full=450 overview=80

landscape=() portrait=()
for f in "$corpus"/*.jpg; do
  if [ "$(vipsheader -f width "$f")" -ge "$(vipsheader -f height "$f")" ]; then landscape+=("$f"); else portrait+=("$f"); fi
done

# Runs a command quietly and prints its wall seconds and its processor seconds (user + system).
# The files the run before wrote are flushed first, so that no run pays for another one's writing.
seconds() {
  local TIMEFORMAT='%R %U %S'
  sync
  { time "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }; } 2>"$work/time"
  awk '{printf "%s/%.2f", $1, $2 + $3}' "$work/time"
}
# Each run writes into a new folder of its own: removing the last run's output is not part of the
# work, and files deleted moments before would slow the creation of new ones on some file systems.
run_wexbo() { "$wexbo" generate "$corpus" "$work/w$r" --jobs "$cores"; }
run_vips() {
  mkdir -p "$work/v$r"
  for s in $full $overview; do
    vipsthumbnail -s "100000x$s" -o "$work/v$r/%s_$s.jpg[Q=95]" "${landscape[@]}"
    vipsthumbnail -s "${s}x100000" -o "$work/v$r/%s_$s.jpg[Q=95]" "${portrait[@]}"
  done
}
run_lazygal() { lazygal --quiet -o "$work/l$r" -s "full=600x$full" -T "107x$overview" "$corpus"; }
run_floor() { "$floor" --jobs "$cores" --size "$full" "$corpus"/*.jpg; }

declare -A times
for ((r = 1; r <= rounds; r++)); do
  for name in wexbo vips lazygal floor; do times[$name]+="$(seconds "run_$name") "; done
done
median() { tr ' ' '\n' <<<"$1" | grep . | cut -d/ -f"$2" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "60 pictures of $corpus, $cores cores, $rounds rounds alternating; medians of wall and processor seconds:"
for name in wexbo vips lazygal floor; do
  printf '  %-8s %6.2f s wall %6.2f s processor   (all: %s)\n' "$name" "$(median "${times[$name]}" 1)" \
    "$(median "${times[$name]}" 2)" "${times[$name]}"
done
ratio() { echo "$(median "${times[$1]}" "$3") / $(median "${times[$2]}" "$3")" | bc -l; }
printf '  wexbo / vipsthumbnail = %.2f wall, %.2f processor   (goal <= 0.25)\n' "$(ratio wexbo vips 1)" "$(ratio wexbo vips 2)"
printf '  lazygal / wexbo       = %.1f wall, %.1f processor   (goal >= 15)\n' "$(ratio lazygal wexbo 1)" "$(ratio lazygal wexbo 2)"
printf '  wexbo / floor         = %.2f wall, %.2f processor   (goal <= 1.3)\n' "$(ratio wexbo floor 1)" "$(ratio wexbo floor 2)"

# Peak memory: the 12 camera-size files, and the same files four times over (48 pictures).
mkdir -p "$work/many"
for n in 1 2 3 4; do for f in "$big"/*.jpg; do ln -s "$f" "$work/many/${n}_$(basename "$f")"; done; done
for source in "$big" "$work/many"; do
  rm -rf "$work/m"
  /usr/bin/time -f '%M' -o "$work/memory" "$wexbo" generate "$source" "$work/m" --jobs "$cores" >/dev/null 2>&1
  kb=$(tail -1 "$work/memory")
  echo "peak memory, $(ls "$source" | wc -l) pictures of 24 MP: $((kb / 1024)) MB (goal < 100 MB)"
done
