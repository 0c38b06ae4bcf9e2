# shellcheck shell=bash
# Helpers for the Wayland end-to-end tests: a headless sway (pixman, no XWayland) run by an
# unprivileged user made for the tests (sway refuses root), the program and a GTK 3 text
# window as that user, a virtual keyboard with the full "us" keymap as the user's hands and
# wl-paste to read the clipboard. Data writers and assertions come from the Wine tests' lib.
# shellcheck disable=SC2034

# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

WL_BUILD=${QV_WL_BUILD:-$QV_ROOT/build/linux}
WL_USER=${QV_WL_USER:-qvwayland}
HOT_KEY=F5
ROW_X=120
row_y() { echo $((20 + 13 * $1 + 6)); }

qv_dir() { echo "$E2E_TEST_DIR/qv"; }
qv_log() { echo "$E2E_TEST_DIR/program.log"; }

# The test user, and a folder of the test readable by it.
wl_user_ready() {
  id "$WL_USER" >/dev/null 2>&1 || useradd -m "$WL_USER"
}

as_user() {
  runuser -u "$WL_USER" -- env XDG_RUNTIME_DIR="$WL_RUNTIME" WAYLAND_DISPLAY=wayland-1 \
    SWAYSOCK="$WL_SWAYSOCK" QV_DEBUG_LOG="$(qv_log)" HOME="$E2E_TEST_DIR" "$@"
}

# Starts sway headless on a runtime folder of its own; sets WL_RUNTIME and WL_SWAYSOCK.
sway_start() {
  wl_user_ready
  # Short: sway's socket path must fit a socket address.
  WL_RUNTIME=$(mktemp -d /tmp/qvrt.XXXXXX)
  chown "$WL_USER" "$WL_RUNTIME"
  cat >"$E2E_TEST_DIR/sway.conf" <<CONF
output HEADLESS-1 resolution 1280x800 position 0 0
xwayland disable
default_border none
# The notice of a missing tray (no tray and no notification service here) comes up without
# taking the keyboard from the windows the tests type into.
no_focus [title="^Quorvanel$"]
CONF
  chown -R "$WL_USER" "$E2E_TEST_DIR"
  runuser -u "$WL_USER" -- env -i PATH="$PATH" XDG_RUNTIME_DIR="$WL_RUNTIME" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$E2E_TEST_DIR/sway.conf" >"$E2E_TEST_DIR/sway.log" 2>&1 &
  SWAY_PID=$!
  wait_until 20 eval '[[ -S "$WL_RUNTIME/wayland-1" ]] && compgen -G "$WL_RUNTIME/sway-ipc.*.sock" >/dev/null' ||
    fail "sway did not start: $(tail -n 3 "$E2E_TEST_DIR/sway.log")"
  WL_SWAYSOCK=$(compgen -G "$WL_RUNTIME/sway-ipc.*.sock" | head -n1)
  hands_start
}

