#!/usr/bin/env bash
# The downloads as a user gets them. scripts/package --check builds the same sources a second
# time elsewhere and must give the same bytes; each archive holds exactly the portable folder;
# unpacked into an empty folder, each program starts with no message and saves the clipboard
# text into its save folder (the Linux one started through its menu entry). Also what the
# Windows program declares, and the libraries the Linux program needs against the README's list.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/wine.sh"

cd "$E2E_ROOT" || exit 1
locale -a | grep -qix 'ru_RU.utf8' || { e2e_fail "the ru_RU.UTF-8 locale is missing"; exit 1; }
# The save names hold the regional date, which has no slash in Russian.
export LANG=ru_RU.UTF-8
PYTHON=/usr/bin/python3  # Debian's, which has python3-pefile

version=$(sed -n 's/^project(Clipnest VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
LINUX_ARCHIVE=$E2E_ROOT/dist/Clipnest-$version-linux-x86_64.tar.gz
WINDOWS_ARCHIVE=$E2E_ROOT/dist/Clipnest-$version-windows-x64.zip
TEXT="Clipnest download $RANDOM$RANDOM"

# saved_text DIR: waits up to 5 s for a Text-*.txt in DIR/Clips; prints its path. (The folders
# here have a blank in their path, which win_wait_file's pattern cannot hold.)
saved_text() {
  local found
  for _ in $(seq 1 50); do
    found=$(find "$1/Clips" -name 'Text-*.txt' | head -n 1)
    [ -n "$found" ] && { printf '%s\n' "$found"; return 0; }
    sleep 0.1
  done
  return 1
}

e2e_begin

echo "== scripts/package --check"
if scripts/package --check >"$E2E_TMP/package.log" 2>&1; then
  e2e_pass "a second build of the same sources elsewhere gives the same archives"
else
  tail -n 20 "$E2E_TMP/package.log"
  e2e_fail "scripts/package --check"
  e2e_summary
  exit 1
fi
EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

echo "== the archives' entries"
# The entries a folder must have: PLATFORM; "mode name", sorted by name.
expected_entries() {
  local wav
  {
    printf 'drwxr-xr-x %s\n' Clipnest/ Clipnest/Clips/ Clipnest/Sounds/
    printf -- '-rw-r--r-- %s\n' Clipnest/Help.chm Clipnest/Help.html Clipnest/Settings.ini
    for wav in src/resources/sounds/*.wav; do printf -- '-rw-r--r-- Clipnest/Sounds/%s\n' "${wav##*/}"; done
    case $1 in
      linux)
        printf -- '-rwxr-xr-x %s\n' Clipnest/clipnest Clipnest/add-to-menu.sh Clipnest/remove-from-menu.sh
        printf -- '-rw-r--r-- %s\n' Clipnest/clipnest.desktop Clipnest/clipnest-48.png \
          Clipnest/clipnest-256.png
        ;;
      windows) printf -- '-rwxr-xr-x Clipnest/Clipnest.exe\n' ;;
    esac
  } | LC_ALL=C sort -k 2
}

listing=$(TZ=UTC tar --numeric-owner --full-time -tvzf "$LINUX_ARCHIVE")
e2e_equal "the Linux archive holds the folder, in name order, with these modes" \
  "$(expected_entries linux)" "$(awk '{ print $1, $6 }' <<<"$listing")"
e2e_equal "its entries are owned by 0/0 and dated at the commit" \
  "0/0 $(TZ=UTC date -d "@$EPOCH" '+%F %T')" "$(awk '{ print $2, $4, $5 }' <<<"$listing" | sort -u)"
e2e_check "it is gzip without a name or time of its own" \
  test "$(od -An -tx1 -j3 -N5 "$LINUX_ARCHIVE" | tr -d ' ')" = 0000000000

# The zip's entries: "mode name", the time of each (DOS time: even seconds), and the length of
# every extra field in the central directory and in the local headers.
"$PYTHON" - "$WINDOWS_ARCHIVE" >"$E2E_TMP/zip.txt" <<'EOF'
import stat, struct, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive, open(sys.argv[1], "rb") as raw:
    for info in archive.infolist():
        raw.seek(info.header_offset + 28)
        (local_extra,) = struct.unpack("<H", raw.read(2))
        print("entry", stat.filemode(info.external_attr >> 16), info.filename)
        print("time", "%04d-%02d-%02d %02d:%02d:%02d" % info.date_time)
        print("extra", len(info.extra), local_extra)
