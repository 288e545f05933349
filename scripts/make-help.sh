#!/usr/bin/env bash
# Builds the help from src/resources/help into OUTPUT_FOLDER:
#   Help.chm  - the pages in windows-1251 with contents and keyword index, compiled by chmcmd
#               (Debian package fp-utils);
#   Help.html - the same pages as one self-contained UTF-8 page, for desktops without a CHM
#               viewer: chapters, contents, keyword index, pictures inlined.
# Usage: scripts/make-help.sh OUTPUT_FOLDER
#
# Both files come out the same, byte for byte, on every run. chmcmd stamps the time of day into
# two header fields, which are set to zero here, and leaves two bytes of a compiled keyword
# index unset, so the keyword index stays a sitemap that the viewer reads (Binary Index=No).
set -euo pipefail
export LC_ALL=C  # byte-wise text tools and one sort order, whatever the caller's locale

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sources=$root/src/resources/help
resources=$root/src/resources
out=${1:?usage: scripts/make-help.sh OUTPUT_FOLDER}
title='Справка Clipnest 1.0'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/chm"

fail() { echo "make-help: $*" >&2; exit 1; }
for tool in chmcmd chmls iconv; do
  command -v "$tool" >/dev/null || fail "$tool is missing (chmcmd and chmls come with fp-utils)"
done

# The entries of a list file: its lines without comments and blank lines.
entries() { grep -v -e '^#' -e '^[[:space:]]*$' "$1"; }

# ---------------------------------------------------------------- the pages' text

# The project's web page and mailbox, written once in the program's sources (the settings
# dialog shows them), become the substitutions of @SITE@ and @MAIL@.
contact() {
  sed -n "s/.*$1 = \"\(.*\)\";/\1/p" "$root/src/dialogs/settings/contact_addresses.h"
}
site=$(contact kWebPage)
mail=$(contact kMailAddress)
[ -n "$site" ] && [ -n "$mail" ] || { echo "make-help: no contact addresses" >&2; exit 1; }
printf 's|@SITE@|%s|g\ns|@MAIL@|%s|g\n' "$site" "$mail" >"$work/contacts.sed"

# expand PAGE: the page's body with the contacts and the shipped settings file filled in.
expand() {
  sed -f "$work/contacts.sed" "$sources/pages/$1" |
    awk -v ini="$resources/Settings.ini" '
      $0 == "@SETTINGS_INI@" {
        while ((getline line < ini) > 0) {
          sub(/\r$/, "", line)
          gsub(/&/, "\\&amp;", line); gsub(/</, "\\&lt;", line); gsub(/>/, "\\&gt;", line)
          print line
        }
        next
      }
      { print }'
}

# page_title PAGE: the text of the page's <h1>.
page_title() {
  sed -n 's:.*<h1[^>]*>\(.*\)</h1>.*:\1:p' "$sources/pages/$1" | head -n 1 | sed 's/<[^>]*>//g'
}

mapfile -t pages < <(entries "$sources/contents.txt")
[ "${#pages[@]}" -gt 0 ] || fail "contents.txt lists no page"
declare -A titles
for page in "${pages[@]}"; do
  [ -f "$sources/pages/$page" ] || fail "contents.txt names $page, which is not in pages/"
  titles[$page]=$(page_title "$page")
  [ -n "${titles[$page]}" ] || fail "$page has no <h1>"
done

# The pictures the pages show: the program's own button pictures.
mapfile -t pictures < <(cat "${pages[@]/#/$sources/pages/}" |
  grep -o 'src="[^"]*"' | sed 's/^src="\(.*\)"$/\1/' | sort -u)
for picture in "${pictures[@]}"; do
  [ -f "$resources/$picture" ] || fail "a page shows $picture, which is not in src/resources/"
done

# Strict conversion: a character that windows-1251 cannot hold stops the build; write such
# characters as HTML entities (&eacute;) in the pages.
to_cp1251() { iconv -f UTF-8 -t WINDOWS-1251; }

# ---------------------------------------------------------------- Help.chm

for page in "${pages[@]}"; do
  {
    cat <<EOF
<!DOCTYPE html>
<html lang="ru">
<head>
<meta charset="windows-1251">
<meta http-equiv="X-UA-Compatible" content="IE=edge">
<title>${titles[$page]}</title>
<link rel="stylesheet" href="style.css">
</head>
<body>
EOF
    expand "$page"
    printf '</body>\n</html>\n'
  } | to_cp1251 >"$work/chm/$page" || fail "$page: a character that windows-1251 cannot hold"
done
cp "$sources/style.css" "$work/chm/style.css"
for picture in "${pictures[@]}"; do cp "$resources/$picture" "$work/chm/$picture"; done

# sitemap_entry NAME LOCAL: one entry of the contents or of the keyword index.
sitemap_entry() {
  printf '<LI><OBJECT type="text/sitemap">\n<param name="Name" value="%s">\n' "${1//\"/&quot;}"
  printf '<param name="Local" value="%s">\n</OBJECT>\n' "$2"
}
sitemap() {
  printf '<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML>\n<HEAD>\n'
  printf '<meta charset="windows-1251">\n</HEAD>\n<BODY>\n<UL>\n'
  cat
  printf '</UL>\n</BODY>\n</HTML>\n'
}
for page in "${pages[@]}"; do sitemap_entry "${titles[$page]}" "$page"; done |
  sitemap | to_cp1251 >"$work/chm/contents.hhc"
