#!/usr/bin/env bash
# Tries the desktop program as a new user would, on the X display of run_under_x.sh, driven by
# xdotool: the language question, the sample album, a caption typed into it, quitting and starting
# again (the caption must be there), then the gallery made three times with its windows (button
# chooser, instructions, preview) opened and closed in between. The program must stay alive and end
# cleanly. Screenshots of every step land in OUTPUT for a person to look at.
# ./try_desktop.sh PROGRAM_FOLDER [OUTPUT]    (run through run_under_x.sh)
set -euo pipefail
built=$(cd "$1" && pwd)
source_data=$(cd "$(dirname "$0")/../../data" && pwd)
shots=${2:-$PWD/try_desktop}
mkdir -p "$shots"
rm -f "$shots"/*.png

work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A first start: a program folder of its own with the shipped settings, a home of its own.
program=$work/program
mkdir -p "$program" "$work/home" "$work/tmp"
cp "$built/wexbo" "$built/libwexbo_windows.so" "$built/Language.ini" "$built/Gallery.ini" "$built/ver.ini" "$program/"
cp "$source_data/Generator.ini" "$program/"
cp -r "$built/gal" "$built/buttons" "$built/slidescript" "$built/recom_GR" "$program/"
export HOME=$work/home TMPDIR=$work/tmp
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DOCUMENTS_DIR
log=$shots/program.log
: > "$log"

step=0
shot() {
  step=$((step + 1))
  import -window root "$shots/$(printf %02d "$step")-$1.png"
}
fail() {
  echo "FAIL: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null || true
  echo "--- program output:" >&2
  tail -20 "$log" >&2
  exit 1
}
start() {
  "$program/wexbo" >> "$log" 2>&1 &
  pid=$!
}
alive() { kill -0 "$pid" 2>/dev/null; }
# The id of a window on screen whose title matches PATTERN and whose width is WIDTH (any width when
# none is given), once there is one.
window() {
  local pattern=$1 width=${2:-} id
  for _ in $(seq 200); do
    alive || fail "the program ended while waiting for the window \"$pattern\""
    for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true); do
      if [ -z "$width" ] || xwininfo -id "$id" | grep -q "Width: $width\$"; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  fail "no window \"$pattern\" ${width:+of width $width }came"
}
# Waits until no window whose title matches PATTERN (and width WIDTH) is on screen.
gone() {
  local pattern=$1 width=${2:-} id found
  for _ in $(seq 100); do
    alive || fail "the program ended while waiting for \"$pattern\" to close"
    found=
    for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true); do
      if [ -z "$width" ] || xwininfo -id "$id" | grep -q "Width: $width\$"; then found=1; fi
    done
    [ -z "$found" ] && return 0
    sleep 0.1
  done
  fail "the window \"$pattern\" did not close"
}
# Clicks at X Y of a window's client area.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}
# Ends the program as a user does, through the window manager, and checks it ended cleanly.
quit() {
  xdotool windowactivate --sync "$(window '^Wexbo 10 :')" key --clearmodifiers alt+F4
  for _ in $(seq 100); do alive || break; sleep 0.1; done
  alive && fail "the program did not end when its window was closed"
  wait "$pid" || fail "the program ended with status $?"
  pid=
}
list=$HOME/Slideshow/Gal_0001/Pictures.ini
caption=" (typed in the test)"

# The main window's controls, in its client area, for a screen 1440 pixels wide.
sample_album=(140 103)
first_entry=(415 126)
caption_field=(1281 777)
gallery_button=(1281 839)
turn_right=(1179 808)
# The generator window's (693 × 489).
make_button=(393 466)
instructions_button=(509 466)
close_button=(625 466)
# In the upload instructions window.
destination_field=(360 447)
upload_button=(362 559)
buttons_button=(473 248)
page_style_combo=(643 331)

start
language=$(window '^Language$')
shot language
click "$language" 150 167  # the British flag
main=$(window '^Wexbo 10')
shot start
click "$main" "${sample_album[@]}"
main=$(window '^Wexbo 10 : Nature walk$')
click "$main" "${first_entry[@]}"
click "$main" "${caption_field[@]}"
xdotool key End
xdotool type --delay 20 "$caption"
sleep 0.5
shot caption-typed
quit
grep -q "^autumn.jpg | .*$caption"$'\r'"\$" "$list" || fail "the typed caption is not in $list: $(head -1 "$list")"

start
main=$(window '^Wexbo 10')
click "$main" "${sample_album[@]}"
main=$(window '^Wexbo 10 : Nature walk$')
shot caption-after-restart
grep -q "$caption" "$list" || fail "the caption is gone after the restart"

# Keyboard editing: the arrow key moves to the second picture, whose caption is typed and which is
# turned; both must be there after a restart.
turned=$HOME/Slideshow/Gal_0001/by_the_water.jpg
size_before=$(identify -format '%wx%h' "$turned")
click "$main" "${first_entry[@]}"
xdotool key Down
sleep 0.5
click "$main" "${caption_field[@]}"
xdotool key End
xdotool type --delay 20 " (by keys)"
click "$main" "${turn_right[@]}"
sleep 1
shot keyboard-edited
quit
grep -q "^by_the_water.jpg | .* (by keys)"$'\r'"\$" "$list" || fail "the caption typed after the arrow key is not on the second picture: $(cat "$list")"
grep -q "^autumn.jpg | .*$caption"$'\r'"\$" "$list" || fail "the first picture's caption changed: $(head -1 "$list")"
size_after=$(identify -format '%wx%h' "$turned")
[ "$size_after" = "$(echo "$size_before" | awk -Fx '{print $2 "x" $1}')" ] ||
  fail "the second picture was not turned: $size_before, then $size_after"

start
main=$(window '^Wexbo 10')
click "$main" "${sample_album[@]}"
main=$(window '^Wexbo 10 : Nature walk$')
shot after-keyboard-restart

for round in 1 2 3; do
  click "$main" "${gallery_button[@]}"
  generator=$(window '^Wexbo 10 - Nature walk$' 693)
  shot "generator-$round"
  if [ "$round" = 2 ]; then
    click "$generator" "${buttons_button[@]}"
    chooser=$(window '^Select Buttons$')
    sleep 1.5
    shot "button-chooser-$round"
    xdotool windowactivate --sync "$chooser" key Return  # OK
    gone '^Select Buttons$'
    # The page style's list drawn open, then Modern chosen with the keys; the album keeps it.
    click "$generator" "${page_style_combo[@]}"
    sleep 0.5
    shot "page-style-$round"
    xdotool key Down Return
    sleep 0.3
  fi
  if [ "$round" = 3 ]; then
    click "$generator" "${instructions_button[@]}"
    instructions=$(window '^Wexbo 10 - Nature walk$' 726)
    shot "instructions-$round"
    # Uploaded from the window into a folder, on its worker thread, while the window stays drawn.
    click "$instructions" "${destination_field[@]}"
    xdotool type --delay 5 "$work/web space/"
    click "$instructions" "${upload_button[@]}"
    for _ in $(seq 100); do [ -f "$work/web space/gallery.html" ] && break; sleep 0.1; done
    [ -f "$work/web space/gallery.html" ] || fail "the window's upload did not arrive"
    sleep 0.5
    shot "instructions-uploaded-$round"
    xdotool windowactivate --sync "$instructions" key Escape
    gone '^Wexbo 10 - Nature walk$' 726
  fi
  click "$generator" "${make_button[@]}"
  preview=$(window '^Wexbo 10 - Nature walk$' 1010)
  sleep 1.5
  shot "preview-$round"
  xdotool windowactivate --sync "$preview" key Escape
  gone '^Wexbo 10 - Nature walk$' 1010
  click "$generator" "${close_button[@]}"
  gone '^Wexbo 10 - Nature walk$' 693
done
[ -f "$HOME/Documents/HTML-Gallery/gallery.html" ] || fail "no gallery was written"
grep -q '<html lang="en">' "$HOME/Documents/HTML-Gallery/gallery.html" ||
  fail "the page style chosen in the second round did not give modern pages"
shot end
quit
echo "The program stayed alive; screenshots in $shots"
