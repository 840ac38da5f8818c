#!/usr/bin/env bash
# Runs one fuzzer for a bounded time, starting from the committed seeds, and
# reports the executions, the edges reached and the parser's source coverage.
# A crashing input is kept in WORK/artifacts and fails the test.
# Usage: run_fuzzer.sh FUZZER COVERAGE_BUILD SEEDS WORK SECONDS PARSER_SOURCE
set -euo pipefail
fuzzer=$1 coverage_build=$2 seeds=$3 work=$4 seconds=$5 parser=$6
name=$(basename "$seeds")
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
log="$work/fuzz.log"

status=0
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" "$seeds" >"$log" 2>&1 || status=$?

if [ "$status" -ne 0 ]; then
  tail -n 60 "$log"
  echo "FAIL: the $name fuzzer stopped with status $status; inputs kept in $work/artifacts:"
  ls -l "$work/artifacts"
  exit 1
fi

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo 0)
counters=$(sed -n 's/.*(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -n 1)
corpus=$(find "$work/corpus" -type f | wc -l)
summary="$name: $executions executions in $seconds s, $edges of ${counters:-?} edges, corpus of $corpus inputs"

# Source coverage of the parser over everything the run kept.
if command -v llvm-profdata >/dev/null && command -v llvm-cov >/dev/null; then
  LLVM_PROFILE_FILE="$work/coverage.profraw" "$coverage_build" -runs=0 "$work/corpus" "$seeds" >/dev/null 2>&1
  llvm-profdata merge -sparse -o "$work/coverage.profdata" "$work/coverage.profraw"
  llvm-cov report "$coverage_build" -instr-profile="$work/coverage.profdata" "$parser" >"$work/coverage.txt"
  lines=$(awk '/^TOTAL/ { print $(NF-3) }' "$work/coverage.txt")
  branches=$(awk '/^TOTAL/ { print $NF }' "$work/coverage.txt")
  summary="$summary, parser lines $lines, branches $branches"
fi
echo "$summary" | tee "$work/summary.txt"
