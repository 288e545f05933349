#!/usr/bin/env bash
# Drives either real program (APP_PLATFORM=linux|windows) on a private Xvfb with openbox, under
# Russian regional settings, from a fresh copy of its portable folder (and Wine prefix) per
# scenario. A scenario file sources this, defines scenario_NAME functions and ends with
# app_run NAME... (ONLY="NAME ..." runs some).
set -uo pipefail
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WIN_WINE=/usr/lib/wine/wine64 WIN_WINESERVER=/usr/lib/wine/wineserver
PASSED=0 FAILED=0 E2E_PIDS=() WIN_PREFIXES=() WIN_XCLIP_PID="" APP_OTHER="" APP_PANEL_X=300 APP_PANEL_Y=20
export LANG=ru_RU.UTF-8
locale -a | grep -qix ru_RU.utf8 || { echo "FAIL the ru_RU.UTF-8 locale is missing"; exit 1; }

e2e_pass() { PASSED=$((PASSED + 1)); echo "PASS $*"; }
e2e_fail() { FAILED=$((FAILED + 1)); echo "FAIL $*"; }
e2e_check() { local name=$1; shift; if "$@" >/dev/null; then e2e_pass "$name"; else e2e_fail "$name"; fi; }
e2e_equal() { if [ "$2" = "$3" ]; then e2e_pass "$1"; else e2e_fail "$1 (expected '$2', got '$3')"; fi; }
e2e_summary() { echo "$PASSED passed, $FAILED failed"; [ "$FAILED" -eq 0 ]; }
bg() { "$@" </dev/null >>"$E2E_TMP/bg.log" 2>&1 & E2E_PIDS+=($!); }
# poll TENTHS COMMAND...: retries the command every 0.1 s until it succeeds.
poll() { local n=$1; shift; for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done; return 1; }

# Xvfb on a free display, and openbox with Alt+F4 as its one binding (its default binds Print).
e2e_begin() {
  E2E_TMP=$(mktemp -d /tmp/clipnest-e2e.XXXXXX)
  trap e2e_end EXIT
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$E2E_TMP/display" >/dev/null 2>&1 & E2E_PIDS+=($!)
  poll 100 test -s "$E2E_TMP/display"
  export DISPLAY=":$(head -n 1 "$E2E_TMP/display")"
  poll 50 xdpyinfo >/dev/null 2>&1
  echo '<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard><keybind key="A-F4"><action' \
    'name="Close"/></keybind></keyboard><mouse></mouse></openbox_config>' >"$E2E_TMP/rc.xml"
  for _ in 1 2 3; do  # a fresh server may turn the first clients away
    bg openbox --config-file "$E2E_TMP/rc.xml"
    poll 100 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' && return 0
  done
  e2e_fail "the window manager did not start"; exit 1
}
e2e_end() {
  for prefix in "${WIN_PREFIXES[@]}"; do WINEPREFIX=$prefix "$WIN_WINESERVER" -k; WINEPREFIX=$prefix "$WIN_WINESERVER" -w; done 2>/dev/null
  kill "${E2E_PIDS[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$E2E_TMP"
}
# A template prefix under a private HOME, which app_scenario copies.
win_begin() {
  export HOME=$E2E_TMP/home WINEDEBUG=-all WINEPREFIX=$E2E_TMP/prefix WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$HOME"; WIN_PREFIXES+=("$WINEPREFIX")
  "$WIN_WINE" wineboot -i </dev/null >/dev/null 2>&1
  # Windows writes the Russian time as H:mm:ss; Wine's own Russian format is HH:mm:ss.
  "$WIN_WINE" reg add 'HKCU\Control Panel\International' /v sTimeFormat /d H:mm:ss /f </dev/null >/dev/null 2>&1
  "$WIN_WINESERVER" -w
}

