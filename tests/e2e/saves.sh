#!/usr/bin/env bash
# The saves of one real program under Russian regional settings: the bytes on disk of the text
# under a timestamp (Image1), of the picture (Image3) and of the text under a typed name (Image2
# and its dialog's window), and large or silent clipboards: tests/e2e/saves.sh linux|windows.
APP_PLATFORM=${1:?usage: saves.sh linux|windows}
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

clips() { LC_ALL=C ls -A "$APP_DIR/Clips" | xargs; }
# holds FILE EXPECTED: FILE gets EXPECTED's bytes within 10 s (a large save takes a moment).
holds() { poll 100 cmp -s "$2" "$1"; }
same_pixels() { poll 50 eval "[ \"\$(compare -metric AE '$1' '$2' null: 2>&1)\" = 0 ]"; }
# An ANSI text save: Windows-1251, then CR LF. Wine's bridge turns each line feed into CR LF.
ansi() { if [ "$APP_PLATFORM" = linux ]; then cat; else perl -pe 's/\n/\r\n/g'; fi | iconv -f UTF-8 -t WINDOWS-1251; printf '\r\n'; }
holds_text() { printf %s "$2" | ansi >"$E2E_TMP/expected"; holds "$1" "$E2E_TMP/expected"; }

# stamped_save X Y PREFIX EXTENSION: SAVED is the file the click wrote, named from its time.
stamped_save() {
  local before=$(date +%s) moment names=""
  app_click "$1" "$2"
  SAVED=$(win_wait_file "$APP_DIR/Clips/$3*$4" 10) || { e2e_fail "no $3*$4 written"; return 1; }
  for moment in $(seq "$before" "$(date +%s)"); do names+=" $3$(date -d "@$moment" +%d.%m.%Y-%H.%M.%S)$4"; done
  e2e_check "${SAVED##*/} is named dd.MM.yyyy-HH.mm.ss from the click's time" grep -qwF -- "${SAVED##*/}" <<<"$names"
}
# Opens the named text dialog; Wine leaves its focus to the window manager, which openbox skips.
open_dialog() {
  app_click 27 11
  DIALOG=$(e2e_wait_search 10 --name '^Clipnest v1\.0$') || { e2e_fail "the dialog did not open"; return 1; }
  [ "$APP_PLATFORM" = linux ] || xdotool windowactivate --sync "$DIALOG" >/dev/null 2>&1
  poll 20 eval '[ "$(xdotool getactivewindow)" = "$DIALOG" ]'; sleep 0.3
}
dialog_gone() { poll 30 eval '[ -z "$(xdotool search --onlyvisible --name "^Clipnest v1\.0$")" ]'; }
enter_name() { xdotool type --delay 60 "$1"; xdotool key Return; sleep 0.3; }
# Whether a window with its frame is centred within 2 pixels (openbox frames the Linux build's
# window; Wine draws its frame inside).
centred() {
  local position size l=0 r=0 t=0 b=0 x y
  read -r position size <<<"$(win_geometry "$1")"
  [ "$APP_PLATFORM" = windows ] || IFS=', ' read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //')"
  x=$((${position%,*} - l + (${size%x*} + l + r) / 2 - 640))
  y=$((${position#*,} - t + (${size#*x} + t + b) / 2 - 400))
  [ "${x#-}" -le 2 ] && [ "${y#-}" -le 2 ]
}

scenario_text_save() {
  app_scenario text
  app_start || return 0
  local text=$'Привет, мир! Ёлка\nвторая строка'
  win_clipboard_text "$text"
  stamped_save 11 11 Text- .txt || return 0
  e2e_check "the text is written in Windows-1251 with CR LF" holds_text "$SAVED" "$text"
  rm "$SAVED"
  seq 320000 | sed 's/.*/Строка & текста/' >"$E2E_TMP/big.txt"
  win_clipboard_file UTF8_STRING "$E2E_TMP/big.txt"  # 10 MB, served in pieces (INCR)
  app_click 11 11
  ansi <"$E2E_TMP/big.txt" >"$E2E_TMP/big-saved"
  e2e_check "10 MB of clipboard text arrive whole" holds "$(win_wait_file "$APP_DIR/Clips/Text-*.txt" 10)" "$E2E_TMP/big-saved"
}

scenario_picture_save() {
  app_scenario picture
  app_start || return 0
  # Red with a blue 10 x 10 corner and one green pixel at the far corner.
  convert -size 40x30 xc:red -fill blue -draw 'rectangle 0,0 9,9' -fill lime -draw 'point 39,29' "$E2E_TMP/small.png"
  app_offer_picture "$E2E_TMP/small.png"
  stamped_save 43 11 Sc- .bmp || return 0
  e2e_check "the picture is written as a BMP of its pixels" same_pixels "$E2E_TMP/small.png" "$SAVED"
  e2e_equal "a 40 x 30 BMP" "BM 40x30" "$(head -c 2 "$SAVED") $(identify -format '%wx%h' "$SAVED")"
  rm "$SAVED"
  convert -size 3840x2160 xc: +noise Random -depth 8 "PNG24:$E2E_TMP/large.png"
  app_offer_picture "$E2E_TMP/large.png"
  app_click 43 11
  e2e_check "a 3840 x 2160 picture arrives whole" same_pixels "$E2E_TMP/large.png" "$(win_wait_file "$APP_DIR/Clips/Sc-*.bmp" 30)"
}

scenario_named_text_dialog() {
  app_scenario named
  app_start || return 0
  local text=$'Первая строка\nвторая'
  win_clipboard_text "$text"
  open_dialog || return 0
  e2e_check "the dialog is centred on the screen" centred "$DIALOG"
  e2e_check "it stays above other windows, off the taskbar" above_untasked "$DIALOG"
  if [ "$APP_PLATFORM" = linux ]; then
    e2e_equal "its client area is 254 x 82" 254x82 "$(win_geometry "$DIALOG" | cut -d' ' -f2)"
    e2e_check "it takes the keyboard" test "$(xdotool getactivewindow)" = "$DIALOG"
  fi
  # A click on the panel in the middle of the typing saves and leaves the keyboard where it was.
  xdotool type --delay 60 rep
  app_click 11 11
  e2e_check "a panel click with the dialog open saves" win_wait_file "$APP_DIR/Clips/Text-*.txt"
  win_clipboard_text 'позже'
  enter_name ort
  e2e_check "typing report and Enter save the text captured at the opening as report.txt" \
    holds_text "$APP_DIR/Clips/report.txt" "$text"
  e2e_check "and hide the dialog" dialog_gone
  e2e_equal "and nothing else is written" "$(cd "$APP_DIR/Clips" && echo Text-*) report.txt" "$(clips)"
}

# Linux reads other programs' clipboards itself (under Wine, Wine's bridge does). A stopped
# xclip keeps the clipboard and never answers.
scenario_owner_that_never_answers() {
  [ "$APP_PLATFORM" = linux ] || return 0
  app_scenario silent-owner
  app_start || return 0
  local started waited
  win_clipboard_text 'не ответит'
  kill -STOP "$WIN_XCLIP_PID"
  app_click 11 11
  # Meanwhile the clipboard changes hands and Image1 is clicked again: that click is handled as
  # soon as the first reading gives up.
  kill -KILL "$WIN_XCLIP_PID"
  win_clipboard_text 'после молчуна'
  started=$(date +%s%N)
  app_click 11 11
  local saved=$(win_wait_file "$APP_DIR/Clips/Text-*.txt") waited=$((($(date +%s%N) - started) / 1000000))
  e2e_check "the panel answers again within 2 s (${waited} ms)" test "$waited" -lt 2000
  e2e_check "the silent owner's save wrote nothing; the next one saved" holds_text "$saved" 'после молчуна'
}

app_run text_save picture_save named_text_dialog owner_that_never_answers
