#!/usr/bin/env bash
# Regenerates the window pictures in docs/ with the program's own screenshot
# mode, offscreen, in English and Japanese, on a copy of the bundled SSR example.
#
#   scripts/screenshots.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for lang in en ja; do
  locale=$([ "$lang" = ja ] && echo ja_JP.UTF-8 || echo en_US.UTF-8)
  cp "$root/examples/ssr_example.xlsx" "$work/example.xlsx"
  (cd "$work" && QT_QPA_PLATFORM=offscreen LANG=$locale LC_ALL= LANGUAGE= \
    "$build/allelescope-gui" --screenshot "$work/$lang" "$work/example.xlsx" Apple.org >/dev/null)
  for shot in "$work/$lang"/*.png; do
    cp "$shot" "$root/docs/$(basename "$shot" .png)-$lang.png"
  done
done
echo "Updated the window pictures in $root/docs."