app_run() {
  local scenarios=("$@") scenario
  [ -z "${ONLY:-}" ] || read -r -a scenarios <<<"$ONLY"
  APP_SOURCE=${CLIPNEST_APP:-$E2E_ROOT/out/$APP_PLATFORM/Clipnest}  # ctest names its build's folder
  [ -d "$APP_SOURCE" ] || { echo "FAIL no $APP_SOURCE: build it first"; exit 1; }
  e2e_begin
  [ "$APP_PLATFORM" = linux ] || win_begin
  if declare -F before_scenarios >/dev/null; then before_scenarios; fi
  for scenario in "${scenarios[@]}"; do "scenario_$scenario"; done
  e2e_summary
}
# app_scenario NAME [KEY=VALUE...]: a fresh APP_DIR (and prefix), its settings with these keys.
app_scenario() {
  [ -z "${APP_PID:-}" ] || app_stop  # whatever the previous scenario left running
  echo "-- $1" && APP_DIR=$E2E_TMP/app-$1 && cp -a "$APP_SOURCE" "$APP_DIR"
  if [ "$APP_PLATFORM" = windows ]; then
    export WINEPREFIX=$E2E_TMP/prefix-$1; cp -a "$E2E_TMP/prefix" "$WINEPREFIX"; WIN_PREFIXES+=("$WINEPREFIX")
  fi
  shift
  local keys=" ${*%%=*} " key
  for key in Left=4500 Top=300 SavePath=Clips BorderColor=8421504 MainColor=15790320 HotPrintScreen=0 \
    Sounds=1 Transparent=0 TransparentValue=200; do [[ $keys == *" ${key%%=*} "* ]] || set -- "$@" "$key"; done
  printf '%s\r\n' '[Setup]' "$@" >"$APP_DIR/Settings.ini"
}
app_setting() { LC_ALL=C sed -n "s/^$1=\(.*\)\r\$/\1/p" "$APP_DIR/Settings.ini"; }

