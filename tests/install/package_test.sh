#!/usr/bin/env bash
# The Debian package: lintian finds no error; unpacked, it serves two users who each keep their own
# settings, and nothing is ever written into the unpacked tree.
#   package_test.sh SOURCE_FOLDER BUILD_FOLDER
set -euo pipefail
source=$1 build=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

deb=$("$source/tools/make-package.sh" --built "$build") || fail "the package could not be made"
dpkg-deb -x "$deb" "$work/root"
tree=$work/root/usr
state() { find "$work/root" -printf '%p %s %T@ %m\n' | sort; }
state > "$work/before"

declare -A keys=([1]="Return" [2]="Right Return")         # German (the first flag), English
declare -A language=([1]="GERMAN" [2]="ENGLISH")
for user in 1 2; do
  home=$work/home$user
  mkdir -p "$home"
  # The desktop program's first start, on a real X server, answered as a person would.
  "$source/tests/x11/run_under_x.sh" "$here/first_start.sh" "$tree/bin/wexbo" "$home" ${keys[$user]} ||
    fail "user $user: the desktop program's first start"
  env -i PATH=/usr/bin:/bin HOME="$home" TMPDIR="$home/tmp" \
    "$tree/bin/wexbo" generate "$tree/share/wexbo/gal/Gal_0001" "$home/out" 2>"$home/generate.log" ||
    fail "user $user: generate: $(cat "$home/generate.log")"
  [ -f "$home/out/gallery.html" ] || fail "user $user: no gallery.html"
  config=$home/.config/Velmora/Wexbo10
  grep -q "^Language=${language[$user]}" "$config/Generator.ini" ||
    fail "user $user: Generator.ini does not hold the language chosen: $(cat "$config/Generator.ini")"
  [ -f "$config/LanguageIsSet.ini" ] || fail "user $user: no LanguageIsSet.ini"
  [ -d "$home/.cache/Velmora/Wexbo10/thumbs" ] || fail "user $user: no thumbnail cache"
done
state > "$work/after"
diff "$work/before" "$work/after" >&2 || fail "the program wrote into the unpacked tree"
echo "package ok: $deb"
