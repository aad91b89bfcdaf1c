#!/usr/bin/env bash
# Core's includes never go up its layers; and the check itself catches one that does.
set -u
here=$(cd "$(dirname "$0")" && pwd)
check=$here/../../tools/check_core_layers.sh
fail() { echo "FAIL: $*" >&2; exit 1; }

"$check" "$here/../../src/core" || fail "an include of src/core goes up its layers (see above)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/{util,app,imaging,album,workspace,gallery}
printf '#include "util/strings.h"\n#include <vector>\n' > "$work/album/fine.h"
printf '#include "album/album_entry.h"\n' > "$work/gallery/fine.cpp"
"$check" "$work" 2>"$work/err" || fail "a tree with only downward includes was refused: $(cat "$work/err")"

printf '#include "gallery/qvb_convert.h"\n' > "$work/imaging/up.cpp"
printf '  #  include "workspace/source_listing.h"\n' > "$work/gallery/sideways.h"
mkdir -p "$work/extra"
"$check" "$work" 2>"$work/err" && fail "includes that go up were not caught"
grep -q '^imaging/up.cpp:1: imaging may not include gallery' "$work/err" || fail "the upward include is not named: $(cat "$work/err")"
grep -q '^gallery/sideways.h:1: gallery may not include workspace' "$work/err" || fail "the sideways include is not named: $(cat "$work/err")"
grep -q '^extra/: ' "$work/err" || fail "a folder without a layer is not named: $(cat "$work/err")"
echo "ok"