# app_launch DIR: starts the program there; APP_PID.
app_launch() {
  local program=./clipnest; [ "$APP_PLATFORM" = linux ] || program="$WIN_WINE ./Clipnest.exe"
  (cd "$1" && exec $program) </dev/null >>"$E2E_TMP/bg.log" 2>&1 & APP_PID=$!; E2E_PIDS+=($!)
}
app_windows() {
  if [ "$APP_PLATFORM" = linux ]; then xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null
  else xdotool search --onlyvisible --class '^clipnest\.exe$' 2>/dev/null; fi
}
# The PANEL is the window not captioned Clipnest (untitled under Wine, the class name on Linux).
find_panel() { for PANEL in $(app_windows); do [[ $(xdotool getwindowname "$PANEL") != Clipnest* ]] && return 0; done; return 1; }
app_wait_panel() { poll 150 find_panel && echo "$PANEL"; }
# Watches the cues being opened (WIN_OPENS_LOG), starts the program from APP_DIR, waits for its panel.
app_start() {
  WIN_OPENS_LOG=$E2E_TMP/opens-$RANDOM
  inotifywait -m -e open --format %f "$APP_DIR/Sounds" >"$WIN_OPENS_LOG" 2>"$WIN_OPENS_LOG.err" & E2E_PIDS+=($!)
  poll 50 grep -q 'Watches established' "$WIN_OPENS_LOG.err"
  app_launch "$APP_DIR"
  PANEL=$(app_wait_panel) || { e2e_fail "the panel did not appear"; return 1; }
  sleep 1
}
app_stop() {
  if [ "$APP_PLATFORM" = linux ]; then kill -9 "$APP_PID"; wait "$APP_PID"
  else "$WIN_WINESERVER" -k; "$WIN_WINESERVER" -w; fi 2>/dev/null
  win_clipboard_stop; APP_OTHER=""
}
win_wait_exit() { poll "$((${2:-5} * 10))" eval "! kill -0 $1 2>/dev/null"; }
# The cues opened since a mark (win_opens_count, or 0 for the start); whether NAME was, or none.
win_opens_count() { wc -l <"$WIN_OPENS_LOG"; }
app_cues_since() { tail -n +"$((${1:-0} + 1))" "$WIN_OPENS_LOG" | sed -n 's/\.wav$//p'; }
cue_played() { poll 20 eval "app_cues_since ${2:-0} | grep -qx $1"; }
no_cue() { [ -z "$(app_cues_since "$1")" ]; }
# e2e_wait_search SECONDS XDOTOOL_SEARCH_ARGS...: prints the first visible window found.
e2e_wait_search() { local n=$(($1 * 10)); shift; poll "$n" first_window "$@"; }
first_window() { xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 | grep .; }
e2e_wait_window() { e2e_wait_search "${2:-10}" --name "$1"; }
e2e_wait_pid_window() { e2e_wait_search "${2:-10}" --pid "$1"; }
# Another program takes the focus: under Wine a Wine one, as Wine sees keys only then.
app_focus_elsewhere() {
  if [ -z "$APP_OTHER" ]; then
    if [ "$APP_PLATFORM" = linux ]; then bg xmessage -geometry 300x80+600+400 other; APP_OTHER=$(e2e_wait_search 10 --class '^Xmessage$')
    else bg "$WIN_WINE" notepad; APP_OTHER=$(e2e_wait_search 20 --class '^notepad\.exe$'); fi || { e2e_fail "no other program"; return 1; }
  fi
  xdotool windowactivate --sync "$APP_OTHER" >/dev/null 2>&1; sleep 0.3
}
app_press() { xdotool keydown "$@"; sleep 0.15; xdotool keyup $(printf '%s\n' "$@" | tac); sleep 0.4; }
# app_click X Y [BUTTON]: a click at a point of the panel.
app_click() { xdotool mousemove $((APP_PANEL_X + $1)) $((APP_PANEL_Y + $2)) click "${3:-1}"; sleep 0.3; }
app_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
# "x,y wxh" of a window as the X server has it.
win_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { printf "%s,%s %sx%s\n", x, y, w, h }'
}
above_untasked() { local state=$(xprop -id "$1" _NET_WM_STATE); [[ $state == *_ABOVE* && $state == *_SKIP_TASKBAR* ]]; }
opacity() { xprop -id "$PANEL" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.* = //p'; }
# app_client WINDOW WIDTH HEIGHT: CLIENT_X, CLIENT_Y of the client area (Wine draws its frame inside).
app_client() {
  local position size frame
  read -r position size <<<"$(win_geometry "$1")"
  frame=$(((${size%x*} - $2) / 2))
  CLIENT_X=$((${position%,*} + frame)) CLIENT_Y=$((${position#*,} + ${size#*x} - $3 - frame))
}
app_dialog_click() { xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 1; sleep 0.4; }
# app_file_pixel FILE X Y, and app_pixel X Y of the screen: "r,g,b".
app_file_pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r+.5)],%[fx:int(255*p{$2,$3}.g+.5)],%[fx:int(255*p{$2,$3}.b+.5)]" info:; }
app_pixel() { import -window root -crop "1x1+$1+$2" "$E2E_TMP/pixel.png" && app_file_pixel "$E2E_TMP/pixel.png" 0 0; }
# win_wait_file GLOB [SECONDS]: prints the first file that matches.
win_wait_file() { poll $((${2:-5} * 10)) first_match "$1"; }
first_match() { compgen -G "$1" | head -n 1 | grep .; }
# Another program serves text (win_clipboard_text TEXT) or a file of a type (win_clipboard_file TYPE FILE).
win_clipboard_text() { printf %s "$1" >"$E2E_TMP/clip.txt"; win_clipboard_file UTF8_STRING "$E2E_TMP/clip.txt"; }
win_clipboard_file() {
  win_clipboard_stop; xclip -quiet -selection clipboard -t "$1" -i "$2" >/dev/null 2>&1 & WIN_XCLIP_PID=$!; E2E_PIDS+=($!); sleep 0.5
}
win_clipboard_stop() { [ -z "$WIN_XCLIP_PID" ] || kill "$WIN_XCLIP_PID" 2>/dev/null; WIN_XCLIP_PID=""; }
# A picture as a PNG, as most Linux programs offer it, or as a BMP for Wine's bridge.
app_offer_picture() {
  if [ "$APP_PLATFORM" = linux ]; then set -- "$1" PNG24 png; else set -- "$1" BMP3 bmp; fi
  convert "$1" "$2:$E2E_TMP/offer.$3" && win_clipboard_file "image/$3" "$E2E_TMP/offer.$3"
}
