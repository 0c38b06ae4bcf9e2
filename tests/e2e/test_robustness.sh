# shellcheck shell=bash
# Nothing lost, nothing silent: a paste chosen with Alt held still arrives as a paste, a hot
# key that does not work is reported, the tray icon survives a new notification area, and a
# second copy from the same folder leaves the files alone.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"

test_alt_c_pastes_slot_12() {
  write_test_data
  start_with_notepad

  notepad_clear
  popup_show
  # The user lets go of Alt a moment after the pop-up has hidden, when the paste delay (100 ms)
  # is over: Ctrl+V must wait for that, not arrive as Ctrl+Alt+V.
  trap 'xdotool keyup alt' EXIT
  xdotool keydown alt key c
  popup_wait_hidden "the pop-up after Alt+C"
  sleep 0.3 # the user's hand, not a wait for the program
  xdotool keyup alt
  assert_pasted 'text of slot 12'
}
