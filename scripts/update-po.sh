#!/usr/bin/env bash
# Brings the translations up to date with the message catalogue: writes
# po/allelescope.pot from the catalogue tables and merges it into every
# po/LANG.po. New texts then stand untranslated (or "fuzzy") in each .po until
# a translator fills them in; the translations test names them.
#
#   scripts/update-po.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target allelescope_pot >/dev/null
"$build/allelescope_pot" > "$root/po/allelescope.pot"
for po in "$root"/po/*.po; do
  msgmerge --quiet --update --backup=none --width=100 "$po" "$root/po/allelescope.pot"
done
echo "Updated $root/po/allelescope.pot and $(ls "$root"/po/*.po | wc -l) translation(s)."
