#!/usr/bin/env bash
# The Windows program's PrintScreen capture under Wine, on a 1920x1080 and a 3840x2160 screen
# with a window on it. After scripts/build windows: bench/capture.sh [WxH...]
set -euo pipefail
probe="$(cd "$(dirname "$0")/.." && pwd)/build/windows/bench/win32/capture_probe.exe"
[ -f "$probe" ] || { echo "no $probe: scripts/build windows first" >&2; exit 1; }
sizes=("$@")
[ "$#" -gt 0 ] || sizes=(1920x1080 3840x2160)
for screen in "${sizes[@]}"; do
  work=$(mktemp -d /tmp/clipnest-capture.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$work/display")" HOME=$work WINEPREFIX=$work/prefix WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
  convert -size 300x200 xc:red "$work/red.png"
  display -geometry +100+100 "$work/red.png" & window=$!
  sleep 1
  /usr/lib/wine/wine64 "$probe" </dev/null
  /usr/lib/wine/wineserver -k; /usr/lib/wine/wineserver -w
  kill "$window" "$server"; wait 2>/dev/null || true
  rm -rf "$work"
done
