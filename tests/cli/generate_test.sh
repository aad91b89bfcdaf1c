#!/usr/bin/env bash
# wexbo generate and wexbo demo as other programs drive them: the gallery, the printed path, the
# progress and error lines, and an output folder that a failed run leaves as it was.
set -u
. "$(dirname "$0")/program_copy.sh" "$1"
listing() { (cd "$1" && find . -type f | sort | xargs md5sum); }

# An album folder: its title, pictures and captions, in album order.
album=$program/gal/Gal_0001
out=$("$wexbo" generate "$album" "$work/out" --language german --jobs 2 2>"$work/err") || fail "album: $(cat "$work/err")"
[ "$out" = "$work/out/" ] || fail "album: printed '$out'"
[ "$(ls "$work/out" | wc -l)" -eq 26 ] || fail "album: $(ls "$work/out" | wc -l) files instead of 26"
grep -q "<title>Nature walk</title>" "$work/out/gallery.html" || fail "album: the title is not the album's"
grep -q "Klicken Sie auf die Bilder" "$work/out/gallery.html" || fail "album: the page is not German"
[ "$(grep -c ' 5/5$\| [1-4]/5$' "$work/err")" -eq 5 ] || fail "album: progress lines: $(cat "$work/err")"
grep -q "^Konvertiere Bilder für das Internet: 5/5$" "$work/err" || fail "album: the progress is not in the pages' language: $(cat "$work/err")"
ls "$program" | grep -q '^Gallery_' && fail "a settings file was written"
[ -z "$(ls -A "$TMPDIR")" ] || fail "the work folder was left behind: $(ls -A "$TMPDIR")"

# A folder of pictures, sorted by name; one thread or two give the same pictures.
mkdir -p "$work/pics"
cp "$album"/kite.jpg "$work/pics/B.JPG"; cp "$album"/path.jpg "$work/pics/a.jpg"; echo x > "$work/pics/notes.txt"
"$wexbo" generate "$work/pics" "$work/one" --jobs 1 >/dev/null 2>&1 || fail "folder: --jobs 1 failed"
# The second run converts again (--no-cache), or it would take the first run's pictures.
"$wexbo" generate "$work/pics" "$work/two" --jobs 2 --no-cache >/dev/null 2>&1 || fail "folder: --jobs 2 failed"
[ "$(ls "$work/one" | wc -l)" -eq 17 ] || fail "folder: $(ls "$work/one")"
(cd "$work/one" && md5sum *.jpg) > "$work/one.md5"
(cd "$work/two" && md5sum -c --quiet "$work/one.md5") || fail "--jobs 1 and --jobs 2 made different pictures"
# A third run takes both pictures from the cache of web pictures, byte for byte.
[ "$(ls "$program"/web-pictures/*.webpair | wc -l)" -ge 2 ] || fail "the cache holds no web pictures"
"$wexbo" generate "$work/pics" "$work/three" >/dev/null 2>&1 || fail "folder: the run from the cache failed"
(cd "$work/three" && md5sum -c --quiet "$work/one.md5") || fail "the cached pictures differ from the converted ones"
grep -q "<title>pics</title>" "$work/one/gallery.html" || fail "folder: the title is not the folder's name"
grep -o 'src="[a-z_]*_thumb.jpg"' "$work/one/gallery.html" | tr '\n' ' ' | grep -q 'a_thumb.*b_thumb' ||
  fail "folder: the pictures are not sorted by name"

# A failure: one message naming the file, a non-zero status, the output folder as it was.
echo "my notes" > "$work/out/notes.txt"
before=$(listing "$work/out")
printf 'not a picture' > "$work/pics/c.jpg"
"$wexbo" generate "$work/pics" "$work/out" 2>"$work/err" >"$work/stdout" && fail "a broken picture was accepted"
[ "$(grep -c '^wexbo: ' "$work/err")" -eq 1 ] || fail "failure: $(cat "$work/err")"
grep '^wexbo: ' "$work/err" | grep -q "$work/pics/c.jpg" || fail "failure: the message does not name the file"
[ -s "$work/stdout" ] && fail "failure: something was printed on standard output"
[ "$(listing "$work/out")" = "$before" ] || fail "failure: the output folder changed"
[ -z "$(ls -A "$TMPDIR")" ] || fail "failure: the work folder was left behind"

# Wrong arguments are refused before anything is done.
"$wexbo" generate "$work/pics" "$work/x" --settings "$work/none.ini" >/dev/null 2>&1 && fail "a missing settings file"
"$wexbo" generate "$work/pics" "$work/x" --language klingon >/dev/null 2>&1 && fail "an unknown language"
"$wexbo" generate "$work/nowhere" "$work/x" >/dev/null 2>&1 && fail "a missing source folder"
"$wexbo" generate "$work/pics" "$work/x" --jobs 0 >/dev/null 2>&1 && fail "--jobs 0"
[ -e "$work/x" ] && fail "a refused call made its output folder"

# A settings file: its OutputPath is ignored, its sizes are used.
printf '[SETTINGS]\r\nSmallPicX=50\r\nOutputPath=%s/elsewhere/\r\n' "$work" > "$work/s.ini"
rm "$work/pics/c.jpg"
"$wexbo" generate "$work/pics" "$work/small" --settings "$work/s.ini" >/dev/null 2>&1 || fail "--settings failed"
[ -e "$work/elsewhere" ] && fail "OutputPath of the settings file was used"
grep -q 'height="50"' "$work/small/gallery.html" || fail "the settings file's SmallPicX was not used"

# demo OUTPUT
out=$("$wexbo" demo "$work/demo" 2>/dev/null) || fail "demo failed"
[ "$out" = "$work/demo/gallery.html" ] && [ -f "$out" ] || fail "demo printed '$out'"
echo "ok"
