#!/usr/bin/env bash
# The saves of the Linux build: the timestamped text save, the picture save and the named text
# dialog, with the clipboard served by other X clients. Run after building the `linux` preset.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

APP="$E2E_ROOT/out/linux/Clipnest"
[ -x "$APP/clipnest" ] || { echo "no $APP/clipnest: build the linux preset first"; exit 1; }
export LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
locale -a | grep -qix 'ru_RU.utf8' || { echo "the ru_RU.UTF-8 locale is missing"; exit 1; }

# The panel is placed at 100,100; its buttons' centres, in screen pixels.
IMAGE1="111 111"
IMAGE2="127 111"
IMAGE3="143 111"


# start_program DIR SAVE_PATH: runs the program from inside its folder with sounds on, its cues
# watched; sets PID and CUES (the log of the wave files opened).
start_program() {
  local dir=$1 save_path=$2
  e2e_write_settings "$dir" Left=1500 Top=1500 "SavePath=$save_path" BorderColor=8421504 \
    MainColor=15790320 HotPrintScreen=0 Sounds=1 Transparent=0 TransparentValue=255
  CUES="$dir.cues"
  inotifywait -m -e open "$dir/Sounds" >"$CUES" 2>/dev/null &
  E2E_PIDS+=("$!")
  sleep 0.5
  (cd "$dir" && exec ./clipnest >>"$E2E_TMP/program.log" 2>&1) &
  PID=$!
  E2E_PIDS+=("$PID")
  e2e_wait_pid_window "$PID" 10 >/dev/null || { echo "the panel did not show"; exit 1; }
  sleep 0.3
}

click() { xdotool mousemove $1 $2 click 1; }
stamp() { date +%d.%m.%Y-%H.%M.%S; }
# The cues opened since the log was last cleared, in order.
cues_heard() { sed -n 's/.* OPEN \(.*\)\.wav$/\1/p' "$CUES" | tr '\n' ' ' | sed 's/ $//'; }
clear_cues() { : >"$CUES"; }

# wait_for_file PATTERN...: the first existing file of the patterns within 5 s.
wait_for_file() {
  local path
  for _ in $(seq 1 50); do
    for path in "$@"; do [ -e "$path" ] && { printf '%s\n' "$path"; return 0; }; done
    sleep 0.1
  done
  return 1
}

# A stamped save by a click: the file named from the time just before or just after the click.
# stamped_save BUTTON FOLDER PREFIX EXTENSION; prints the path.
stamped_save() {
  local button=$1 folder=$2 prefix=$3 extension=$4 before after
  before=$(stamp)
  click $button
  sleep 0.2
  after=$(stamp)
  wait_for_file "$folder/$prefix$before$extension" "$folder/$prefix$after$extension"
}

# wait_for_new_file FOLDER PREFIX: the first file whose name starts with PREFIX, within 5 s.
wait_for_new_file() {
  local found
  for _ in $(seq 1 50); do
    found=$(find "$1" -maxdepth 1 -name "$2*" | head -n 1)
    [ -n "$found" ] && { printf '%s\n' "$found"; return 0; }
    sleep 0.1
  done
  return 1
}

same_bytes() { cmp -s "$1" "$2"; }
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
pixel() { convert "$1" -format "%[pixel:p{$2}]" info:; }

e2e_begin
e2e_wait_window_manager || { echo "no window manager"; exit 1; }
run=$(e2e_fresh_copy "$APP" saves)
clips="$run/Clips"
start_program "$run" Clips

echo "== timestamped text save"
printf 'Привет, мир!\nВторая строка' | xclip -selection clipboard
clear_cues
if saved=$(stamped_save "$IMAGE1" "$clips" Text- .txt); then
  { printf 'Привет, мир!\nВторая строка' | iconv -f UTF-8 -t WINDOWS-1251; printf '\r\n'; } \
    >"$E2E_TMP/expected.txt"
  e2e_check "the Cyrillic text is written in Windows-1251 with CR LF ($(basename "$saved"))" \
    same_bytes "$E2E_TMP/expected.txt" "$saved"
  sleep 0.3
  e2e_equal "the SaveTxt1 cue plays" SaveTxt1 "$(cues_heard)"
else
  e2e_fail "no Text-<timestamp>.txt after clicking Image1"
fi

