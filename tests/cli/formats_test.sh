#!/usr/bin/env bash
# wexbo generate on a folder of pictures in every format it reads: each is read directly and made
# into web pictures of the same sizes and look as the JPEG it was made from.
set -u
. "$(dirname "$0")/program_copy.sh" "$1"
command -v heif-enc >/dev/null || fail "heif-enc is missing (libheif-examples)"

# One photograph, small enough for quick encoders, in each format under its own name.
mkdir -p "$work/jpeg" "$work/mixed"
/usr/bin/convert "$program/gal/Gal_0001/kite.jpg" -resize 480x360! -quality 97 "$work/jpeg/photo.jpg"
/usr/bin/convert "$work/jpeg/photo.jpg" "$work/mixed/a_png.png"
/usr/bin/convert "$work/jpeg/photo.jpg" -depth 16 "$work/mixed/b_tiff16.tif"
/usr/bin/convert "$work/jpeg/photo.jpg" -define webp:lossless=true "$work/mixed/c_webp.WEBP"
heif-enc -q 95 -o "$work/mixed/d_heic.heic" "$work/jpeg/photo.jpg" >/dev/null 2>&1 || fail "heif-enc HEIC"
heif-enc -A -q 95 -o "$work/mixed/e_avif.avif" "$work/jpeg/photo.jpg" >/dev/null 2>&1 || fail "heif-enc AVIF"
cp "$work/jpeg/photo.jpg" "$work/mixed/f_jpeg.jpeg"
printf 'x' > "$work/mixed/notes.jpg.bak"

"$wexbo" generate "$work/jpeg" "$work/reference" --jobs 2 >/dev/null 2>"$work/err" || fail "JPEG: $(cat "$work/err")"
"$wexbo" generate "$work/mixed" "$work/out" --jobs 2 >/dev/null 2>"$work/err" || fail "mixed: $(cat "$work/err")"
# 6 pictures × 3 files, overview, slideshow, stylesheet, buttons and script as for any gallery.
for name in a_png b_tiff16 c_webp d_heic e_avif f_jpeg; do
  for suffix in "" _thumb; do
    [ -f "$work/out/${name}${suffix}.jpg" ] || fail "$name: no ${name}${suffix}.jpg: $(ls "$work/out")"
  done
  [ -f "$work/out/$name.html" ] || fail "$name: no detail page"
done
ls "$work/out" | grep -q notes && fail "x.jpg.bak was taken for a picture"
grep -o 'src="[a-z0-9_]*_thumb.jpg"' "$work/out/gallery.html" | tr '\n' ' ' |
  grep -q 'a_png.*b_tiff16.*c_webp.*d_heic.*e_avif.*f_jpeg' || fail "the pictures are not sorted by name"

# Same size, and the same look as 8 × 8 cells of mean colour, as the JPEG's web pictures.
cells() { /usr/bin/convert "$1" -scale '8x8!' -depth 8 txt:- | grep -o '^[0-9]*,[0-9]*: ([0-9]*,[0-9]*,[0-9]*' | cut -d'(' -f2; }
for name in a_png b_tiff16 c_webp d_heic e_avif f_jpeg; do
  for suffix in "" _thumb; do
    ours=$work/out/${name}${suffix}.jpg reference=$work/reference/photo${suffix}.jpg
    [ "$(identify -format '%wx%h' "$ours")" = "$(identify -format '%wx%h' "$reference")" ] ||
      fail "$name$suffix: $(identify -format '%wx%h' "$ours") instead of $(identify -format '%wx%h' "$reference")"
    worst=$(paste <(cells "$ours") <(cells "$reference") | awk '
      { split($1, a, ","); split($2, b, ",")
        for (i = 1; i <= 3; i++) { d = a[i] - b[i]; if (d < 0) d = -d; if (d > m) m = d } }
      END { print m + 0 }')
    [ "$worst" -le 12 ] || fail "$name$suffix: a cell's mean colour differs by $worst from the JPEG's"
  done
done
echo "every format gave the JPEG's web pictures"
