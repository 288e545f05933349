#!/usr/bin/env bash
# The Linux program at rest and under key taps: CPU over 10 idle seconds beside a bare Qt
# widgets window (goal 0.0 %), and 200 taps of Pause of 1 ms each through XTest, counted as the
# panel's toggles (goal 200 of 200).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/bench/harness.sh"
e2e_begin

folder=$(e2e_fresh_copy "$root/out/linux/Clipnest" bench)
e2e_write_settings "$folder" Left=4500 Top=300 SavePath=Clips BorderColor=8421504 \
  MainColor=15790320 HotPrintScreen=0 Sounds=0 Transparent=0 TransparentValue=255

# CPU time of a process in clock ticks (user + system).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
idle_cpu() {
  local pid=$1 before after hz
  hz=$(getconf CLK_TCK)
  before=$(cpu_ticks "$pid")
  sleep 10
  after=$(cpu_ticks "$pid")
  awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.1f", 100 * t / hz / 10 }'
}

(cd "$folder" && exec ./clipnest) >/dev/null 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
panel=$(e2e_wait_pid_window "$pid" 10)
sleep 1
ours=$(idle_cpu "$pid")

"$root/build/linux/bench/bare_window" >/dev/null 2>&1 &
bare_pid=$!
E2E_PIDS+=("$bare_pid")
e2e_wait_pid_window "$bare_pid" 10 >/dev/null
sleep 1
bare=$(idle_cpu "$bare_pid")
kill "$bare_pid"

printf 'idle CPU over 10 s   clipnest %s %%   bare window %s %%   (goal 0.0 %%)\n' "$ours" "$bare"
taps=$("$root/build/linux/bench/tap_probe" "$panel" Pause 200 1000 60)
printf 'Pause taps of 1 ms   %s   (goal 200 of 200)\n' "$taps"
