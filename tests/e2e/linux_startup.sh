#!/usr/bin/env bash
# Start-up of the Linux build: the panel's place, size and window states, the missing-setting
# messages, the single running copy and the start cue. Run after building the `linux` preset.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

APP="$E2E_ROOT/out/linux/Clipnest"
[ -x "$APP/clipnest" ] || { echo "no $APP/clipnest: build the linux preset first"; exit 1; }


# start_program DIR: runs the program from inside its folder; sets PID.
start_program() {
  local dir=$1
  (cd "$dir" && exec ./clipnest >>"$E2E_TMP/program.log" 2>&1) &
  PID=$!
  E2E_PIDS+=("$PID")
}

stop_program() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }

shows_window() { e2e_wait_pid_window "$1" 10 >/dev/null; }
opened_nothing() { ! grep -q OPEN "$1"; }

# The absolute upper-left corner and size of a client window: "X,Y WxH".
client_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x "," y " " w "x" h}'
}

opacity_of() { xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = //p'; }

STANDARD=(SavePath=Clips BorderColor=8421504 MainColor=15790320 HotPrintScreen=0)

e2e_begin
e2e_wait_window_manager || { echo "no window manager"; exit 1; }

echo "== the panel's place, size and window states"
run=$(e2e_fresh_copy "$APP" placed)
e2e_write_settings "$run" Left=4500 Top=300 "${STANDARD[@]}" Sounds=0 Transparent=1 TransparentValue=128
start_program "$run"
first_pid=$PID
if panel=$(e2e_wait_pid_window "$PID" 10); then
  sleep 0.3
  e2e_equal "Left 4500, Top 300 put the 137 x 21 panel at 300,20" "300,20 137x21" \
    "$(client_geometry "$panel")"
  states=$(xprop -id "$panel" _NET_WM_STATE)
  e2e_check "the panel stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$states"
  e2e_check "the panel has no taskbar entry" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$states"
  e2e_equal "opacity 128 is 128 * 0x01010101" 2155905152 "$(opacity_of "$panel")"
else
  e2e_fail "the panel did not show"
fi

echo "== a second copy"
second=$(e2e_fresh_copy "$APP" second)
rm "$second/Settings.ini"  # were it to run, it would show a message at once
started=$(date +%s%N)
start_program "$second"
second_pid=$PID
for _ in $(seq 1 50); do kill -0 "$second_pid" 2>/dev/null || break; sleep 0.1; done
ended=$(date +%s%N)
if kill -0 "$second_pid" 2>/dev/null; then
  e2e_fail "the second copy is still running after 5 s"
  stop_program "$second_pid"
else
  wait "$second_pid" 2>/dev/null || true
  e2e_pass "the second copy ended by itself after $(((ended - started) / 1000000)) ms"
fi
e2e_equal "the second copy showed no window" "" \
  "$(xdotool search --pid "$second_pid" 2>/dev/null || true)"
e2e_check "the second copy wrote no settings file" test ! -e "$second/Settings.ini"
if [ -n "${panel:-}" ]; then
  e2e_equal "the first panel is left where it was" "300,20 137x21" "$(client_geometry "$panel")"
fi
kill -9 "$first_pid" 2>/dev/null || true
wait "$first_pid" 2>/dev/null || true
third=$(e2e_fresh_copy "$APP" third)
e2e_write_settings "$third" Left=0 Top=0 "${STANDARD[@]}" Sounds=0 Transparent=0 TransparentValue=255
start_program "$third"
e2e_check "a copy starts again after the first was killed with -9" shows_window "$PID"
stop_program "$PID"

echo "== opacity"
for case in "Transparent=0 TransparentValue=128:" "Transparent=1 TransparentValue=0:0"; do
  settings=${case%%:*}
  expected=${case#*:}
  run=$(e2e_fresh_copy "$APP" opacity)
  # shellcheck disable=SC2086
  e2e_write_settings "$run" Left=1500 Top=1500 "${STANDARD[@]}" Sounds=0 $settings
  start_program "$run"
  if panel=$(e2e_wait_pid_window "$PID" 10); then
    sleep 0.3
    e2e_equal "$settings: opacity '${expected}'" "$expected" "$(opacity_of "$panel")"
    e2e_equal "$settings: the panel is in place" "100,100 137x21" "$(client_geometry "$panel")"
  else
    e2e_fail "$settings: the panel did not show"
  fi
  stop_program "$PID"
done

echo "== no settings file: nine messages, then the panel"
run=$(e2e_fresh_copy "$APP" bare)
rm "$run/Settings.ini"
start_program "$run"
boxes=0
previous=none
while :; do
  box=
  for _ in $(seq 1 50); do
    for candidate in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null || true); do
      [ "$candidate" = "$previous" ] && continue
      [ "$(xdotool getwindowname "$candidate" 2>/dev/null)" = Clipnest ] && box=$candidate
    done
    [ -n "$box" ] && break
    # The panel (no caption) shows once the messages are over.
    [ "$boxes" -ge 9 ] && break
    sleep 0.1
  done
  [ -n "$box" ] || break
  boxes=$((boxes + 1))
  for _ in $(seq 1 20); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$box" ] && break; sleep 0.1; done
  for _ in 1 2 3 4 5; do
    xdotool key --window "$box" Return 2>/dev/null || true
    sleep 0.3
    xdotool search --onlyvisible --pid "$PID" 2>/dev/null | grep -qx "$box" || break
  done
  previous=$box
  [ "$boxes" -gt 12 ] && break
done
e2e_equal "nine message boxes captioned Clipnest, one after another" 9 "$boxes"
if panel=$(e2e_wait_pid_window "$PID" 5); then
  e2e_equal "then the panel shows, 137 x 21" "137x21" "$(client_geometry "$panel" | cut -d' ' -f2)"
else
  e2e_fail "no panel after the messages"
fi
e2e_check "start-up wrote no settings file" test ! -e "$run/Settings.ini"
stop_program "$PID"

echo "== the start cue"
for sounds in 1 0; do
  run=$(e2e_fresh_copy "$APP" cue)
  e2e_write_settings "$run" Left=1500 Top=1500 "${STANDARD[@]}" Sounds=$sounds Transparent=0 \
    TransparentValue=255
  watch_log="$E2E_TMP/opens-$sounds.log"
  inotifywait -m -e open "$run/Sounds" >"$watch_log" 2>/dev/null &
  watcher=$!
  E2E_PIDS+=("$watcher")
  sleep 0.5  # the watch is set up before the program starts
  started=$(date +%s%N)
  start_program "$run"
  if e2e_wait_pid_window "$PID" 10 >/dev/null; then
    shown_ms=$((($(date +%s%N) - started) / 1000000))
    sleep 0.5
    if [ "$sounds" = 1 ]; then
      e2e_check "Sounds=1: Sounds/Load.wav is opened" grep -q 'OPEN Load.wav' "$watch_log"
      # No sound server runs here: the cue must not hold the panel back.
      e2e_check "Sounds=1: the panel shows within 3 s without a sound device (${shown_ms} ms)" \
        test "$shown_ms" -lt 3000
      e2e_check "Sounds=1: the program is still running" kill -0 "$PID"
    else
      e2e_check "Sounds=0: no cue is opened" opened_nothing "$watch_log"
    fi
  else
    e2e_fail "Sounds=$sounds: the panel did not show"
  fi
  stop_program "$PID"
  kill "$watcher" 2>/dev/null || true
done

e2e_summary
