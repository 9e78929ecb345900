#!/usr/bin/env bash
# Runs one harness for a bounded time from its seeds and prints what it reached.
# usage: run_harness.sh HARNESS SEEDS SECONDS [CORPUS]
# Without CORPUS the inputs it finds are thrown away afterwards (the smoke run of the tests).
set -euo pipefail
harness=$1 seeds=$2 seconds=$3 corpus=${4:-}

own_corpus=0
if [ -z "$corpus" ]; then
  corpus=$(mktemp -d)
  own_corpus=1
fi
mkdir -p "$corpus"
artifacts="$(dirname "$harness")/artifacts/$(basename "$harness")/"
mkdir -p "$artifacts"
log=$(mktemp)
trap 'rm -f "$log"; if [ "$own_corpus" = 1 ]; then rm -rf "$corpus"; fi' EXIT

status=0
"$harness" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$artifacts" "$corpus" "$seeds" >"$log" 2>&1 || status=$?

name=$(basename "$harness")
if [ "$status" -ne 0 ]; then
  cat "$log"
  echo "$name: FAILED (exit $status); the input that failed is in $artifacts" >&2
  exit "$status"
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)
coverage=$(sed -nE 's/.*cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/\1 edges, \2 features, \3 inputs in the corpus/p' <<<"$done_line")
echo "$name: ${runs:-?} executions in ${seconds}s, coverage ${coverage:-unknown}"