# The program and its libraries in the test's folder, a portable copy with its data files.
qv_install() {
  mkdir -p "$(qv_dir)"
  cp "$WL_BUILD/quorvanel" "$WL_BUILD"/libquorvanel-*.so "$(qv_dir)/"
  cp "$QV_ROOT"/data/*.qvl "$(qv_dir)/"
}

write_test_data() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs "$HOT_KEY" "${1:-100}" 0000000000
}

qv_start() {
  chown -R "$WL_USER" "$E2E_TEST_DIR"
  as_user "$(qv_dir)/quorvanel" "$@" >>"$E2E_TEST_DIR/program.out" 2>&1 &
  QV_PID=$!
  wait_until 20 log_has ready || fail "the program did not start: $(tail -n 3 "$E2E_TEST_DIR/program.out")"
  # No tray here: its notice comes up as a window, waited for so that it maps before the test
  # goes on.
  wait_until 20 eval "as_user swaymsg -t get_tree | grep -q '\"name\": \"Quorvanel\"'" ||
    fail "the notice of the missing tray was not shown"
}
# The program runuser PID runs (runuser forks a session process that runs it).
user_child() {
  local pid=$1 next
  while next=$(pgrep -P "$pid" | head -n1) && [[ -n "$next" ]]; do pid=$next; done
  [[ "$pid" != "$1" ]] && echo "$pid"
}
# user_stop PID: ends what runuser PID runs, by its pid, and waits for runuser.
user_stop() {
  local child
  child=$(user_child "$1") && kill "$child" 2>/dev/null
  wait "$1" 2>/dev/null || true
}
qv_stop() { [[ -z "${QV_PID:-}" ]] || user_stop "$QV_PID"; QV_PID=''; }
# Everything the test started as its user, by pid.
wl_stop_all() {
  qv_stop
  local pid
  for pid in ${HANDS_PID:-} ${TARGET_PIDS:-} ${SWAY_PID:-}; do user_stop "$pid"; done
  rm -rf "${WL_RUNTIME:-}"
}
log_has() { grep -q -- "^[0-9]* $1" "$(qv_log)" 2>/dev/null; }
log_count() { grep -c -- "^[0-9]* $1" "$(qv_log)" 2>/dev/null || true; }

# The user's keyboard, plugged in with sway's start: keys KEY... types them and waits.
hands_start() {
  mkfifo "$E2E_TEST_DIR/keys.in"
  : >"$E2E_TEST_DIR/keys.done"
  chown "$WL_USER" "$E2E_TEST_DIR/keys.in" "$E2E_TEST_DIR/keys.done"
  as_user "$WL_BUILD/tools/qv_wl_keys" "$E2E_TEST_DIR/keys.in" "$E2E_TEST_DIR/keys.done" &
  HANDS_PID=$!
}
keys() {
  local before
  before=$(wc -l <"$E2E_TEST_DIR/keys.done")
  echo "$*" >"$E2E_TEST_DIR/keys.in"
  wait_until 10 eval '(($(wc -l <"$E2E_TEST_DIR/keys.done") > before))' || fail "keys $* not typed"
  tail -n1 "$E2E_TEST_DIR/keys.done" | grep -q ok || fail "keys $* not typed"
}
swaymsg_() { as_user swaymsg "$@" >/dev/null; }
focused_name() {
  as_user swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(n):
    if n.get("focused"): print(n.get("name")); return
    for c in n.get("nodes", []) + n.get("floating_nodes", []): walk(c)
walk(json.load(sys.stdin))'
}

# A GTK 3 text window titled NAME writing its whole text to NAME.txt at every change.
target_start() {
  local name=${1:-target}
  as_user env GDK_BACKEND=wayland /usr/bin/python3 "$QV_ROOT/tests/e2e-wayland/tools/text_window.py" \
    "$name" "$E2E_TEST_DIR/$name.txt" >>"$E2E_TEST_DIR/$name.out" 2>&1 &
  TARGET_PIDS="${TARGET_PIDS:-} $!"
  wait_until 20 eval "[[ -f '$E2E_TEST_DIR/$name.txt' ]]" || fail "the $name window did not start"
  wait_until 10 eval "swaymsg_ '[title=\"^$name\$\"] focus' && [[ \"\$(focused_name)\" == '$name' ]]" ||
    fail "the $name window could not be focused"
}
target_text() { cat "$E2E_TEST_DIR/${1:-target}.txt" 2>/dev/null; }
assert_target_holds() {
  wait_until 10 eval "[[ \"\$(target_text ${2:-target})\" == '$1' ]]" ||
    fail "the ${2:-target} window holds '$(target_text "${2:-target}")', not '$1'"
}
clipboard_hex() { as_user wl-paste --no-newline 2>/dev/null | od -An -v -tx1 | tr -d ' \n'; }

hot_key() { keys "$HOT_KEY"; wait_until 10 log_has 'list frame shown' || fail "no list after the hot key"; }
list_hidden() { [[ "$(log_count 'list hidden')" == "$(log_count 'list shown')" ]]; }

# A click on row N of the list, centred on the 1280 x 800 output.
click_row() { keys "click:$(((1280 - 249) / 2 + ROW_X)),$(((800 - 496) / 2 + $(row_y "$1"))))"; }
