#!/usr/bin/env bash
# Start-up of the Windows build under Wine: the panel's place, size, stacking, taskbar state,
# opacity and colours from the settings file; the messages for missing keys; a second copy; the
# Load cue.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

e2e_begin
win_begin

FULL_SETTINGS=(Left=4500 Top=300 SavePath=Clips BorderColor=255 MainColor=16711680
  HotPrintScreen=0 Sounds=0 Transparent=1 TransparentValue=128)

# --- The settings file places and skins the panel; nothing is written at start-up.
win_scenario attributes
e2e_write_settings "$WIN_DIR" "${FULL_SETTINGS[@]}"
cp "$WIN_DIR/Settings.ini" "$E2E_TMP/settings-before.ini"
win_watch_opens "$WIN_DIR/Sounds"
win_start "$WIN_DIR"
if panel=$(win_wait_panel); then
  sleep 1  # let the first paint and the window manager settle
  e2e_equal "panel at Left=4500 Top=300 twips, 137x21 pixels" "300,20 137x21" "$(win_geometry "$panel")"
  state=$(xprop -id "$panel" _NET_WM_STATE)
  e2e_check "panel stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$state"
  e2e_check "panel has no taskbar entry" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state"
  e2e_equal "Transparent=1 TransparentValue=128 gives opacity 128" \
    "_NET_WM_WINDOW_OPACITY(CARDINAL) = $((128 * 0x01010101))" \
    "$(xprop -id "$panel" _NET_WM_WINDOW_OPACITY)"
  e2e_equal "frame drawn in BorderColor 255 (red)" "255,0,0" "$(win_pixel 300 20)"
  e2e_equal "background in MainColor 16711680 (blue)" "0,0,255" "$(win_pixel 302 22)"
  e2e_equal "no message box with every key present" "" \
    "$(xdotool search --onlyvisible --name '^Clipnest$' 2>/dev/null || true)"
  e2e_check "settings file untouched by start-up" cmp -s "$E2E_TMP/settings-before.ini" "$WIN_DIR/Settings.ini"
  e2e_check "Sounds=0 plays no Load cue" bash -c "! grep -q Load.wav '$WIN_OPENS_LOG'"
else
  e2e_fail "panel did not appear"
fi
kill "$WIN_WATCH_PID" 2>/dev/null || true
win_stop

# --- Transparent=0 leaves an ordinary opaque window whatever TransparentValue holds.
win_scenario opaque
e2e_write_settings "$WIN_DIR" Left=1500 Top=1500 SavePath=Clips BorderColor=8421504 MainColor=15790320 \
  HotPrintScreen=0 Sounds=0 Transparent=0 TransparentValue=128
win_start "$WIN_DIR"
if panel=$(win_wait_panel); then
  sleep 1
  e2e_equal "panel at Left=1500 Top=1500 twips" "100,100 137x21" "$(win_geometry "$panel")"
  e2e_equal "Transparent=0 sets no opacity" "_NET_WM_WINDOW_OPACITY:  not found." \
    "$(xprop -id "$panel" _NET_WM_WINDOW_OPACITY)"
  e2e_equal "designed grey frame" "128,128,128" "$(win_pixel 236 120)"
else
  e2e_fail "panel did not appear"
fi
win_stop

# --- Without a settings file: nine messages captioned Clipnest, one at a time, then the panel.
win_scenario no-settings
rm -f "$WIN_DIR/Settings.ini"
win_start "$WIN_DIR"
boxes=0
panel_early=no
previous=""
for _ in $(seq 1 12); do
  box=$(e2e_wait_window '^Clipnest$' 15) || break
  [ "$box" = "$previous" ] && break
  count=$(xdotool search --onlyvisible --name '^Clipnest$' | wc -l)
  [ "$count" -eq 1 ] || e2e_fail "message $((boxes + 1)): $count boxes at once"
  [ -n "$(win_untitled_windows)" ] && panel_early=yes
  boxes=$((boxes + 1))
  sleep 0.3
  xdotool windowactivate --sync "$box" 2>/dev/null || true
  xdotool key Return
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --name '^Clipnest$' 2>/dev/null | grep -qx "$box" || break
    sleep 0.1
  done
  previous=$box
  # The next box comes at once; none comes after the ninth.
  if [ "$boxes" -eq 9 ]; then
    sleep 2
    break
  fi
done
e2e_equal "nine missing-key messages" 9 "$boxes"
e2e_equal "no tenth message" "" "$(xdotool search --onlyvisible --name '^Clipnest$' 2>/dev/null || true)"
e2e_equal "panel hidden while the messages show" no "$panel_early"
if panel=$(win_wait_panel 10); then
  e2e_equal "panel shows after the ninth message, placed by the system" "137x21" \
    "$(win_geometry "$panel" | cut -d' ' -f2)"
else
  e2e_fail "panel did not appear after the messages"
fi
e2e_check "no settings file written at start-up" test ! -e "$WIN_DIR/Settings.ini"
win_stop

# --- A second copy ends without any window and leaves the first as it was.
win_scenario second-copy
e2e_write_settings "$WIN_DIR" "${FULL_SETTINGS[@]}"
win_start "$WIN_DIR"
if first=$(win_wait_panel); then
  sleep 1
  first_geometry=$(win_geometry "$first")
  # The second copy has no settings file: had it gone on, it would show a message box.
  second_dir=$(e2e_fresh_copy "$WIN_APP" second)
  rm -f "$second_dir/Settings.ini"
  win_start "$second_dir"
  second_pid=$WIN_PID
  titled=""
  for _ in $(seq 1 150); do
    titled=$(printf '%s\n' $titled $(xdotool search --onlyvisible --name '^Clipnest$' 2>/dev/null) | sort -u | xargs)
    kill -0 "$second_pid" 2>/dev/null || break
    sleep 0.1
  done
  e2e_check "second copy ends by itself" win_wait_exit "$second_pid" 1
  e2e_equal "second copy showed no message box" "" "$titled"
  e2e_equal "still one panel" "$first" "$(win_untitled_windows)"
  e2e_equal "first panel unchanged" "$first_geometry" "$(win_geometry "$first")"
  e2e_check "second copy wrote no settings file" test ! -e "$second_dir/Settings.ini"
else
  e2e_fail "first panel did not appear"
fi
win_stop

# --- Sounds=1 plays the Load cue: the program opens Sounds/Load.wav.
win_scenario load-cue
e2e_write_settings "$WIN_DIR" "${FULL_SETTINGS[@]/Sounds=0/Sounds=1}"
win_watch_opens "$WIN_DIR/Sounds"
win_start "$WIN_DIR"
if win_wait_panel >/dev/null; then
  for _ in $(seq 1 30); do grep -q '^Load.wav$' "$WIN_OPENS_LOG" && break; sleep 0.1; done
  e2e_check "Sounds=1 opens Sounds/Load.wav" grep -q '^Load.wav$' "$WIN_OPENS_LOG"
  e2e_equal "only the Load cue" "Load.wav" "$(grep -v '^$' "$WIN_OPENS_LOG" | sort -u | tr '\n' ' ' | sed 's/ $//')"
else
  e2e_fail "panel did not appear"
fi
kill "$WIN_WATCH_PID" 2>/dev/null || true
win_stop

e2e_summary
