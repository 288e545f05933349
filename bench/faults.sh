#!/usr/bin/env bash
# The Linux program against faults from outside: settings writes cut by kill -9, ten copies
# started at once, a 100 MB clipboard text, a clipboard owner that never answers, and pictures
# too large or cut short on the clipboard. Prints a figure for each and exits non-zero when one
# is wrong. WRITES=1000 sets the number of cut writes, TEXT_MB=100 the size of the text.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
writes=${WRITES:-1000}
text_bytes=$((${TEXT_MB:-100} * 1048576))
app="$root/out/linux/Clipnest"
cutter="$root/build/linux/bench/cut_writes"
[ -x "$app/clipnest" ] && [ -x "$cutter" ] || { echo "build the linux preset first"; exit 1; }
locale -a | grep -qix 'ru_RU.utf8' || { echo "the ru_RU.UTF-8 locale is missing"; exit 1; }
export LC_ALL=C
source "$root/bench/harness.sh"
e2e_begin
wrong=0
bad() { echo "WRONG: $*"; wrong=$((wrong + 1)); }

folder=$(e2e_fresh_copy "$app" faults)
# The panel at 100,100 pixels (1500 twips); its buttons' centres on the screen.
IMAGE1="111 111"
IMAGE3="143 111"
IMAGE7="208 112"
{
  printf '[Setup]\r\n'
  printf '%s\r\n' Left=1500 Top=1500 SavePath=Clips BorderColor=8421504 MainColor=15790320 \
    HotPrintScreen=0 Sounds=0 Transparent=0 TransparentValue=255
} >"$folder/Settings.ini"
program=""
start() {
  (cd "$folder" && LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 exec ./clipnest >>"$E2E_TMP/program.log" 2>&1) &
  program=$!
  E2E_PIDS+=("$program")
  e2e_wait_pid_window "$program" 10 >/dev/null
}
stop() { kill -9 "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; }
peak() { awk '/^VmHWM/ { printf "%.0f MiB", $2 / 1024 }' "/proc/$program/status"; }
alive() { kill -0 "$program" 2>/dev/null; }
# Whether the panel answers a click: its settings dialog opens within 5 s, and closes again.
answers() {
  xdotool mousemove $IMAGE7 click 1
  local dialog
  dialog=$(e2e_wait_window '^Clipnest v1\.0 .' 5) || return 1
  answered=$(date +%s%N)  # the dialog shows: the click was answered
  xdotool windowactivate --sync "$dialog" key alt+F4 2>/dev/null || true
  for _ in $(seq 1 30); do xwininfo -id "$dialog" >/dev/null 2>&1 || return 0; sleep 0.1; done
  xwininfo -id "$dialog" | grep -q IsUnMapped
}

# 1. Settings writes cut at random moments, through the program's own store. The file carries
# 2,000 more keys, so that a write takes long enough to be cut in its middle. The next start of
# the program clears the temporaries that the cut writes left.
settings="$folder/Settings.ini"
cp "$settings" "$E2E_TMP/settings"
for i in $(seq 1 2000); do printf 'Padding%04d=Съешь же ещё этих мягких булок\r\n' "$i"; done |
  iconv -f UTF-8 -t WINDOWS-1251 >>"$settings"
started=$SECONDS
"$cutter" "$settings" "$writes" || bad "a cut write left a broken settings file"
echo "  ($((SECONDS - started)) s)"
cp "$E2E_TMP/settings" "$settings"
start || bad "the program did not start after the cut writes"
stale=$(ls -A "$folder" | grep -c '^\.clipnest-' || true)
echo "  temporaries left after the next start of the program: $stale"
[ "$stale" -eq 0 ] || bad "a start left the temporaries of cut writes"
stop

# 2. Ten copies started at the same moment leave one panel; after kill -9 of it, a start works.
pids=()
for _ in $(seq 1 10); do
  (cd "$folder" && LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 exec ./clipnest >>"$E2E_TMP/program.log" 2>&1) &
  pids+=($!)
done
E2E_PIDS+=("${pids[@]}")
# The copies that lose end before they show anything; wait (30 s at most) until they have.
for _ in $(seq 1 60); do
  survivors=() panels=0
  for pid in "${pids[@]}"; do
    kill -0 "$pid" 2>/dev/null && survivors+=("$pid")
    panels=$((panels + $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l || true)))
  done
  [ "${#survivors[@]}" -le 1 ] && [ "$panels" -ge 1 ] && break
  sleep 0.5
