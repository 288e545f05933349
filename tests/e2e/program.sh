#!/usr/bin/env bash
# One way to drive either real program in the end-to-end scenarios, so that a scenario is
# written once for both builds, under Russian regional settings. A scenario file sets
# APP_PLATFORM to linux or windows, sources this, defines its scenario_NAME functions and ends
# with app_run NAME...
#
#   app_scenario NAME [KEY=VALUE...]
#                       a fresh portable folder in APP_DIR (and, for Windows, a fresh prefix)
#                       whose settings file has these keys changed
#   app_start           starts the program from APP_DIR; APP_PID, and the panel's id in PANEL
#   app_stop            ends whatever the scenario started
#   app_focus_elsewhere gives the keyboard focus to another program's window
#   app_press KEYS...   holds the keys down together for a moment (xdotool key names)
#   app_windows         the ids of the program's visible windows

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"
locale -a | grep -qix 'ru_RU.utf8' || { e2e_fail "the ru_RU.UTF-8 locale is missing"; exit 1; }
export LANG=ru_RU.UTF-8

APP_PANEL_X=300  # Left=4500, Top=300 twips
APP_PANEL_Y=20

# app_run NAME...: runs these scenarios (or those that ONLY="NAME ..." names) on a private X
# server, after the file's before_scenarios if it has one; prints the summary.
app_run() {
  local scenarios=("$@") scenario
  if [ -n "${ONLY:-}" ]; then read -r -a scenarios <<<"$ONLY"; fi
  e2e_begin
  app_begin
  if declare -F before_scenarios >/dev/null; then before_scenarios; fi
  for scenario in "${scenarios[@]}"; do "scenario_$scenario"; done
  e2e_summary
}

app_begin() {
  case "$APP_PLATFORM" in
    linux)
      [ -x "$E2E_ROOT/out/linux/Clipnest/clipnest" ] ||
        { e2e_fail "no out/linux/Clipnest/clipnest: build the linux preset first"; exit 1; }
      ;;
    windows)
      win_begin
      # Windows writes the Russian time as H:mm:ss; Wine's own Russian format is HH:mm:ss.
      "$WIN_WINE" reg add 'HKCU\Control Panel\International' /v sTimeFormat /d H:mm:ss /f \
        </dev/null >/dev/null 2>&1
      "$WIN_WINESERVER" -w
      ;;
  esac
}

app_scenario() {
  printf '%s\n' "-- $1"
  case "$APP_PLATFORM" in
    linux) APP_DIR=$(e2e_fresh_copy "$E2E_ROOT/out/linux/Clipnest" "app-$1") ;;
    windows)
      # The previous scenario's prefix goes now: a scenario may stop and start its program.
      [ -n "${APP_PREFIX:-}" ] && rm -rf "$APP_PREFIX"
      export WINEPREFIX="$E2E_TMP/prefix-$1"
      APP_PREFIX=$WINEPREFIX
      WIN_PREFIXES+=("$WINEPREFIX")
      cp -a "$E2E_TMP/prefix-template" "$WINEPREFIX"
      APP_DIR=$(e2e_fresh_copy "$WIN_APP" "app-$1")
      ;;
  esac
  shift
  e2e_write_settings "$APP_DIR" Left=4500 Top=300 SavePath=Clips BorderColor=8421504 \
    MainColor=15790320 HotPrintScreen=0 Sounds=1 Transparent=0 TransparentValue=200
  app_settings "$@"
}

# app_settings KEY=VALUE...: the scenario's settings file with these keys changed.
app_settings() {
  local pair key
  for pair in "$@"; do
    key=${pair%%=*}
    sed -i "s/^$key=.*\r\$/${pair//\//\\/}\r/" "$APP_DIR/Settings.ini"
  done
}

# The value of a key in the scenario's settings file.
app_setting() { LC_ALL=C sed -n "s/^$1=\(.*\)\r\$/\1/p" "$APP_DIR/Settings.ini"; }

# app_launch DIR: starts the program from DIR; its process id in APP_PID.
app_launch() {
  case "$APP_PLATFORM" in
    linux)
      (cd "$1" && exec env PATH="${APP_PATH:-$PATH}" ./clipnest >>"$E2E_TMP/program.log" 2>&1) &
      APP_PID=$!
      E2E_PIDS+=("$APP_PID")
      ;;
    windows)
      win_start "$1"
      APP_PID=$WIN_PID
      ;;
  esac
}

# Waits for the panel of APP_PID; prints its window id.
app_wait_panel() {
  case "$APP_PLATFORM" in
    linux) e2e_wait_pid_window "$APP_PID" 10 ;;
    windows) win_wait_panel ;;
  esac
}

