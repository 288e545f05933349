#!/usr/bin/env bash
# The panel's global keys, its moves, the exit button, a request to close from outside and the
# tool launchers, on one real program: tests/e2e/panel.sh linux|windows (after its build).
APP_PLATFORM=${1:?usage: panel.sh linux|windows}
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

# Panel points, in pixels from its corner.
IMAGE2=(27 11)
IMAGE4=(60 12)
IMAGE5=(76 12)
IMAGE6=(92 12)
IMAGE8=(124 12)
GAP=(19 10)  # between the first two save buttons

panel_hidden() { ! app_panel_viewable; }
dialog_shown() { e2e_wait_window '^Clipnest v1\.0$' 10 >/dev/null; }

scenario_pause_hides_and_shows() {
  app_scenario pause
  app_start || return 0
  app_focus_elsewhere || return 0
  local mark
  mark=$(win_opens_count)
  app_press Pause
  e2e_check "Pause hides the panel while another program has the focus" panel_hidden
  app_press Pause
  e2e_check "Pause shows it again" app_panel_viewable
  e2e_equal "at the same place" "300,20 137x21" "$(win_geometry "$PANEL")"
  e2e_equal "the cues Invisible, then Visible" "Invisible Visible" \
    "$(app_cues_since "$mark" | grep -x 'Invisible\|Visible' | xargs)"
  app_stop
}

scenario_ctrl_alt_c_opens_the_dialog() {
  app_scenario ctrl-alt-c
  app_start || return 0
  win_clipboard_text 'из буфера'
  app_focus_elsewhere || return 0
  local mark
  mark=$(win_opens_count)
  app_press ctrl alt c
  e2e_check "Ctrl+Alt+C opens the named text dialog over another program" dialog_shown
  e2e_check "with the Settings cue" cue_played Settings "$mark"
  win_clipboard_stop
  app_stop
}

# A picture on the clipboard for the Windows build; the Linux build takes the screen itself.
offer_picture() {
  convert -size 40x30 'xc:rgb(10,200,30)' "$E2E_TMP/green.png"
  [ "$APP_PLATFORM" = linux ] || app_offer_picture "$E2E_TMP/green.png"
}

scenario_print_screen_saves_the_screen() {
  app_scenario print-screen HotPrintScreen=1
  app_start || return 0
  offer_picture
  app_focus_elsewhere || return 0
  local mark saved
  mark=$(win_opens_count)
  app_press Print
  saved=$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp" 5) || saved=""
  if [ -z "$saved" ]; then
    e2e_fail "PrintScreen with the option on wrote no Sc-*.bmp"
  else
    sleep 0.5
    e2e_check "PrintScreen with the option on writes a bitmap with the SaveScr cue" \
      cue_played SaveScr "$mark"
    if [ "$APP_PLATFORM" = linux ]; then
      e2e_equal "the bitmap is the whole screen" "1280x800" "$(identify -format '%wx%h' "$saved")"
      e2e_equal "its pixels are the screen's: the panel's frame and background" \
        "128,128,128 240,240,240" "$(app_file_pixel "$saved" 300 20) $(app_file_pixel "$saved" 302 22)"
    else
      e2e_equal "the bitmap is the clipboard's picture" "40x30" "$(identify -format '%wx%h' "$saved")"
    fi
  fi
  win_clipboard_stop
  app_stop

  app_scenario print-screen-off HotPrintScreen=0
  app_start || return 0
  offer_picture
  app_focus_elsewhere || return 0
  app_press Print
  sleep 1
  e2e_equal "PrintScreen with the option off writes nothing" "" "$(ls "$APP_DIR/Clips")"
  win_clipboard_stop
  app_stop
}

scenario_drag_moves_and_remembers() {
  app_scenario drag
  app_start || return 0
  # Any button drags on Linux; under Wine the system's move loop follows the left one.
  local button=3
  [ "$APP_PLATFORM" = windows ] && button=1
  xdotool mousemove $((APP_PANEL_X + GAP[0])) $((APP_PANEL_Y + GAP[1])) mousedown "$button"
  sleep 0.2
  local step
  for step in 1 2 3 4 5; do
    xdotool mousemove $((APP_PANEL_X + GAP[0] + step * 20)) $((APP_PANEL_Y + GAP[1] + step * 20))
    sleep 0.05
  done
  sleep 0.2
  e2e_equal "the panel follows the mouse; nothing is written before the release" \
    "400,120 4500 300" "$(win_geometry "$PANEL" | cut -d' ' -f1) $(app_setting Left) $(app_setting Top)"
  xdotool mouseup "$button"
  sleep 0.8
  e2e_equal "after the release Left and Top hold the place in twips" "6000 1800" \
    "$(app_setting Left) $(app_setting Top)"
  app_stop
  app_start || return 0
  e2e_equal "the next start puts the panel there" "400,120 137x21" "$(win_geometry "$PANEL")"
  app_stop
}