# large_save BUTTON PREFIX: clicks the button and prints the file that appears, logging its time.
large_save() {
  local started saved
  rm -f "$clips/$2"*
  started=$(date +%s%N)
  click $1
  # The name is stamped after the clipboard is read, which takes a moment here.
  saved=$(wait_for_new_file "$clips" "$2") || return 1
  sleep 1
  e2e_log "saved in about $((($(date +%s%N) - started) / 1000000 - 1000)) ms" >&2
  printf '%s\n' "$saved"
}

echo "== 10 MB of text in pieces"
for i in $(seq 1 320000); do echo "Строка $i текста"; done >"$E2E_TMP/big.txt"
xclip -selection clipboard <"$E2E_TMP/big.txt"
if saved=$(large_save "$IMAGE1" Text-); then
  { iconv -f UTF-8 -t WINDOWS-1251 <"$E2E_TMP/big.txt"; printf '\r\n'; } >"$E2E_TMP/big-1251.txt"
  e2e_check "$(stat -c %s "$E2E_TMP/big.txt") bytes of clipboard text arrive whole" \
    same_bytes "$E2E_TMP/big-1251.txt" "$saved"
else
  e2e_fail "no file after clicking Image1 with 10 MB on the clipboard"
fi

echo "== picture save"
# Red with a blue 10 x 10 corner and one green pixel at the far corner.
convert -size 40x30 xc:red -fill blue -draw 'rectangle 0,0 9,9' -fill lime \
  -draw 'point 39,29' "$E2E_TMP/small.png"
xclip -selection clipboard -t image/png -i "$E2E_TMP/small.png"
clear_cues
if saved=$(stamped_save "$IMAGE3" "$clips" Sc- .bmp); then
  sleep 0.3
  e2e_equal "the PNG is written as a 40 x 30 BMP" "BMP3 40x30" \
    "$(identify -format '%m %wx%h' "$saved")"
  e2e_equal "its pixels are the clipboard's" "srgb(0,0,255) srgb(255,0,0) srgb(0,255,0)" \
    "$(pixel "$saved" 0,0) $(pixel "$saved" 20,20) $(pixel "$saved" 39,29)"
  e2e_equal "every pixel matches" 0 "$(differing_pixels "$E2E_TMP/small.png" "$saved")"
  e2e_equal "the SaveScr cue plays" SaveScr "$(cues_heard)"
else
  e2e_fail "no Sc-<timestamp>.bmp after clicking Image3"
fi

echo "== a 3840 x 2160 picture in pieces"
convert -size 3840x2160 xc: +noise Random -depth 8 "PNG24:$E2E_TMP/large.png"
xclip -selection clipboard -t image/png -i "$E2E_TMP/large.png"
if saved=$(large_save "$IMAGE3" Sc-); then
  e2e_equal "the $(stat -c %s "$E2E_TMP/large.png")-byte PNG arrives whole" 0 \
    "$(differing_pixels "$E2E_TMP/large.png" "$saved")"
else
  e2e_fail "no file after clicking Image3 with a 3840 x 2160 picture"
fi

echo "== picture save with only text on the clipboard"
printf 'text only' | xclip -selection clipboard
rm -f "$clips"/Sc-*
clear_cues
click $IMAGE3
sleep 0.8
e2e_equal "no picture file is written" "" "$(ls "$clips" | grep '^Sc-' || true)"
e2e_equal "the Error cue plays" Error "$(cues_heard)"

echo "== named text save"
# The visible named text dialog of the program, if any.
find_dialog() {
  local window
  for window in $(xdotool search --onlyvisible --pid "$PID" 2>/dev/null || true); do
    [ "$(xdotool getwindowname "$window")" = "Clipnest v1.0" ] && { printf '%s\n' "$window"; return 0; }
  done
  return 1
}
# open_dialog: clicks Image2 and waits for the dialog to show and take the focus; sets DIALOG,
# DX, DY (its client's upper-left corner).
open_dialog() {
  DIALOG=
  click $IMAGE2
  for _ in $(seq 1 30); do DIALOG=$(find_dialog) && break; sleep 0.1; done
  [ -n "$DIALOG" ] || return 1
  for _ in $(seq 1 20); do [ "$(xdotool getactivewindow)" = "$DIALOG" ] && break; sleep 0.1; done
  DX=$(xwininfo -id "$DIALOG" | awk '/Absolute upper-left X/ {print $NF}')
  DY=$(xwininfo -id "$DIALOG" | awk '/Absolute upper-left Y/ {print $NF}')
}
dialog_hidden() { ! find_dialog >/dev/null; }
ansi_line() { { printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1251; printf '\r\n'; } >"$2"; }

