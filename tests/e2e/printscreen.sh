#!/usr/bin/env bash
# PrintScreen on the Windows build, where the program takes the screenshot itself (Wine, like
# Windows 11, puts none on the clipboard): tests/e2e/printscreen.sh windows (after its build).
APP_PLATFORM=${1:-windows}
[ "$APP_PLATFORM" = windows ] || { echo "usage: printscreen.sh windows" >&2; exit 2; }
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

RED=(900 560 200 150)  # a red window: x y width height

# An older picture on the clipboard, a red window at RED and the focus on another Wine program
# away from it.
before_press() {
  convert -size 40x30 'xc:rgb(10,200,30)' "BMP3:$E2E_TMP/green.bmp"
  win_clipboard_file image/bmp "$E2E_TMP/green.bmp"
  convert -size "${RED[2]}x${RED[3]}" 'xc:rgb(220,20,40)' "$E2E_TMP/red.png"
  [ -n "${RED_PID:-}" ] && kill "$RED_PID" 2>/dev/null
  display -geometry "+${RED[0]}+${RED[1]}" "$E2E_TMP/red.png" >/dev/null 2>&1 &
  RED_PID=$!
  E2E_PIDS+=("$RED_PID")
  e2e_wait_search 10 --name '^ImageMagick: red' >/dev/null || e2e_fail "the red window did not appear"
  app_focus_elsewhere || return 1
  xdotool windowmove --sync "$APP_OTHER" 40 200 || true
  sleep 0.3
}

clipboard_picture() { xclip -o -selection clipboard -t image/bmp >"$E2E_TMP/clip.bmp" 2>/dev/null; }

scenario_print_screen_takes_the_screen() {
  app_scenario print-screen HotPrintScreen=1
  app_start || return 0
  before_press || return 0
  local mark saved red
  red=$(win_geometry "$(xdotool search --onlyvisible --name '^ImageMagick: red' | head -n 1)")
  red=${red%% *}
  mark=$(win_opens_count)
  app_press Print
  saved=$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp" 5) || { e2e_fail "PrintScreen wrote no Sc-*.bmp"; app_stop; return 0; }
  sleep 0.5
  e2e_check "PrintScreen writes the bitmap with the SaveScr cue" cue_played SaveScr "$mark"
  e2e_equal "it is the whole screen, not the older clipboard picture" "1280x800" \
    "$(identify -format '%wx%h' "$saved")"
  e2e_equal "its pixels where the red window is are red" "220,20,40 220,20,40" \
    "$(app_file_pixel "$saved" $((${red%,*} + 10)) $((${red#*,} + 10))) $(app_file_pixel "$saved" $((${red%,*} + 150)) $((${red#*,} + 100)))"
  clipboard_picture
  e2e_equal "the screenshot is on the clipboard too" "1280x800" "$(identify -format '%wx%h' "$E2E_TMP/clip.bmp" 2>/dev/null)"
  app_stop
}

scenario_alt_print_screen_takes_the_window() {
  app_scenario alt-print-screen HotPrintScreen=1
  # Wine draws the frames itself: the X window is then the whole Windows window.
  "$WIN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  app_start || return 0
  before_press || return 0
  app_press alt Print
  local saved
  saved=$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp" 5) || { e2e_fail "Alt+PrintScreen wrote no Sc-*.bmp"; app_stop; return 0; }
  sleep 0.5
  e2e_equal "Alt+PrintScreen writes the foreground window's size" \
    "$(win_geometry "$APP_OTHER" | cut -d' ' -f2)" "$(identify -format '%wx%h' "$saved")"
  app_stop
}

scenario_option_off_leaves_the_clipboard() {
  app_scenario print-screen-off HotPrintScreen=0
  app_start || return 0
  before_press || return 0
  app_press Print
  sleep 1
  e2e_equal "PrintScreen with the option off writes nothing" "" "$(ls "$APP_DIR/Clips")"
  clipboard_picture
  e2e_check "and the clipboard keeps its picture" cmp -s "$E2E_TMP/green.bmp" "$E2E_TMP/clip.bmp"
  app_stop
}

app_run print_screen_takes_the_screen alt_print_screen_takes_the_window option_off_leaves_the_clipboard
