#!/usr/bin/env bash
# The Linux program on a Wayland desktop: sway, headless, runs it through XWayland; wl-copy fills
# the clipboard. sway refuses root: as root, this runs itself as an ordinary user (made if
# missing). No portal gives global keys, as on wlroots desktops, until the last scenario puts the
# tests' fake desktop behind Debian's portal frontend. tests/e2e/wayland.sh linux
[ "${1:-linux}" = linux ] || { echo "wayland.sh: the Linux program only"; exit 0; }
if [ "$(id -u)" = 0 ]; then
  id clipnest-e2e >/dev/null 2>&1 || useradd --system --no-create-home clipnest-e2e || exit 1
  # That user may not read the checkout (a home folder is private): it runs a readable copy.
  root=$(cd "$(dirname "$0")/../.." && pwd) stage=$(mktemp -d /tmp/clipnest-wayland-stage.XXXXXX)
  mkdir -p "$stage/tests/linux" "$stage/out/linux"
  cp -r "$root/tests/e2e" "$stage/tests/" && cp -r "$root/tests/linux/fake_portal" "$stage/tests/linux/" &&
    cp -r "${CLIPNEST_APP:-$root/out/linux/Clipnest}" "$stage/out/linux/Clipnest" && chmod -R a+rX "$stage" &&
    CLIPNEST_APP=$stage/out/linux/Clipnest runuser -u clipnest-e2e -- bash "$stage/tests/e2e/wayland.sh" linux
  status=$?
  rm -rf "$stage"
  exit $status
fi
APP_PLATFORM=linux
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

# Instead of Xvfb and openbox: sway with XWayland, and a session bus.
e2e_begin() {
  E2E_TMP=$(mktemp -d /tmp/clipnest-wayland.XXXXXX)
  trap e2e_end EXIT
  export HOME=$E2E_TMP XDG_RUNTIME_DIR=$E2E_TMP/run WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  printf 'floating_minimum_size 1 x 1\nxwayland enable\n' >"$E2E_TMP/sway.conf"
  bg sway -c "$E2E_TMP/sway.conf"
  poll 100 eval 'SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*")' || { e2e_fail "sway did not start"; exit 1; }
  export SWAYSOCK
  swaymsg exec "env >$E2E_TMP/env" >/dev/null && poll 50 grep -q '^DISPLAY=' "$E2E_TMP/env"
  export $(grep -E '^(DISPLAY|WAYLAND_DISPLAY)=' "$E2E_TMP/env")
  portal_bus ""
}
# portal_bus PORTAL: a new session bus, with the fake desktop behind the PORTAL frontend (or none).
portal_bus() {
  /usr/bin/python3 "$E2E_ROOT/tests/linux/fake_portal/desktop.py" "$1" >"$E2E_TMP/bus" 2>>"$E2E_TMP/bg.log" & E2E_PIDS+=($!)
  poll 100 test -s "$E2E_TMP/bus" && export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")
}
# The fake desktop presses a shortcut (press ID true|false); CALLS, the calls it got so far.
press() { CALLS=$(gdbus call --session -d org.freedesktop.impl.portal.desktop.clipnesttest \
  -o /org/freedesktop/portal/desktop -m org.clipnest.Test.Press "$1" "$2" 2>/dev/null); }
# Starts the program; PANEL_AT is the panel's "x,y wxh", where the clicks go.
start_panel() {
  app_start || return 1
  PANEL_AT=$(win_geometry "$PANEL")
  IFS=', ' read -r APP_PANEL_X APP_PANEL_Y _ <<<"$PANEL_AT"
}
# wl-copy leaves a server of the clipboard behind, which complains when sway ends.
wl_copy() { wl-copy "$@" 2>>"$E2E_TMP/bg.log"; }
same_pixels() { poll 50 eval "[ \"\$(compare -metric AE '$1' '$2' null: 2>&1)\" = 0 ]"; }
# saved_text FILE TEXT: FILE holds TEXT in Windows-1251 and a closing CR LF.
saved_text() { { printf %s "$2" | iconv -f UTF-8 -t WINDOWS-1251; printf '\r\n'; } >"$E2E_TMP/expected" && poll 50 cmp -s "$E2E_TMP/expected" "$1"; }

