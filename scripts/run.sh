#!/usr/bin/env bash
# Runs build/windows/Quorvanel.exe under Wine in a private prefix (.e2e/run-prefix, or
# $QV_RUN_PREFIX). The program lives in C:\Quorvanel\ there; the data files from data/ are
# copied in once and then kept, so what you change survives the next `make run`. Without
# $DISPLAY a virtual display with a window manager and a tray is started (watch it with
# screenshots, see below).
#
# Ctrl+C ends the program as its "Quit" does (it saves its data files), then stops the virtual
# display; a second Ctrl+C ends it at once, without saving.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$ROOT/tests/e2e/lib.sh"

[[ -f "$QV_EXE" ]] || { echo "run: $QV_EXE is missing" >&2; exit 1; }

e2e_prefix_template
export WINEPREFIX=${QV_RUN_PREFIX:-$QV_CACHE/run-prefix}
if [[ ! -d "$WINEPREFIX" ]]; then
  e2e_new_prefix "$WINEPREFIX"
fi
program_dir="$WINEPREFIX/drive_c/Quorvanel"
mkdir -p "$program_dir"
cp "$QV_EXE" "$program_dir/Quorvanel.exe"
for file in "$ROOT"/data/*.qvl; do
  [[ -e "$file" && ! -e "$program_dir/$(basename "$file")" ]] && cp "$file" "$program_dir/"
done

# shellcheck disable=SC2317  # called by the trap
cleanup() {
  e2e_stop_wine
  e2e_stop_display
}
trap cleanup EXIT
# The terminal's Ctrl+C reaches this script only: the display and Wine run in sessions of
# their own (e2e_start_display, setsid below), so that they live on while the program saves.
interrupts=0
trap 'interrupts=$((interrupts + 1))' INT TERM

if [[ -z "${DISPLAY:-}" ]]; then
  display_logs="${WINEPREFIX%/*}/run-display"
  # The display's programs now and then fail to start on a busy machine: try twice.
  if ! e2e_start_display "$display_logs"; then
    e2e_stop_display
    e2e_start_display "$display_logs" || { echo "run: no X display" >&2; exit 2; }
  fi
  echo "No \$DISPLAY: started Xvfb on $DISPLAY with openbox and trayer."
  echo "  screenshot: DISPLAY=$DISPLAY import -window root shot.png"
  # Wine sees keys only while one of its windows has the focus: keep Notepad in front, so
  # that the hot key works and a paste has somewhere to go.
  E2E_TEST_ARTIFACTS="$display_logs" notepad_start ||
    echo "  (Notepad did not start: the hot key will not reach the program)"
  echo "  hot key:    DISPLAY=$DISPLAY xdotool key F5   (Wine's Notepad is in front)"
fi

echo "Running C:\\Quorvanel\\Quorvanel.exe (data files in ${program_dir#"$ROOT"/}); Ctrl+C ends it."
cd "$program_dir"
setsid "$WINE" 'C:\Quorvanel\Quorvanel.exe' </dev/null &
program=$!

# Waits for the program; the first Ctrl+C asks it to close as "Quit" does, the second ends it.
asked=0
status=0
while kill -0 "$program" 2>/dev/null; do
  if wait "$program"; then status=0; else status=$?; fi
  if ((interrupts >= 2)); then
    echo "Second Ctrl+C: ending Quorvanel without saving."
    break
  fi
  if ((interrupts == 1 && !asked)); then
    asked=1
    echo "Ctrl+C: closing Quorvanel as its Quit does, which saves its data files..."
    probe close "$QV_MAIN_CLASS" >/dev/null 2>&1 ||
      echo "  (its main window was not found; Ctrl+C again ends it without saving)"
    echo "  (if it does not end, a message box may be waiting for an answer; Ctrl+C again ends it)"
  fi
done
echo "Quorvanel ended with status $status."
exit "$status"
