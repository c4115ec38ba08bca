#!/usr/bin/env bash
# Builds AlleleScope and runs the bundled examples with every option.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build" -DALLELESCOPE_BENCH=OFF
"$root/build/allelescope" demo "$@"
