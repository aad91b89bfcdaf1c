#!/usr/bin/env bash
# Makes docs/gallery.png, the README's picture of a generated gallery, from the screenshot the
# browser tests take of the sample album's overview page: make_gallery_screenshot.sh [BUILD_FOLDER]
# (default: build/). Run the browser tests first (./test.sh, or ctest -R browser_sample_gallery).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shot=$build/tests/browser/output/sample-gallery-overview-1280.png
if [ ! -f "$shot" ]; then
  echo "make_gallery_screenshot.sh: $shot is missing; run ctest -R browser_sample_gallery first" >&2
  exit 1
fi
mkdir -p "$root/docs"
# The page without the empty space below it, a narrow white margin, 256 colours: about 80 KB.
/usr/bin/convert "$shot" -trim +repage -bordercolor white -border 16 -colors 256 -strip \
  -define png:exclude-chunks=date,time "$root/docs/gallery.png"
