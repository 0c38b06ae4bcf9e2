# shellcheck shell=bash
# Helpers for the end-to-end tests: a private X display with a window manager and a tray, a
# private Wine prefix, the program installed in C:\qv\, the probe tool, screenshots, waits and
# assertions. Sourced by tests/e2e/run.sh, by each test and by scripts/run.sh.
# Constants are for the tests that source this file; the data writers take printf formats.
# shellcheck disable=SC2034,SC2059

QV_ROOT=${QV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
QV_EXE=${QV_EXE:-$QV_ROOT/build/windows/Quorvanel.exe}
QV_PROBE_EXE=${QV_PROBE_EXE:-$QV_ROOT/build/windows/qvprobe.exe}
QV_CACHE=${QV_CACHE:-$QV_ROOT/.e2e}
QV_ARTIFACTS=${QV_ARTIFACTS:-$QV_ROOT/build/e2e-artifacts}
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
# Wine wants a home folder even with a prefix of its own.
if [[ -z "${HOME:-}" ]]; then
  HOME=$(getent passwd "$(id -u)" | cut -d: -f6)
  export HOME
fi

# Program folder inside the prefix; the data files are read from the exe's folder.
QV_WIN_DIR='C:\qv'
QV_WIN_EXE='C:\qv\Quorvanel.exe'

# Window classes and control ids (src/desktop/window_names.h).
QV_APP_CLASS=TApplication
QV_MAIN_CLASS=TForm1
QV_MAIN_CAPTION='Velmora Clips'
QV_SETTINGS_CLASS=TForm2
QV_EDITOR_CLASS=TForm3
QV_ID_SLOT_LIST=101
QV_ID_KEY_LABELS=107
QV_CAPTION=Quorvanel

e2e_note() { printf '  %s\n' "$*" >&2; }

# ---------------------------------------------------------------- waiting

# wait_until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; fails after SECONDS.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# ---------------------------------------------------------------- display

# Starts Xvfb on a free display (more options in E2E_XVFB_ARGS), openbox and trayer; exports
# DISPLAY. Their logs go to $1.
# Each runs in a session of its own, so that a Ctrl+C in the terminal does not end them while
# the program still needs the display (scripts/run.sh closes the program first).
e2e_start_display() {
  local logs=$1
  mkdir -p "$logs"
  local number_file="$logs/display-number"
  rm -f "$number_file"
  # -displayfd lets the server pick a free display number and report it once it listens.
  # shellcheck disable=SC2086  # E2E_XVFB_ARGS: more options, word by word
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -nolisten unix-abstract \
    ${E2E_XVFB_ARGS:-} 3>"$number_file" >"$logs/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  if ! wait_until 20 test -s "$number_file"; then
    e2e_note "Xvfb did not start (see $logs/xvfb.log)"
    return 1
  fi
  DISPLAY=":$(head -n1 "$number_file")"
  export DISPLAY

  setsid openbox --sm-disable >"$logs/openbox.log" 2>&1 &
  E2E_WM_PID=$!
  if ! wait_until 20 _e2e_wm_ready; then
    e2e_note "openbox did not start (see $logs/openbox.log)"
    return 1
  fi

  # The tray must be up before any Wine process starts, or Wine shows its own tray window.
  setsid trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 \
    --transparent false >"$logs/trayer.log" 2>&1 &
  E2E_TRAY_PID=$!
  if ! wait_until 20 _e2e_tray_ready; then
    e2e_note "trayer did not start (see $logs/trayer.log)"
    return 1
  fi
}

_e2e_wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
_e2e_tray_ready() { xwininfo -root -tree 2>/dev/null | grep -q '("panel" "trayer")'; }

e2e_stop_display() {
  local pid
  for pid in ${E2E_TRAY_PID:-} ${E2E_WM_PID:-} ${E2E_XVFB_PID:-}; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in ${E2E_TRAY_PID:-} ${E2E_WM_PID:-} ${E2E_XVFB_PID:-}; do
    wait "$pid" 2>/dev/null || true
  done
  E2E_TRAY_PID='' E2E_WM_PID='' E2E_XVFB_PID=''
}

# ---------------------------------------------------------------- Wine prefix

_e2e_wine_stamp() {
  "$WINE" --version 2>/dev/null
  stat -c %Y /usr/share/wine/wine.inf 2>/dev/null || true
}

# Makes sure $QV_CACHE/prefix-template holds a prefix made by this Wine. `wineboot -i` takes
# several seconds, so it runs once and the tests link-copy the result.
e2e_prefix_template() {
  local template="$QV_CACHE/prefix-template"
  mkdir -p "$QV_CACHE"
  (
    flock 9
    if [[ -f "$template/.qv-stamp" && "$(cat "$template/.qv-stamp")" == "$(_e2e_wine_stamp)" ]]; then
      exit 0
    fi
    echo "Creating the Wine prefix template in $template (once)..." >&2
    rm -rf "$template" "$template.tmp"
    # No Mono or Gecko: their installers would wait for a click.
    WINEPREFIX="$template.tmp" WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i \
      >"$QV_CACHE/wineboot.log" 2>&1 || { cat "$QV_CACHE/wineboot.log" >&2; exit 1; }
    # A crashing program should end, not wait for a debugger nobody will attach.
    WINEPREFIX="$template.tmp" "$WINE" reg delete \
      'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
      >>"$QV_CACHE/wineboot.log" 2>&1 || true
    WINEPREFIX="$template.tmp" "$WINESERVER" -w
    _e2e_wine_stamp >"$template.tmp/.qv-stamp"
    mv "$template.tmp" "$template"
  ) 9>"$QV_CACHE/prefix-template.lock"
}

# e2e_new_prefix DIR: a fresh prefix in DIR. The big, never-written system files are hard
# links into the template; the registry and user folders, which Wine writes, are real copies.
e2e_new_prefix() {
  local dir=$1 template="$QV_CACHE/prefix-template"
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  cp -al "$template" "$dir"
  local file
  for file in "$dir"/*.reg; do
    cp --remove-destination "$template/$(basename "$file")" "$file"
  done
  rm -rf "$dir/drive_c/users"
  cp -a "$template/drive_c/users" "$dir/drive_c/users"
  rm -f "$dir/.qv-stamp"
}

# Ends every process of the current WINEPREFIX (and only those) and waits for the server.
e2e_stop_wine() {
  [[ -n "${WINEPREFIX:-}" && -d "$WINEPREFIX" ]] || return 0
  "$WINESERVER" -k 2>/dev/null || true
  timeout 20 "$WINESERVER" -w 2>/dev/null || true
  # On our own display: Wine names its X windows' class after the exe, and none may linger
  # into the next test.
  if [[ -n "${E2E_XVFB_PID:-}" ]]; then
    wait_until 10 bash -c '! xdotool search --class "\.exe\$" >/dev/null 2>&1' || true
  fi
}

# ---------------------------------------------------------------- the probe

# probe COMMAND ARGS...: runs qvprobe.exe inside the test's prefix; see probe/qvprobe.cpp.
probe() { timeout 60 "$WINE" "$QV_PROBE_EXE" "$@"; }

# probe_text COMMAND ARGS...: a probe command's text output with its \xNN escapes decoded.
probe_text() {
  local out
  out=$(probe "$@") || return
  printf '%b' "$out"
}

# ---------------------------------------------------------------- the program

qv_dir() { echo "$WINEPREFIX/drive_c/qv"; }

# A fresh C:\qv\ holding the program and the data files shipped in data/ (if any).
qv_install() {
  local dir
  dir=$(qv_dir)
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$QV_EXE" "$dir/Quorvanel.exe"
  local file
  for file in "$QV_ROOT"/data/*.qvl; do
    [[ -e "$file" ]] && cp "$file" "$dir/"
  done
  return 0
}

# Starts the program in the background from C:\qv\; sets QV_PID.
qv_start() {
  local log=${E2E_TEST_ARTIFACTS:-/tmp}/program.log
  (cd "$(qv_dir)" && exec "$WINE" "$QV_WIN_EXE") >>"$log" 2>&1 &
  QV_PID=$!
}

qv_running() { [[ -n "${QV_PID:-}" ]] && kill -0 "$QV_PID" 2>/dev/null; }

# Waits until the main window exists.
qv_wait_window() { probe wait-window "$QV_MAIN_CLASS" "${1:-20000}"; }

# Waits until start-up has left the program in the tray: the main window has been shown once
# and is hidden again. At start-up it is visible for a few milliseconds only, too short to be
# seen by polling. Signs that it was shown, surest first: the window manager has managed it
# (openbox marks it with _OB_APP_TYPE, and the mark stays after the window is hidden); the
# application window is minimised; failing both, the main window stays hidden for 1.5 s.
qv_wait_in_tray() {
  local ms=${1:-20000}
  qv_wait_window "$ms" || { e2e_note "no main window ($QV_MAIN_CLASS)"; return 1; }
  if wait_until 3 qv_main_window_was_shown; then
    probe wait-hidden "$QV_MAIN_CLASS" "$ms" && return 0
    e2e_note "the main window was shown and stayed visible"
    return 1
  fi
  probe wait-settled "$QV_MAIN_CLASS" "$QV_APP_CLASS" "$ms" 1500 && return 0
  e2e_note "the main window did not settle hidden"
  return 1
}

qv_main_window_was_shown() {
  local xid
  for xid in $(xdotool search --name "^$QV_MAIN_CAPTION\$" 2>/dev/null); do
    xprop -id "$xid" _OB_APP_TYPE 2>/dev/null | grep -q '=' && return 0
  done
  return 1
}

# qv_wait_exit [SECONDS]: waits until the program's process has ended.
qv_wait_exit() {
  local seconds=${1:-20}
  wait_until "$seconds" bash -c "! kill -0 $QV_PID 2>/dev/null" || return 1
  wait "$QV_PID" 2>/dev/null || true
}

# Asks the program to close (WM_CLOSE to the main window) and waits until it has ended.
qv_close() {
  probe close "$QV_MAIN_CLASS" && qv_wait_exit "${1:-20}"
}

# Ends the program's process if it is still running (by its pid).
qv_kill() {
  if qv_running; then
    kill "$QV_PID" 2>/dev/null || true
    qv_wait_exit 10 || kill -9 "$QV_PID" 2>/dev/null || true
  fi
}

# Starts Wine's Notepad, a paste target nobody here wrote, and brings it to the front.
# Sets NOTEPAD_PID and NOTEPAD_XID (its X window).
notepad_start() {
  local before
  before=$(_notepad_windows)
  setsid "$WINE" notepad >>"${E2E_TEST_ARTIFACTS:-/tmp}/notepad.log" 2>&1 &
  NOTEPAD_PID=$!
  NOTEPAD_XID=''
  # A window of an earlier Notepad may still be on the display for a moment: take a new one.
  wait_until 30 _notepad_new_window "$before" || return 1
  notepad_activate
}

_notepad_windows() { xdotool search --onlyvisible --name ' - Notepad$' 2>/dev/null | sort; }

_notepad_new_window() {
  NOTEPAD_XID=$(comm -13 <(echo "$1") <(_notepad_windows) | head -n1)
  [[ -n "$NOTEPAD_XID" ]]
}

notepad_activate() { xdotool windowactivate --sync "$NOTEPAD_XID" >/dev/null 2>&1; }

# ---------------------------------------------------------------- files and bytes

# hex_of FORMAT: the bytes printf makes of FORMAT, as lower-case hex ("a\r\n" -> 610d0a).
hex_of() { printf "$1" | od -An -v -tx1 | tr -d ' \n'; }
file_hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }

# qv_tag N: the 14-character identity of test slot N.
qv_tag() { printf 'E2ETESTSLOT%03d' "$1"; }

# qv_write_rows EOL [COUNT] [FINAL_EOL]: writes C:\qv\Lb1.qvl with COUNT test rows (default 72),
# each "Slot NN", blanks and its header tag, with line breaks EOL (a printf format such as
# '\r\n' or '\n'); FINAL_EOL=0 leaves the last line without a break.
qv_write_rows() {
  local eol=$1 count=${2:-72} final=${3:-1} i row
  local file
  file="$(qv_dir)/Lb1.qvl"
  : >"$file"
  for ((i = 0; i < count; i++)); do
    row=$(printf 'Slot %02d%64s/:hdr:\\%s' "$i" '' "$(qv_tag "$i")")
    printf '%s' "$row" >>"$file"
    if ((i < count - 1 || final)); then printf "$eol" >>"$file"; fi
  done
}

# qv_write_store EOL [COUNT] [FINAL_EOL]: writes C:\qv\svclips.qvl with one block per test
# slot holding "text of slot N", line breaks EOL, final break unless FINAL_EOL=0.
qv_write_store() {
  local eol=$1 count=${2:-72} final=${3:-1} i
  local file
  file="$(qv_dir)/svclips.qvl"
  : >"$file"
  for ((i = 0; i < count; i++)); do
    {
      printf "/:hdr:\\\\%s$eol" "$(qv_tag "$i")"
      printf "text of slot %d$eol" "$i"
      printf '/:tlr:\\%s' "$(qv_tag "$i")"
      if ((i < count - 1 || final)); then printf "$eol"; fi
    } >>"$file"
  done
}

# qv_write_prefs HOTKEY DELAY FLAGS: writes C:\qv\prefs.qvl, three lines ended by CR LF.
qv_write_prefs() {
  printf '%s\r\n%s\r\n%s\r\n' "$1" "$2" "$3" >"$(qv_dir)/prefs.qvl"
}

# ---------------------------------------------------------------- artefacts and assertions

# x_client_area TITLE: the client area of the visible window titled TITLE, "X Y WIDTH HEIGHT":
# Wine makes it the X window that openbox frames, so X tells its true place.
x_client_area() {
  local xid
  xid=$(xdotool search --onlyvisible --name "^$1\$" | head -n1)
  [[ -n "$xid" ]] || fail "no X window titled $1"
  xwininfo -id "$xid" | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# shot NAME: a screenshot of the whole display, kept in the test's artefacts folder.
shot() {
  local dir=${E2E_TEST_ARTIFACTS:-$QV_ARTIFACTS}
  mkdir -p "$dir"
  import -window root "$dir/$1.png" 2>/dev/null || e2e_note "screenshot $1 failed"
}

fail() {
  printf '  FAIL: %s\n' "$*" >&2
  exit 1
}

assert_eq() {
  local expected=$1 actual=$2 what=${3:-value}
  [[ "$expected" == "$actual" ]] || fail "$what: expected [$expected], got [$actual]"
}

# assert_file_bytes FILE FORMAT: FILE holds exactly the bytes printf makes of FORMAT.
assert_file_bytes() {
  [[ -f "$1" ]] || fail "$1 does not exist"
  assert_eq "$(hex_of "$2")" "$(file_hex "$1")" "bytes of $(basename "$1")"
}

# assert_same_file EXPECTED ACTUAL: byte-for-byte equal.
assert_same_file() {
  [[ -f "$2" ]] || fail "$2 does not exist"
  cmp -s "$1" "$2" || fail "$(basename "$2") differs from $(basename "$1")"
}