app_start() {
  win_watch_opens "$APP_DIR/Sounds"
  app_launch "$APP_DIR"
  PANEL=$(app_wait_panel) || PANEL=""
  if [ -z "$PANEL" ]; then
    e2e_fail "the panel did not appear"
    return 1
  fi
  sleep 1
}

app_stop() {
  case "$APP_PLATFORM" in
    linux)
      kill -9 "$APP_PID" 2>/dev/null || true
      wait "$APP_PID" 2>/dev/null || true
      [ -n "${APP_OTHER_PID:-}" ] && kill "$APP_OTHER_PID" 2>/dev/null
      ;;
    windows) win_stop ;;
  esac
  APP_OTHER_PID=""
  APP_OTHER=""
  return 0
}

# Wine's key state sees the keys only while one of Wine's windows has the focus, so the other
# program is a Wine program there; on Linux it is any X client.
app_focus_elsewhere() {
  local other
  if [ -z "${APP_OTHER:-}" ] || ! xwininfo -id "$APP_OTHER" >/dev/null 2>&1; then
    case "$APP_PLATFORM" in
      linux)
        xmessage -geometry 300x80+600+400 'another program' >/dev/null 2>&1 &
        APP_OTHER_PID=$!
        E2E_PIDS+=("$APP_OTHER_PID")
        other=$(e2e_wait_search 10 --class '^Xmessage$') || other=""
        ;;
      windows)
        (cd "$APP_DIR" && exec "$WIN_WINE" notepad) </dev/null >>"$E2E_TMP/wine.log" 2>&1 &
        other=$(e2e_wait_search 20 --class '^notepad\.exe$') || other=""
        ;;
    esac
    APP_OTHER=$other
  fi
  [ -n "$APP_OTHER" ] || { e2e_fail "no other program to give the focus to"; return 1; }
  xdotool windowactivate --sync "$APP_OTHER" >/dev/null 2>&1 || true
  sleep 0.3
}

app_press() {
  xdotool keydown "$@"
  sleep 0.15
  local keys=("$@") i
  for ((i = ${#keys[@]} - 1; i >= 0; i--)); do xdotool keyup "${keys[i]}"; done
  sleep 0.4
}

app_windows() {
  case "$APP_PLATFORM" in
    linux) xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null || true ;;
    windows) xdotool search --onlyvisible --class '^clipnest\.exe$' 2>/dev/null || true ;;
  esac
}

# Whether the panel's window is shown now.
app_panel_viewable() { xwininfo -id "$PANEL" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# app_click X Y [BUTTON]: a click at a point of the panel (pixels from its corner).
app_click() {
  xdotool mousemove $((APP_PANEL_X + $1)) $((APP_PANEL_Y + $2)) click "${3:-1}"
  sleep 0.3
}

# The cues opened since a mark (see win_opens_count; 0 for since the start); whether one was,
# and whether none was.
app_cues_since() { tail -n +"$(($1 + 1))" "$WIN_OPENS_LOG" | sed -n 's/\.wav$//p'; }
cue_played() { grep -qx "$1" <(app_cues_since "$2"); }
no_cue() { [ -z "$(app_cues_since "$1")" ]; }

# app_client WINDOW WIDTH HEIGHT: sets CLIENT_X and CLIENT_Y, the screen point of the corner of
# a window's client area of that size (Wine's X window holds the frame that Wine draws).
app_client() {
  local position size frame
  read -r position size <<<"$(win_geometry "$1")"
  frame=$(((${size%x*} - $2) / 2))
  CLIENT_X=$((${position%,*} + frame))
  CLIENT_Y=$((${position#*,} + ${size#*x} - $3 - frame))
}

# app_dialog_click X Y: a click at a point of the client area that app_client found.
app_dialog_click() {
  xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 1
  sleep 0.4
}

# The colour of a screen pixel as "r,g,b".
app_pixel() {
  import -window root -crop "1x1+$1+$2" "$E2E_TMP/pixel.png"
  app_file_pixel "$E2E_TMP/pixel.png" 0 0
}
# app_file_pixel FILE X Y: the colour of a picture's pixel as "r,g,b".
app_file_pixel() {
  local at="p{$2,$3}"
  convert "$1" -format "%[fx:int(255*$at.r+.5)],%[fx:int(255*$at.g+.5)],%[fx:int(255*$at.b+.5)]" info:
}

# app_offer_picture FILE: another program offers the picture until the next offer: as a PNG, as
# most Linux programs do, or as a BMP, the only form of which Wine's bridge makes a Windows one.
app_offer_picture() {
  case "$APP_PLATFORM" in
    linux) convert "$1" "PNG24:$E2E_TMP/offered.png" && win_clipboard_file image/png "$E2E_TMP/offered.png" ;;
    windows) convert "$1" "BMP3:$E2E_TMP/offered.bmp" && win_clipboard_file image/bmp "$E2E_TMP/offered.bmp" ;;
  esac
}
