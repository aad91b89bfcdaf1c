#!/usr/bin/env bash
# Rebuilds: a full build of an album of 600 pictures (real copies, each its own file), then a
# rebuild with nothing changed, after one caption edit and after adding one picture; the cost per
# picture of a gallery of 600 tiny pictures; and the peak memory of 2,400 pictures.
#   bench/incremental.sh [BUILD_FOLDER] [JOBS]
# The pictures are the sample album's (about 1600 pixels on the long side); CORPUS=/folder takes
# the JPEG files of another folder instead.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
. "$here/../tests/cli/program_copy.sh" "$build/bin/wexbo"
jobs=${2:-$(nproc)}
corpus=${CORPUS:-$program/gal/Gal_0001}
mapfile -t sources < <(ls "$corpus"/*.jpg)

# An album folder of COUNT pictures copied from the corpus, captioned.
album() {
  local folder=$1 count=$2 i name
  mkdir -p "$folder"
  printf '[BILDANO]\r\nTitel=Rebuilds\r\n' > "$folder/Bildano.ini"
  : > "$folder/Pictures.ini"
  for ((i = 1; i <= count; i++)); do
    printf -v name 'p%04d.jpg' "$i"
    cp --reflink=never "${sources[$((i % ${#sources[@]}))]}" "$folder/$name"
    printf '%s | Picture %d\r\n' "$name" "$i" >> "$folder/Pictures.ini"
  done
}
seconds() {
  local TIMEFORMAT='%R'
  sync
  { time "$wexbo" generate "$@" --jobs "$jobs" >/dev/null 2>&1; } 2>"$work/time" || { echo "failed: $*" >&2; exit 1; }
  cat "$work/time"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f %%", 100 * a / b }'; }

album "$work/album" 600
full=$(seconds "$work/album" "$work/out" --no-cache)
same=$(seconds "$work/album" "$work/out")
sed -i 's/^p0300.jpg | Picture 300/p0300.jpg | A new caption/' "$work/album/Pictures.ini"
caption=$(seconds "$work/album" "$work/out")
cp --reflink=never "${sources[0]}" "$work/album/p0601.jpg"
printf 'p0601.jpg | One more\r\n' >> "$work/album/Pictures.ini"
added=$(seconds "$work/album" "$work/out")
echo "600 pictures of $corpus, $jobs jobs (wall seconds):"
echo "  full build (--no-cache)      $full"
echo "  rebuild, nothing changed     $same  ($(ratio "$same" "$full") of the full build; goal <= 5 %)"
echo "  rebuild, one caption edited  $caption  ($(ratio "$caption" "$full"); goal <= 5 %)"
echo "  rebuild, one picture added   $added  ($(ratio "$added" "$full"))"

# The cost of each file: 600 tiny pictures, all converted.
mkdir -p "$work/tiny"
/usr/bin/convert -size 64x48 gradient:navy-orange -quality 90 "$work/tiny/t0000.jpg"
for ((i = 1; i < 600; i++)); do printf -v name 't%04d.jpg' "$i"; cp "$work/tiny/t0000.jpg" "$work/tiny/$name"; done
tiny=$(seconds "$work/tiny" "$work/tiny-out" --no-cache)
echo "  600 tiny pictures (64x48), all converted: $tiny s = $(awk -v t="$tiny" 'BEGIN { printf "%.2f", t * 1000 / 600 }') ms per picture (goal <= 0.7)"

# Peak memory of a large gallery.
album "$work/large" 2400
/usr/bin/time -f '%M %e' -o "$work/memory" "$wexbo" generate "$work/large" "$work/large-out" --no-cache --jobs "$jobs" >/dev/null 2>&1
read -r kb wall < "$work/memory"
echo "  2,400 pictures: peak memory $((kb / 1024)) MB, $wall s (goal <= 200 MB on 2 cores)"
