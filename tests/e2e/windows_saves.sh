#!/usr/bin/env bash
# The three saves of the Windows build under Wine with Russian regional settings: the clipboard
# text under a timestamp name (Image1), the clipboard picture (Image3), the text under a typed
# name (Image2 and its dialog), and a save folder that does not exist.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

if ! locale -a | grep -qix 'ru_RU.utf8'; then
  printf 'FAIL the ru_RU.UTF-8 locale is missing (generate it with locale-gen)\n'
  exit 1
fi
export LANG=ru_RU.UTF-8

e2e_begin
win_begin
# Windows writes the Russian time as H:mm:ss; Wine's own Russian format is HH:mm:ss.
"$WIN_WINE" reg add 'HKCU\Control Panel\International' /v sTimeFormat /d H:mm:ss /f \
  </dev/null >/dev/null 2>&1
"$WIN_WINESERVER" -w

# The panel at Left=4500 Top=300 twips is at (300, 20); the picture centres on the screen.
PANEL_X=300
PANEL_Y=20
IMAGE1=($((PANEL_X + 4 + 7)) $((PANEL_Y + 4 + 7)))
IMAGE2=($((PANEL_X + 20 + 7)) $((PANEL_Y + 4 + 7)))
IMAGE3=($((PANEL_X + 36 + 7)) $((PANEL_Y + 4 + 7)))
DIALOG_CLIENT_W=254
DIALOG_CLIENT_H=82

settings_with_folder() {
  e2e_write_settings "$WIN_DIR" Left=4500 Top=300 "SavePath=$1" BorderColor=8421504 MainColor=15790320 \
    HotPrintScreen=0 Sounds=1 Transparent=0 TransparentValue=200
}

# Starts the program in the scenario's folder and waits for its panel.
start_panel() {
  win_watch_opens "$WIN_DIR/Sounds"
  win_start "$WIN_DIR"
  if ! win_wait_panel >/dev/null; then
    e2e_fail "panel did not appear"
    return 1
  fi
  sleep 1
}

# The names a timestamped file may have for a click between two moments (seconds since 1970).
stamp_names() {
  local from=$1 to=$2 prefix=$3 extension=$4 moment
  for moment in $(seq "$from" "$to"); do
    printf '%s%s%s\n' "$prefix" "$(date -d "@$moment" '+%d.%m.%Y-%H.%M.%S')" "$extension"
  done
}

# The bytes a text save writes: the text in Windows-1251, then CR LF.
expected_text_file() {
  { printf '%s' "$1" | iconv -f UTF-8 -t CP1251; printf '\r\n'; } >"$2"
}

# Waits for the named text dialog; prints its window id.
wait_dialog() { e2e_wait_window '^Clipnest v1\.0$' 10; }

dialog_hidden() {
  for _ in $(seq 1 30); do
    [ -z "$(xdotool search --onlyvisible --name '^Clipnest v1\.0$' 2>/dev/null || true)" ] && return 0
    sleep 0.1
  done
  return 1
}

file_appears() { win_wait_file "$@" >/dev/null; }

# The openbox of the tests has no mouse bindings and does not move the keyboard focus to a new
# window by itself: the dialog is activated as a user's click on it would.
activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; sleep 0.3; }

# --- Image1: the clipboard text, in Windows-1251 with CR LF, under Text-<timestamp>.txt.
win_scenario text-save
settings_with_folder Clips
if start_panel; then
  text='Привет, мир! Ёлка 123'
  win_clipboard_text "$text"
  mark=$(win_opens_count)
  before=$(date +%s)
  win_click "${IMAGE1[@]}"
  saved=$(win_wait_file "$WIN_DIR/Clips/Text-*.txt") || saved=""
  after=$(date +%s)
  if [ -n "$saved" ]; then
    e2e_check "text file named from the click's time (dd.MM.yyyy-HH.mm.ss)" \
      grep -qxF "$(basename "$saved")" <(stamp_names "$before" "$after" Text- .txt)
    expected_text_file "$text" "$E2E_TMP/expected.txt"
    e2e_check "text file holds the Cyrillic text in cp1251 and CR LF" cmp -s "$E2E_TMP/expected.txt" "$saved"
    e2e_equal "one file written" 1 "$(ls "$WIN_DIR/Clips" | wc -l)"
    sleep 0.5
    e2e_check "SaveTxt1 cue played" grep -qx SaveTxt1.wav <(win_opens_since "$mark")
  else
    e2e_fail "no Text-*.txt file after a click on Image1"
  fi
  win_clipboard_stop
