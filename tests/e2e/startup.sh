#!/usr/bin/env bash
# Start-up of one real program: the panel's place, size, window states, opacity and colours
# from the settings file, the missing-key messages, a second copy and the Load cue:
# tests/e2e/startup.sh linux|windows.
APP_PLATFORM=${1:?usage: startup.sh linux|windows}
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

message_boxes() { xdotool search --onlyvisible --name '^Clipnest$' 2>/dev/null || true; }
opacity() { xprop -id "$PANEL" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = //p'; }
load_cue_only() { [ "$(app_cues_since 0 | sort -u | xargs)" = Load ]; }

scenario_settings_place_and_skin_the_panel() {
  app_scenario attributes BorderColor=255 MainColor=16711680 Sounds=0 Transparent=1 \
    TransparentValue=128
  cp "$APP_DIR/Settings.ini" "$E2E_TMP/settings-before.ini"
  app_start || return 0
  e2e_equal "Left=4500 Top=300 put the 137 x 21 panel at 300,20" "300,20 137x21" \
    "$(win_geometry "$PANEL")"
  local state
  state=$(xprop -id "$PANEL" _NET_WM_STATE)
  e2e_check "the panel stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$state"
  e2e_check "the panel has no taskbar entry" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state"
  e2e_equal "Transparent=1 TransparentValue=128 give opacity 128" $((128 * 0x01010101)) "$(opacity)"
  e2e_equal "the frame in BorderColor 255 (red), the background in MainColor 16711680 (blue)" \
    "255,0,0 0,0,255" "$(app_pixel 300 20) $(app_pixel 302 22)"
  e2e_equal "no message box with every key present" "" "$(message_boxes)"
  e2e_check "start-up writes nothing" cmp -s "$E2E_TMP/settings-before.ini" "$APP_DIR/Settings.ini"
  e2e_check "Sounds=0 plays no cue" no_cue 0
  app_stop

  local case settings expected
  for case in "Transparent=0 TransparentValue=128:" "Transparent=1 TransparentValue=0:0"; do
    settings=${case%%:*}
    expected=${case#*:}
    # shellcheck disable=SC2086
    app_scenario opacity Left=1500 Top=1500 Sounds=0 $settings
    app_start || continue
    e2e_equal "$settings: opacity '$expected'" "$expected" "$(opacity)"
    e2e_equal "$settings: the designed grey frame at 100,100" "100,100 137x21 128,128,128" \
      "$(win_geometry "$PANEL") $(app_pixel 236 120)"
    app_stop
  done
}

scenario_without_a_settings_file() {
  app_scenario bare
  rm "$APP_DIR/Settings.ini"
  win_watch_opens "$APP_DIR/Sounds"
  app_launch "$APP_DIR"
  local boxes=0 previous="" box panel_early=no
  while [ "$boxes" -lt 12 ]; do
    # The next box comes at once; none may come after the ninth.
    box=$(e2e_wait_window '^Clipnest$' "$([ "$boxes" -lt 9 ] && echo 15 || echo 3)") || break
    [ "$box" = "$previous" ] && break
    [ "$(message_boxes | wc -l)" -eq 1 ] || e2e_fail "message $((boxes + 1)): more boxes at once"
    [ -n "$(app_windows | grep -vx "$box")" ] && panel_early=yes
    boxes=$((boxes + 1))
    sleep 0.3
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
    xdotool key Return
    for _ in $(seq 1 50); do message_boxes | grep -qx "$box" || break; sleep 0.1; done
    previous=$box
  done
  e2e_equal "nine missing-key messages captioned Clipnest, one at a time" 9 "$boxes"
  e2e_equal "the panel stays hidden while they show" no "$panel_early"
  PANEL=$(app_wait_panel) || PANEL=""
  e2e_equal "then the panel shows, placed by the window manager" 137x21 \
    "$(win_geometry "$PANEL" | cut -d' ' -f2)"
  e2e_check "start-up writes no settings file" test ! -e "$APP_DIR/Settings.ini"
  e2e_check "no cue without the Sounds key" no_cue 0
  app_stop
}

scenario_a_second_copy_ends_at_once() {
  app_scenario second
  app_start || return 0
  local first=$PANEL first_pid=$APP_PID geometry second second_pid seen=""
  geometry=$(win_geometry "$first")
  # The second copy has no settings file: had it gone on, it would show a message box.
  second=$(e2e_fresh_copy "$APP_DIR" second-copy)
  rm "$second/Settings.ini"
  app_launch "$second"
  second_pid=$APP_PID
  APP_PID=$first_pid
  for _ in $(seq 1 100); do
    seen+=" $(message_boxes)"
    kill -0 "$second_pid" 2>/dev/null || break
    sleep 0.1
  done
  e2e_check "the second copy ends by itself" win_wait_exit "$second_pid" 1
  e2e_equal "showing nothing" "" "$(xargs <<<"$seen")"
  e2e_equal "the first panel is left as it was" "$geometry" "$(win_geometry "$first")"
  e2e_check "the second copy wrote no settings file" test ! -e "$second/Settings.ini"
  if [ "$APP_PLATFORM" = linux ]; then
    kill -9 "$first_pid"
    wait "$first_pid" 2>/dev/null || true
    app_start && e2e_pass "a copy starts again after the first was killed with -9"
  fi
  app_stop
}

scenario_the_load_cue() {
  app_scenario cue Sounds=1
  local started shown_ms
  started=$(date +%s%N)
  app_start || return 0
  shown_ms=$((($(date +%s%N) - started) / 1000000 - 1000))
  for _ in $(seq 1 30); do grep -q '^Load.wav$' "$WIN_OPENS_LOG" && break; sleep 0.1; done
  e2e_check "Sounds=1 plays the Load cue, and only it" load_cue_only
  # No sound device here: the cue must not hold the panel back.
  e2e_check "the panel shows within 3 s without a sound device (${shown_ms} ms)" \
    test "$shown_ms" -lt 3000
  app_stop
}

app_run settings_place_and_skin_the_panel without_a_settings_file a_second_copy_ends_at_once \
  the_load_cue
