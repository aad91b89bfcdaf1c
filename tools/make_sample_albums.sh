#!/usr/bin/env bash
# Makes the shipped sample albums and pictures from the free photographs of Debian's
# plasma-workspace-wallpapers (LGPL-3): make_sample_albums.sh PROGRAM_FOLDER
# Writes gal/Gal_0001, gal/Gal_0002 (album file, picture list with credited captions, pictures
# about 1600 pixels on the long side), recom_GR/ (program picture, About picture, wizard.jpg) and
# CREDITS.txt. Runs at build time; the results are not kept in the repository.
set -euo pipefail
out=$1
W=/usr/share/wallpapers
convert() { /usr/bin/convert "$@"; }
if [ ! -d "$W/Autumn" ]; then
  echo "make_sample_albums.sh: $W is missing; install plasma-workspace-wallpapers" >&2
  exit 1
fi

largest() { ls -S "$W/$1"/contents/images/*.jpg | head -1; }

# album FOLDER TITLE then lines "Wallpaper|file name|caption"
album() {
  local folder=$out/gal/$1 title=$2; shift 2
  rm -rf "$folder"; mkdir -p "$folder"
  printf '[BILDANO]\r\nTitel=%s\r\nTime=5\r\n' "$title" > "$folder/Bildano.ini"
  : > "$folder/Pictures.ini"
  local line wp name caption
  for line in "$@"; do
    IFS='|' read -r wp name caption <<<"$line"
    convert "$(largest "$wp")" -resize '1600x1600>' -quality 90 -sampling-factor 2x1 "$folder/$name"
    printf '%s | %s\r\n' "$name" "$caption" >> "$folder/Pictures.ini"
  done
}

album Gal_0001 "Nature walk" \
  "Autumn|autumn.jpg|Autumn leaves (photo: RJ Quiralta)" \
  "BytheWater|by_the_water.jpg|By the water (photo: Maciej Wiklo)" \
  "ColdRipple|cold_ripple.jpg|Cold ripple (photo: Risto Saukonpää)" \
  "Kite|kite.jpg|A kite in the sky (photo: Risto Saukonpää)" \
  "Path|path.jpg|The path through the wood (photo: Risto Saukonpää)"
album Gal_0002 "Light and colour" \
  "EveningGlow|evening_glow.jpg|Evening glow (photo: Ian Hex)" \
  "FallenLeaf|fallen_leaf.jpg|Fallen leaf (photo: Martin Klapetek)" \
  "OneStandsOut|one_stands_out.jpg|One stands out (photo: Risto Saukonpää)" \
  "PastelHills|pastel_hills.jpg|Pastel hills (photo: Lionel)" \
  "Grey|grey.jpg|Grey (photo: Sigi Sagi)"

mkdir -p "$out/recom_GR"
convert "$(largest Kite)" -resize '640x400^' -gravity center -extent 640x400 -quality 90 "$out/recom_GR/program.jpg"
convert "$(largest EveningGlow)" -resize '400x250^' -gravity center -extent 400x250 -quality 90 "$out/recom_GR/about.jpg"
convert "$(largest Path)" -resize '160x489^' -gravity center -extent 160x489 -quality 90 "$out/recom_GR/wizard.jpg"

cat > "$out/CREDITS.txt" <<'TXT'
The sample albums and the program pictures are made from photographs of Debian's
plasma-workspace-wallpapers package (LGPL-3): Autumn (RJ Quiralta), By the Water (Maciej Wiklo),
Cold Ripple, Kite, Path and One Stands Out (Risto Saukonpää), Evening Glow (Ian Hex),
Fallen Leaf (Martin Klapetek), Pastel Hills (Lionel), Grey (Sigi Sagi).
TXT
