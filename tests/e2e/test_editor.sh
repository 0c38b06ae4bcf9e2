# shellcheck shell=bash
# The clip editor as a user works it: "Lock and Add Clip" from the tray menu, a row click to
# load a clip, typing into the dialog's fields, "Update Clip", "Close", and the copy menu.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"
# shellcheck source=tests/e2e/editor_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/editor_lib.sh"

COPY_MENU_ITEMS=2

menu_closed() { ! probe visible "$TRAY_MENU_CLASS" >/dev/null 2>&1; }

# copy_menu_choose INDEX: a right click on the list opens the copy menu; INDEX 0 "Copy Clip",
# 1 "Paste Clip".
copy_menu_choose() {
  popup_click 100 300 3
  probe wait-visible "$TRAY_MENU_CLASS" 5000 || fail "the copy menu did not open"
  local left top right bottom
  read -r left top right bottom < <(probe rect "$TRAY_MENU_CLASS")
  local item_height=$(((bottom - top - 6) / COPY_MENU_ITEMS))
  click_at $(((left + right) / 2)) $((top + 3 + item_height * $1 + item_height / 2)) 1
  wait_until 3 menu_closed || fail "the copy menu did not close"
}

# ---------------------------------------------------------------- tests

test_lock_and_add_shows_list_and_dialog_side_by_side() {
  write_test_data
  start_with_notepad
  lock_and_add
  local client dialog
  read -r -a client <<<"$(editor_client)"
  read -r -a dialog <<<"$(probe rect "$QV_EDITOR_CLASS")"
  assert_eq "$EDITOR_CLIENT_WIDTH $EDITOR_CLIENT_HEIGHT" "${client[2]} ${client[3]}" "client size"
  assert_eq $(((SCREEN_WIDTH - (POPUP_WIDTH + dialog[2] - dialog[0])) / 2)) "$POPUP_LEFT" "list left"
  assert_eq "$POPUP_RIGHT" "${dialog[0]}" "dialog left"
  xdotool mousemove 0 0
  sleep 0.3
  shot side-by-side
  # The list stays up when another application comes to the front.
  notepad_activate
  sleep 0.5
  probe visible "$QV_MAIN_CLASS" >/dev/null || fail "the list hid while the lock is on"
  probe visible "$QV_EDITOR_CLASS" >/dev/null || fail "the editor hid while the lock is on"
  xdotool windowactivate --sync "$(xdotool search --name "^$EDITOR_CAPTION\$" | head -n1)"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  probe wait-hidden "$QV_MAIN_CLASS" 5000 || fail "Close did not hide the list"
}

test_edit_update_close_writes_the_files_and_the_next_paste_types_it() {
  write_test_data
  start_with_notepad
  lock_and_add
  popup_click_row 4
  wait_until 5 title_reads 'Slot 04' || fail "row 4 was not loaded: title [$(editor_text 301)]"
  assert_eq 'text of slot 4' "$(editor_text 302)" "content field after loading row 4"
  type_title 'Greeting'
  type_content 'Hello '
  # 8-bit text arrives through the content field's menu: "Paste from Clipboard".
  probe set-clipboard-hex "$(hex_of '\xe9t\xe9,')" || fail "could not set the clipboard"
  editor_click 150 130 3
  probe wait-visible "$TRAY_MENU_CLASS" 5000 || fail "the content field's menu did not open"
  local left top right bottom
  read -r left top right bottom < <(probe rect "$TRAY_MENU_CLASS")
  click_at $(((left + right) / 2)) $(((top + bottom) / 2)) 1
  xdotool key ctrl+End Return Return
  xdotool type --delay 20 'see you'
  shot edited
  update_clip
  wait_until 5 title_reads '' || fail "Update Clip did not clear the fields"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"

  expected_rows 4 Greeting >"$E2E_TEST_ARTIFACTS/expected-Lb1.qvl"
  expected_store 4 'Hello \xe9t\xe9,\r\n\r\nsee you\r\n' >"$E2E_TEST_ARTIFACTS/expected-svclips.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-svclips.qvl" "$(qv_dir)/svclips.qvl"

  notepad_clear
  popup_show
  xdotool key 5
  popup_wait_hidden
  assert_pasted 'Hello \xe9t\xe9,\r\n\r\nsee you'
}

# Slot 2's one line may become two in this store of 849 lines, not three.
test_line_limit_refusal_shows_its_box() {
  write_test_data
  # 72 blocks of 3 lines, and lines outside every block up to 849.
  local i
  for ((i = 216; i < 849; i++)); do printf 'filler\r\n'; done >>"$(qv_dir)/svclips.qvl"
  cp "$(qv_dir)/svclips.qvl" "$E2E_TEST_ARTIFACTS/original-svclips.qvl"
  start_with_notepad
  lock_and_add
  popup_click_row 2
  wait_until 5 title_reads 'Slot 02' || fail "row 2 was not loaded"
  type_content $'one\ntwo\nthree'
  update_clip
  assert_eq $'The last clip entry caused Quorvanel Clips to\r\nreach it\'s maximum number of lines: 850!\r\nEnter smaller clip.' \
    "$(probe_text message-text Error 5000)" "line-limit message"
  shot line-limit
  probe message-box Error 5000 OK >/dev/null || fail "could not press OK"
  probe wait-no-message-box Error 5000 || fail "the box did not close"
  assert_eq $'one\r\ntwo\r\nthree' "$(editor_text 302)" "content field after OK"
  close_editor
  # The refusal leaves the clip counted as changed: Close asks, and No discards.
  probe message-box Warning 5000 No >/dev/null || fail "Close did not ask about the changed clip"
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  assert_same_file "$E2E_TEST_ARTIFACTS/original-svclips.qvl" "$(qv_dir)/svclips.qvl"
}

