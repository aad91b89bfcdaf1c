#!/usr/bin/env bash
# Galleries of phone and web pictures: 40 HEIC pictures of 12 MP, then 40 PNG and 40 WebP pictures,
# each set made into web pictures by `wexbo generate` and by the usual tools on every core.
#   bench/formats.sh [BUILD_FOLDER] [JOBS]
# HEIC: heif-convert (libheif-examples) to a JPEG, then vipsthumbnail (libvips-tools) for the two
# sizes of a gallery (450 and 80 pixels on the short side). PNG and WebP: vipsthumbnail alone, which
# reads them directly. Both sides run one picture per core (xargs -P), and take turns for ROUNDS
# rounds (3 unless told); the medians are printed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
. "$here/../tests/cli/program_copy.sh" "$build/bin/wexbo"
jobs=${2:-$(nproc)}
rounds=${ROUNDS:-3}
for tool in heif-enc heif-convert vipsthumbnail cwebp; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: tools/install-deps.sh installs it" >&2; exit 1; }
done

# One 12-MP photograph from the sample album, and 40 real copies of it in each format.
/usr/bin/convert "$program/gal/Gal_0001/kite.jpg" -resize 4000x3000! -quality 92 "$work/base.jpg"
heif-enc -q 85 -o "$work/base.heic" "$work/base.jpg" >/dev/null
/usr/bin/convert "$work/base.jpg" "$work/base.png"
cwebp -quiet -q 85 "$work/base.jpg" -o "$work/base.webp"
for format in heic png webp; do
  mkdir -p "$work/$format"
  for ((i = 1; i <= 40; i++)); do cp --reflink=never "$work/base.$format" "$work/$format/p$(printf %02d "$i").$format"; done
done

seconds() {  # wall seconds of a command
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
ours() { rm -rf "$work/out"; "$wexbo" generate "$work/$1" "$work/out" --no-cache --jobs "$jobs"; }
# The two sizes of a gallery from a JPEG or directly from the source.
two_sizes() {
  local input=$1 name
  name=$(basename "${input%.*}")
  vipsthumbnail "$input" --size 600x450 -o "$work/theirs/${name}.jpg[Q=95]"
  vipsthumbnail "$input" --size 107x80 -o "$work/theirs/${name}_thumb.jpg[Q=95]"
}
heic_theirs() {
  local input=$1 name
  name=$(basename "${input%.*}")
  heif-convert -q 95 "$input" "$work/full/$name.jpg" >/dev/null
  two_sizes "$work/full/$name.jpg"
}
export -f two_sizes heic_theirs
export work
theirs() {
  rm -rf "$work/theirs" "$work/full"; mkdir -p "$work/theirs" "$work/full"
  if [ "$1" = heic ]; then
    ls "$work/heic"/*.heic | xargs -P "$jobs" -n 1 bash -c 'heic_theirs "$0"'
  else
    ls "$work/$1"/*."$1" | xargs -P "$jobs" -n 1 bash -c 'two_sizes "$0"'
  fi
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "40 pictures of 12 MP per format, $jobs jobs, median of $rounds rounds (wall seconds):"
printf '  %-6s %8s %8s %7s\n' format wexbo tools ratio
for format in heic png webp; do
  : > "$work/ours.times"; : > "$work/theirs.times"
  for ((r = 0; r < rounds; r++)); do
    seconds ours "$format" >> "$work/ours.times"; echo >> "$work/ours.times"
    seconds theirs "$format" >> "$work/theirs.times"; echo >> "$work/theirs.times"
  done
  a=$(grep . "$work/ours.times" | median); b=$(grep . "$work/theirs.times" | median)
  printf '  %-6s %8s %8s %7s\n' "$format" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", a / b }')"
done
echo "goal: ratio <= 0.5 for every format"
