#!/usr/bin/env bash
# Runs every libFuzzer target in build/fuzz for SECONDS each (0: only replays the seeds), one
# after another. New inputs go to build/fuzz/corpus/<target>, findings to
# build/fuzz/findings/<target>/; the seeds in tests/fuzz/corpus/<target>/ are only read.
# Prints the executions per target; exits 1 when any target has a finding.
set -euo pipefail
seconds=${1:-10}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/fuzz
failed=0
total=0
for binary in "$build"/tests/fuzz/fuzz_*; do
  target=${binary##*/fuzz_}
  work=$build/corpus/$target findings=$build/findings/$target/ log=$build/$target.log
  mkdir -p "$work" "$findings"
  limit=(-max_total_time="$seconds")
  ((seconds > 0)) || limit=(-runs=0)
  # A data file target's input is the file itself: room for a store at the 850-line limit
  # and rows of thousands of characters. The others describe large data in a few bytes.
  max_len=1024
  [[ $target != *_file ]] || max_len=65536
  if "$binary" "${limit[@]}" -max_len=$max_len -print_final_stats=1 -artifact_prefix="$findings" \
    "$work" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1; then
    result=ok
  else
    result="FINDING (see $log and $findings)"
    failed=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  total=$((total + runs))
  printf '%-16s %12s executions  %s\n' "$target" "$runs" "$result"
done
printf '%-16s %12s executions\n' total "$total"
exit "$failed"
