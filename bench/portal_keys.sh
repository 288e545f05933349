#!/usr/bin/env bash
# Pause through the desktop portal: Debian's portal frontend on a private session bus, with the
# tests' fake desktop behind it, and the Linux program told it runs on a Wayland session. Times
# 200 presses from the desktop's activation to the panel hidden: median and worst.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fakes=$root/tests/linux/fake_portal
source "$root/bench/harness.sh"
e2e_begin

folder=$(e2e_fresh_copy "$root/out/linux/Clipnest" bench)
e2e_write_settings "$folder" Left=4500 Top=300 SavePath=Clips BorderColor=8421504 \
  MainColor=15790320 HotPrintScreen=0 Sounds=0 Transparent=0 TransparentValue=255

# The fake desktop starts the bus and the frontend, then prints the bus's address.
/usr/bin/python3 "$fakes/desktop.py" /usr/libexec/xdg-desktop-portal >"$E2E_TMP/bus" &
E2E_PIDS+=($!)
for _ in $(seq 1 200); do [ -s "$E2E_TMP/bus" ] && break; sleep 0.05; done
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")

(cd "$folder" && exec env WAYLAND_DISPLAY=wayland-bench ./clipnest) 2>"$E2E_TMP/clipnest.err" &
pid=$!
E2E_PIDS+=("$pid")
panel=$(e2e_wait_pid_window "$pid" 10)
sleep 1
if [ -s "$E2E_TMP/clipnest.err" ]; then cat "$E2E_TMP/clipnest.err"; fi
printf 'Pause through the portal, press to panel hidden   %s\n' \
  "$("$root/build/linux/bench/portal_latency_probe" "$panel" 200)"
