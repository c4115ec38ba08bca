#!/usr/bin/env bash
# Installs the test tools (setup.sh --dev), builds AlleleScope with its tests and
# runs every test. With --sanitize, a second build with
# AddressSanitizer and UndefinedBehaviorSanitizer runs the suite again, and
# each fuzz target runs for a minute (scripts/fuzz.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sanitize=0
[ "${1:-}" = "--sanitize" ] && sanitize=1

"$root/scripts/setup.sh" --dev
"$root/scripts/build.sh" "$root/build" -DALLELESCOPE_WERROR=ON
(cd "$root/build" && ctest --output-on-failure -j2)
# The Debian package: built, linted, installed, run and removed (as root only).
"$root/tests/package/check_deb.sh" "$root/build-package"

if [ $sanitize -eq 1 ]; then
  # The window is left out here: the toolkit's own allocations are not ours to judge.
  "$root/scripts/build.sh" "$root/build-asan" -DALLELESCOPE_SANITIZE=ON -DALLELESCOPE_GUI=OFF \
    -DALLELESCOPE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
  (cd "$root/build-asan" && \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:suppressions=$root/fuzz/asan.supp \
    LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j2)
  # The file readers and a whole run under libFuzzer, a minute per target.
  "$root/scripts/fuzz.sh" 60
fi
