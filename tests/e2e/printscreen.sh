#!/usr/bin/env bash
# PrintScreen on the Windows build, where the program takes the screenshot itself (Wine, like
# Windows 11, puts none on the clipboard): tests/e2e/printscreen.sh windows (after its build).
APP_PLATFORM=${1:-windows}
[ "$APP_PLATFORM" = windows ] || { echo "usage: printscreen.sh windows" >&2; exit 2; }
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

# Wine draws the windows' frames itself: an X window is then the whole Windows window.
before_scenarios() {
  "$WIN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
  "$WIN_WINESERVER" -w
}

# An older picture on the clipboard, a red 200x150 window (its corner in RED_X and RED_Y) and
# the focus on another Wine program away from it.
before_press() {
  convert -size 40x30 'xc:rgb(10,200,30)' "BMP3:$E2E_TMP/green.bmp"
  win_clipboard_file image/bmp "$E2E_TMP/green.bmp"
  convert -size 200x150 'xc:rgb(220,20,40)' "$E2E_TMP/red.png"
  [ -n "${RED_PID:-}" ] && kill "$RED_PID" 2>/dev/null
  display -geometry +900+560 "$E2E_TMP/red.png" >/dev/null 2>&1 &
  RED_PID=$!
  E2E_PIDS+=("$RED_PID")
  local red
  red=$(e2e_wait_search 10 --name '^ImageMagick: red') || { e2e_fail "no red window"; return 1; }
  red=$(win_geometry "$red")
  RED_X=${red%%,*} RED_Y=${red#*,} RED_Y=${RED_Y%% *}
  app_focus_elsewhere || return 1
  xdotool windowmove --sync "$APP_OTHER" 40 200 || true
  sleep 0.3
}

# Waits for the bitmap that PrintScreen writes, in SAVED.
saved() { SAVED=$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp" 5) && sleep 0.5 || { e2e_fail "$1 wrote no Sc-*.bmp"; return 1; }; }
size() { identify -format '%wx%h' "$1" 2>/dev/null; }
clipboard_picture() { xclip -o -selection clipboard -t image/bmp >"$E2E_TMP/clip.bmp" 2>/dev/null; }

scenario_print_screen_takes_the_screen() {
  app_scenario print-screen HotPrintScreen=1
  app_start && before_press || return 0
  local mark
  mark=$(win_opens_count)
  app_press Print
  if saved PrintScreen; then
    e2e_check "PrintScreen writes the bitmap with the SaveScr cue" cue_played SaveScr "$mark"
    e2e_equal "it is the whole screen, not the older clipboard picture" 1280x800 "$(size "$SAVED")"
    e2e_equal "its pixels where the red window is are red" "220,20,40 220,20,40" \
      "$(app_file_pixel "$SAVED" $((RED_X + 10)) $((RED_Y + 10))) $(app_file_pixel "$SAVED" $((RED_X + 190)) $((RED_Y + 140)))"
    clipboard_picture
    e2e_equal "the screenshot is on the clipboard too" 1280x800 "$(size "$E2E_TMP/clip.bmp")"
  fi
  app_stop
}

scenario_alt_print_screen_takes_the_window() {
  app_scenario alt-print-screen HotPrintScreen=1
  app_start && before_press || return 0
  app_press alt Print
  saved Alt+PrintScreen && e2e_equal "Alt+PrintScreen writes the foreground window's size" \
    "$(win_geometry "$APP_OTHER" | cut -d' ' -f2)" "$(size "$SAVED")"
  app_stop
}

scenario_option_off_leaves_the_clipboard() {
  app_scenario print-screen-off HotPrintScreen=0
  app_start && before_press || return 0
  app_press Print
  sleep 1
  e2e_equal "PrintScreen with the option off writes nothing" "" "$(ls "$APP_DIR/Clips")"
  clipboard_picture
  e2e_check "and the clipboard keeps its picture" cmp -s "$E2E_TMP/green.bmp" "$E2E_TMP/clip.bmp"
  app_stop
}

app_run print_screen_takes_the_screen alt_print_screen_takes_the_window option_off_leaves_the_clipboard
