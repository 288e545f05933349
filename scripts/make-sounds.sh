#!/usr/bin/env bash
# Synthesises the program's sound cues into src/resources/sounds/<Cue>.wav.
# Each cue is a short, quiet tone or two-note chime: 16-bit PCM mono 22050 Hz.
# Re-runnable: existing files are overwritten; output is repeatable (no dither).
set -euo pipefail

SOX=${SOX:-/usr/bin/sox}
OUT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src/resources/sounds"
WORK_DIR="$(mktemp -d)"
trap 'rm -rf "$WORK_DIR"' EXIT
mkdir -p "$OUT_DIR"

FORMAT=(-r 22050 -c 1 -b 16 -e signed-integer)

# note <file> <seconds> <wave> <frequency or sweep>: one tone with its own soft
# attack and release, so joined notes do not click at the seams.
note() {
    local file=$1 seconds=$2 wave=$3 freq=$4
    "$SOX" -D -R -n "${FORMAT[@]}" "$file" synth "$seconds" "$wave" "$freq" \
        fade q 0.006 "$seconds" "$(awk "BEGIN { print $seconds * 0.6 }")"
}

# cue <name> <note>...: each note is "seconds wave freq"; the notes are
# played one after another, then the whole cue is turned down and faded.
cue() {
    local name=$1
    shift
    local parts=() index=0 tone
    for tone in "$@"; do
        # shellcheck disable=SC2086 # the note is deliberately split into words
        note "$WORK_DIR/$name-$index.wav" $tone
        parts+=("$WORK_DIR/$name-$index.wav")
        index=$((index + 1))
    done
    "$SOX" -D -R "${parts[@]}" "${FORMAT[@]}" "$OUT_DIR/$name.wav" \
        gain -12 fade q 0.004 -0 0.02
}

# Rising chimes for things that start, falling ones for things that end.
cue Load "0.10 sine C5" "0.20 sine G5"
cue SaveTxt1 "0.07 sine G5" "0.13 sine C6"
cue SaveTxt2 "0.07 sine A5" "0.07 sine C6" "0.12 sine E6"
cue SaveScr "0.05 triangle E6" "0.05 triangle E6" "0.12 triangle B6"
cue Error "0.35 sine 330/150"
cue Settings "0.08 triangle D5" "0.14 triangle A5"
cue LoadNotepad "0.08 sine E5" "0.14 sine B5"
cue LoadPaint "0.08 triangle F5" "0.14 triangle C6"
cue LoadCalc "0.05 sine C6" "0.05 sine C6" "0.10 sine G6"
cue Exit "0.10 sine G5" "0.22 sine C5"
cue Invisible "0.16 sine 880/440"
cue Visible "0.16 sine 440/880"
cue Check "0.08 sine E6"
cue Cancel "0.07 triangle E5" "0.12 triangle C5"
cue SaveSettings "0.07 sine C5" "0.07 sine E5" "0.16 sine G5"
cue DefColors "0.08 triangle D6" "0.08 triangle B5" "0.14 triangle G5"