cat >"$E2E_TMP/close_window.c" <<'C'
/* Asks a window to close, as a window manager's close box does (WM_DELETE_WINDOW). */
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
  Display* display = XOpenDisplay(NULL);
  if (!display || argc < 2) return 1;
  XEvent event = {0};
  event.xclient.type = ClientMessage;
  event.xclient.window = strtoul(argv[1], NULL, 0);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return 0;
}
C
cc -o "$E2E_TMP/close_window" "$E2E_TMP/close_window.c" -lX11 ||
  { echo "cannot build the X helpers (cc, libx11-dev)"; exit 1; }

printf 'Именованный текст' | xclip -selection clipboard
clear_cues
if open_dialog; then
  e2e_equal "the dialog is 254 x 82" "254x82" \
    "$(xwininfo -id "$DIALOG" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h}')"
  e2e_check "the dialog stays above other windows" \
    grep -q _NET_WM_STATE_ABOVE <(xprop -id "$DIALOG" _NET_WM_STATE)
  xdotool type --delay 60 report
  sleep 0.3
  xdotool key Return
  sleep 0.5
  ansi_line 'Именованный текст' "$E2E_TMP/named.txt"
  e2e_check "typing report and Enter saves report.txt" same_bytes "$E2E_TMP/named.txt" \
    "$clips/report.txt"
  e2e_check "the dialog is hidden after the save" dialog_hidden
  e2e_equal "cues: Settings, SaveSettings for each of 6 letters, SaveTxt2" \
    "Settings SaveSettings SaveSettings SaveSettings SaveSettings SaveSettings SaveSettings SaveTxt2" \
    "$(cues_heard)"
else
  e2e_fail "the named text dialog did not show"
fi

printf 'pasted-name' | xclip -selection clipboard
if open_dialog; then
  # The picture button (56,52 25x25) puts the clipboard text into the name box and moves the
  # focus to the save button, which Enter then chooses.
  xdotool mousemove $((DX + 68)) $((DY + 64)) click 1
  sleep 0.3
  xdotool key Return
  sleep 0.5
  printf 'pasted-name\r\n' >"$E2E_TMP/pasted.txt"
  e2e_check "the picture button's name, saved by Enter on the focused save button" \
    same_bytes "$E2E_TMP/pasted.txt" "$clips/pasted-name.txt"
  e2e_check "the dialog is hidden after that save" dialog_hidden
else
  e2e_fail "the named text dialog did not show again"
fi

if open_dialog; then
  xdotool type --delay 60 never
  clear_cues
  xdotool key Escape
  sleep 0.5
  e2e_check "Escape hides the dialog" dialog_hidden
  e2e_equal "Escape plays the Cancel cue and saves nothing" "Cancel" \
    "$(cues_heard; ls "$clips" | grep '^never' || true)"
else
  e2e_fail "the named text dialog did not show a third time"
fi

if open_dialog; then
  xdotool type --delay 60 closed
  # What the window manager sends when the close box is clicked (the harness's openbox has no
  # mouse bindings, so its title-bar buttons do nothing).
  "$E2E_TMP/close_window" "$DIALOG"
  sleep 0.5
  e2e_check "the close box hides the dialog" dialog_hidden
  printf 'after closing' | xclip -selection clipboard
  if open_dialog; then
    xdotool type --delay 60 reopened
    xdotool key Return
    sleep 0.5
    printf 'after closing\r\n' >"$E2E_TMP/reopened.txt"
    e2e_check "the dialog opens afresh after the close box and saves" \
      same_bytes "$E2E_TMP/reopened.txt" "$clips/reopened.txt"
    e2e_equal "the name typed before the close box is gone" "" \
      "$(ls "$clips" | grep '^closed' || true)"
  else
    e2e_fail "the named text dialog did not open after its close box"
  fi
else
  e2e_fail "the named text dialog did not show a fourth time"
fi

echo "== text an ANSI file cannot hold, saved into it by name"
ansi_line 'Заметки' "$clips/notes.txt"
printf 'café ☕ 😀' | xclip -selection clipboard
if open_dialog; then
  xdotool type --delay 60 notes
  clear_cues
  xdotool key Return
  sleep 0.5
  { printf '\xEF\xBB\xBFЗаметки\r\n'; printf 'café ☕ 😀\r\n'; } >"$E2E_TMP/notes-utf8.txt"
  e2e_check "the ANSI file becomes UTF-8 with its mark, old line and new line whole" \
    same_bytes "$E2E_TMP/notes-utf8.txt" "$clips/notes.txt"
  e2e_equal "the save plays SaveTxt2" SaveTxt2 "$(cues_heard)"
  e2e_equal "no temporary file is left" "" "$(ls -A "$clips" | grep '^\.' || true)"
