# The benchmarks drive the real programs through the end-to-end scenarios' harness
# (tests/e2e/program.sh: a private Xvfb with openbox, window searches), each from a fresh copy of
# a portable folder. Source it, then call e2e_begin.
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/program.sh"

# e2e_fresh_copy FOLDER [NAME]: a fresh copy of a portable folder; prints its path.
e2e_fresh_copy() {
  local target="$E2E_TMP/${2:-run}"
  rm -rf "$target" && cp -a "$1" "$target" && printf '%s\n' "$target"
}
# e2e_write_settings DIR KEY=VALUE...: a settings file with CR LF lines, as Windows writes it.
e2e_write_settings() {
  local dir=$1
  shift
  { printf '[Setup]\r\n'; printf '%s\r\n' "$@"; } >"$dir/Settings.ini"
}
