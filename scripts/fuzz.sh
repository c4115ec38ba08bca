#!/usr/bin/env bash
# Builds the fuzz targets (clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for SECONDS.
# Fails on a crash, a leak, a timeout or running out of memory, naming the
# target and the reproducer it kept. The corpus grows in build-fuzz/corpus/;
# the seeds in fuzz/corpus/ are only read.
#
# Usage: scripts/fuzz.sh SECONDS [TARGET ...]   (targets: open_read xls_import run import)
# Reproduce: build-fuzz/fuzz/fuzz_TARGET REPRODUCER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET ...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(open_read xls_import run import)
build=${ALLELESCOPE_FUZZ_BUILD:-$root/build-fuzz}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DALLELESCOPE_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

# The targets write their scratch files here; nothing outlives the script.
work=$(mktemp -d "${TMPDIR:-/tmp}/allelescope-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
artifacts=$build/artifacts
mkdir -p "$artifacts"
dict_of() { case $1 in open_read) echo xlsx ;; xls_import) echo xls ;; *) echo "$1" ;; esac; }

failed=0
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  log=$build/fuzz-$target.log
  mkdir -p "$corpus"
  status=0
  # A small quarantine and no malloc fill: each run allocates and frees zlib's
  # large buffers, and page faults on fresh memory would dominate the time.
  # ALLELESCOPE_FUZZ_FLAGS adds libFuzzer flags, e.g. -fork=2 -ignore_ooms=0
  # -ignore_timeouts=0 to fuzz on both cores (fork mode ignores those otherwise).
  # shellcheck disable=SC2086
  TMPDIR=$work UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp \
    ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=16:max_malloc_fill_size=0:suppressions=$root/fuzz/asan.supp \
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -dict="$root/fuzz/dict/$(dict_of "$target").dict" -artifact_prefix="$artifacts/$target-" \
    -print_final_stats=1 ${ALLELESCOPE_FUZZ_FLAGS:-} "$corpus" "$root/fuzz/corpus/$target" \
    >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  # -fork=N (one process per core, each fresh): the parent counts its jobs' runs.
  [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\): cov:.*/\1/p' "$log" | tail -1)
  if [ $status -ne 0 ]; then
    failed=1
    reproducer=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
    # A fault the target names, else the last sanitizer line: the legacy
    # reader child may have logged its own end before.
    what=$(grep -m1 'FUZZ FAULT' "$log" ||
      grep -E '^==[0-9]+== ?ERROR|^SUMMARY|runtime error|libFuzzer: ' "$log" | tail -n 1 || true)
    echo "fuzz_$target FAILED after ${runs:-?} runs: ${what:-exit $status}" >&2
    echo "  reproducer: ${reproducer:-none written}; log: $log" >&2
  else
    echo "fuzz_$target: ${runs:-?} runs in ${seconds} s, no failure"
  fi
done
exit $failed
