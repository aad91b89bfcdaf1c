#!/usr/bin/env bash
# Draws the 28 navigation button sets with ImageMagick: make_button_sets.sh PROGRAM_FOLDER
# Writes buttons/01 … buttons/28, each with slideshow.gif, gallery.gif, previous.gif, home.gif and
# next.gif, and buttons/01/test.html, the page on which the user picks a set. Runs at build time;
# the images are not kept in the repository.
#
# Every image is drawn four times larger than its final size and shrunk at the end, so edges are
# smooth; GIF keeps one transparent colour only, so half-transparent edge pixels become either the
# shape's colour or transparent.
set -euo pipefail
out=${1:?usage: make_button_sets.sh PROGRAM_FOLDER}
IM=/usr/bin/convert
SS=4   # supersampling factor

# One line per set:
#   width height shape fill-top fill-bottom border glyph-colour glyph-outline arrow finish
# shape:  circle rounded squircle square diamond octagon hexagon pill ring tile plain
# arrow:  tri (solid triangle), chevron, arrow (with a shaft), double
# finish: flat, gloss (light sheen on the upper half), bevel (a darker edge below), both
# "none" leaves a border or a glyph outline out.
styles=(
  "40 40 circle   #43A047 #1B5E20 none    #FFFFFF none    tri     gloss"
  "44 44 rounded  #1E88E5 #0D47A1 none    #FFFFFF none    chevron bevel"
  "36 36 square   #E53935 #B71C1C #7F0000 #FFFFFF none    arrow   flat"
  "48 32 pill     #FFA726 #E65100 none    #FFFFFF none    tri     gloss"
  "40 40 diamond  #8E24AA #4A148C none    #FFFFFF none    tri     flat"
  "32 32 plain    none    none    none    #FFD600 #212121 chevron flat"
  "44 44 ring     #00838F #00838F none    #00838F none    arrow   flat"
  "40 40 octagon  #455A64 #263238 none    #FFEB3B none    double  flat"
  "36 36 circle   #EC407A #AD1457 #FFFFFF #FFFFFF none    chevron flat"
  "48 48 rounded  #FAFAFA #B0BEC5 #546E7A #37474F none    tri     gloss"
  "44 44 tile     #424242 #111111 #9E9E9E #FFFFFF none    arrow   flat"
  "40 40 hexagon  #26A69A #00695C none    #FFFFFF none    tri     flat"
  "32 32 circle   #000000 #000000 none    #FFFFFF none    double  flat"
  "48 36 pill     #7E57C2 #4527A0 none    #FFFFFF none    chevron both"
  "40 40 squircle #FF7043 #D84315 none    #FFFFFF none    arrow   flat"
  "36 36 plain    none    none    none    #42A5F5 #0D47A1 tri     flat"
  "44 44 diamond  #FFEE58 #F9A825 #5D4037 #5D4037 none    chevron flat"
  "40 40 tile     #FFFFFF #EEEEEE #222222 #222222 none    tri     flat"
  "48 48 circle   #A5D6A7 #2E7D32 none    #FFFFFF #1B5E20 tri     both"
  "36 36 rounded  #A1887F #5D4037 none    #FFF8E1 none    arrow   bevel"
  "44 44 octagon  #E53935 #B71C1C #FFFFFF #FFFFFF none    chevron flat"
  "40 32 pill     #26C6DA #00838F none    #FFFFFF none    double  flat"
  "32 32 square   #3949AB #3949AB none    #FFFFFF none    tri     flat"
  "44 44 ring     #D81B60 #D81B60 none    #D81B60 none    chevron flat"
  "48 48 hexagon  #FFCA28 #FF6F00 #3E2723 #3E2723 none    tri     flat"
  "40 40 plain    none    none    none    #66BB6A #1B5E20 double  flat"
  "36 36 tile     #3949AB #1A237E #C5CAE9 #FFD54F none    arrow   flat"
  "44 44 circle   #BDBDBD #616161 #212121 #FFFFFF none    chevron bevel"
)