fi
win_stop

# --- Image3: the clipboard picture as Sc-<timestamp>.bmp; text only plays the Error cue.
win_scenario picture-save
settings_with_folder Clips
convert -size 40x30 'xc:rgb(10,200,30)' -fill 'rgb(250,0,0)' -draw 'rectangle 0,0 9,9' \
  -fill 'rgb(0,0,255)' -draw 'rectangle 30,20 39,29' "BMP3:$E2E_TMP/offered.bmp"
if start_panel; then
  win_clipboard_text 'только текст'
  mark=$(win_opens_count)
  win_click "${IMAGE3[@]}"
  sleep 1.5
  e2e_equal "text-only clipboard writes no picture" "" "$(ls "$WIN_DIR/Clips")"
  e2e_check "text-only clipboard plays the Error cue" grep -qx Error.wav <(win_opens_since "$mark")

  win_clipboard_file image/bmp "$E2E_TMP/offered.bmp"
  mark=$(win_opens_count)
  before=$(date +%s)
  win_click "${IMAGE3[@]}"
  saved=$(win_wait_file "$WIN_DIR/Clips/Sc-*.bmp") || saved=""
  after=$(date +%s)
  if [ -n "$saved" ]; then
    sleep 0.5
    e2e_check "picture file named from the click's time" \
      grep -qxF "$(basename "$saved")" <(stamp_names "$before" "$after" Sc- .bmp)
    e2e_equal "picture file is a 40x30 bitmap" "BM 40x30" \
      "$(head -c 2 "$saved") $(identify -format '%wx%h' "$saved")"
    e2e_equal "picture pixels kept (top left, bottom right, middle)" \
      "250,0,0 0,0,255 10,200,30" \
      "$(convert "$saved" -format '%[fx:int(255*p{0,0}.r+.5)],%[fx:int(255*p{0,0}.g+.5)],%[fx:int(255*p{0,0}.b+.5)] %[fx:int(255*p{35,25}.r+.5)],%[fx:int(255*p{35,25}.g+.5)],%[fx:int(255*p{35,25}.b+.5)] %[fx:int(255*p{20,15}.r+.5)],%[fx:int(255*p{20,15}.g+.5)],%[fx:int(255*p{20,15}.b+.5)]' info:)"
    e2e_check "SaveScr cue played" grep -qx SaveScr.wav <(win_opens_since "$mark")
  else
    e2e_fail "no Sc-*.bmp file after a click on Image3"
  fi
  win_clipboard_stop
fi
win_stop