EOF
e2e_equal "the Windows archive holds the folder, in name order, with these modes" \
  "$(expected_entries windows)" "$(sed -n 's/^entry //p' "$E2E_TMP/zip.txt")"
# DOS times count in steps of two seconds; zip rounds an odd second up.
e2e_equal "its entries are dated at the commit" \
  "$(TZ=UTC date -d "@$((EPOCH + EPOCH % 2))" '+%F %T')" "$(sed -n 's/^time //p' "$E2E_TMP/zip.txt" | sort -u)"
e2e_equal "its entries have no extra fields" "0 0" "$(sed -n 's/^extra //p' "$E2E_TMP/zip.txt" | sort -u)"

echo "== unpacked into empty folders"
linux_root="$E2E_TMP/un packed/linux"
windows_root="$E2E_TMP/un packed/windows"
mkdir -p "$linux_root" "$windows_root"
tar -xzf "$LINUX_ARCHIVE" -C "$linux_root"
unzip -q "$WINDOWS_ARCHIVE" -d "$windows_root"
LINUX_DIR=$linux_root/Clipnest
WIN_APP=$windows_root/Clipnest
for dir in "$LINUX_DIR" "$WIN_APP"; do
  e2e_check "${dir#"$E2E_TMP/"}/Settings.ini is the shipped one" \
    cmp -s src/resources/Settings.ini "$dir/Settings.ini"
done

echo "== what the Linux program needs"
program=$LINUX_DIR/clipnest
libraries=$(ldd "$program")
e2e_equal "ldd finds every library" "" "$(grep 'not found' <<<"$libraries" || true)"
e2e_equal "no run path into the build machine" "" \
  "$(objdump -p "$program" | grep -E '^ *(RPATH|RUNPATH)' || true)"
# The Debian package of each library the program links against, beside the README's list.
needed_packages=$(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }' | while read -r soname; do
  dpkg -S "*/x86_64-linux-gnu/$soname" 2>/dev/null | sed 's/:.*//' || echo "no-package-for-$soname"
done | sort -u)
documented=$(sed -n 's/^ *sudo apt install //p' README.md | head -n 1 | tr ' ' '\n' | sort -u)
e2e_check "the README lists runtime packages" test -n "$documented"
e2e_equal "the program links only against the README's runtime packages, and all of them" \
  "$documented" "$needed_packages"

echo "== the Linux program, started from its menu entry"
export HOME="$E2E_TMP/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME
ENTRY=$HOME/.local/share/applications/clipnest.desktop

# menu_start DIR: adds the folder DIR to the menu and starts the entry as a desktop's menu does
# (gio, from another folder); checks that the program runs in DIR. Sets PANEL and PID.
menu_start() {
  local dir=$1
  "$dir/add-to-menu.sh" >/dev/null
  e2e_check "the menu entry is valid" desktop-file-validate "$ENTRY"
  PANEL=""
  (cd / && gio launch "$ENTRY") >>"$E2E_TMP/program.log" 2>&1 || { e2e_fail "gio launch failed"; return 1; }
  PANEL=$(e2e_wait_search 10 --classname '^clipnest$') || { e2e_fail "the panel did not appear"; return 1; }
  PID=$(xdotool getwindowpid "$PANEL")
  E2E_PIDS+=("$PID")
  sleep 1
  e2e_equal "it runs in its folder" "$dir" "$(readlink "/proc/$PID/cwd")"
}

# menu_stop: ends the program started from the menu and waits until it has gone.
menu_stop() {
  kill "$PID" 2>/dev/null || true
  for _ in $(seq 1 50); do kill -0 "$PID" 2>/dev/null || return 0; sleep 0.1; done
  e2e_fail "the program did not end"
}