# The glyphs, drawn in a 200 × 200 box. glyph ROLE ARROW COLOUR WIDEN appends ImageMagick drawing
# options to the array `ops`; WIDEN > 0 thickens every stroke and fills the glyph's outline too,
# which draws the dark rim of a glyph without a background shape.
glyph() {
  local role=$1 arrow=$2 colour=$3 widen=$4
  local fill=(-fill "$colour" -stroke "$colour" -strokewidth "$widen")
  case $role in
    next|previous)
      case $arrow in
        tri)     ops+=("${fill[@]}" -draw "polygon 62,38 162,100 62,162") ;;
        arrow)   ops+=("${fill[@]}" -draw "polygon 28,78 104,78 104,40 172,100 104,160 104,122 28,122") ;;
        double)  ops+=("${fill[@]}" -draw "polygon 36,46 96,100 36,154" -draw "polygon 104,46 164,100 104,154") ;;
        chevron) ops+=(-fill none -stroke "$colour" -strokewidth $((34 + widen))
                       -draw "stroke-linecap round stroke-linejoin round polyline 76,42 132,100 76,158") ;;
      esac ;;
    home)
      ops+=("${fill[@]}" -draw "polygon 100,26 178,96 152,96 152,168 116,168 116,124 84,124 84,168 48,168 48,96 22,96") ;;
    gallery)
      ops+=("${fill[@]}" -draw "rectangle 34,34 93,93" -draw "rectangle 107,34 166,93"
            -draw "rectangle 34,107 93,166" -draw "rectangle 107,107 166,166") ;;
    slideshow)
      ops+=(-fill none -stroke "$colour" -strokewidth $((16 + widen)) -draw "roundrectangle 24,44 176,156 14,14"
            "${fill[@]}" -draw "polygon 82,70 132,100 82,130") ;;
  esac
}

# shape_draw SHAPE W H: the ImageMagick drawing primitive of the background shape on a W × H canvas.
shape_draw() {
  local shape=$1 w=$2 h=$3 m=$((2 * SS))
  local x1=$((w - 1 - m)) y1=$((h - 1 - m)) cx=$((w / 2)) cy=$((h / 2))
  case $shape in
    circle|ring) echo "ellipse $cx,$cy $((cx - m)),$((cy - m)) 0,360" ;;
    rounded)  echo "roundrectangle $m,$m $x1,$y1 $((h / 5)),$((h / 5))" ;;
    squircle) echo "roundrectangle $m,$m $x1,$y1 $((h / 3)),$((h / 3))" ;;
    pill)     echo "roundrectangle $m,$m $x1,$y1 $(((h - 2 * m) / 2)),$(((h - 2 * m) / 2))" ;;
    square)   echo "rectangle $m,$m $x1,$y1" ;;
    tile)     echo "rectangle 0,0 $((w - 1)),$((h - 1))" ;;
    diamond)  echo "polygon $cx,$m $x1,$cy $cx,$y1 $m,$cy" ;;
    octagon)  local c=$(((w - 2 * m) * 29 / 100))
              echo "polygon $((m + c)),$m $((x1 - c)),$m $x1,$((m + c)) $x1,$((y1 - c)) $((x1 - c)),$y1 $((m + c)),$y1 $m,$((y1 - c)) $m,$((m + c))" ;;
    hexagon)  local c=$(((w - 2 * m) / 4))
              echo "polygon $((m + c)),$m $((x1 - c)),$m $x1,$cy $((x1 - c)),$y1 $((m + c)),$y1 $m,$cy" ;;
  esac
}