# --- Image2: the dialog; a typed name and Enter; Escape; the picture button's paste.
win_scenario named-save
settings_with_folder Clips
if start_panel; then
  text=$'Первая строка\nвторая'
  win_clipboard_text "$text"
  mark=$(win_opens_count)
  win_click "${IMAGE2[@]}"
  if dialog=$(wait_dialog); then
    read -r position size <<<"$(win_geometry "$dialog")"
    width=${size%x*}
    height=${size#*x}
    e2e_equal "dialog centred on the 1280x800 screen" \
      "$(((1280 - width) / 2)),$(((800 - height) / 2))" "$position"
    state=$(xprop -id "$dialog" _NET_WM_STATE)
    e2e_check "dialog stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$state"
    e2e_check "dialog has no taskbar entry" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state"
    e2e_check "opening plays the Settings cue" grep -qx Settings.wav <(win_opens_since "$mark")
    activate "$dialog"
    # A click on the panel in the middle of the typing must not take the keyboard away.
    xdotool type --delay 60 rep
    win_click "${IMAGE1[@]}"
    e2e_check "panel click with the dialog open saves the text" file_appears "$WIN_DIR/Clips/Text-*.txt"
    xdotool type --delay 60 ort
    xdotool key Return
    saved=$(win_wait_file "$WIN_DIR/Clips/report.txt") || saved=""
    if [ -n "$saved" ]; then
      sleep 0.3
      # Wine's clipboard bridge gives the X11 line feed as CR LF, as Windows text has it.
      expected_text_file "${text//$'\n'/$'\r\n'}" "$E2E_TMP/expected.txt"
      e2e_check "typed name and Enter write report.txt with the captured text" \
        cmp -s "$E2E_TMP/expected.txt" "$saved"
    else
      e2e_fail "no report.txt after typing the name and Enter"
    fi
    e2e_check "dialog hidden after the save" dialog_hidden
    opened=$(win_opens_since "$mark")
    e2e_check "typing in the name box plays SaveSettings" grep -qx SaveSettings.wav <<<"$opened"
    e2e_check "SaveTxt2 cue played" grep -qx SaveTxt2.wav <<<"$opened"

    # Escape in the name box hides the dialog without writing anything.
    win_click "${IMAGE2[@]}"
    dialog=$(wait_dialog) || dialog=""
    activate "$dialog"
    mark=$(win_opens_count)
    xdotool type --delay 60 other
    xdotool key Escape
    e2e_check "Escape hides the dialog" dialog_hidden
    e2e_check "Escape plays the Cancel cue" grep -qx Cancel.wav <(win_opens_since "$mark")
    e2e_equal "Escape writes nothing" 2 "$(ls "$WIN_DIR/Clips" | wc -l)"

    # The picture button puts the clipboard text into the name box and focuses the save
    # button; Enter on it saves under that name.
    win_clipboard_text 'имя'
    win_click "${IMAGE2[@]}"
    dialog=$(wait_dialog) || dialog=""
    activate "$dialog"
    read -r position size <<<"$(win_geometry "$dialog")"
    frame=$(((${size%x*} - DIALOG_CLIENT_W) / 2))
    client_x=$((${position%,*} + frame))
    client_y=$((${position#*,} + ${size#*x} - DIALOG_CLIENT_H - frame))
    win_click $((client_x + 56 + 12)) $((client_y + 52 + 12))
    sleep 0.5
    xdotool key Return
    saved=$(win_wait_file "$WIN_DIR/Clips/имя.txt") || saved=""
    if [ -n "$saved" ]; then
      expected_text_file 'имя' "$E2E_TMP/expected.txt"
      e2e_check "picture button and Enter save under the clipboard text" cmp -s "$E2E_TMP/expected.txt" "$saved"
    else
      e2e_fail "no имя.txt after the picture button and Enter (files: $(ls "$WIN_DIR/Clips" | xargs))"
    fi
    e2e_check "dialog hidden after the save" dialog_hidden

    # Tab order: the name box, Сохранить, Отмена. Enter on Отмена hides without saving.
    win_click "${IMAGE2[@]}"
    dialog=$(wait_dialog) || dialog=""
    activate "$dialog"
    xdotool type --delay 60 tabbed
    xdotool key Tab
    sleep 0.2
    xdotool key Tab
    sleep 0.2
    xdotool key Return
    e2e_check "Tab, Tab, Enter presses Отмена and hides the dialog" dialog_hidden
    e2e_check "Отмена writes nothing" test ! -e "$WIN_DIR/Clips/tabbed.txt"

    # The title bar's close box discards the dialog: the next opening makes a new window.
    win_click "${IMAGE2[@]}"
    dialog=$(wait_dialog) || dialog=""
    read -r position size <<<"$(win_geometry "$dialog")"
    win_click $((${position%,*} + ${size%x*} - frame - 9)) $((${position#*,} + frame + 8))
    e2e_check "close box hides the dialog" dialog_hidden
    win_click "${IMAGE2[@]}"
    reopened=$(wait_dialog) || reopened=""
    e2e_check "opening after the close box shows a new dialog window" \
      test -n "$reopened" -a "$reopened" != "$dialog"
    activate "$reopened"
    xdotool type --delay 60 again
    xdotool key Return
    e2e_check "the new dialog saves" file_appears "$WIN_DIR/Clips/again.txt"
  else
    e2e_fail "the named text dialog did not appear"
  fi
  win_clipboard_stop
fi
win_stop

# --- Foreign things under a typed name: a FIFO fails at once and silently, and text the ANSI code
# page lacks turns an existing ANSI file into UTF-8. The FIFO comes first: each cue's file is
# opened only at its first play under Wine.
win_scenario foreign-files
settings_with_folder Clips
mkfifo "$WIN_DIR/Clips/pipe.txt"
expected_text_file 'Заметки' "$WIN_DIR/Clips/notes.txt"
if start_panel; then
  win_clipboard_text 'в трубу'
  win_click "${IMAGE2[@]}"
  if dialog=$(wait_dialog); then
    activate "$dialog"
    xdotool type --delay 60 pipe
    mark=$(win_opens_count)
    xdotool key Return
    e2e_check "a FIFO under the name: the dialog hides at once" dialog_hidden
    sleep 0.5
    e2e_equal "the failed save plays neither SaveTxt2 nor Error" "" \
      "$(win_opens_since "$mark" | grep -E '^(SaveTxt2|Error)\.wav$' || true)"
    e2e_check "the FIFO is still a FIFO" test -p "$WIN_DIR/Clips/pipe.txt"
  else
    e2e_fail "the named text dialog did not appear for the FIFO"
  fi

  win_clipboard_text 'café ☕ 😀'
  win_click "${IMAGE2[@]}"
  if dialog=$(wait_dialog); then
    activate "$dialog"
    xdotool type --delay 60 notes
    mark=$(win_opens_count)
    xdotool key Return
    e2e_check "the dialog hides after the save into notes.txt" dialog_hidden
    sleep 0.5
    { printf '\xEF\xBB\xBFЗаметки\r\n'; printf 'café ☕ 😀\r\n'; } >"$E2E_TMP/notes-utf8.txt"
    e2e_check "the ANSI notes.txt becomes UTF-8 with its mark, old line and new line whole" \
      cmp -s "$E2E_TMP/notes-utf8.txt" "$WIN_DIR/Clips/notes.txt"
    e2e_check "that save plays SaveTxt2" grep -qx SaveTxt2.wav <(win_opens_since "$mark")
    e2e_equal "no temporary file is left" "notes.txt pipe.txt" "$(ls -A "$WIN_DIR/Clips" | xargs)"
  else
    e2e_fail "the named text dialog did not appear for notes"
  fi
  win_clipboard_stop
fi
win_stop

# --- A save folder that does not exist: no file anywhere; only the text saves play Error. Under
# Wine without a sound device each wave file stays open after its first play and a second play
# of the same cue does not open it again, so each Error is checked in its own run.
win_scenario missing-folder-panel
settings_with_folder NoSuchFolder
convert -size 8x8 xc:white "BMP3:$E2E_TMP/small.bmp"
if start_panel; then
  ls -R "$WIN_DIR" >"$E2E_TMP/tree-before"
  win_clipboard_file image/bmp "$E2E_TMP/small.bmp"
  mark=$(win_opens_count)
  win_click "${IMAGE3[@]}"
  sleep 1.5
  e2e_equal "picture save into a missing folder is silent" "" "$(win_opens_since "$mark" | xargs)"

  win_clipboard_text 'текст'
  mark=$(win_opens_count)
  win_click "${IMAGE1[@]}"
  sleep 1.5
  e2e_check "timestamped text save into a missing folder plays Error" grep -qx Error.wav <(win_opens_since "$mark")
  ls -R "$WIN_DIR" >"$E2E_TMP/tree-after"
  e2e_check "no file written by either save" cmp -s "$E2E_TMP/tree-before" "$E2E_TMP/tree-after"
  e2e_check "the missing folder was not created" test ! -e "$WIN_DIR/NoSuchFolder"
  win_clipboard_stop
fi
win_stop

win_scenario missing-folder-dialog
settings_with_folder NoSuchFolder
if start_panel; then
  ls -R "$WIN_DIR" >"$E2E_TMP/tree-before"
  win_clipboard_text 'текст'
  win_click "${IMAGE2[@]}"
  if dialog=$(wait_dialog); then
    activate "$dialog"
    mark=$(win_opens_count)
    xdotool type --delay 60 name
    xdotool key Return
    e2e_check "dialog hidden after the failed save" dialog_hidden
    sleep 0.5
    e2e_check "named save into a missing folder plays Error" grep -qx Error.wav <(win_opens_since "$mark")
  else
    e2e_fail "the named text dialog did not appear"
  fi
  ls -R "$WIN_DIR" >"$E2E_TMP/tree-after"
  e2e_check "no file written by the named save" cmp -s "$E2E_TMP/tree-before" "$E2E_TMP/tree-after"
  win_clipboard_stop
fi
win_stop

e2e_summary
