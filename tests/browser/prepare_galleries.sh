#!/usr/bin/env bash
# Makes the galleries the gallery tests open: prepare_galleries.sh WEXBO WORK_FOLDER
#  - WORK_FOLDER/gallery-album: an album folder (album file and picture list) whose title and
#    captions hold non-ASCII letters, "<", "&", '"' and ">", and markup that must stay text; its
#    pictures are a landscape, a portrait, a square and a picture stored lying on its side with
#    EXIF orientation 6. Each picture is drawn with a red band at its top and a blue band at its
#    bottom (as it stands), so a turned or mirrored web picture shows at a glance.
#  - WORK_FOLDER/gallery: `wexbo generate` of that album, captions on, button set 7.
#  - WORK_FOLDER/sample-gallery: `wexbo generate` of the first sample album the program ships.
#  - WORK_FOLDER/modern-gallery and WORK_FOLDER/modern-sample-gallery: the same two albums in the
#    modern page style.
#  - WORK_FOLDER/formats-gallery: `wexbo generate` of WORK_FOLDER/formats, the album's pictures in
#    other formats; WORK_FOLDER/formats-album holds them as JPEG files to check it against.
# The program runs with a home and a temporary folder of its own inside WORK_FOLDER.
set -euo pipefail
wexbo=${1:?usage: prepare_galleries.sh WEXBO WORK_FOLDER}
work=${2:?usage: prepare_galleries.sh WEXBO WORK_FOLDER}
IM=/usr/bin/convert

album=$work/gallery-album
rm -rf "$album" "$work/gallery" "$work/sample-gallery" "$work/modern-gallery" "$work/modern-sample-gallery" \
  "$work/gallery-home" "$work/gallery-tmp"
mkdir -p "$album" "$work/gallery-home" "$work/gallery-tmp"

# picture FILE WIDTHxHEIGHT COLOURS LABEL: an upright picture, the label written large in the
# middle, the red and blue bands 1/8 of its height.
picture() {
  local file=$1 size=$2 colours=$3 label=$4
  local height=${size#*x}
  local band=$((height / 8))
  "$IM" -size "$size" "gradient:$colours" \
    -fill "#E00000" -draw "rectangle 0,0 10000,$((band - 1))" \
    -fill "#0030E0" -draw "rectangle 0,$((height - band)) 10000,$height" \
    -font DejaVu-Sans-Bold -pointsize $((height / 4)) -fill white -stroke "#00000080" -strokewidth 4 \
    -gravity center -annotate +0+0 "$label" -quality 90 "$file"
}

picture "$album/harbour.jpg" 1200x800 "#1565C0-#80DEEA" 1
picture "$album/Café & Bar #2.jpg" 1000x1000 "#6A1B9A-#F48FB1" 2
picture "$album/tower.jpg" 600x900 "#6D4C41-#FFCC80" 3
# Drawn upright as a portrait, then stored turned a quarter to the left with the EXIF note that
# a viewer must turn it a quarter to the right (orientation 6), as a camera held upright stores it.
picture "$work/gallery-tmp/upright.jpg" 900x1200 "#2E7D32-#C5E1A5" 4
"$IM" "$work/gallery-tmp/upright.jpg" -rotate -90 -quality 90 "$album/turned.jpg"
exiftool -q -overwrite_original -Orientation=6 -n "$album/turned.jpg"
picture "$album/lake.jpg" 1600x900 "#37474F-#B0BEC5" 5

printf '[BILDANO]\r\nTitel=%s\r\nTime=5\r\n' 'Ferien in Zürich & "Genf" <2024>' >"$album/Bildano.ini"
{
  printf '%s | %s\r\n' 'harbour.jpg' 'Größe & Glück: "Bergsee" <früh> 5 > 3'
  printf '%s | %s\r\n' 'Café & Bar #2.jpg' '<b>fett</b> <img src=x onerror="alert(1)"> Ærø'
  printf '%s | %s\r\n' 'tower.jpg' 'Tom &amp; Jerry &copy; AT&T &lt;p&gt; ½ € “quoted”'
  printf '%s | %s\r\n' 'turned.jpg' 'Aufrecht (EXIF 6) – Ça va? Ñandú ø'
  printf '%s |\r\n' 'lake.jpg'
} >"$album/Pictures.ini"

# Captions on, button set 7, sizes a little larger than the defaults so screenshots show more.
settings=$work/gallery-settings.ini
printf '[SETTINGS]\r\nSmallPicX=120\r\nLargePicX=600\r\nPicProRow=4\r\nButtons=6\r\nTextVisible=TRUE\r\nShapeVisible=FALSE\r\n' \
  >"$settings"

export HOME=$work/gallery-home TMPDIR=$work/gallery-tmp
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DOCUMENTS_DIR DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
rm "$work/gallery-tmp/upright.jpg"
# generate SOURCE OUTPUT [OPTION...]: progress goes to a log, shown only when the run fails.
generate() {
  "$wexbo" generate "$1" "$2" --settings "$settings" --language english --jobs 2 "${@:3}" >/dev/null 2>"$work/generate.log" ||
    { cat "$work/generate.log" >&2; exit 1; }
}
sample=$(dirname "$wexbo")/gal/Gal_0001
generate "$album" "$work/gallery"
generate "$sample" "$work/sample-gallery"
generate "$album" "$work/modern-gallery" --style modern
generate "$sample" "$work/modern-sample-gallery" --style modern

# The same pictures in the formats a phone, a screenshot tool, a scanner and the web give, in a
# folder of their own: PNG, WebP, HEIC, a TIFF stored lying with its Orientation tag 6, AVIF. Its
# gallery is checked against formats-album: the same pictures as JPEG files, listed in the
# folder's order (by name), with no captions (a folder has none) and the folder's name as title.
formats=$work/formats
reference=$work/formats-album
rm -rf "$formats" "$reference" "$work/formats-gallery"
mkdir -p "$formats" "$reference"
"$IM" "$album/harbour.jpg" "$formats/harbour.png"
"$IM" "$album/Café & Bar #2.jpg" -define webp:lossless=true "$formats/Café & Bar #2.webp"
heif-enc -q 95 -o "$formats/tower.heic" "$album/tower.jpg" >/dev/null
"$IM" "$album/turned.jpg" -compress lzw "$formats/turned.tif"
tiffset -s 274 6 "$formats/turned.tif"
heif-enc -A -q 95 -o "$formats/lake.avif" "$album/lake.jpg" >/dev/null
printf '[BILDANO]\r\nTitel=formats\r\n' >"$reference/Bildano.ini"
: >"$reference/Pictures.ini"
for name in "Café & Bar #2" harbour lake tower turned; do
  cp "$album/$name.jpg" "$reference/"
  printf '%s |\r\n' "$name.jpg" >>"$reference/Pictures.ini"
done
generate "$formats" "$work/formats-gallery"
