#!/usr/bin/env bash
# Start-up to the visible panel, RSS after start and CPU over 10 idle seconds: the Linux program
# beside a bare Qt widgets window, each the median of several runs, and their ratios.
# Goals: start-up within 1.2x of the bare window, RSS under 30 MB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-5}
source "$root/bench/harness.sh"
e2e_begin

folder=$(e2e_fresh_copy "$root/out/linux/Clipnest" bench)
probe="$root/build/linux/bench/startup_probe"
bare="$root/build/linux/bench/bare_window"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }

: >"$E2E_TMP/clipnest.txt"
: >"$E2E_TMP/bare.txt"
for _ in $(seq 1 "$runs"); do
  (cd "$folder" && "$probe" clipnest ./clipnest) >>"$E2E_TMP/clipnest.txt"
  "$probe" bare_window "$bare" >>"$E2E_TMP/bare.txt"
done

report() {
  local what=$1 unit=$2
  local ours bare
  ours=$(field "$what" <"$E2E_TMP/clipnest.txt" | median)
  bare=$(field "$what" <"$E2E_TMP/bare.txt" | median)
  printf '%-14s clipnest %10s %-3s bare window %10s %-3s ratio %s\n' "$what" "$ours" "$unit" \
    "$bare" "$unit" "$(awk -v a="$ours" -v b="$bare" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')"
}
echo "median of $runs runs each"
report startup_ms ms
report rss_kb kB
report idle_cpu_pct %
