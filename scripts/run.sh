#!/usr/bin/env bash
# Runs build/windows/Quorvanel.exe under Wine in a private prefix (.e2e/run-prefix). The
# program lives in C:\Quorvanel\ there; the data files from data/ are copied in once and then
# kept, so what you change survives the next `make run`. Without $DISPLAY a virtual display
# with a window manager and a tray is started (watch it with screenshots, see below).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/e2e/lib.sh
source "$ROOT/tests/e2e/lib.sh"

[[ -f "$QV_EXE" ]] || { echo "run: $QV_EXE is missing" >&2; exit 1; }

e2e_prefix_template
export WINEPREFIX="$QV_CACHE/run-prefix"
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
trap 'exit 130' INT TERM

if [[ -z "${DISPLAY:-}" ]]; then
  e2e_start_display "$QV_CACHE/run-display"
  echo "No \$DISPLAY: started Xvfb on $DISPLAY with openbox and trayer."
  echo "  screenshot: DISPLAY=$DISPLAY import -window root shot.png"
  # Wine sees keys only while one of its windows has the focus: keep Notepad in front, so
  # that the hot key works and a paste has somewhere to go.
  E2E_TEST_ARTIFACTS="$QV_CACHE/run-display" notepad_start ||
    echo "  (Notepad did not start: the hot key will not reach the program)"
  echo "  hot key:    DISPLAY=$DISPLAY xdotool key F5   (Wine's Notepad is in front)"
fi

echo "Running C:\\Quorvanel\\Quorvanel.exe (data files in ${program_dir#"$ROOT"/}); Ctrl+C ends it."
cd "$program_dir"
set +e
"$WINE" 'C:\Quorvanel\Quorvanel.exe'
status=$?
echo "Quorvanel ended with status $status."
exit "$status"
