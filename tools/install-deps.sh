#!/usr/bin/env bash
# Installs, with apt, every Debian package the build, the program and the tests need.
# Does nothing when they are all present, so it is cheap to call before every build.
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config clang-format
  qt6-base-dev qt6-webengine-dev qt6-declarative-dev
  libjpeg62-turbo-dev libturbojpeg0-dev libexif-dev
  libcli11-dev libfmt-dev libutfcpp-dev libgif-dev libxxhash-dev
  # Sources other than JPEG: PNG, WebP, TIFF, HEIC/HEIF/AVIF; lcms2 for colour profiles.
  libpng-dev libwebp-dev libtiff-dev libheif-dev liblcms2-dev
  # Their fixtures and benchmark: heif-convert, vipsthumbnail, cwebp, tiffset.
  libheif-examples libvips-tools webp libtiff-tools
  # The modern pictures' quality table (bench/web_quality.sh): ffmpeg's ssim filter.
  ffmpeg
  # Publishing: SFTP through libssh, FTP and FTPS through libcurl, passwords in the Secret Service;
  # the tests' own SFTP and FTPS servers on 127.0.0.1.
  libssh-dev libcurl4-openssl-dev libsecret-1-dev
  openssh-server openssh-client python3-pyftpdlib python3-openssl
  # GoogleTest; its CMake files also describe GoogleMock and fail without it.
  libgtest-dev libgmock-dev
  imagemagick libimage-exiftool-perl fonts-dejavu-core xvfb xauth openbox xdotool x11-utils
  plasma-workspace-wallpapers
  # Installing and packaging: the icon is drawn from SVG, the menu entry, metainfo and package checked.
  librsvg2-bin desktop-file-utils appstream lintian fakeroot dpkg-dev file
  chromium
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
