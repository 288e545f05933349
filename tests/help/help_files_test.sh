#!/usr/bin/env bash
# The help files of a portable folder: Help.chm read back by libchm (not the compiler's tools),
# Help.html checked the way a browser follows its links, the two holding the same text, and a
# fresh run of scripts/make-help.sh giving the same bytes: help_files_test.sh PORTABLE_FOLDER
set -uo pipefail
export LC_ALL=C
chm=${1:?usage: help_files_test.sh PORTABLE_FOLDER}/Help.chm html=$1/Help.html
work=$(mktemp -d) failures=0
trap 'rm -rf "$work"' EXIT
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi; }
not_utf8() { ! iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; }
# The text a reader sees: tags dropped, white space squeezed.
visible_text() { tr '\n' ' ' | sed -e 's/<[^>]*>//g' -e 's/[[:space:]]\{1,\}/ /g' -e 's/^ //' -e 's/ $//'; }

check "Help.chm starts with ITSF and is marked Russian (0x419)" \
  [ "$(head -c 4 "$chm") $(od -An -tx1 -j20 -N4 "$chm" | tr -d ' ')" = "ITSF 19040000" ]
extract_chmLib "$chm" "$work/chm" >/dev/null
mapfile -t pages < <(iconv -f WINDOWS-1251 -t UTF-8 "$work/chm/contents.hhc" |
  sed -n 's/.*name="Local" value="\([^"#]*\)".*/\1/p')
check "the contents list the pages" [ "${#pages[@]}" -ge 5 ]
check "Help.html is UTF-8" iconv -f UTF-8 -t UTF-8 -o /dev/null "$html"
html_text=$(visible_text <"$html")
for page in "${pages[@]}"; do
  file=$work/chm/$page
  check "$page is in Help.chm, declares windows-1251" grep -q '<meta charset="windows-1251">' "$file" || continue
  # Russian text in windows-1251 is never valid UTF-8: a page left in UTF-8 would be garbled.
  check "$page is stored in windows-1251" not_utf8 "$file"
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
check "Help.html needs no other file" [ -z "$(grep -o -E '(src|href)="[^"]*"' "$html" |
  grep -v -E '^(src="data:image/|href="(#|https?://|mailto:))')" ]
check "a fresh run of scripts/make-help.sh gives the same files, byte for byte" bash -c \
  'bash "$0/scripts/make-help.sh" "$1/again" >/dev/null && cmp "$2" "$1/again/Help.chm" && cmp "$3" "$1/again/Help.html"' \
  "$(cd "$(dirname "$0")/../.." && pwd)" "$work" "$chm" "$html"
echo "$failures failed" && [ "$failures" -eq 0 ]
