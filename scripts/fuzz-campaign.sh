#!/usr/bin/env bash
# A long fuzzing campaign: scripts/fuzz.sh in rounds of ROUND executions on
# one growing corpus, until TOTAL executions or the first failure. A fresh
# process per round keeps the memory libfreexl never frees (it keeps some on
# certain files, read whole or not) from reaching the fuzzer's limit over a
# long run; a single input past the limit still fails its round.
#
# Usage: scripts/fuzz-campaign.sh TARGET TOTAL [ROUND]   (ROUND: 20000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: scripts/fuzz-campaign.sh TARGET TOTAL [ROUND]}
total=${2:?usage: scripts/fuzz-campaign.sh TARGET TOTAL [ROUND]}
round=${3:-20000}
done_runs=0
rounds=0
start=$(date +%s)
while [ "$done_runs" -lt "$total" ]; do
  left=$((total - done_runs))
  out=$(ALLELESCOPE_FUZZ_FLAGS="-runs=$((left < round ? left : round)) ${ALLELESCOPE_FUZZ_FLAGS:-}" \
    bash "$root/scripts/fuzz.sh" 86400 "$target" 2>&1 | tail -n 3) || { echo "$out" >&2; exit 1; }
  runs=$(sed -n "s/^fuzz_$target: \([0-9]*\) runs.*/\1/p" <<<"$out")
  [ -n "$runs" ] && [ "$runs" -gt 0 ] || { echo "round without a count: $out" >&2; exit 1; }
  done_runs=$((done_runs + runs))
  rounds=$((rounds + 1))
  echo "round $rounds: $runs runs, $done_runs in all, $(($(date +%s) - start)) s"
done
echo "fuzz_$target: $done_runs runs in $rounds rounds, $(($(date +%s) - start)) s, no failure"
