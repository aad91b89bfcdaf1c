#!/usr/bin/env bash
# Builds the Debian package BUILD/package/wexbo_VERSION-1_amd64.deb from a release build, checks it
# with lintian (an error fails; warnings are shown) and prints its path.
#   tools/make-package.sh [BUILD_FOLDER]           configures and builds first (default: build/)
#   tools/make-package.sh --built BUILD_FOLDER     packages what that folder has built
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
built=
if [ "${1:-}" = --built ]; then built=1; shift; fi
build=$(realpath -m "${1:-$root/build}")
if [ -z "$built" ]; then
  "$root/tools/install-deps.sh"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" >&2
fi
rm -f "$build"/package/wexbo_*.deb
(cd "$build" && cpack -G DEB) >&2
deb=$(ls "$build"/package/wexbo_*_amd64.deb)
lintian --fail-on error --tag-display-limit 0 "$deb" >&2
echo "$deb"