win_clipboard_text "$TEXT"
if menu_start "$LINUX_DIR"; then
  e2e_check "its icons are in the user's icon theme" \
    cmp -s "$LINUX_DIR/clipnest-256.png" "$HOME/.local/share/icons/hicolor/256x256/apps/clipnest.png"
  e2e_equal "the panel is 137 x 21" 137x21 "$(win_geometry "$PANEL" | cut -d' ' -f2)"
  e2e_equal "it is the program's one window: no message box" "$PANEL" \
    "$(xdotool search --onlyvisible --pid "$PID")"
  position=$(win_geometry "$PANEL" | cut -d' ' -f1)
  xdotool mousemove $((${position%,*} + 11)) $((${position#*,} + 11)) click 1
  if saved=$(saved_text "$LINUX_DIR"); then
    e2e_check "the clipboard text is saved in Clips" grep -qF "$TEXT" "$saved"
  else
    e2e_fail "no Text-*.txt in Clips after a click on the first button"
  fi
  menu_stop
fi
"$LINUX_DIR/remove-from-menu.sh" >/dev/null
e2e_equal "remove-from-menu.sh takes the entry and its icons out" "" \
  "$(find "$HOME/.local/share" -name 'clipnest*')"

echo "-- a folder whose path has quotes, a dollar, a backtick, a backslash, a % and a blank at the end"
odd_dir="$E2E_TMP/it's \"odd\" \$HOME \`x\` a\\b 100%/Clip nest "
mkdir -p "${odd_dir%/*}"
cp -a "$LINUX_DIR" "$odd_dir"
menu_start "$odd_dir" && menu_stop
"$odd_dir/remove-from-menu.sh" >/dev/null

echo "== the Windows program"
exe=$WIN_APP/Clipnest.exe
size=$(stat -c %s "$exe")
e2e_check "Clipnest.exe is under 2 MB ($size bytes)" test "$size" -lt $((2 * 1024 * 1024))
"$PYTHON" - "$exe" >"$E2E_TMP/pe.txt" <<'EOF'
import sys, xml.etree.ElementTree as ET
import pefile
pe = pefile.PE(sys.argv[1])
print("subsystem", pe.OPTIONAL_HEADER.Subsystem)
for info in pe.FileInfo[0]:
    for table in getattr(info, "StringTable", []):
        print("version", *(table.entries[k].decode() for k in (b"FileVersion", b"ProductVersion")))
resources = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}
print("icon", pefile.RESOURCE_TYPE["RT_GROUP_ICON"] in resources)
# Windows reads the manifest of id 1 when it starts the program, and refuses to start it when
# that manifest is not well-formed.
manifest = resources[pefile.RESOURCE_TYPE["RT_MANIFEST"]].directory.entries[0]
leaf = manifest.directory.entries[0].data.struct
root = ET.fromstring(pe.get_data(leaf.OffsetToData, leaf.Size))
levels = [e.get("level") for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
print("manifest", manifest.id, *levels)
EOF
pe_fact() { sed -n "s/^$1 //p" "$E2E_TMP/pe.txt"; }
e2e_equal "a windowed program (no console)" 2 "$(pe_fact subsystem)"
e2e_equal "its file and product version are the project's" "$version $version" "$(pe_fact version)"
e2e_equal "it has an icon" True "$(pe_fact icon)"
e2e_equal "its manifest, of id 1, runs it as the user who starts it" "1 asInvoker" \
  "$(pe_fact manifest)"

win_begin
# Every DLL it imports is one of the system's own (Wine's prefix holds those in system32).
foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | while read -r dll; do
  [ -e "$WINEPREFIX/drive_c/windows/system32/${dll,,}" ] || echo "$dll"
done)
e2e_equal "it imports system DLLs only" "" "$foreign"

win_clipboard_text "$TEXT"
win_start "$WIN_APP"
if panel=$(win_wait_panel); then
  sleep 1
  e2e_equal "the panel is 137 x 21" 137x21 "$(win_geometry "$panel" | cut -d' ' -f2)"
  e2e_equal "no message box" "" "$(xdotool search --onlyvisible --name '^Clipnest' || true)"
  position=$(win_geometry "$panel" | cut -d' ' -f1)
  xdotool mousemove $((${position%,*} + 11)) $((${position#*,} + 11)) click 1
  if saved=$(saved_text "$WIN_APP"); then
    e2e_check "the clipboard text is saved in Clips" grep -qF "$TEXT" "$saved"
  else
    e2e_fail "no Text-*.txt in Clips after a click on the first button"
  fi
else
  e2e_fail "the panel did not appear"
fi

e2e_summary
