#!/usr/bin/env bash
# A save folder read-only, full (a tmpfs: root only) or with FIFOs under the saves' names; a
# settings file of 50 MB, of binary bytes, or a folder. No hang, and no file loses a byte.
APP_PLATFORM=${1:-linux}
[ "$APP_PLATFORM" = linux ] || { echo "hostile.sh: the Linux program only"; exit 0; }
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

before_scenarios() { trap 'umount -l "$E2E_TMP"/*/Clips 2>/dev/null || :; e2e_end' EXIT; }
clips() { LC_ALL=C ls -A "$APP_DIR/Clips" | xargs; }
# tries CASE NAME: a text, named (NAME.txt) and picture save fail silently; the panel answers.
tries() {
  local before mark dialog
  before=$(clips) mark=$(win_opens_count)
  win_clipboard_text "$(printf 'ж%.0s' $(seq 1 20000))"
  app_click 11 11
  app_click 27 11
  e2e_wait_window '^Clipnest v1\.0$' >/dev/null && xdotool type "$2" && xdotool key Return
  app_offer_picture "$E2E_TMP/picture.png"
  app_click 43 11
  sleep 1
  e2e_equal "$1: nothing is added" "$before" "$(clips)"
  e2e_check "$1: notes.txt keeps every byte" cmp -s "$E2E_TMP/notes" "$APP_DIR/Clips/notes.txt"
  e2e_check "$1: silently" eval "! app_cues_since $mark | grep -qE '^(SaveTxt|SaveScr|Error)'"
  app_click 108 12
  dialog=$(e2e_wait_window '^Clipnest v1\.0 .' 3) || dialog=""
  e2e_check "$1: the panel answers" test -n "$dialog"
  xdotool windowactivate --sync "$dialog" key alt+F4 >/dev/null 2>&1 && sleep 0.5
}

scenario_save_folder() {
  app_scenario save-folder
  printf 'Заметки\r\n' >"$E2E_TMP/notes"
  convert -size 64x64 plasma:fractal "PNG24:$E2E_TMP/picture.png"
  app_start || return 0
  local clips="$APP_DIR/Clips" t text picture names=("$APP_DIR/Clips/pipe.txt")
  cp "$E2E_TMP/notes" "$clips/notes.txt"
  if [ "$(id -u)" != 0 ]; then
    chmod a-w "$clips" && tries "a read-only folder" notes && chmod u+w "$clips"
    echo "NOTE: a full folder needs root (a tmpfs): not tried"
  elif mount -t tmpfs -o size=64k tmpfs "$clips"; then  # root writes all but a read-only mount
    cp "$E2E_TMP/notes" "$clips/notes.txt" && mount -o remount,ro "$clips"
    tries "a read-only folder" notes
    mount -o remount,rw "$clips" && { dd if=/dev/zero of="$clips/filler" bs=4k 2>/dev/null || :; }
    tries "a full folder" notes
    umount "$clips"
  else echo "NOTE: no tmpfs could be mounted: the read-only and full folders are not tried"; fi
  for t in $(seq "$EPOCHSECONDS" $((EPOCHSECONDS + 60))); do  # each name of the next minute
    printf -v text "$clips/Text-%(%d.%m.%Y-%H.%M.%S)T.txt" "$t"
    printf -v picture "$clips/Sc-%(%d.%m.%Y-%H.%M.%S)T.bmp" "$t"
    names+=("$text" "$picture")
  done
  mkfifo "${names[@]}"
  tries "FIFOs under the saves' names" pipe
  app_stop
}

# hostile_settings CASE MESSAGES CHECK: a start shows that many missing-key messages, and the
# exit (which writes the panel's place) leaves CHECK true.
hostile_settings() {
  local boxes=0 box previous=""
  [ -f "$APP_DIR/Settings.ini" ] && cp "$APP_DIR/Settings.ini" "$E2E_TMP/settings"
  app_launch "$APP_DIR"
  while [ "$boxes" -lt "$2" ] && box=$(e2e_wait_window '^Clipnest$' 60) && [ "$box" != "$previous" ]; do
    boxes=$((boxes + 1)) previous=$box
    xdotool windowactivate --sync "$box" key Return >/dev/null 2>&1
    for _ in $(seq 1 50); do xwininfo -id "$box" 2>&1 | grep -q IsViewable || break; sleep 0.1; done
  done
  e2e_equal "$1: missing-key messages" "$2" "$boxes"
  PANEL=$(e2e_wait_pid_window "$APP_PID" 60) || { e2e_fail "$1: no panel"; return 0; }
  xdotool mousemove --window "$PANEL" 124 12 click 1
  e2e_check "$1: the exit writes its place; every other byte is kept" \
    eval "win_wait_exit $APP_PID 60 && $3"
  app_stop
}

scenario_settings_file() {
  app_scenario big-settings
  awk 'BEGIN { for (i = 0; i < 480000; i++) printf "Note%06d=%094d\r\n", i, i }' \
    >>"$APP_DIR/Settings.ini"
  hostile_settings "50 MB" 0 'cmp -s "$E2E_TMP/settings" "$APP_DIR/Settings.ini"'
  app_scenario binary
  head -c 1000000 /dev/urandom | tr -d '[' >"$APP_DIR/Settings.ini"  # no section begins
  hostile_settings "binary" 9 'cmp -s -n "$(stat -c %s "$E2E_TMP/settings")" \
    "$E2E_TMP/settings" "$APP_DIR/Settings.ini" && tail -c 50 "$APP_DIR/Settings.ini" | grep -q Top='
  app_scenario folder
  rm "$APP_DIR/Settings.ini" && mkdir "$APP_DIR/Settings.ini" && echo Ж >"$APP_DIR/Settings.ini/a"
  hostile_settings "a folder of that name" 9 '[ "$(cat "$APP_DIR/Settings.ini/a")" = Ж ]'
}

app_run save_folder settings_file
