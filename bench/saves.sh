#!/usr/bin/env bash
# Large clipboard saves through the Linux program beside plain command-line tools on the same
# machine: 10 MB and 100 MB of Cyrillic text to a file (Image1), a 3840 x 2160 picture to a BMP
# (Image3). Each figure runs from the click (or the tool's start) until the file is complete;
# medians of several runs, their ratios and the peak memory of each side (the program's VmHWM,
# the tools' largest process). The parts of the 10 MB text save come from text_save_probe, which
# runs the program's own classes. Goal: each save within 1.5x of its reference.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-5}
app="$root/out/linux/Clipnest"
timer="$root/build/linux/bench/save_timer"
probe="$root/build/linux/bench/text_save_probe"
[ -x "$app/clipnest" ] && [ -x "$timer" ] && [ -x "$probe" ] ||
  { echo "build the linux preset first"; exit 1; }
locale -a | grep -qix 'ru_RU.utf8' || { echo "the ru_RU.UTF-8 locale is missing"; exit 1; }
# The program runs with Russian settings; the script's own numbers stay in the C locale.
export LC_ALL=C
source "$root/bench/harness.sh"
e2e_begin

# The panel at 100,100 (1500 twips); its buttons' centres in screen pixels.
IMAGE1="111 111"
IMAGE3="143 111"

folder=$(e2e_fresh_copy "$app" bench)
clips="$folder/Clips"
{
  printf '[Setup]\r\n'
  printf '%s\r\n' Left=1500 Top=1500 SavePath=Clips BorderColor=8421504 MainColor=15790320 \
    HotPrintScreen=0 Sounds=0 Transparent=0 TransparentValue=255
} >"$folder/Settings.ini"
(cd "$folder" && LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 exec ./clipnest \
  >>"$E2E_TMP/program.log" 2>&1) &
program=$!
E2E_PIDS+=("$program")
e2e_wait_pid_window "$program" 10 >/dev/null || { echo "the panel did not show"; exit 1; }
sleep 0.5