# button FILE ROLE STYLE...: draws one image.
button() {
  local file=$1 role=$2 w=$3 h=$4 shape=$5 top=$6 bottom=$7 border=$8 colour=$9 outline=${10} arrow=${11} finish=${12}
  local cw=$((w * SS)) ch=$((h * SS)) draw
  draw=$(shape_draw "$shape" "$cw" "$ch")
  local args=(-size "${cw}x${ch}" xc:none)
  if [ "$shape" = ring ]; then
    args+=(-fill none -stroke "$top" -strokewidth $((3 * SS)) -draw "$draw")
  elif [ "$shape" != plain ]; then
    if [ "$finish" = bevel ] || [ "$finish" = both ]; then
      # A darker copy of the shape, a little lower, reads as the button's lower edge.
      args+=(\( -size "${cw}x${ch}" xc:none -fill "$bottom" -draw "translate 0,$((2 * SS)) $draw" -fill "#00000055" -draw "translate 0,$((2 * SS)) $draw" \)
             -compose Over -composite)
    fi
    args+=(\( -size "${cw}x${ch}" "gradient:$top-$bottom" \( -size "${cw}x${ch}" xc:black -fill white -draw "$draw" \)
           -alpha off -compose CopyOpacity -composite \) -compose Over -composite)
    if [ "$finish" = gloss ] || [ "$finish" = both ]; then
      args+=(\( -size "${cw}x${ch}" xc:none -fill "#FFFFFF66" -draw "ellipse $((cw / 2)),$((ch * 3 / 10)) $((cw * 4 / 10)),$((ch / 5)) 0,360" \)
             -compose Atop -composite)
    fi
    if [ "$border" != none ]; then
      args+=(-fill none -stroke "$border" -strokewidth $((2 * SS)) -draw "$draw")
    fi
  fi

  # The glyph: nearly the whole image without a shape, a little over half of it on one.
  local size=$(((ch < cw ? ch : cw) * 56 / 100))
  case $shape in plain) size=$((ch * 90 / 100)) ;; diamond) size=$((ch * 46 / 100)) ;; ring) size=$((ch * 50 / 100)) ;; esac
  ops=()
  [ "$outline" != none ] && glyph "$role" "$arrow" "$outline" 18
  glyph "$role" "$arrow" "$colour" 0
  local flip=()
  [ "$role" = previous ] && flip=(-flop)
  args+=(\( -size 200x200 xc:none "${ops[@]}" "${flip[@]}" -resize "${size}x${size}" \) -gravity center -compose Over -composite)

  "$IM" "${args[@]}" -resize "${w}x${h}!" -channel A -threshold 50% +channel "$file"
}

count=${#styles[@]}
for ((n = 1; n <= count; n++)); do
  nn=$(printf '%02d' "$n")
  mkdir -p "$out/buttons/$nn"
  # shellcheck disable=SC2086
  for role in slideshow gallery previous home next; do
    button "$out/buttons/$nn/$role.gif" "$role" ${styles[n - 1]}
  done
done

# The chooser page: every set with its number, once on a light and once on a dark background,
# because the gallery's background colour is the user's choice.
page=$out/buttons/01/test.html
{
  cat <<'HTML'
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Button sets</title>
<style>
body { font-family: verdana, arial, helvetica, sans-serif; background: #f0f0f0; color: #222; margin: 12px; }
h1 { font-size: 16px; font-weight: normal; margin: 0 0 12px 0; }
.sets { display: flex; flex-wrap: wrap; gap: 10px; }
.set { background: #fff; border: 1px solid #ccc; border-radius: 6px; width: 400px; display: flex; align-items: stretch; }
.number { font-size: 28px; font-weight: bold; width: 58px; display: flex; align-items: center; justify-content: center; border-right: 1px solid #ccc; }
.rows { flex: 1; }
.row { display: flex; align-items: center; justify-content: space-around; min-height: 56px; padding: 0 6px; }
.row.dark { background: #333; border-radius: 0 0 6px 0; }
img { display: block; }
</style>
</head>
<body>
<h1>Button sets: remember the number of the set you like.</h1>
<div class="sets">
HTML
  for ((n = 1; n <= count; n++)); do
    nn=$(printf '%02d' "$n")
    printf '<div class="set" id="set%s">\n<div class="number">%d</div>\n<div class="rows">\n' "$nn" "$n"
    for row in light dark; do
      printf '<div class="row %s">' "$row"
      for role in previous home next slideshow gallery; do
        printf '<img src="../%s/%s.gif" alt="Set %d: %s" title="Set %d: %s">' "$nn" "$role" "$n" "$role" "$n" "$role"
      done
      printf '</div>\n'
    done
    printf '</div>\n</div>\n'
  done
  printf '</div>\n</body>\n</html>\n'
} > "$page.tmp"
mv "$page.tmp" "$page"
