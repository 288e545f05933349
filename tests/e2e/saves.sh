#!/usr/bin/env bash
# The saves of one real program under Russian regional settings: the clipboard text under a
# timestamp (Image1), the clipboard picture (Image3), the text under a typed name (Image2 and its
# dialog), their failures and large clipboards: tests/e2e/saves.sh linux|windows.
APP_PLATFORM=${1:?usage: saves.sh linux|windows}
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

IMAGE1=(11 11)
IMAGE2=(27 11)
IMAGE3=(43 11)
PASTE=(68 64)  # the named text dialog's picture button, in its client area (254 x 82)

clips() { LC_ALL=C ls -A "$APP_DIR/Clips" | xargs; }
appears() { win_wait_file "$@" >/dev/null; }
# holds FILE EXPECTED: waits up to 10 s for FILE to have EXPECTED's bytes (a large save takes
# a moment).
holds() {
  for _ in $(seq 1 100); do cmp -s "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
  return 1
}
same_pixels() {
  for _ in $(seq 1 20); do
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ] && return 0
    sleep 0.5
  done
  return 1
}
# What saving stdin's text into an ANSI file writes: Windows-1251, then CR LF. Wine's clipboard
# bridge hands the Windows build each line feed as CR LF.
ansi_save() {
  if [ "$APP_PLATFORM" = windows ]; then perl -pe 's/\n/\r\n/g'; else cat; fi |
    iconv -f UTF-8 -t WINDOWS-1251
  printf '\r\n'
}
holds_text() { printf %s "$2" | ansi_save >"$E2E_TMP/expected"; holds "$1" "$E2E_TMP/expected"; }

# stamped_save X Y PREFIX EXTENSION: clicks the panel's button; SAVED is the file it wrote,
# whose name must be the click's time (dd.MM.yyyy-HH.mm.ss).
stamped_save() {
  local before moment names=""
  before=$(date +%s)
  app_click "$1" "$2"
  SAVED=$(win_wait_file "$APP_DIR/Clips/$3*$4" 10) || { e2e_fail "no $3*$4 written"; return 1; }
  for moment in $(seq "$before" "$(date +%s)"); do
    names+=" $3$(date -d "@$moment" +%d.%m.%Y-%H.%M.%S)$4"
  done
  e2e_check "${SAVED##*/} is named from the click's time" grep -qwF -- "${SAVED##*/}" <<<"$names"
}