else
  e2e_fail "the named text dialog did not show for notes"
fi

echo "== a FIFO under the typed name"
mkfifo "$clips/pipe.txt"
printf 'into the pipe' | xclip -selection clipboard
if open_dialog; then
  xdotool type --delay 60 pipe
  clear_cues
  xdotool key Return
  sleep 0.5
  e2e_check "the dialog hides at once" dialog_hidden
  e2e_equal "the failed save is silent" "" "$(cues_heard)"
  e2e_check "the FIFO is still a FIFO" test -p "$clips/pipe.txt"
  rm -f "$clips"/Text-*
  printf 'after the pipe' | xclip -selection clipboard
  click $IMAGE1
  if saved=$(wait_for_new_file "$clips" Text-); then
    printf 'after the pipe\r\n' >"$E2E_TMP/after-pipe.txt"
    e2e_check "the panel saves again right after" same_bytes "$E2E_TMP/after-pipe.txt" "$saved"
  else
    e2e_fail "the panel saved nothing after the FIFO"
  fi
else
  e2e_fail "the named text dialog did not show for the FIFO"
fi

echo "== an owner that never answers"
cat >"$E2E_TMP/silent_owner.c" <<'C'
/* Takes the clipboard and never answers a request for it. */
#include <X11/Xlib.h>
#include <stdio.h>
int main(void) {
  Display* display = XOpenDisplay(NULL);
  if (!display) return 1;
  Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  XSetSelectionOwner(display, clipboard, window, CurrentTime);
  if (XGetSelectionOwner(display, clipboard) != window) return 2;
  puts("owner");
  fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
  }
}
C
if cc -o "$E2E_TMP/silent_owner" "$E2E_TMP/silent_owner.c" -lX11 2>/dev/null; then
  "$E2E_TMP/silent_owner" >"$E2E_TMP/owner.log" &
  owner=$!
  E2E_PIDS+=("$owner")
  for _ in $(seq 1 20); do grep -q owner "$E2E_TMP/owner.log" && break; sleep 0.1; done
  rm -f "$clips"/Text-*
  clear_cues
  click $IMAGE1
  # While the panel waits for the silent owner, the clipboard changes hands and Image1 is
  # clicked again: that click is handled as soon as the first reading gives up.
  sleep 0.2
  kill "$owner"
  printf 'after the silent owner' | xclip -selection clipboard
  started=$(date +%s%N)
  click $IMAGE1
  if saved=$(wait_for_new_file "$clips" Text-); then
    waited=$((($(date +%s%N) - started) / 1000000))
    e2e_check "the panel answers again within 2 s (${waited} ms)" test "$waited" -lt 2000
    printf 'after the silent owner\r\n' >"$E2E_TMP/after.txt"
    e2e_check "the silent owner's save wrote nothing; the next one saved" \
      same_bytes "$E2E_TMP/after.txt" "$saved"
    e2e_equal "no cue for the failed save, SaveTxt1 for the next" SaveTxt1 "$(cues_heard)"
  else
    e2e_fail "the panel saved nothing after the silent owner"
  fi
else
  e2e_fail "cannot build the silent clipboard owner (cc, libx11-dev)"
fi
kill "$PID" 2>/dev/null || true

echo "== a missing save folder"
run=$(e2e_fresh_copy "$APP" missing)
start_program "$run" NoSuchFolder
printf 'текст' | xclip -selection clipboard
clear_cues
click $IMAGE1
sleep 0.6
e2e_equal "the text save writes no file" "" "$(find "$run" -name '*.txt' -o -name 'Text-*')"
e2e_equal "the text save plays the Error cue" Error "$(cues_heard)"
xclip -selection clipboard -t image/png -i "$E2E_TMP/small.png"
clear_cues
click $IMAGE3
sleep 0.6
e2e_equal "the picture save writes no file" "" "$(find "$run" -name '*.bmp')"
e2e_equal "the picture save plays no cue" "" "$(cues_heard)"
kill "$PID" 2>/dev/null || true

e2e_summary
