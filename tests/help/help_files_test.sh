#!/usr/bin/env bash
# The help files of a portable folder: Help.chm read back by libchm (extract_chmLib, not the
# compiler's own tools), Help.html checked the way a browser follows its links, the two holding
# the same text, and a fresh run of scripts/make-help.sh giving the same bytes.
# Usage: tests/help/help_files_test.sh PORTABLE_FOLDER
set -uo pipefail
export LC_ALL=C
folder=${1:?usage: help_files_test.sh PORTABLE_FOLDER}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
chm=$folder/Help.chm
html=$folder/Help.html
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
check() {  # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
is_utf8() { iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; }
is_not_utf8() { ! is_utf8 "$1"; }
# The text a reader sees: tags dropped, white space squeezed.
visible_text() {
  tr '\n' ' ' | sed -e 's/<[^>]*>//g' -e 's/[[:space:]]\{1,\}/ /g' -e 's/^ //' -e 's/ $//'
}
bytes_at() { od -An -tx1 -j"$2" -N"$3" "$1" | tr -d ' \n'; }

check "Help.chm starts with ITSF" [ "$(head -c 4 "$chm")" = ITSF ]
check "Help.chm is marked Russian (0x419)" [ "$(bytes_at "$chm" 20 4)" = 19040000 ]
extract_chmLib "$chm" "$work/chm" >/dev/null
mapfile -t pages < <(iconv -f WINDOWS-1251 -t UTF-8 "$work/chm/contents.hhc" |
  sed -n 's/.*name="Local" value="\([^"#]*\)".*/\1/p')
check "the contents list the pages" [ "${#pages[@]}" -ge 5 ]

check "Help.html is UTF-8" is_utf8 "$html"
html_text=$(visible_text <"$html")
for page in "${pages[@]}"; do
  file=$work/chm/$page
  check "$page is in Help.chm" [ -f "$file" ] || continue
  check "$page declares windows-1251" grep -q '<meta charset="windows-1251">' "$file"
  # Russian text in windows-1251 is never valid UTF-8: a page left in UTF-8 would be garbled.
  check "$page is stored in windows-1251" is_not_utf8 "$file"
  text=$(iconv -f WINDOWS-1251 -t UTF-8 "$file" | sed -n '/<body>/,/<\/body>/p' | visible_text)
  check "$page reads the same in Help.html" grep -qF -- "$text" <<<"$html_text"
done

# Every link within Help.html lands on an element, no id is given twice, and nothing outside
# the file is needed: pictures are inlined, other links go to the web page or the mailbox.
ids=$(grep -o ' id="[^"]*"' "$html" | sed 's/ id="\(.*\)"/\1/' | sort)
check "Help.html gives no id twice" [ -z "$(uniq -d <<<"$ids")" ]
while read -r target; do
  check "Help.html has #$target" grep -qxF -- "$target" <<<"$ids"
done < <(grep -o 'href="#[^"]*"' "$html" | sed 's/href="#\(.*\)"/\1/' | sort -u)
outside=$(grep -o -E '(src|href)="[^"]*"' "$html" |
  grep -v -E '^(src="data:image/|href="(#|https?://|mailto:))')
check "Help.html needs no other file" [ -z "$outside" ]

if bash "$root/scripts/make-help.sh" "$work/again"; then
  check "a fresh run gives the same Help.chm, byte for byte" cmp "$chm" "$work/again/Help.chm"
  check "a fresh run gives the same Help.html, byte for byte" cmp "$html" "$work/again/Help.html"
else
  check "scripts/make-help.sh runs" false
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
