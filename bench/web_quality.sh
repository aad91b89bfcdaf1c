#!/usr/bin/env bash
# The table the modern pages' JPEG settings were chosen from: for the benchmark pictures resized as
# the gallery resizes them (full-size pictures at 1x and 2x of the default 450 pixels), the total
# bytes and the mean SSIM (ffmpeg's ssim filter, all channels, against the lossless resize) of
# progressive JPEG files at quality 60 to 95, with colour at 4:2:2 and at 4:2:0.
#   bench/web_quality.sh [BUILD_FOLDER]
# Needs the pictures of ../shared/bench/make_corpus.sh (/tmp/corpus60) and ffmpeg.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
corpus=/tmp/corpus60
command -v ffmpeg >/dev/null || { echo "ffmpeg is missing: apt-get install ffmpeg" >&2; exit 1; }
[ -d "$corpus" ] || { echo "make the pictures first: ../shared/bench/make_corpus.sh" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# ssim REFERENCE PICTURE: the "All" SSIM of PICTURE against REFERENCE.
ssim() {
  ffmpeg -nostdin -v error -i "$2" -i "$1" -lavfi "[0:v]format=rgb24[a];[1:v]format=rgb24[b];[a][b]ssim=stats_file=-" -f null - |
    awk '{for (i = 1; i <= NF; i++) if ($i ~ /^All:/) { sub("All:", "", $i); s += $i; n++ }} END { printf "%.6f", s / n }'
}

for size in 450 900; do
  folder=$work/$size
  mkdir -p "$folder"
  "$build/bench/wexbo_web_quality" "$size" "$folder" "$corpus"/*.jpg
  echo "## full-size pictures, shorter side $size px (60 pictures)"
  echo "| quality | colour | bytes | mean SSIM | lowest SSIM |"
  echo "|---|---|---|---|---|"
  for quality in 95 90 85 80 75 70 65 60; do
    for colour in 422 420; do
      bytes=0
      scores=()
      for reference in "$folder"/*.ppm; do
        picture=${reference%.ppm}_q${quality}_$colour.jpg
        bytes=$((bytes + $(stat -c %s "$picture")))
        scores+=("$(ssim "$reference" "$picture")")
      done
      printf '%s\n' "${scores[@]}" | awk -v q="$quality" -v c="$colour" -v b="$bytes" '
        { s += $1; if (NR == 1 || $1 < low) low = $1 }
        END { printf "| %s | 4:%s:%s | %d | %.4f | %.4f |\n", q, substr(c, 2, 1), substr(c, 3, 1), b, s / NR, low }'
    done
  done
  echo
done
