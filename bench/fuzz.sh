#!/usr/bin/env bash
# Runs every fuzz target, one after another, for the seconds given (or until RUNS inputs, when
# set), from its committed seeds and what earlier runs found, and prints each target's count of
# executed inputs. A target whose property breaks stops there and its input is kept in
# build/fuzz/fuzz/. Goal: 10 million inputs per target without a finding.
# Usage: bench/fuzz.sh SECONDS_PER_TARGET
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?seconds per target}
cd "$root"
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null
build="$root/build/fuzz/fuzz"
failed=0
for seeds in "$root"/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  mkdir -p "$build/corpus/$name"
  log="$build/$name.log"
  status=ok
  "$build/fuzz_$name" -max_total_time="$seconds" -runs="${RUNS:--1}" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$build/" "$build/corpus/$name" "$seeds" >"$log" 2>&1 ||
    { status="FAILED (see $log)"; failed=1; }
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  printf '%-20s %12s inputs  %s\n' "$name" "${runs:-?}" "$status"
done
exit "$failed"
