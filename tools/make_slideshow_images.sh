#!/usr/bin/env bash
# Draws the two images of the slideshow's full-screen button with ImageMagick:
# make_slideshow_images.sh PROGRAM_FOLDER writes slidescript/restore.png (shown while the slideshow
# is in the page: two overlapping windows, "make it big") and slidescript/x.png (shown in full
# screen: a cross, "close"). Both are light marks on a dark half-transparent disc, so they stay
# visible on any picture. Runs at build time; the images are not kept in the repository.
set -euo pipefail
out=${1:?usage: make_slideshow_images.sh PROGRAM_FOLDER}
IM=/usr/bin/convert
mkdir -p "$out/slidescript"

# Drawn at 160 × 160 and shrunk to 40 × 40 for smooth edges. No time stamps, so a rebuild gives
# the same bytes.
disc=(-size 160x160 xc:none -fill "#000000A0" -draw "circle 80,80 80,4")
finish=(-resize 40x40 -strip -define png:exclude-chunks=date,time)

"$IM" "${disc[@]}" -fill none -stroke "#F2F2F2" -strokewidth 10 \
  -draw "polyline 62,72 62,44 116,44 116,90 98,90" -draw "rectangle 44,70 98,116" \
  "${finish[@]}" "PNG:$out/slidescript/restore.png.tmp"
mv "$out/slidescript/restore.png.tmp" "$out/slidescript/restore.png"

"$IM" "${disc[@]}" -fill none -stroke "#F2F2F2" -strokewidth 14 \
  -draw "stroke-linecap round line 54,54 106,106" -draw "stroke-linecap round line 106,54 54,106" \
  "${finish[@]}" "PNG:$out/slidescript/x.png.tmp"
mv "$out/slidescript/x.png.tmp" "$out/slidescript/x.png"
