#!/usr/bin/env bash
# Builds the Debian package allelescope_VERSION_ARCH.deb in build-package/ (or
# the folder given as $1): a Release build of its own with Debian's hardening
# flags, the programs stripped, Depends computed from their libraries.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
# All of Debian's hardening, bind-now included, as lintian expects of a program.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS CFLAGS LDFLAGS
# The package needs the programs and their data, not the tests: install then
# builds only what it installs.
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DALLELESCOPE_BENCH=OFF -DALLELESCOPE_TESTS=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target allelescope allelescope-gui allelescope_data
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/allelescope_*.deb
