#!/usr/bin/env bash
# Running the Windows build under Wine for the end-to-end scenarios. Source it after common.sh and
# call win_begin after e2e_begin: it makes the one template prefix of a run, which program.sh
# copies for each scenario.

WIN_APP="$E2E_ROOT/out/windows/Clipnest"
WIN_WINE=/usr/lib/wine/wine64
WIN_WINESERVER=/usr/lib/wine/wineserver
WIN_PREFIXES=()

# Makes the template prefix under a private HOME so that nothing reaches the real one.
win_begin() {
  if [ ! -f "$WIN_APP/Clipnest.exe" ]; then
    e2e_fail "no $WIN_APP/Clipnest.exe: build the windows preset first"
    e2e_summary
    exit 1
  fi
  export HOME="$E2E_TMP/home"
  mkdir -p "$HOME"
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEDEBUG=-all
  export WINEPREFIX="$E2E_TMP/prefix-template"
  WIN_PREFIXES+=("$WINEPREFIX")
  "$WIN_WINE" wineboot -i </dev/null >/dev/null 2>&1
  "$WIN_WINESERVER" -w
  trap win_end EXIT
}

# Stops the wineserver of every prefix used (and with it every program), then the X server.
win_end() {
  local prefix
  for prefix in "${WIN_PREFIXES[@]}"; do
    WINEPREFIX="$prefix" "$WIN_WINESERVER" -k 2>/dev/null || true
    WINEPREFIX="$prefix" "$WIN_WINESERVER" -w 2>/dev/null || true
  done
  e2e_end
}

# Ends the scenario's programs; the prefix stays for a restart until the next scenario.
win_stop() {
  "$WIN_WINESERVER" -k 2>/dev/null || true
  "$WIN_WINESERVER" -w 2>/dev/null || true
}

# win_start DIR: starts the program with DIR as its current folder (the cues are relative to it);
# the process id is left in WIN_PID.
win_start() {
  local dir=$1
  (cd "$dir" && exec "$WIN_WINE" ./Clipnest.exe) </dev/null >>"$E2E_TMP/wine.log" 2>&1 &
  WIN_PID=$!
}

# Waits up to 15 s for the panel, the program's visible window without a title; prints its id.
win_wait_panel() {
  local id
  for _ in $(seq 1 150); do
    for id in $(xdotool search --onlyvisible --class '^clipnest\.exe$' 2>/dev/null || true); do
      [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && { printf '%s\n' "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Prints "x,y wxh" of a window as the X server has it.
win_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 }
    END { printf "%s,%s %sx%s\n", x, y, w, h }'
}

# Waits up to $2 seconds for a process to end; fails when it still runs.
win_wait_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq 1 $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# win_watch_opens DIR: logs each open of a file in DIR to WIN_OPENS_LOG (the watcher's id is in
# WIN_WATCH_PID) and returns once the watch is in place.
win_watch_opens() {
  WIN_OPENS_LOG="$E2E_TMP/opens-$RANDOM.log"
  inotifywait -m -e open --format '%f' "$1" >"$WIN_OPENS_LOG" 2>"$WIN_OPENS_LOG.err" &
  WIN_WATCH_PID=$!
  E2E_PIDS+=("$WIN_WATCH_PID")
  for _ in $(seq 1 50); do
    grep -q 'Watches established' "$WIN_OPENS_LOG.err" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# The number of opens logged so far (a mark for app_cues_since).
win_opens_count() { wc -l <"$WIN_OPENS_LOG"; }

# win_wait_file PATTERN [SECONDS]: waits for a file matching the glob; prints the first match.
win_wait_file() {
  local pattern=$1 seconds=${2:-5} match
  for _ in $(seq 1 $((seconds * 10))); do
    for match in $pattern; do
      if [ -e "$match" ]; then printf '%s\n' "$match"; return 0; fi
    done
    sleep 0.1
  done
  return 1
}

# Puts text (UTF-8) or a file of another type on the clipboard; xclip serves it until the next
# call or the end of the run. Wine keeps the last clipboard, so every scenario sets its own.
win_clipboard_text() {
  win_clipboard_stop
  printf '%s' "$1" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
  WIN_XCLIP_PID=$!
  E2E_PIDS+=("$WIN_XCLIP_PID")
  sleep 0.5
}
win_clipboard_file() {
  win_clipboard_stop
  xclip -quiet -selection clipboard -t "$1" -i "$2" >/dev/null 2>&1 &
  WIN_XCLIP_PID=$!
  E2E_PIDS+=("$WIN_XCLIP_PID")
  sleep 0.5
}
win_clipboard_stop() {
  if [ -n "${WIN_XCLIP_PID:-}" ]; then kill "$WIN_XCLIP_PID" 2>/dev/null || true; fi
  WIN_XCLIP_PID=""
}