test_copy_menu_copies_slot_a_onto_slot_b() {
  write_test_data
  start_with_notepad
  lock_and_add
  popup_click_row 1
  wait_until 5 title_reads 'Slot 01' || fail "row 1 was not loaded"
  copy_menu_choose 0
  popup_click_row 9
  wait_until 5 title_reads 'Slot 09' || fail "row 9 was not loaded"
  copy_menu_choose 1
  wait_until 5 title_reads 'Slot 01' || fail "Paste Clip did not fill the title"
  update_clip
  wait_until 5 title_reads '' || fail "Update Clip did not clear the fields"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  expected_store 9 'text of slot 1\r\n\r\n' >"$E2E_TEST_ARTIFACTS/expected-svclips.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-svclips.qvl" "$(qv_dir)/svclips.qvl"
  expected_rows 9 'Slot 01' >"$E2E_TEST_ARTIFACTS/expected-Lb1.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
}

test_tab_moves_between_the_fields_and_types_no_tab() {
  write_test_data
  start_with_notepad
  lock_and_add
  popup_click_row 4
  wait_until 5 title_reads 'Slot 04' || fail "row 4 was not loaded"
  type_content 'ab'
  xdotool key Tab
  xdotool type --delay 20 'cd' # the title's text is selected: it becomes "cd"
  xdotool key shift+Tab
  xdotool type --delay 20 'e' # the clip's caret is where it was
  shot after-tab
  wait_until 5 title_reads 'cd' || fail "Tab did not move to the title: [$(editor_text 301)]"
  assert_eq 'abe' "$(editor_text 302)" "content field after Tab and Shift+Tab"
}

# No click into a field: the dialog is brought up by the keyboard, Tab reaches the clip's
# text, the typing counts as a change (Update Clip offered) and Update then Close write it.
test_text_typed_after_tab_reaches_the_store() {
  write_test_data
  start_with_notepad
  lock_and_add
  popup_click_row 4
  wait_until 5 title_reads 'Slot 04' || fail "row 4 was not loaded"
  xdotool windowactivate --sync "$(xdotool search --name "^$EDITOR_CAPTION\$" | head -n1)"
  xdotool key Tab ctrl+End
  xdotool type --delay 20 ' typed'
  shot typed-after-tab
  content_reads() { [[ "$(editor_text 302)" == 'text of slot 4 typed' ]]; }
  wait_until 5 content_reads || fail "the typing went astray: [$(editor_text 302)]"
  update_clip
  wait_until 5 title_reads '' || fail "Update Clip did not take the typed text"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  expected_store 4 'text of slot 4 typed\r\n' >"$E2E_TEST_ARTIFACTS/expected-svclips.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-svclips.qvl" "$(qv_dir)/svclips.qvl"
}

# The editor by keyboard alone: Enter in the title moves on to the clip's text, Escape is
# "Close" with its question, Tab reaches "Update Clip" and Space presses it.
test_editor_by_keyboard() {
  write_test_data
  start_with_notepad
  lock_and_add
  popup_click_row 4
  wait_until 5 title_reads 'Slot 04' || fail "row 4 was not loaded"
  local editor
  editor=$(xdotool search --name "^$EDITOR_CAPTION\$" | head -n1)
  xdotool windowactivate --sync "$editor"
  xdotool key Tab Tab # the clip's text, then the title with its text selected
  xdotool type --delay 20 'Keys'
  xdotool key Return ctrl+a
  xdotool type --delay 20 'typed'
  wait_until 5 title_reads 'Keys' || fail "typing went astray: [$(editor_text 301)]"
  assert_eq 'typed' "$(editor_text 302)" "the clip's text after Enter in the title and Ctrl+A"
  xdotool key Escape
  probe message-box Warning 5000 Yes >/dev/null || fail "Escape did not ask about the typed clip"
  probe wait-no-message-box Warning 5000 || fail "the question stayed"
  probe visible "$QV_EDITOR_CLASS" >/dev/null || fail "Yes did not keep the editor"
  xdotool windowactivate --sync "$editor"
  xdotool key Tab Tab Tab Tab # the text, the title, "Clear", "Update Clip"
  shot update-clip-focused
  xdotool key space
  wait_until 5 title_reads '' || fail "Space on Update Clip did not write the clip"
  xdotool key Escape # nothing left unwritten: no question
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Escape did not close the editor"
  expected_rows 4 Keys >"$E2E_TEST_ARTIFACTS/expected-Lb1.qvl"
  expected_store 4 'typed\r\n' >"$E2E_TEST_ARTIFACTS/expected-svclips.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-svclips.qvl" "$(qv_dir)/svclips.qvl"
}
