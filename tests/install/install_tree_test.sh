#!/usr/bin/env bash
# `cmake --install` gives the tree a Linux desktop expects. Moved to another place the tree still
# runs, and it writes only into the user's own folders.
#   install_tree_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/wexbo share/wexbo/Language.ini share/wexbo/Gallery.ini share/wexbo/Generator.ini \
  share/wexbo/ver.ini share/wexbo/CREDITS.txt share/wexbo/gal/Gal_0001/Pictures.ini \
  share/wexbo/gal/del/Bildano.ini share/wexbo/buttons/01/next.gif share/wexbo/slidescript/slideshow.js \
  share/wexbo/recom_GR/program.jpg share/applications/com.velmora.wexbo.desktop \
  share/metainfo/com.velmora.wexbo.metainfo.xml share/icons/hicolor/scalable/apps/com.velmora.wexbo.svg \
  share/man/man1/wexbo.1.gz share/doc/wexbo/copyright; do
  [ -f "$prefix/$file" ] || fail "the installed tree lacks $file"
done
if [ -e "$build/bin/libwexbo_windows.so" ]; then
  [ -f "$prefix/lib/wexbo/libwexbo_windows.so" ] || fail "the windows module is not in lib/wexbo/"
fi
for size in 16 22 24 32 48 64 128 256 512; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/com.velmora.wexbo.png
  file "$icon" | grep -q "PNG image data, $size x $size," || fail "no $size-pixel icon: $(file "$icon")"
done
# Nothing a run from the build tree leaves in its program folder is installed.
for leftover in thumbs gallery web-pictures LanguageIsSet.ini; do
  [ ! -e "$prefix/share/wexbo/$leftover" ] || fail "$leftover was installed"
done
desktop-file-validate "$prefix/share/applications/com.velmora.wexbo.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/com.velmora.wexbo.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$prefix/share/metainfo/com.velmora.wexbo.metainfo.xml")"

# The manual page names every command and option the program's help lists.
manual=$(gzip -dc "$prefix/share/man/man1/wexbo.1.gz" | sed 's/\\-/-/g')
commands=$("$prefix/bin/wexbo" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }')
[ -n "$commands" ] || fail "--help lists no commands"
for command in "" $commands; do
  help=$("$prefix/bin/wexbo" $command --help)
  [ -z "$command" ] || grep -qE "^\.B (wexbo )?$command( |$)" <<<"$manual" || fail "the manual page lacks the command $command"
  for option in $(grep -oE -- '--[a-z][a-z-]+' <<<"$help" | sort -u); do
    grep -qF -- "$option" <<<"$manual" || fail "the manual page lacks $option of 'wexbo $command --help'"
  done
done

# Moved elsewhere, the program finds its data from its own place; a run writes into the user's
# folders only, never into the tree.
mv "$prefix" "$work/moved"
tree=$work/moved
state() { find "$tree" -printf '%p %s %T@ %m\n' | sort; }
state > "$work/before"
mkdir -p "$work/home"
env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work" \
  "$tree/bin/wexbo" generate "$tree/share/wexbo/gal/Gal_0001" "$work/out" 2>"$work/log" ||
  fail "generate from the moved tree: $(cat "$work/log")"
[ -f "$work/out/gallery.html" ] || fail "generate made no gallery.html"
[ ! -e "$work/home/.config" ] || fail "the command line wrote settings: $(find "$work/home/.config")"
state > "$work/after"
diff "$work/before" "$work/after" >&2 || fail "the run changed the installed tree"
echo "install tree ok"
