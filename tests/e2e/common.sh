#!/usr/bin/env bash
# Shared pieces of the end-to-end scenarios: a private X server with a window manager, a fresh
# copy of a portable folder per scenario, and small assertions. Source it; call e2e_begin first.
set -euo pipefail

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_PASSED=0
E2E_FAILED=0
E2E_PIDS=()


# Starts Xvfb on a free display and openbox with Alt+F4 for the close box as its one binding (its
# default binds Print).
e2e_begin() {
  E2E_TMP=$(mktemp -d /tmp/clipnest-e2e.XXXXXX)
  # Xvfb picks a free display itself, so scenarios running side by side never collide.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$E2E_TMP/display" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  for _ in $(seq 1 100); do [ -s "$E2E_TMP/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$E2E_TMP/display")"
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  mkdir -p "$E2E_TMP/openbox"
  cat >"$E2E_TMP/openbox/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard>
<keybind key="A-F4"><action name="Close"/></keybind></keyboard><mouse></mouse></openbox_config>
XML
  trap e2e_end EXIT
  # The server may turn away the very first clients while it settles: try openbox again then.
  local attempt
  for attempt in 1 2 3; do
    openbox --config-file "$E2E_TMP/openbox/rc.xml" >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_window_manager "$!" && return 0
  done
  echo "the window manager did not start on $DISPLAY:"
  cat "$E2E_TMP/openbox.log"
  exit 1
}

e2e_end() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$E2E_TMP"
}

# A fresh copy of a portable folder; prints its path.
e2e_fresh_copy() {
  local source=$1 name=${2:-run}
  local target="$E2E_TMP/$name"
  rm -rf "$target"
  cp -a "$source" "$target"
  printf '%s\n' "$target"
}

# e2e_wait_search SECONDS XDOTOOL_SEARCH_ARGUMENTS...: waits for the first visible window that
# the search finds; prints its id.
e2e_wait_search() {
  local seconds=$1 id
  shift
  for _ in $(seq 1 $((seconds * 10))); do
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then printf '%s\n' "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds (default 10) for a visible window whose name matches $1; prints its id.
e2e_wait_window() { e2e_wait_search "${2:-10}" --name "$1"; }

# e2e_write_settings DIR KEY=VALUE...: a settings file with CR LF lines, as Windows writes it.
e2e_write_settings() {
  local dir=$1
  shift
  { printf '[Setup]\r\n'; printf '%s\r\n' "$@"; } >"$dir/Settings.ini"
}

e2e_pass() { E2E_PASSED=$((E2E_PASSED + 1)); printf 'PASS %s\n' "$*"; }
e2e_fail() { E2E_FAILED=$((E2E_FAILED + 1)); printf 'FAIL %s\n' "$*"; }
# e2e_check NAME COMMAND...: passes when the command succeeds.
e2e_check() {
  local name=$1; shift
  if "$@"; then e2e_pass "$name"; else e2e_fail "$name"; fi
}
e2e_equal() {
  local name=$1 expected=$2 actual=$3
  if [ "$expected" = "$actual" ]; then e2e_pass "$name"
  else e2e_fail "$name (expected '$expected', got '$actual')"; fi
}

# Prints the summary line and returns non-zero when anything failed.
e2e_summary() {
  printf '%d passed, %d failed\n' "$E2E_PASSED" "$E2E_FAILED"
  [ "$E2E_FAILED" -eq 0 ]
}

# Waits until the window manager has announced itself (e2e_begin may return before that).
# With a process id: gives up as soon as that window manager has ended.
e2e_wait_window_manager() {
  local manager=${1:-}
  for _ in $(seq 1 300); do
    if [ -n "$manager" ] && ! kill -0 "$manager" 2>/dev/null; then return 1; fi
    # Read whole before matching: under pipefail, grep -q quitting early could fail the pipe.
    case "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" in *'window id'*) return 0 ;; esac
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds (default 10) for a visible window of process $1; prints its id.
e2e_wait_pid_window() { e2e_wait_search "${2:-10}" --pid "$1"; }
