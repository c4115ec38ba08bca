#!/usr/bin/env bash
# Static analysis of src/ with Debian's cppcheck: fails on any finding that
# scripts/cppcheck-suppressions.txt does not list with its reason.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cppcheck --std=c++20 --language=c++ -I src --library=qt \
  --enable=warning,style,performance,portability \
  --suppressions-list=scripts/cppcheck-suppressions.txt \
  --error-exitcode=1 --quiet -j"$(nproc)" \
  --template='{file}:{line}: {severity} {id}: {message}' src
