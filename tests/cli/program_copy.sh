# Sourced by the command-line tests: a private copy of the built program folder in a temporary
# folder, with a home, data and temporary folder of its own, so a test never touches the real ones.
# Sets: work (the temporary folder), program (the copied program folder), wexbo (the copied program).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
built=$(dirname "$1")
program=$work/program
mkdir -p "$program" "$work/home" "$work/tmp"
cp "$1" "$program/"
for entry in "$built"/*.ini "$built"/*.so "$built"/gal "$built"/buttons "$built"/slidescript; do
  [ -e "$entry" ] && cp -r "$entry" "$program/"
done
wexbo=$program/$(basename "$1")
export HOME=$work/home TMPDIR=$work/tmp
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DOCUMENTS_DIR DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
fail() { echo "FAIL: $*" >&2; exit 1; }