# median [FIELD]: the median of a column of numbers (the first by default).
median() {
  awk -v f="${1:-1}" '{ print $f }' | sort -n |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
mib() { awk -v k="$1" 'BEGIN { printf "%.0f MiB", k / 1024 }'; }

# program_save BUTTON PREFIX SIZE: one save by a click; prints its milliseconds and the
# program's peak memory during the save in KiB (its high-water mark is reset before the click).
program_save() {
  local button=$1 prefix=$2 size=$3 ms
  rm -f "$clips"/*
  xdotool mousemove $button
  sleep 0.3
  echo 5 >"/proc/$program/clear_refs"
  ms=$("$timer" "$clips" "$prefix" "$size" 120 --click)
  echo "$ms $(awk '/^VmHWM/ { print $2 }' "/proc/$program/status")"
}
# reference_save COMMAND: one save by a shell command; prints its milliseconds and peak memory.
reference_save() {
  rm -f "$E2E_TMP"/tool-output.*
  "$timer" - - 0 120 -- sh -c "$1"
}

# measure NAME BUTTON PREFIX SIZE REFERENCE_COMMAND: alternating runs of both, after a warm-up.
measure() {
  local name=$1 button=$2 prefix=$3 size=$4 reference=$5
  program_save "$button" "$prefix" "$size" >/dev/null
  reference_save "$reference" >/dev/null
  : >"$E2E_TMP/program.ms"
  : >"$E2E_TMP/reference.ms"
  for _ in $(seq 1 "$runs"); do
    program_save "$button" "$prefix" "$size" >>"$E2E_TMP/program.ms"
    reference_save "$reference" >>"$E2E_TMP/reference.ms"
    sleep 0.5
  done
  local ours theirs
  ours=$(median <"$E2E_TMP/program.ms")
  theirs=$(median <"$E2E_TMP/reference.ms")
  printf '%-28s clipnest %9.1f ms   reference %9.1f ms   ratio %s\n' "$name" "$ours" "$theirs" \
    "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
  printf '  runs: clipnest %s; reference %s\n' "$(awk '{ printf "%s ", $1 }' "$E2E_TMP/program.ms")" \
    "$(awk '{ printf "%s ", $1 }' "$E2E_TMP/reference.ms")"
  printf '  peak memory: clipnest %s, reference %s\n' "$(mib "$(median 2 <"$E2E_TMP/program.ms")")" \
    "$(mib "$(median 2 <"$E2E_TMP/reference.ms")")"
}

# probe_parts: the parts of the text save of what the clipboard holds, medians of several runs.
probe_parts() {
  : >"$E2E_TMP/parts"
  for _ in $(seq 1 "$runs"); do
    rm -f "$E2E_TMP/probe.txt"
    (cd "$E2E_TMP" && LC_ALL=ru_RU.UTF-8 "$probe" probe.txt) >>"$E2E_TMP/parts"
  done
  printf '  parts (text_save_probe):'
  local field
  for field in 2 4 6 8; do
    printf ' %s %s ms' "$(awk -v f=$((field - 1)) 'NR == 1 { print $f }' "$E2E_TMP/parts")" \
      "$(median $field <"$E2E_TMP/parts")"
  done
  printf '\n'
}

# make_text BYTES FILE: Cyrillic lines, whole lines only, up to BYTES bytes of UTF-8.
make_text() {
  awk -v limit="$1" 'BEGIN {
    line = "Съешь же ещё этих мягких французских булок, да выпей чаю"
    for (i = 1; total < limit; i++) { text = "Строка " i ": " line; print text; total += length(text) + 1 }
  }' >"$2"
}

make_text 10485760 "$E2E_TMP/text.txt"
{ iconv -f UTF-8 -t WINDOWS-1251 <"$E2E_TMP/text.txt"; printf '\r\n'; } >"$E2E_TMP/expected.txt"
text_size=$(stat -c %s "$E2E_TMP/expected.txt")
make_text 104857600 "$E2E_TMP/text100.txt"
{ iconv -f UTF-8 -t WINDOWS-1251 <"$E2E_TMP/text100.txt"; printf '\r\n'; } >"$E2E_TMP/expected100.txt"
text100_size=$(stat -c %s "$E2E_TMP/expected100.txt")

# A photograph-like picture: plasma with fine detail everywhere.
convert -seed 7 -size 3840x2160 plasma:fractal -depth 8 "PNG24:$E2E_TMP/picture.png"
bmp_size=$((54 + 3840 * 3 * 2160))

echo "median of $runs runs each; the program runs under ru_RU.UTF-8"

# xclip keeps serving the clipboard until the next offer; it complains when the display ends.
xclip -selection clipboard -i "$E2E_TMP/text.txt" 2>/dev/null
program_save "$IMAGE1" Text- "$text_size" >/dev/null
cmp -s "$E2E_TMP/expected.txt" "$clips"/Text-* ||
  { echo "the saved text is not the clipboard's in Windows-1251"; exit 1; }
measure "text $(($(stat -c %s "$E2E_TMP/text.txt") / 1024)) KiB UTF-8 -> 1251" "$IMAGE1" Text- \
  "$text_size" "xclip -o -selection clipboard >'$E2E_TMP/tool-output.txt'"
probe_parts
cmp -s "$E2E_TMP/expected.txt" "$E2E_TMP/probe.txt" ||
  { echo "the probe's text is not the clipboard's in Windows-1251"; exit 1; }

xclip -selection clipboard -i "$E2E_TMP/text100.txt" 2>/dev/null
program_save "$IMAGE1" Text- "$text100_size" >/dev/null
cmp -s "$E2E_TMP/expected100.txt" "$clips"/Text-* ||
  { echo "the saved 100 MiB text is not the clipboard's in Windows-1251"; exit 1; }
measure "text 100 MiB UTF-8 -> 1251" "$IMAGE1" Text- "$text100_size" \
  "xclip -o -selection clipboard >'$E2E_TMP/tool-output.txt'"

xclip -selection clipboard -t image/png -i "$E2E_TMP/picture.png" 2>/dev/null
program_save "$IMAGE3" Sc- "$bmp_size" >/dev/null
[ "$(compare -metric AE "$E2E_TMP/picture.png" "$clips"/Sc-* null: 2>&1 || true)" = 0 ] ||
  { echo "the saved picture differs from the clipboard's"; exit 1; }
measure "picture 3840x2160 PNG->BMP" "$IMAGE3" Sc- "$bmp_size" \
  "xclip -o -selection clipboard -t image/png | convert png:- 'bmp:$E2E_TMP/tool-output.bmp'"
