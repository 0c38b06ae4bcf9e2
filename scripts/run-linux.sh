#!/usr/bin/env bash
# Runs build/linux/quorvanel on X11. Its data files live beside a copy of it in
# .e2e/run-linux/ ($QV_RUN_LINUX_DIR): the files from data/ are copied in once and then kept, so
# what you change survives the next `make run-linux`. Without $DISPLAY a virtual display with
# openbox, a tray (trayer) and l3afpad as a paste target is started.
#
# Ctrl+C ends the program as the end of a session does (it saves its data files), then stops
# the virtual display.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$ROOT/tests/e2e/lib.sh"

build="$ROOT/build/linux"
[[ -x "$build/quorvanel" ]] || { echo "run-linux: $build/quorvanel is missing" >&2; exit 1; }
program_dir=${QV_RUN_LINUX_DIR:-$QV_CACHE/run-linux}
mkdir -p "$program_dir"
cp "$build/quorvanel" "$program_dir/"
[[ -f "$build/libquorvanel-dialogs.so" ]] && cp "$build/libquorvanel-dialogs.so" "$program_dir/"
for file in "$ROOT"/data/*.qvl; do
  [[ -e "$program_dir/$(basename "$file")" ]] || cp "$file" "$program_dir/"
done

target_pid=''
# shellcheck disable=SC2317  # called by the trap
cleanup() {
  [[ -n "$target_pid" ]] && kill "$target_pid" 2>/dev/null
  e2e_stop_display
}
trap cleanup EXIT
trap ':' INT TERM

if [[ -z "${DISPLAY:-}" ]]; then
  logs="$QV_CACHE/run-linux-display"
  if ! e2e_start_display "$logs"; then
    e2e_stop_display
    e2e_start_display "$logs" || { echo "run-linux: no X display" >&2; exit 2; }
  fi
  echo "No \$DISPLAY: started Xvfb on $DISPLAY with openbox and trayer."
  echo "  screenshot: DISPLAY=$DISPLAY import -window root shot.png"
  : >"$logs/target.txt"
  setsid l3afpad "$logs/target.txt" >"$logs/l3afpad.log" 2>&1 &
  target_pid=$!
  echo "  hot key:    DISPLAY=$DISPLAY xdotool key F5   (l3afpad is the paste target)"
fi

echo "Running ${program_dir#"$ROOT"/}/quorvanel; Ctrl+C ends it (it saves first)."
"$program_dir/quorvanel" </dev/null &
program=$!
status=0
while kill -0 "$program" 2>/dev/null; do
  if wait "$program"; then status=0; else status=$?; fi
  # A Ctrl+C reached the program too; it saves and ends by itself.
done
echo "Quorvanel ended with status $status."
exit "$status"
