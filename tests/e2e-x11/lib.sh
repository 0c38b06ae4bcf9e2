# shellcheck shell=bash
# Helpers for the X11 end-to-end tests: the program in a fresh folder of its own, l3afpad as the
# target, xterm as the bystander, the program's test log (QV_DEBUG_LOG), the list, the tray.
# The display, waits, data writers, screenshots and assertions come from the Wine tests' lib.
# shellcheck disable=SC2034  # constants for the tests

# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

QV_BIN=${QV_BIN:-$QV_ROOT/build/linux/quorvanel}
QV_ARTIFACTS=${QV_X11_ARTIFACTS:-$QV_ROOT/build/e2e-x11-artifacts}
LIST_TITLE='Velmora Clips'
HOT_KEY=F5
# The list's rows at 96 dpi, relative to its window: 13 px each from y = 20.
ROW_X=120
row_y() { echo $((20 + 13 * $1 + 6)); }

# The test's folder (set by run.sh): the program's folder, its home, the target's file.
qv_dir() { echo "$E2E_TEST_DIR/qv"; }
qv_log() { echo "$E2E_TEST_ARTIFACTS/program.log"; }

qv_install() {
  mkdir -p "$(qv_dir)" "$E2E_TEST_DIR/home"
  cp "$QV_BIN" "$(dirname "$QV_BIN")"/libquorvanel-*.so "$(qv_dir)/"
  cp "$QV_ROOT"/data/*.qvl "$(qv_dir)/"
}

# Starts the program from the test's folder; sets QV_PID.
qv_start() {
  (cd "$(qv_dir)" && QV_DEBUG_LOG=$(qv_log) exec ./quorvanel) >>"$E2E_TEST_ARTIFACTS/program.out" 2>&1 &
  QV_PID=$!
}

# log_has TEXT: a line of the program's log begins with TEXT (after its time stamp).
log_has() { grep -q -- "^[0-9]* $1" "$(qv_log)" 2>/dev/null; }
log_count() { grep -c -- "^[0-9]* $1" "$(qv_log)" 2>/dev/null || true; }

# The program started, its icon docked and its hot key tried.
qv_start_ready() {
  qv_start
  wait_until 20 log_has 'tray docked' || fail "the tray icon did not dock"
  wait_until 10 log_has 'hotkey \(works\|does not work\)' || fail "the hot key was not tried"
}

qv_running() { [[ -n "${QV_PID:-}" ]] && kill -0 "$QV_PID" 2>/dev/null; }
qv_stop() { qv_running && kill "$QV_PID" && qv_wait_exit 20; }

# ---------------------------------------------------------------- windows

window_of() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
list_visible() { [[ -n "$(window_of "^$LIST_TITLE\$")" ]]; }
list_hidden() { ! list_visible; }

# The hot key with the target in front: the list shows.
popup_show() {
  xdotool key "$HOT_KEY"
  wait_until 5 list_visible || fail "the hot key did not show the list"
}

# window_origin XID: "X Y", its top-left corner on the screen.
window_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    END { print x, y }'
}

# window_rect XID: "LEFT TOP RIGHT BOTTOM" on the screen.
window_rect() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, x + w, y + h }'
}

# apart XID XID: the two windows do not overlap.
apart() {
  local l1 t1 r1 b1 l2 t2 r2 b2
  read -r l1 t1 r1 b1 < <(window_rect "$1")
  read -r l2 t2 r2 b2 < <(window_rect "$2")
  ((l1 >= r2 || l2 >= r1 || t1 >= b2 || t2 >= b1))
}

# click_in XID DX DY [BUTTON]: a click at a place of a window.
click_in() {
  local x y
  read -r x y < <(window_origin "$1")
  xdotool mousemove --sync $((x + $2)) $((y + $3)) click "${4:-1}"
}

click_row() { click_in "$(window_of "^$LIST_TITLE\$")" "$ROW_X" "$(row_y "$1")"; }

tray_icon() { xdotool search --name '^Quorvanel tray$' 2>/dev/null | head -n1; }
menu_visible() { [[ -n "$(window_of '^Quorvanel menu$')" ]]; }

# tray_choose N: the tray icon's right-button menu, then its item N (0: "Settings...",
# 1: "Lock and Add Clip", 2: "Quit"); items are 22 px high from the menu's top.
tray_choose() {
  click_in "$(tray_icon)" 11 11 3
  wait_until 5 menu_visible || fail "the right click opened no menu"
  shot tray-menu
  click_in "$(window_of '^Quorvanel menu$')" 30 $((11 + 22 * $1))
}

# ---------------------------------------------------------------- target and bystander

# l3afpad on an empty file, in front; sets TARGET.
target_start() {
  : >"$E2E_TEST_DIR/target.txt"
  setsid l3afpad "$E2E_TEST_DIR/target.txt" >"$E2E_TEST_ARTIFACTS/l3afpad.log" 2>&1 &
  TARGET_PID=$!
  wait_until 20 target_found || fail "l3afpad did not start"
  target_activate
}
target_found() { TARGET=$(window_of 'target\.txt'); [[ -n "$TARGET" ]]; }
target_activate() { xdotool windowactivate --sync "$TARGET" >/dev/null 2>&1 || fail "l3afpad could not be activated"; }
target_changed() { [[ "$(xdotool getwindowname "$TARGET" 2>/dev/null)" == \** ]]; }
target_saved() { ! target_changed; }

# assert_target_holds FORMAT: l3afpad received text; saved, its file holds exactly FORMAT.
assert_target_holds() {
  wait_until 20 target_changed || fail "no text arrived in l3afpad"
  target_activate
  xdotool key ctrl+s
  wait_until 10 target_saved || fail "l3afpad did not save"
  assert_file_bytes "$E2E_TEST_DIR/target.txt" "$1"
}

# xterm that writes what reaches it into bystander.txt; in front.
bystander_start() {
  : >"$E2E_TEST_DIR/bystander.txt"
  setsid xterm -T bystander -e sh -c "stty raw -echo; exec cat > '$E2E_TEST_DIR/bystander.txt'" \
    >/dev/null 2>&1 &
  wait_until 20 bystander_found || fail "xterm did not start"
}
bystander_found() { BYSTANDER=$(window_of '^bystander$'); [[ -n "$BYSTANDER" ]]; }

clipboard_hex() { xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null | od -An -v -tx1 | tr -d ' \n'; }
clipboard_holds() { [[ "$(clipboard_hex)" == "$1" ]]; }