# Opens the named text dialog with Image2; DIALOG is its window. The Linux build gives the
# dialog the keyboard; Wine leaves that to the window manager, which the tests' openbox does not.
open_dialog() {
  app_click "${IMAGE2[@]}"
  DIALOG=$(e2e_wait_window '^Clipnest v1\.0$') || { e2e_fail "the dialog did not open"; return 1; }
  [ "$APP_PLATFORM" = windows ] && xdotool windowactivate --sync "$DIALOG" >/dev/null 2>&1
  for _ in $(seq 1 20); do [ "$(xdotool getactivewindow)" = "$DIALOG" ] && break; sleep 0.1; done
  sleep 0.3
}
dialog_gone() {
  for _ in $(seq 1 30); do
    [ -z "$(xdotool search --onlyvisible --name '^Clipnest v1\.0$' 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}
# name_and_enter NAME: types the name into the dialog and presses Enter; MARK counts the cues
# before Enter.
name_and_enter() {
  xdotool type --delay 60 "$1"
  MARK=$(win_opens_count)
  xdotool key Return
  sleep 0.3
}
# Whether a window with its frame has its centre within 2 pixels of the screen's (an odd size
# cannot do better than half a pixel each way). Wine draws the frame into its window; openbox
# puts one around the Linux build's.
centred() {
  local position size left=0 right=0 top=0 bottom=0 x y
  read -r position size <<<"$(win_geometry "$1")"
  [ "$APP_PLATFORM" = linux ] && IFS=', ' read -r left right top bottom \
    <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //')"
  x=$((${position%,*} - left + (${size%x*} + left + right) / 2 - 640))
  y=$((${position#*,} - top + (${size#*x} + top + bottom) / 2 - 400))
  [ "${x#-}" -le 2 ] && [ "${y#-}" -le 2 ]
}

scenario_text_save() {
  app_scenario text-save
  app_start || return 0
  local text=$'Привет, мир! Ёлка\nвторая строка' saved mark
  win_clipboard_text "$text"
  mark=$(win_opens_count)
  stamped_save "${IMAGE1[@]}" Text- .txt || return 0
  e2e_check "the text is written in Windows-1251 with CR LF" holds_text "$SAVED" "$text"
  e2e_check "with the SaveTxt1 cue" cue_played SaveTxt1 "$mark"

  # Another program serves 10 MB in pieces (INCR).
  rm "$SAVED"
  for i in $(seq 1 320000); do echo "Строка $i текста"; done >"$E2E_TMP/big.txt"
  win_clipboard_file UTF8_STRING "$E2E_TMP/big.txt"
  app_click "${IMAGE1[@]}"
  saved=$(win_wait_file "$APP_DIR/Clips/Text-*.txt" 10) || saved=/none
  ansi_save <"$E2E_TMP/big.txt" >"$E2E_TMP/big-saved"
  e2e_check "$(stat -c %s "$E2E_TMP/big.txt") bytes of clipboard text arrive whole" \
    holds "$saved" "$E2E_TMP/big-saved"
  win_clipboard_stop
  app_stop
}

scenario_picture_save() {
  app_scenario picture-save
  app_start || return 0
  local mark saved
  win_clipboard_text 'только текст'
  mark=$(win_opens_count)
  app_click "${IMAGE3[@]}"
  sleep 1
  e2e_equal "a text-only clipboard writes no picture" "" "$(clips)"
  e2e_check "and plays the Error cue" cue_played Error "$mark"

  # Red with a blue 10 x 10 corner and one green pixel at the far corner.
  convert -size 40x30 xc:red -fill blue -draw 'rectangle 0,0 9,9' -fill lime \
    -draw 'point 39,29' "$E2E_TMP/small.png"
  app_offer_picture "$E2E_TMP/small.png"
  mark=$(win_opens_count)
  stamped_save "${IMAGE3[@]}" Sc- .bmp || return 0
  e2e_check "the picture is written as a BMP of its pixels" \
    same_pixels "$E2E_TMP/small.png" "$SAVED"
  e2e_equal "a 40 x 30 BMP" "BM 40x30" \
    "$(head -c 2 "$SAVED") $(identify -format '%wx%h' "$SAVED")"
  e2e_check "with the SaveScr cue" cue_played SaveScr "$mark"

  rm "$SAVED"
  convert -size 3840x2160 xc: +noise Random -depth 8 "PNG24:$E2E_TMP/large.png"
  app_offer_picture "$E2E_TMP/large.png"
  app_click "${IMAGE3[@]}"
  saved=$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp" 10) || saved=/none
  e2e_check "a 3840 x 2160 picture arrives whole" same_pixels "$E2E_TMP/large.png" "$saved"
  win_clipboard_stop
  app_stop
}

scenario_named_text_dialog() {
  app_scenario named
  app_start || return 0
  local text=$'Первая строка\nвторая' mark first state
  win_clipboard_text "$text"
  mark=$(win_opens_count)
  open_dialog || return 0
  e2e_check "the dialog is centred on the screen" centred "$DIALOG"
  state=$(xprop -id "$DIALOG" _NET_WM_STATE)
  e2e_check "it stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$state"
  e2e_check "it has no taskbar entry" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state"
  if [ "$APP_PLATFORM" = linux ]; then
    e2e_equal "its client area is 254 x 82" 254x82 "$(win_geometry "$DIALOG" | cut -d' ' -f2)"
    e2e_check "it takes the keyboard" test "$(xdotool getactivewindow)" = "$DIALOG"
  fi
  e2e_check "opening it plays the Settings cue" cue_played Settings "$mark"
  # A click on the panel in the middle of the typing saves and leaves the keyboard where it was.
  xdotool type --delay 60 rep
  app_click "${IMAGE1[@]}"
  e2e_check "a panel click with the dialog open saves" appears "$APP_DIR/Clips/Text-*.txt"
  name_and_enter ort
  e2e_check "typing report and Enter save the text captured at the opening as report.txt" \
    holds_text "$APP_DIR/Clips/report.txt" "$text"
  e2e_check "and hide the dialog" dialog_gone
  e2e_check "typing plays SaveSettings" cue_played SaveSettings "$mark"
  e2e_check "the save plays SaveTxt2" cue_played SaveTxt2 "$MARK"

  open_dialog || return 0
  xdotool type --delay 60 never
  mark=$(win_opens_count)
  xdotool key Escape
  e2e_check "Escape hides the dialog" dialog_gone
  e2e_check "with the Cancel cue" cue_played Cancel "$mark"

  # The picture button puts the clipboard text into the name box and gives the save button the
  # focus, which Enter then presses.
  win_clipboard_text 'имя'
  open_dialog || return 0
  app_client "$DIALOG" 254 82
  app_dialog_click "${PASTE[@]}"
  xdotool key Return
  e2e_check "the picture button and Enter save under the clipboard text" \
    holds_text "$APP_DIR/Clips/имя.txt" 'имя'
  e2e_check "and hide the dialog" dialog_gone

  # The tab order: the name box, Сохранить, Отмена.
  open_dialog || return 0
  xdotool type --delay 60 tabbed
  xdotool key Tab Tab Return
  e2e_check "Tab, Tab, Enter press Отмена and hide the dialog" dialog_gone

  open_dialog || return 0
  first=$DIALOG
  xdotool type --delay 60 closed
  xdotool key alt+F4  # the close box: the window manager's, or Wine's own
  e2e_check "the close box hides the dialog" dialog_gone
  open_dialog || return 0
  e2e_check "the next opening makes a new window" test "$DIALOG" != "$first"
  name_and_enter again
  e2e_check "whose name box starts empty" appears "$APP_DIR/Clips/again.txt"
  e2e_equal "Escape, Отмена and the close box wrote nothing" \
    "$(cd "$APP_DIR/Clips" && echo Text-*) again.txt report.txt имя.txt" "$(clips)"
  win_clipboard_stop
  app_stop
}

# Foreign things under a typed name. Under Wine each cue's file is opened at its first play only,
# so the silent FIFO comes first.
scenario_foreign_files() {
  app_scenario foreign
  mkfifo "$APP_DIR/Clips/pipe.txt"
  printf %s 'Заметки' | ansi_save >"$APP_DIR/Clips/notes.txt"
  app_start || return 0
  win_clipboard_text 'в трубу'
  open_dialog || return 0
  name_and_enter pipe
  e2e_check "a FIFO under the typed name: the dialog hides at once" dialog_gone
  sleep 0.5
  e2e_check "the failed save is silent" no_cue "$MARK"
  e2e_check "the FIFO is still a FIFO" test -p "$APP_DIR/Clips/pipe.txt"
  win_clipboard_text 'после трубы'
  stamped_save "${IMAGE1[@]}" Text- .txt || return 0
  e2e_check "the panel saves again right after" holds_text "$SAVED" 'после трубы'
  rm "$SAVED"

  win_clipboard_text 'café ☕ 😀'
  open_dialog || return 0
  name_and_enter notes
  printf '\xEF\xBB\xBFЗаметки\r\ncafé ☕ 😀\r\n' >"$E2E_TMP/notes"
  e2e_check "text an ANSI file cannot hold turns it into UTF-8, old and new lines whole" \
    holds "$APP_DIR/Clips/notes.txt" "$E2E_TMP/notes"
  e2e_check "with the SaveTxt2 cue" cue_played SaveTxt2 "$MARK"
  e2e_equal "no temporary file is left" "notes.txt pipe.txt" "$(clips)"
  win_clipboard_stop
  app_stop
}

# A save folder that does not exist: no file anywhere; the text saves play Error, the picture
# save nothing. Each Error is heard in a run of its own (see foreign_files).
scenario_missing_folder() {
  app_scenario missing SavePath=NoSuchFolder
  app_start || return 0
  local mark
  ls -R "$APP_DIR" >"$E2E_TMP/tree-before"
  convert -size 8x8 xc:white "$E2E_TMP/white.png"
  app_offer_picture "$E2E_TMP/white.png"
  mark=$(win_opens_count)
  app_click "${IMAGE3[@]}"
  sleep 1
  e2e_check "the picture save is silent" no_cue "$mark"
  win_clipboard_text 'текст'
  mark=$(win_opens_count)
  app_click "${IMAGE1[@]}"
  sleep 1
  e2e_check "the timestamped text save plays Error" cue_played Error "$mark"
  app_stop
  app_start || return 0
  open_dialog || return 0
  name_and_enter name
  e2e_check "the named save hides the dialog" dialog_gone
  sleep 0.5
  e2e_check "and plays Error" cue_played Error "$MARK"
  ls -R "$APP_DIR" >"$E2E_TMP/tree-after"
  e2e_check "no save wrote a file or made the folder" \
    cmp -s "$E2E_TMP/tree-before" "$E2E_TMP/tree-after"
  win_clipboard_stop
  app_stop
}

# Linux reads other programs' clipboards itself (under Wine, Wine's bridge does). A stopped
# xclip keeps the clipboard and never answers.
scenario_owner_that_never_answers() {
  [ "$APP_PLATFORM" = linux ] || return 0
  app_scenario silent-owner
  app_start || return 0
  local mark started waited saved
  win_clipboard_text 'не ответит'
  kill -STOP "$WIN_XCLIP_PID"
  mark=$(win_opens_count)
  app_click "${IMAGE1[@]}"
  # While the panel waits for it, the clipboard changes hands and Image1 is clicked again: that
  # click is handled as soon as the first reading gives up.
  { kill -KILL "$WIN_XCLIP_PID" && wait "$WIN_XCLIP_PID"; } 2>/dev/null || true
  win_clipboard_text 'после молчуна'
  started=$(date +%s%N)
  app_click "${IMAGE1[@]}"
  saved=$(win_wait_file "$APP_DIR/Clips/Text-*.txt" 5) || saved=/none
  waited=$((($(date +%s%N) - started) / 1000000))
  e2e_check "the panel answers again within 2 s (${waited} ms)" test "$waited" -lt 2000
  e2e_check "the silent owner's save wrote nothing; the next one saved" \
    holds_text "$saved" 'после молчуна'
  e2e_equal "no cue for the failed save, SaveTxt1 for the next" SaveTxt1 \
    "$(app_cues_since "$mark" | xargs)"
  win_clipboard_stop
  app_stop
}

app_run text_save picture_save named_text_dialog foreign_files missing_folder \
  owner_that_never_answers
