#!/usr/bin/env bash
# Gets the browser tests ready: prepare.sh PROGRAM_FOLDER WORK_FOLDER
#  - installs playwright-core from package-lock.json into WORK_FOLDER/npm (npm ci, only when the
#    lock file changed since the last install; no browser is downloaded, the tests use Debian's);
#  - builds the slideshow fixture site in WORK_FOLDER/slideshow-site: the fixture pages (three
#    pictures and one picture) and stylesheet, the pictures drawn here, and the script, images and
#    button the program ships.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:?usage: prepare.sh PROGRAM_FOLDER WORK_FOLDER}
work=${2:?usage: prepare.sh PROGRAM_FOLDER WORK_FOLDER}

npm_dir=$work/npm
mkdir -p "$npm_dir"
if ! cmp -s "$here/package-lock.json" "$npm_dir/installed-lock.json" || [ ! -d "$npm_dir/node_modules/playwright-core" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$npm_dir/"
  (cd "$npm_dir" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --prefer-offline)
  cp "$here/package-lock.json" "$npm_dir/installed-lock.json"
fi

site=$work/slideshow-site
rm -rf "$site"
mkdir -p "$site"
cp "$here"/fixtures/slideshow/layout.css "$site/"
node "$here/fixtures/write_slideshow_pages.js" "$site"
for file in slideshow.js restore.png x.png; do
  cp "$program/slidescript/$file" "$site/$file"
done
cp "$program/buttons/01/gallery.gif" "$site/gallery.gif"

# One landscape, one portrait and one square picture, each with its number written large, so a
# screenshot shows at a glance which slide is on screen.
picture() {
  /usr/bin/convert -size "$2" "gradient:$3" -font DejaVu-Sans-Bold -pointsize 200 -fill white \
    -stroke "#00000080" -strokewidth 4 -gravity center -annotate +0+0 "$4" -quality 85 "$site/$1"
}
picture harbour.jpg 1200x800 "#1565C0-#80DEEA" 1
picture cafe.jpg 600x900 "#6D4C41-#FFCC80" 2
picture square.jpg 800x800 "#2E7D32-#C5E1A5" 3
