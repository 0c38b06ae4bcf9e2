# shellcheck shell=bash
# The pop-up list used while the settings dialog waits in its modal loop: the list's handlers
# see the list as it is on screen, and the dialog stays usable after a paste.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"
# shellcheck source=tests/e2e/settings_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/settings_lib.sh"

TRAY_WINDOW_CLASS=TQvTrayWindow
MENU_COMMAND_SETTINGS=1

# Under openbox a window that Wine shows while another of its windows is modal is stacked
# below the window in front (Windows brings it to the front): keep Notepad clear of the list.
notepad_beside_popup() {
  xdotool windowsize --sync "$NOTEPAD_XID" 480 400 || fail "could not resize Notepad"
}

settings_open_from_tray() {
  tray_open_menu
  tray_choose 0
  probe wait-visible "$QV_SETTINGS_CLASS" 5000 || fail "the settings dialog did not open"
}

test_list_works_while_settings_dialog_is_open() {
  write_test_data
  start_with_notepad
  notepad_beside_popup
  settings_open_from_tray

  notepad_clear
  popup_show
  shot popup-over-dialog
  popup_scroll_to_second_page
  sleep 0.5 # several ticks of the label column's timer
  assert_eq 36 "$(list_top_row)" "top row after the label column's timer ran"
  assert_eq 36 "$(probe topindex "$QV_MAIN_CLASS" "$QV_ID_KEY_LABELS")" "label column's top row"
  shot second-page-over-dialog
  popup_click_row 4
  popup_wait_hidden "the pop-up after the row click"
  assert_pasted 'text of slot 40'
  qv_running || fail "the program ended"
}

test_paste_while_settings_dialog_is_open_leaves_it_usable() {
  write_test_data
  start_with_notepad
  notepad_beside_popup
  settings_open_from_tray

  notepad_clear
  popup_show
  xdotool key 1
  popup_wait_hidden "the pop-up after the slot key"
  assert_pasted 'text of slot 0'
  # The paste minimised the application, which hid the dialog; the hot key restores it.
  popup_show
  probe wait-visible "$QV_SETTINGS_CLASS" 3000 || fail "the hot key did not bring the dialog back"
  # The tray icon is not clickable in Wine while a modal dialog is up: choose "Settings..." as
  # its menu does, with the command posted to the tray's window.
  probe command "$TRAY_WINDOW_CLASS" "$MENU_COMMAND_SETTINGS" || fail "could not choose Settings..."
  assert_eq "Cannot make a visible window modal." \
    "$(probe_text message-text "$QV_CAPTION" 5000)" "error when Settings... is chosen again"
  shot error-above-dialog
  probe message-box "$QV_CAPTION" 5000 OK >/dev/null || fail "could not press OK"
  probe wait-no-message-box "$QV_CAPTION" 5000 || fail "the error box did not close"
  probe visible "$QV_SETTINGS_CLASS" >/dev/null || fail "the dialog is gone after the error"
  settings_cancel
  qv_running || fail "the program ended"
  qv_close || fail "the program did not end after WM_CLOSE"
}
