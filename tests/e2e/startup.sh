#!/usr/bin/env bash
# Start-up of one real program: the panel's window as the window system has it, a missing
# settings file, a second copy and the Load cue: tests/e2e/startup.sh linux|windows.
APP_PLATFORM=${1:?usage: startup.sh linux|windows}
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

scenario_the_settings_place_and_skin_the_panel() {
  app_scenario skin BorderColor=255 MainColor=16711680 Transparent=1 TransparentValue=128
  app_start || return 0
  e2e_equal "Left=4500 Top=300 put the 137 x 21 panel at 300,20" "300,20 137x21" "$(win_geometry "$PANEL")"
  e2e_check "it stays above other windows, off the taskbar" above_untasked "$PANEL"
  e2e_equal "TransparentValue=128 is its opacity" $((128 * 0x01010101)) "$(opacity)"
  e2e_equal "its frame is BorderColor 255 (red), its background MainColor 16711680 (blue)" \
    "255,0,0 0,0,255" "$(app_pixel 300 20) $(app_pixel 302 22)"
  e2e_check "the Load cue plays" cue_played Load
}

scenario_without_a_settings_file() {
  app_scenario bare
  rm "$APP_DIR/Settings.ini"
  app_launch "$APP_DIR"
  local box
  box=$(e2e_wait_search 15 --name '^Clipnest$') || box=""
  e2e_check "a missing key shows a message box captioned Clipnest" test -n "$box"
  e2e_equal "and the panel waits behind it" "$box" "$(app_windows)"
}

scenario_a_second_copy_ends_at_once() {
  app_scenario second
  app_start || return 0
  local first_pid=$APP_PID second=$E2E_TMP/second-copy seen=""
  cp -a "$APP_DIR" "$second"
  rm "$second/Settings.ini"  # had the second copy gone on, it would show a message box
  app_launch "$second"
  for _ in $(seq 50); do seen+=$(xdotool search --onlyvisible --name '^Clipnest$'); kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
  e2e_check "the second copy ends by itself" win_wait_exit "$APP_PID" 1
  e2e_equal "showing nothing, the first panel left as it was" " 300,20 137x21" "$seen $(win_geometry "$PANEL")"
  APP_PID=$first_pid
  if [ "$APP_PLATFORM" = linux ]; then
    app_stop
    app_start && e2e_pass "a copy starts again after the first was killed with -9"
  fi
}

app_run the_settings_place_and_skin_the_panel without_a_settings_file a_second_copy_ends_at_once
