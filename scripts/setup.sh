#!/usr/bin/env bash
# Installs the Debian packages AlleleScope needs.
#
#   setup.sh          what building and running the programs need (the demo)
#   setup.sh --dev    that, and what only the tests, benchmarks, fuzzing,
#                     packaging, peer checks and the format and static checks need
#
# Idempotent: packages already present are left as they are.
set -euo pipefail
dev=0
case "${1:-}" in
  "") ;;
  --dev) dev=1 ;;
  *) echo "usage: $0 [--dev]" >&2; exit 2 ;;
esac

# Building and running: the compiler, the libraries the programs link, the
# window's toolkit, the translations and the locales and fonts they show.
pkgs=(
  build-essential cmake pkg-config git
  libzip-dev zlib1g-dev libpugixml-dev libexpat1-dev libfreexl-dev
  libcli11-dev libfmt-dev libeigen3-dev libcairo2-dev libpango1.0-dev
  qt6-base-dev libgl-dev
  gettext locales fonts-noto-cjk
)
if [ $dev -eq 1 ]; then
  pkgs+=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libxlsxwriter-dev zipcmp
    python3-openpyxl python3-pil libreoffice-calc-nogui poppler-utils
    xvfb xauth imagemagick
    zip unzip pmccabe
    dpkg-dev fakeroot lintian desktop-file-utils appstream scdoc librsvg2-bin man-db
    r-cran-adegenet r-cran-ape
    clang-14 libfuzzer-14-dev
    clang-format cppcheck
  )
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The interface follows the user's locale: the tests run it under a Japanese
# and an English one, and under a German one to see that numbers in the
# workbook do not follow the desktop.
wanted_locales=("ja_JP.UTF-8 UTF-8" "en_US.UTF-8 UTF-8" "de_DE.UTF-8 UTF-8")
regenerate=0
for entry in "${wanted_locales[@]}"; do
  if ! grep -qx "$entry" /etc/locale.gen; then
    if grep -qx "# $entry" /etc/locale.gen; then
      $SUDO sed -i "s/^# $entry\$/$entry/" /etc/locale.gen
    else
      echo "$entry" | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    regenerate=1
  fi
  name=${entry%% *}
  locale -a | grep -qix "${name/UTF-8/utf8}" || regenerate=1
done
if [ "$regenerate" -eq 1 ]; then
  $SUDO locale-gen
fi