scenario_panel_and_dialogs() {
  app_scenario panel BorderColor=255 Transparent=1 TransparentValue=200
  start_panel || return 0
  e2e_equal "the panel is 137 x 21" 137x21 "${PANEL_AT#* }"
  echo "NOTE: sway places X11 windows itself: the panel is at ${PANEL_AT% *}, not at Left/Top"
  e2e_equal "its opacity is on its window" $((200 * 0x01010101)) "$(opacity)"
  app_click 108 12
  e2e_check "the settings dialog opens" e2e_wait_window '^Clipnest v1\.0 Настройки$'
  xdotool key Escape
  wl_copy 'под именем'
  app_click 27 11
  e2e_check "the named text dialog opens" e2e_wait_window '^Clipnest v1\.0$'
  xdotool type --delay 60 report && xdotool key Return
  e2e_check "and saves the text under the name typed into it" saved_text "$APP_DIR/Clips/report.txt" 'под именем'
  # Last: X stacks the focused program above the panel, where XTest clicks would land.
  bg xmessage -geometry 300x80 other
  e2e_wait_search 10 --class '^Xmessage$' >/dev/null && swaymsg '[class="Xmessage"] focus' >/dev/null && sleep 0.5
  SHOT=$E2E_TMP/shot.png && grim "$SHOT"  # what sway shows
  e2e_equal "with another program focused, sway shows the panel's frame over it (opaque: sway 1.7 ignores the opacity)" "255,0,0 255,255,255" \
    "$(app_file_pixel "$SHOT" "$APP_PANEL_X" "$APP_PANEL_Y") $(app_file_pixel "$SHOT" $((APP_PANEL_X - 1)) "$APP_PANEL_Y")"
  e2e_equal "stderr says once that the keys work only while a window of the program has the focus" 1 \
    "$(grep -c 'нет портала с GlobalShortcuts.*только пока в фокусе одно из окон' "$E2E_TMP/bg.log")"
}

scenario_saves_of_wayland_clipboards() {
  app_scenario saves
  start_panel || return 0
  local text=$'Привет, мир! Ёлка\nвторая строка' saved
  wl_copy "$text"
  app_click 11 11
  saved=$(win_wait_file "$APP_DIR/Clips/Text-*.txt")
  e2e_check "text from wl-copy is saved by Image1 in Windows-1251 with CR LF, byte for byte" saved_text "$saved" "$text"
  convert -size 40x30 xc:red -fill blue -draw 'rectangle 0,0 9,9' -fill lime -draw 'point 39,29' "PNG24:$E2E_TMP/small.png"
  wl_copy --type image/png <"$E2E_TMP/small.png"
  app_click 43 11
  saved=$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp")
  e2e_check "a PNG from wl-copy is saved by Image3 as a BMP of its pixels" same_pixels "$E2E_TMP/small.png" "$saved"
}

scenario_keys_and_screenshot_through_the_portal() {
  portal_bus /usr/libexec/xdg-desktop-portal
  app_scenario portal HotPrintScreen=1
  start_panel || return 0
  poll 100 eval 'press toggle-panel false && [[ $CALLS == *print-screen=Print* ]]' || { e2e_fail "no shortcuts bound"; return 0; }
  press toggle-panel true && press toggle-panel false
  e2e_check "Pause from the portal hides the panel" poll 20 eval '! app_viewable "$PANEL"'
  press print-screen true && press print-screen false
  local shot=$(grep -o '/[^ ]*/screen\.png' <<<"$CALLS")
  e2e_check "PrintScreen from the portal saves the portal's screenshot as a BMP" \
    same_pixels "$shot" "$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp")"
}

app_run panel_and_dialogs saves_of_wayland_clipboards keys_and_screenshot_through_the_portal
