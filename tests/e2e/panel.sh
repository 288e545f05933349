#!/usr/bin/env bash
# The panel's global keys, its moves, its ends and the tool launchers, on one real program:
# tests/e2e/panel.sh linux|windows.
APP_PLATFORM=${1:?usage: panel.sh linux|windows}
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"
dialog_shown() { e2e_wait_search 10 --name '^Clipnest v1\.0$' >/dev/null; }

scenario_pause_and_ctrl_alt_c_from_another_program() {
  app_scenario keys
  app_start || return 0
  app_focus_elsewhere || return 0
  xdotool keydown Pause; sleep 2.5; xdotool keyup Pause; sleep 0.4  # past the keyboard's repeat
  e2e_equal "Pause held hides the panel once while another program has the focus" "" "$(app_viewable "$PANEL" && echo shown)"
  app_press Pause
  e2e_equal "Pause shows it again, in its place" "300,20 137x21" "$(app_viewable "$PANEL" && win_geometry "$PANEL")"
  win_clipboard_text 'из буфера'
  app_focus_elsewhere
  app_press ctrl alt c
  e2e_check "Ctrl+Alt+C opens the named text dialog" dialog_shown
}

# Under Wine the PrintScreen key has a scenario of its own (printscreen.sh).
scenario_print_screen_saves_the_screen() {
  [ "$APP_PLATFORM" = linux ] || return 0
  app_scenario print-screen HotPrintScreen=1
  app_start || return 0
  app_focus_elsewhere || return 0
  app_press Print
  local saved
  saved=$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp") || { e2e_fail "PrintScreen wrote no Sc-*.bmp"; return 0; }
  sleep 0.5
  e2e_equal "PrintScreen writes the whole screen, the panel's frame and background in it" \
    "1280x800 128,128,128 240,240,240" \
    "$(identify -format '%wx%h' "$saved") $(app_file_pixel "$saved" 300 20) $(app_file_pixel "$saved" 302 22)"
}

scenario_drag_writes_twips() {
  app_scenario drag
  app_start || return 0
  local button=3 step  # any button drags on Linux; Wine's move loop follows the left one
  [ "$APP_PLATFORM" = windows ] && button=1
  xdotool mousemove $((APP_PANEL_X + 19)) $((APP_PANEL_Y + 10)) mousedown "$button"
  for step in 1 2 3 4 5; do
    sleep 0.05; xdotool mousemove $((APP_PANEL_X + 19 + step * 20)) $((APP_PANEL_Y + 10 + step * 20))
  done
  sleep 0.2
  e2e_equal "the panel follows the mouse" "400,120" "$(win_geometry "$PANEL" | cut -d' ' -f1)"
  xdotool mouseup "$button"
  sleep 0.8
  e2e_equal "the release writes its place in twips" "6000 1800" "$(app_setting Left) $(app_setting Top)"
}

scenario_exit_and_close_write_the_place() {
  app_scenario exit
  app_start || return 0
  win_clipboard_text 'текст'
  app_click 27 11
  e2e_check "a dialog is open before the exit" dialog_shown
  sed -i '/^Left=\|^Top=/d' "$APP_DIR/Settings.ini"
  app_click 124 12
  e2e_check "the exit button ends the program" win_wait_exit "$APP_PID"
  e2e_equal "leaving no window, and Left and Top written" " 4500 300" "$(app_windows) $(app_setting Left) $(app_setting Top)"
  app_stop
  # The window manager's or the system's close: SIGTERM on Linux, taskkill on Windows.
  app_start || return 0
  sed -i '/^Left=\|^Top=/d' "$APP_DIR/Settings.ini"
  if [ "$APP_PLATFORM" = linux ]; then kill -TERM "$APP_PID"
  else "$WIN_WINE" taskkill /im Clipnest.exe </dev/null >/dev/null 2>&1; fi
  e2e_check "a request to close ends the program" win_wait_exit "$APP_PID"
  e2e_equal "with Left and Top written" "4500 300" "$(app_setting Left) $(app_setting Top)"
}

scenario_launchers_start_the_tools() {
  app_scenario launchers
  if [ "$APP_PLATFORM" = linux ]; then
    # The desktop's tools are stubs that write down that they started.
    local tool
    for tool in gnome-text-editor kolourpaint gnome-calculator xdg-mime; do
      mkdir -p "$E2E_TMP/tools" && printf '#!/bin/sh\necho %s >>%s/started\n' "$tool" "$E2E_TMP" >"$E2E_TMP/tools/$tool"
    done
    chmod +x "$E2E_TMP/tools/"*
    PATH="$E2E_TMP/tools:$PATH" app_start || return 0
    app_click 60 12; app_click 76 12; app_click 92 12
    sleep 1
    e2e_equal "the text editor, paint program and calculator start" \
      "gnome-calculator gnome-text-editor kolourpaint" "$(grep -vx xdg-mime "$E2E_TMP/started" | sort | xargs)"
  else
    app_start || return 0
    local classes=""
    app_click 60 12
    for _ in $(seq 30); do  # every window for a while: a console would show among them
      classes+=$(xdotool search --onlyvisible --class . 2>/dev/null | xargs -I{} xprop -id {} WM_CLASS); sleep 0.1
    done
    e2e_check "Image4 starts Notepad" e2e_wait_search 10 --class '^notepad\.exe$'
    e2e_check "and no console window shows" test -z "$(grep -io 'cmd\.exe\|conhost\|wineconsole' <<<"$classes")"
  fi
}

app_run pause_and_ctrl_alt_c_from_another_program print_screen_saves_the_screen drag_writes_twips \
  exit_and_close_write_the_place launchers_start_the_tools