entries "$sources/keywords.txt" | while IFS='|' read -r keyword target; do
  sitemap_entry "$keyword" "$target"
done | sitemap | to_cp1251 >"$work/chm/keywords.hhk"

# The help window: contents and index tabs beside the page (0x42120: tri-pane, title follows
# the page, synchronised contents, position below), toolbar buttons (0x304e: hide tabs, back,
# forward, home, options, print), 220-pixel tabs, 840 x 640 pixels. No full-text search:
# chmcmd indexes only Latin letters and digits, so a search tab would find no Russian word.
{
  cat <<EOF
[OPTIONS]
Compatibility=1.1 or later
Compiled file=Help.chm
Contents file=contents.hhc
Index file=keywords.hhk
Binary Index=No
Default topic=${pages[0]}
Default Window=main
Display compile progress=No
Full-text search=No
Language=0x419 Russian
Title=$title

[WINDOWS]
main="$title","contents.hhc","keywords.hhk","${pages[0]}","${pages[0]}",,,,,0x42120,220,0x304e,[60,60,900,700],,,,,,,0

[FILES]
EOF
  printf '%s\n' "${pages[@]}" style.css "${pictures[@]}"
} | to_cp1251 >"$work/chm/Help.hhp"

# chmcmd reports a missing file or an undefined anchor but still succeeds: both stop the build.
if ! (cd "$work/chm" && chmcmd Help.hhp) >"$work/chmcmd.log" 2>&1 ||
  grep -q -E '^(Warning|Error)' "$work/chmcmd.log" || [ ! -s "$work/chm/Help.chm" ]; then
  cat "$work/chmcmd.log" >&2
  fail "chmcmd failed"
fi

chm=$work/chm/Help.chm
# read_le OFFSET SIZE: an unsigned little-endian number in the file.
read_le() { od -An -tu"$2" -j"$1" -N"$2" "$chm" | tr -d ' '; }
hex_at() { od -An -tx1 -j"$1" -N"$2" "$chm" | tr -d ' \n'; }
zero_at() { head -c "$2" /dev/zero | dd of="$chm" bs=1 seek="$1" conv=notrunc status=none; }

# The header's time stamp (offset 0x10), behind "ITSF" and version 3.
[ "$(hex_at 0 8)" = 4954534603000000 ] || fail "Help.chm does not start with an ITSF v3 header"
zero_at 16 4
# The #SYSTEM file lies uncompressed in content section 0, which starts where the header's
# field at 0x58 says. It opens with its version (3) and entry 10, the 4-byte time stamp.
section0=$(read_le 88 8)
system_offset=$(chmls --no-page list "$chm" 2>/dev/null |
  awk '$4 == "/#SYSTEM" && $1 == 0 { print $2 }')
[ -n "$system_offset" ] || fail "Help.chm has no uncompressed #SYSTEM"
stamp=$((section0 + system_offset + 8))
[ "$(hex_at $((stamp - 8)) 8)" = 030000000a000400 ] || fail "unexpected #SYSTEM layout"
zero_at "$stamp" 4

# ---------------------------------------------------------------- Help.html

# Links between pages become links within the page: page.html#anchor -> #anchor and
# page.html -> #page (the chapter's id); pictures are inlined.
{
  printf 's/href="\\([a-z0-9_-]*\\)\\.html#\\([^"]*\\)"/href="#\\2"/g\n'
  printf 's/href="\\([a-z0-9_-]*\\)\\.html"/href="#\\1"/g\n'
  for picture in "${pictures[@]}"; do
    printf 's|src="%s"|src="data:image/bmp;base64,%s"|g\n' "$picture" \
      "$(base64 -w 0 "$resources/$picture")"
  done
} >"$work/single.sed"

chapter() {
  local page=$1
  printf '<section id="%s">\n' "${page%.html}"
  expand "$page" | sed -f "$work/single.sed"
  if [ "$page" != "${pages[0]}" ]; then
    printf '<p class="back"><a href="#contents">К содержанию</a></p>\n'
  fi
  printf '</section>\n\n'
}

{
  cat <<EOF
<!DOCTYPE html>
<html lang="ru">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>$title</title>
<style>
EOF
  cat "$sources/style.css"
  printf '</style>\n</head>\n<body>\n\n'
  chapter "${pages[0]}"
  printf '<nav id="contents">\n<h2>Содержание</h2>\n<ol>\n'
  for page in "${pages[@]}"; do
    printf '<li><a href="#%s">%s</a></li>\n' "${page%.html}" "${titles[$page]}"
  done
  printf '<li><a href="#keywords">Указатель</a></li>\n</ol>\n</nav>\n\n'
  for page in "${pages[@]:1}"; do chapter "$page"; done
  printf '<section id="keywords">\n<h1>Указатель</h1>\n<ul class="keywords">\n'
  entries "$sources/keywords.txt" | while IFS='|' read -r keyword target; do
    printf '<li><a href="%s">%s</a></li>\n' "$target" "$keyword"
  done | sed -f "$work/single.sed"
  printf '</ul>\n<p class="back"><a href="#contents">К содержанию</a></p>\n</section>\n'
  printf '</body>\n</html>\n'
} >"$work/Help.html"

# ---------------------------------------------------------------- into place

# Each file is replaced whole, so a viewer never sees half of one.
put() {
  cp "$1" "$out/.$2.new"
  mv -f "$out/.$2.new" "$out/$2"
}
mkdir -p "$out"
put "$chm" Help.chm
put "$work/Help.html" Help.html
