#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it with apt-get,
# runs the installed programs in a scratch folder, validates the desktop entry
# and the metainfo, compares the package's files with `cmake --install`, and
# removes the package again. Installing needs root (as on CI); elsewhere the
# check is skipped with a message.
# Usage: check_deb.sh [BUILD_DIR]   (default: build-package)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
dir=${1:-$root/build-package}
if [ "$(id -u)" -ne 0 ]; then
  echo "package check skipped: installing the package with apt-get needs root"
  exit 0
fi
fail() { echo "package check FAILED: $*" >&2; exit 1; }

deb=$("$root/scripts/package.sh" "$dir" | tail -n1)
[ -f "$deb" ] || fail "no package built"
echo "built $deb"
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || fail "Depends was not computed: $(dpkg-deb -f "$deb" Depends)"
[ "$(dpkg-deb -f "$deb" Section)" = science ] || fail "section is not science"

# lintian exits non-zero on errors; warnings are printed for the record.
lintian --info "$deb" || fail "lintian reports errors"

# The same files from `cmake --install` as in the package.
staged=$(mktemp -d)
scratch=$(mktemp -d)
cleanup() {
  rm -rf "$staged" "$scratch"
  dpkg-query -W allelescope >/dev/null 2>&1 && apt-get remove -y allelescope >/dev/null
  return 0
}
trap cleanup EXIT
cmake --install "$dir" --prefix "$staged/usr" >/dev/null
diff <(cd "$staged" && find . -type f | sort) \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort) ||
  fail "cmake --install and the package lay out different files"

DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >/dev/null || fail "apt-get install"
version=$(dpkg-deb -f "$deb" Version)
cd "$scratch"
/usr/bin/allelescope --version | grep -qF "$version" || fail "allelescope --version does not say $version"
/usr/bin/allelescope demo results >demo.log 2>&1 || fail "allelescope demo: $(cat demo.log)"
# The installed program finds its translations: a Japanese locale changes its help.
[ -f /usr/share/locale/ja/LC_MESSAGES/allelescope.mo ] || fail "no Japanese translation installed"
if locale -a | grep -qix 'ja_jp.utf8'; then
  [ "$(env -u LC_ALL -u LANGUAGE LANG=ja_JP.UTF-8 /usr/bin/allelescope --help)" != \
    "$(env -u LC_ALL -u LANGUAGE LANG=en_US.UTF-8 /usr/bin/allelescope --help)" ] ||
    fail "the installed program does not use its Japanese translation"
fi
[ "$(find results -name '*.xlsx' | wc -l)" -ge 1 ] || fail "demo wrote no workbooks"
cmp -s results/ssr_example.xlsx /usr/share/allelescope/examples/ssr_example.xlsx &&
  fail "demo did not write its results"

desktop-file-validate /usr/share/applications/org.allelescope.AlleleScope.desktop ||
  fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/org.allelescope.AlleleScope.metainfo.xml ||
  fail "appstreamcli validate"
man -w allelescope >/dev/null 2>&1 || [ -f /usr/share/man/man1/allelescope.1.gz ] ||
  fail "no manual page"
for size in 16 32 48 256; do
  [ -f /usr/share/icons/hicolor/${size}x${size}/apps/allelescope.png ] || fail "no ${size}px icon"
done

apt-get remove -y allelescope >/dev/null || fail "apt-get remove"
[ ! -e /usr/bin/allelescope ] || fail "the package left /usr/bin/allelescope behind"
echo "package check passed: $(basename "$deb")"
