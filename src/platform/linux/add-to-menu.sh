#!/usr/bin/env bash
# Adds Clipnest to this user's application menu. The menu starts the program in this folder,
# where it finds its cues and its save folder: after moving the folder, run this again.
set -euo pipefail

fail() { printf 'add-to-menu.sh: %s\n' "$*" >&2; exit 1; }

folder=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd -P)
data=${XDG_DATA_HOME:-}
[[ $data == /* ]] || data=$HOME/.local/share
applications=$data/applications
icons=$data/icons/hicolor

[ -x "$folder/clipnest" ] || fail "there is no program clipnest in $folder"
# A menu entry is UTF-8 text, one setting a line.
printf '%s' "$folder" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1 ||
  fail "the folder's path is not UTF-8 text: rename or move the folder, then run this again"
[[ $folder != *[[:cntrl:]]* ]] ||
  fail "the folder's path holds a line break or another control character: rename or move the folder, then run this again"

# A text value of a menu entry: a backslash is written twice, and a blank at the end as \s,
# which readers would otherwise drop.
text_value() {
  local value=${1//\\/\\\\}
  [[ $value == *' ' ]] && value="${value% }\\s"
  printf '%s' "$value"
}

# One argument of the command line: in double quotes, with \ " ` $ escaped by a backslash and %
# doubled, then written as any text value (so a backslash in the path becomes four).
command_argument() {
  local value=$1
  value=${value//\\/\\\\}
  value=${value//\"/\\\"}
  value=${value//\`/\\\`}
  value=${value//\$/\\\$}
  value=${value//%/%%}
  text_value "\"$value\""
}

mkdir -p "$applications"
for size in 48 256; do
  mkdir -p "$icons/${size}x$size/apps"
  cp "$folder/clipnest-$size.png" "$icons/${size}x$size/apps/clipnest.png"
done

# The folder's clipnest.desktop with the lines that name this folder; replaced whole, so that a
# menu never reads half an entry.
entry=$(mktemp "$applications/.clipnest.desktop.XXXXXX")
trap 'rm -f "$entry"' EXIT
# GLib's menus look for the program before they turn %% back into %: a path with a % is started
# through env, which they find.
launcher=""
[[ $folder == *%* ]] && launcher="env "
EXEC_LINE="Exec=$launcher$(command_argument "$folder/clipnest")" \
TRY_EXEC_LINE="TryExec=$(text_value "$folder/clipnest")" \
PATH_LINE="Path=$(text_value "$folder")" \
  awk '/^Exec=/ { print ENVIRON["EXEC_LINE"]; print ENVIRON["TRY_EXEC_LINE"]
                  print ENVIRON["PATH_LINE"]; next }
       /^(TryExec|Path)=/ { next }
       { print }' "$folder/clipnest.desktop" >"$entry"
chmod 644 "$entry"
mv -f "$entry" "$applications/clipnest.desktop"
trap - EXIT

echo "Clipnest is in the application menu; it runs from $folder."
echo "To take it out again: $folder/remove-from-menu.sh"
