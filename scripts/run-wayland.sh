#!/usr/bin/env bash
# Runs build/linux/quorvanel on Wayland: on $WAYLAND_DISPLAY when set, else on a headless sway
# (pixman, no XWayland) run by the tests' unprivileged user, with a GTK text window to paste
# into. Its data files live in .e2e/run-wayland/qv/ and are kept between runs. Ctrl+C ends it
# (it saves first).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [[ -n "${WAYLAND_DISPLAY:-}" ]]; then exec "$ROOT/build/linux/quorvanel" --wayland; fi

# shellcheck source=tests/e2e-wayland/lib.sh
source "$ROOT/tests/e2e-wayland/lib.sh"
export E2E_TEST_DIR=$ROOT/.e2e/run-wayland
mkdir -p "$E2E_TEST_DIR"
rm -f "$E2E_TEST_DIR/keys.in"
for d in "$ROOT/build/linux" "$E2E_TEST_DIR"; do while [[ "$d" != / ]]; do chmod o+x "$d"; d=$(dirname "$d"); done; done
data=$(ls "$E2E_TEST_DIR"/qv/*.qvl 2>/dev/null | wc -l)
qv_install_keeping() {
  mkdir -p "$(qv_dir)"
  cp "$WL_BUILD/quorvanel" "$WL_BUILD"/libquorvanel-*.so "$(qv_dir)/"
  ((data)) || cp "$ROOT"/data/*.qvl "$(qv_dir)/"
}
trap wl_stop_all EXIT
trap ':' INT TERM
sway_start
qv_install_keeping
target_start
qv_start
cat <<HINT
Quorvanel runs on a headless sway (as $WL_USER); the GTK window "target" is the paste target.
  hot key:    echo F5 > $E2E_TEST_DIR/keys.in      slot key: echo c > $E2E_TEST_DIR/keys.in
  screenshot: runuser -u $WL_USER -- env XDG_RUNTIME_DIR=$WL_RUNTIME WAYLAND_DISPLAY=wayland-1 grim shot.png
  target:     $E2E_TEST_DIR/target.txt        log: $E2E_TEST_DIR/program.log
Ctrl+C ends it (it saves first).
HINT
wait "$QV_PID" || true