done
echo "ten copies at once: ${#survivors[@]} running, $panels panel(s) shown"
[ "${#survivors[@]}" -eq 1 ] && [ "$panels" -eq 1 ] || bad "ten copies did not leave one panel"
for pid in "${survivors[@]}"; do kill -9 "$pid"; done
wait "${pids[@]}" 2>/dev/null || true
start && echo "  the start after kill -9 of it: the panel shows" ||
  bad "no panel after the running copy was killed"

# 3. 100 MB of clipboard text, saved byte for byte in Windows-1251 with the closing line break.
awk -v limit="$text_bytes" 'BEGIN { line = "Съешь же ещё этих мягких французских булок, да выпей чаю"
  for (i = 1; total < limit; i++) { t = "Строка " i ": " line; print t; total += length(t) + 1 } }' \
  >"$E2E_TMP/text.txt"
{ iconv -f UTF-8 -t WINDOWS-1251 <"$E2E_TMP/text.txt"; printf '\r\n'; } >"$E2E_TMP/expected.txt"
# Without -quiet, xclip returns once it holds the clipboard (and serves it until the next offer).
xclip -selection clipboard -i "$E2E_TMP/text.txt" 2>/dev/null
echo 5 >"/proc/$program/clear_refs"
xdotool mousemove $IMAGE1 click 1
saved=""
for _ in $(seq 1 600); do
  saved=$(ls "$folder"/Clips/Text-* 2>/dev/null | head -n 1 || true)
  [ -n "$saved" ] && cmp -s "$saved" "$E2E_TMP/expected.txt" && break
  sleep 0.1
done
if [ -n "$saved" ] && cmp -s "$saved" "$E2E_TMP/expected.txt"; then
  echo "${TEXT_MB:-100} MB text: $(stat -c %s "$saved") bytes saved byte-exact; the program's peak $(peak)"
else bad "the large text was not saved byte-exact (saved: $(ls -l "$folder"/Clips | tail -n +2))"; fi
rm -f "$folder"/Clips/*

# 4. An owner that never answers: the panel answers a click about a second after the save's.
printf 'nothing comes' | xclip -quiet -selection clipboard >/dev/null 2>&1 &
owner=$!
E2E_PIDS+=("$owner")
sleep 0.5
kill -STOP "$owner"
begun=$(date +%s%N)
xdotool mousemove $IMAGE1 click 1
if answers; then
  echo "an owner that never answers: the panel answered the next click" \
    "$(((answered - begun) / 1000000)) ms after the save's click"
else bad "the panel did not answer while the clipboard's owner was silent"; fi
kill -CONT "$owner"; kill "$owner" 2>/dev/null || true

# 5. A 20000 x 20000 picture (a made PNG, 1.2 GB of pixels) and a PNG cut short.
python3 - "$E2E_TMP/huge.png" <<'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
side, row = 20000, b"\0" + b"\xff" * 60000
squeeze = zlib.compressobj(6)
body = b"".join(squeeze.compress(row) for _ in range(side)) + squeeze.flush()
with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", body) + chunk(b"IEND", b""))
PY
convert -size 640x480 plasma:fractal "PNG24:$E2E_TMP/whole.png"
head -c $(($(stat -c %s "$E2E_TMP/whole.png") / 2)) "$E2E_TMP/whole.png" >"$E2E_TMP/cut.png"
for picture in huge cut; do
  xclip -quiet -selection clipboard -t image/png -i "$E2E_TMP/$picture.png" >/dev/null 2>&1 &
  owner=$!
  E2E_PIDS+=("$owner")
  sleep 0.5
  echo 5 >"/proc/$program/clear_refs"
  begun=$(date +%s%N)
  xdotool mousemove $IMAGE3 click 1
  if answers && alive; then
    echo "$picture PNG ($(stat -c %s "$E2E_TMP/$picture.png") bytes) on the clipboard: the panel" \
      "answered after $(((answered - begun) / 1000000)) ms; files saved: $(ls "$folder/Clips" | wc -l);" \
      "the program's peak $(peak)"
  else bad "the $picture PNG crashed or hung the program"; fi
  kill "$owner" 2>/dev/null || true
  rm -f "$folder"/Clips/*
done
stop

[ "$wrong" -eq 0 ] && echo "all faults held" || { echo "$wrong fault(s) not held"; exit 1; }
