#!/usr/bin/env bash
# The downloads as a user gets them: scripts/package --check gives the same bytes again; each
# archive holds exactly the portable folder, dated at the commit; unpacked, each program starts
# with no message and saves the clipboard text (the Linux one from its menu entry); what the
# Windows program declares and imports; the Linux one's libraries against the README's list.
APP_PLATFORM=linux
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/program.sh"
cd "$E2E_ROOT" || exit 1
PYTHON=/usr/bin/python3  # Debian's, which has python3-pefile
version=$(sed -n 's/^project(Clipnest VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
TEXT="Clipnest download $RANDOM$RANDOM"
e2e_begin
EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}  # before packaging, which reads it too
scripts/package --check >"$E2E_TMP/package.log" 2>&1 || { tail -n 20 "$E2E_TMP/package.log"; e2e_fail "scripts/package --check"; exit 1; }
e2e_pass "a second build of the same sources elsewhere gives the same archives"
LINUX_ARCHIVE=dist/Clipnest-$version-linux-x86_64.tar.gz WINDOWS_ARCHIVE=dist/Clipnest-$version-windows-x64.zip

# The entries a folder must have for PLATFORM: "mode name", sorted by name.
entries() {
  {
    printf 'drwxr-xr-x %s\n' Clipnest/ Clipnest/Clips/ Clipnest/Sounds/
    printf -- '-rw-r--r-- Clipnest/%s\n' Help.chm Help.html Settings.ini $(cd src/resources && ls sounds/*.wav | sed 's/^s/S/')
    if [ "$1" = linux ]; then
      printf -- '-rwxr-xr-x Clipnest/%s\n' clipnest add-to-menu.sh remove-from-menu.sh
      printf -- '-rw-r--r-- Clipnest/%s\n' clipnest.desktop clipnest-48.png clipnest-256.png
    else printf -- '-rwxr-xr-x Clipnest/Clipnest.exe\n'; fi
  } | LC_ALL=C sort -k 2
}
listing=$(TZ=UTC tar --numeric-owner --full-time -tvzf "$LINUX_ARCHIVE")
e2e_equal "the Linux archive holds the folder, in name order, with these modes" "$(entries linux)" \
  "$(awk '{ print $1, $6 }' <<<"$listing")"
e2e_equal "owned by 0/0 and dated at the commit" "0/0 $(TZ=UTC date -d "@$EPOCH" '+%F %T')" \
  "$(awk '{ print $2, $4, $5 }' <<<"$listing" | sort -u)"
"$PYTHON" - "$WINDOWS_ARCHIVE" >"$E2E_TMP/zip.txt" <<'PY'
import stat, sys, zipfile
for info in zipfile.ZipFile(sys.argv[1]).infolist():
    print("entry", stat.filemode(info.external_attr >> 16), info.filename)
    print("time %04d-%02d-%02d %02d:%02d:%02d" % info.date_time, len(info.extra))
PY
e2e_equal "the Windows archive holds the folder, in name order, with these modes" "$(entries windows)" \
  "$(sed -n 's/^entry //p' "$E2E_TMP/zip.txt")"
# DOS times count in steps of two seconds; zip rounds an odd second up.
e2e_equal "dated at the commit, without extra fields" "$(TZ=UTC date -d "@$((EPOCH + EPOCH % 2))" '+%F %T') 0" \
  "$(sed -n 's/^time //p' "$E2E_TMP/zip.txt" | sort -u)"

UNPACKED="$E2E_TMP/un packed"  # a blank in the path
mkdir -p "$UNPACKED/linux" "$UNPACKED/windows" && tar -xzf "$LINUX_ARCHIVE" -C "$UNPACKED/linux" && unzip -q "$WINDOWS_ARCHIVE" -d "$UNPACKED/windows"
e2e_equal "each Settings.ini is the shipped one" "" \
  "$(for p in linux windows; do cmp -s src/resources/Settings.ini "$UNPACKED/$p/Clipnest/Settings.ini" || echo $p; done)"

program=$UNPACKED/linux/Clipnest/clipnest
e2e_equal "ldd finds every library, and there is no run path" "" \
  "$(ldd "$program" | grep 'not found'; objdump -p "$program" | grep -E '^ *(RPATH|RUNPATH)')"
# The Debian package of each library the program links against, beside the README's list.
needed=$(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }' | while read -r soname; do
  dpkg -S "*/x86_64-linux-gnu/$soname" 2>/dev/null | sed 's/:.*//' || echo "no-package-for-$soname"
done | sort -u)
e2e_equal "the program links against the README's runtime packages, all of them and only them" \
  "$(sed -n 's/^ *sudo apt install //p' README.md | head -n 1 | tr ' ' '\n' | sort -u)" "$needed"

# saves_clipboard DIR: the panel is the program's one window, 137 x 21, and a click on its first
# button saves the clipboard text in DIR/Clips.
saves_clipboard() {
  local position size found=""
  read -r position size <<<"$(win_geometry "$PANEL")"
  xdotool mousemove $((${position%,*} + 11)) $((${position#*,} + 11)) click 1
  for _ in $(seq 50); do found=$(find "$1/Clips" -name 'Text-*.txt' | head -n 1); [ -n "$found" ] && break; sleep 0.1; done
  e2e_equal "the panel, 137 x 21, is its one window and saves the clipboard text in Clips" "$PANEL 137x21 $TEXT" \
    "$(app_windows | xargs) $size $(cat "$found" 2>/dev/null | tr -d '\r')"
}
export HOME=$E2E_TMP/home ENTRY=$E2E_TMP/home/.local/share/applications/clipnest.desktop
unset XDG_DATA_HOME
# from_menu DIR: adds DIR to the menu and starts the entry as a desktop's menu does.
from_menu() {
  "$1/add-to-menu.sh" >/dev/null
  e2e_check "the menu entry is valid" desktop-file-validate "$ENTRY"
  (cd / && gio launch "$ENTRY") >>"$E2E_TMP/bg.log" 2>&1
  PANEL=$(e2e_wait_search 10 --classname '^clipnest$') || { e2e_fail "the panel did not appear"; return 1; }
  APP_PID=$(xdotool getwindowpid "$PANEL") && E2E_PIDS+=("$APP_PID") && sleep 1
  e2e_equal "it runs in its folder" "$1" "$(readlink "/proc/$APP_PID/cwd")"
}
win_clipboard_text "$TEXT"
if from_menu "$UNPACKED/linux/Clipnest"; then
  e2e_check "its icons are in the user's icon theme" cmp -s "$UNPACKED/linux/Clipnest/clipnest-256.png" \
    "$HOME/.local/share/icons/hicolor/256x256/apps/clipnest.png"
  saves_clipboard "$UNPACKED/linux/Clipnest"
  kill "$APP_PID"
fi
"$UNPACKED/linux/Clipnest/remove-from-menu.sh" >/dev/null
e2e_equal "remove-from-menu.sh takes the entry and its icons out" "" "$(find "$HOME/.local/share" -name 'clipnest*')"
odd="$E2E_TMP/it's \"odd\" \$HOME \`x\` a\\b 100%/Clip nest "  # quotes, $, `, \, % and a blank at the end
mkdir -p "${odd%/*}" && cp -a "$UNPACKED/linux/Clipnest" "$odd"
from_menu "$odd" && kill "$APP_PID"

exe=$UNPACKED/windows/Clipnest/Clipnest.exe
e2e_check "Clipnest.exe is under 2 MB" test "$(stat -c %s "$exe")" -lt $((2 * 1024 * 1024))
"$PYTHON" - "$exe" >"$E2E_TMP/pe.txt" <<'PY'
import sys, xml.etree.ElementTree as ET
import pefile
pe = pefile.PE(sys.argv[1])
versions = [t.entries[k].decode() for i in pe.FileInfo[0] for t in getattr(i, "StringTable", [])
            for k in (b"FileVersion", b"ProductVersion")]
resources = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}
# Windows refuses to start a program whose manifest of id 1 is not well-formed.
manifest = resources[pefile.RESOURCE_TYPE["RT_MANIFEST"]].directory.entries[0]
leaf = manifest.directory.entries[0].data.struct
root = ET.fromstring(pe.get_data(leaf.OffsetToData, leaf.Size))
levels = [e.get("level") for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
print(pe.OPTIONAL_HEADER.Subsystem, *versions, pefile.RESOURCE_TYPE["RT_GROUP_ICON"] in resources, manifest.id, *levels)
PY
e2e_equal "a windowed program (subsystem 2) of the project's version, with an icon and a manifest of id 1 that runs it as its user" \
  "2 $version $version True 1 asInvoker" "$(cat "$E2E_TMP/pe.txt")"
win_begin
# Every DLL it imports is one of the system's own (the prefix holds those in system32).
e2e_equal "it imports system DLLs only" "" "$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' |
  while read -r dll; do [ -e "$WINEPREFIX/drive_c/windows/system32/${dll,,}" ] || echo "$dll"; done)"
win_clipboard_text "$TEXT"
APP_PLATFORM=windows
app_launch "$UNPACKED/windows/Clipnest"
if PANEL=$(app_wait_panel); then sleep 1; saves_clipboard "$UNPACKED/windows/Clipnest"; else e2e_fail "the panel did not appear"; fi
e2e_summary
