#!/usr/bin/env bash
# Builds the two programs (no tests) in Release into build-release/, so a
# developer's build/ stays as it is, and runs the bundled examples with every
# option. Needs only what `setup.sh` (without --dev) installs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/build-release
# A unity build: most of a file's compile time is the headers it shares with
# its neighbours, so compiling the sources eight to a unit takes about a
# third of the processor time of a file-by-file build.
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DALLELESCOPE_TESTS=OFF \
  -DALLELESCOPE_BENCH=OFF -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target allelescope allelescope-gui
"$dir/allelescope" demo "$@"
