#!/usr/bin/env bash
# Installs every Debian package AlleleScope needs to build, test and benchmark.
# Idempotent: packages already present are left as they are.
set -euo pipefail
pkgs=(
  build-essential cmake pkg-config git
  libzip-dev zipcmp zlib1g-dev libpugixml-dev libexpat1-dev libfreexl-dev
  libcli11-dev libfmt-dev
  qt6-base-dev libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libxlsxwriter-dev
  python3-openpyxl libreoffice-calc-nogui poppler-utils
  fonts-noto-cjk xvfb xauth imagemagick
  zip unzip pmccabe
  dpkg-dev fakeroot lintian desktop-file-utils appstream scdoc librsvg2-bin man-db
  r-cran-adegenet
  clang-14 libfuzzer-14-dev
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