scenario_exit_ends_everything() {
  app_scenario exit
  app_start || return 0
  win_clipboard_text 'текст'
  app_click "${IMAGE2[@]}"
  e2e_check "a dialog is open before the exit" dialog_shown
  sed -i '/^Left=\|^Top=/d' "$APP_DIR/Settings.ini"
  app_click "${IMAGE8[@]}"
  e2e_check "the exit button ends the program" win_wait_exit "$APP_PID" 5
  e2e_equal "no window of it is left, the dialog included" "" "$(app_windows)"
  e2e_equal "Left and Top are written" "4500 300" "$(app_setting Left) $(app_setting Top)"
  win_clipboard_stop
  app_stop
}

# The window manager's or the system's close (taskkill on Windows, SIGTERM on Linux).
scenario_close_request_ends_the_program() {
  app_scenario close
  app_start || return 0
  sed -i '/^Left=\|^Top=/d' "$APP_DIR/Settings.ini"
  local mark
  mark=$(win_opens_count)
  case "$APP_PLATFORM" in
    linux) kill -TERM "$APP_PID" ;;
    windows) "$WIN_WINE" taskkill /im Clipnest.exe </dev/null >/dev/null 2>&1 ;;
  esac
  e2e_check "a request to close ends the program" win_wait_exit "$APP_PID" 5
  e2e_equal "with Left and Top written" "4500 300" "$(app_setting Left) $(app_setting Top)"
  e2e_equal "and no cue" "" "$(app_cues_since "$mark")"
  app_stop
  app_start || return 0
  e2e_check "a new copy starts afterwards" app_panel_viewable
  app_stop
}

scenario_launchers_start_the_tools() {
  app_scenario launchers
  if [ "$APP_PLATFORM" = linux ]; then
    # The desktop's tools are stubs that write down how they were started.
    local stubs="$E2E_TMP/tools" tool
    mkdir -p "$stubs"
    for tool in gnome-text-editor kolourpaint gnome-calculator xdg-mime; do
      printf '#!/bin/sh\necho "%s $*" >>%s/started\n' "$tool" "$stubs" >"$stubs/$tool"
      chmod +x "$stubs/$tool"
    done
    APP_PATH="$stubs:$PATH" app_start || return 0
    local mark
    mark=$(win_opens_count)
    app_click "${IMAGE4[@]}"
    app_click "${IMAGE5[@]}"
    app_click "${IMAGE6[@]}"
    sleep 1
    e2e_equal "the text editor, paint program and calculator start" \
      "$(printf 'xdg-mime query default text/plain\ngnome-text-editor \nkolourpaint \ngnome-calculator ')" \
      "$(cat "$stubs/started" 2>/dev/null)"
    e2e_equal "each with its cue" "LoadNotepad LoadPaint LoadCalc" \
      "$(app_cues_since "$mark" | xargs)"
    e2e_check "the panel goes on" app_panel_viewable
  else
    app_start || return 0
    local mark notepad seen=""
    mark=$(win_opens_count)
    app_click "${IMAGE4[@]}"
    # Every visible window for a while: a console would show up among them.
    for _ in $(seq 1 30); do
      seen+=" $(xdotool search --onlyvisible --class '.' 2>/dev/null | while read -r id; do
        xprop -id "$id" WM_CLASS 2>/dev/null | sed 's/.*= //'; done | sort -u | xargs)"
      sleep 0.1
    done
    notepad=$(e2e_wait_search 10 --class '^notepad\.exe$') || notepad=""
    e2e_check "Image4 starts Notepad" test -n "$notepad"
    e2e_check "with the LoadNotepad cue" cue_played LoadNotepad "$mark"
    e2e_check "and no console window shows" bash -c "! grep -qi 'cmd\.exe\|conhost\|wineconsole' <<<'$seen'"
  fi
  app_stop
}

app_run pause_hides_and_shows ctrl_alt_c_opens_the_dialog print_screen_saves_the_screen \
  drag_moves_and_remembers exit_ends_everything close_request_ends_the_program \
  launchers_start_the_tools
