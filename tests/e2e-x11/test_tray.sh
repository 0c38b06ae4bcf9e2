# shellcheck shell=bash
# The tray icon's menu as the user works it: "Settings..." changes the hot key, "Lock and Add
# Clip" edits a clip that then pastes, "Quit" saves and ends the program, and asks first about
# text typed in the editor and not yet written; a paste waiting out its delay is dropped by any
# of them.

# The rows and preferences in LF breaks, which a save writes back in CR LF.
write_data_to_be_rewritten() {
  qv_write_rows '\r\n'
  cp "$(qv_dir)/Lb1.qvl" "$E2E_TEST_DIR/expected-Lb1.qvl"
  qv_write_rows '\n'
  qv_write_store '\r\n'
  printf '%s\n100\n0000000000' "$HOT_KEY" >"$(qv_dir)/prefs.qvl"
}

settings_visible() { [[ -n "$(window_of '^Settings$')" ]]; }
prefs_hot_key_is() { [[ "$(head -n1 "$(qv_dir)/prefs.qvl")" == "$1"$'\r' ]]; }

test_settings_changes_the_hot_key_and_quit_saves() {
  write_data_to_be_rewritten
  target_start
  qv_start_ready
  tray_choose 0
  wait_until 10 settings_visible || fail "Settings... opened no dialog"
  shot settings
  local dialog
  dialog=$(window_of '^Settings$')
  click_in "$dialog" 50 76 # the hot key's box
  xdotool key ctrl+a type F7
  click_in "$dialog" 74 105 # OK
  wait_until 5 eval '! settings_visible' || fail "the dialog stayed after OK"
  wait_until 5 prefs_hot_key_is F7 || fail "prefs.qvl: $(head -n1 "$(qv_dir)/prefs.qvl")"
  target_activate
  HOT_KEY=F7 popup_show
  xdotool key F7
  wait_until 5 list_hidden || fail "F7 did not hide the list"

  tray_choose 2
  qv_wait_exit 20 || fail "the program did not end after Quit"
  assert_same_file "$E2E_TEST_DIR/expected-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
  assert_file_bytes "$(qv_dir)/prefs.qvl" 'F7\r\n100\r\n0000000000\r\n'
  wait_until 10 eval '[[ -z "$(tray_icon)" ]]' || fail "the tray icon stayed after the end"
}

editor_visible() { [[ -n "$(window_of '^Add / Modify Clip$')" ]]; }
# The clip's field is white once it takes input (grey while no clip is loaded).
content_field_white() { import -window "$1" -crop 1x1+300+170 txt:- 2>/dev/null | grep -q '#FFFFFF'; }

test_editor_round_trip_saves_the_clip_that_then_pastes() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs "$HOT_KEY" 100 0000000000
  target_start
  qv_start_ready
  tray_choose 1
  wait_until 10 editor_visible || fail "Lock and Add Clip opened no editor"
  wait_until 5 list_visible || fail "the list did not show with the editor"
  local editor
  editor=$(window_of '^Add / Modify Clip$')
  wait_until 5 apart "$editor" "$(window_of "^$LIST_TITLE\$")" || fail "the editor covers the list"
  click_row 3 # loads slot 3 into the fields, which then take input
  wait_until 5 content_field_white "$editor" || fail "the row did not load into the editor"
  # Typed in ASCII: xdotool types other characters through a keycode remapped for a moment,
  # which GTK now and then reads after the mapping is undone.
  click_in "$editor" 100 62 # the title; Enter moves on to the clip's text
  xdotool key ctrl+a type 'Renamed 3'
  xdotool key Return ctrl+a type 'New text, slot 3'
  shot edited
  click_in "$editor" 67 199 # Update Clip
  click_in "$editor" 179 199 # Close: saves the three files
  wait_until 10 eval '! editor_visible' || fail "the editor stayed after Close"
  wait_until 5 list_hidden || fail "the list stayed after Close"
  grep -q "^Renamed 3 *$(printf '/:hdr:\\\\%s' "$(qv_tag 3)")" "$(qv_dir)/Lb1.qvl" ||
    fail "Lb1.qvl lacks the new title: $(sed -n 4p "$(qv_dir)/Lb1.qvl")"
  grep -q '^New text, slot 3' "$(qv_dir)/svclips.qvl" || fail "svclips.qvl lacks the new text"

  target_activate
  popup_show
  xdotool key 4
  assert_target_holds 'New text, slot 3'
}

# The dialog, modal inside the paste's wait, must not let the paste go out when it closes,
# into whatever then has the focus.
test_settings_opened_during_a_waiting_paste_types_nothing() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs "$HOT_KEY" 3000 0000000000
  target_start
  qv_start_ready
  popup_show
  xdotool key c
  wait_until 5 list_hidden || fail "the list stayed after the slot key"
  tray_choose 0
  wait_until 10 settings_visible || fail "Settings... opened no dialog"
  click_in "$(window_of '^Settings$')" 150 105 # Cancel
  wait_until 5 eval '! settings_visible' || fail "the dialog stayed after Cancel"
  target_activate
  sleep 4 # the 3 s delay is over: a paste still waiting would be typed by now
  assert_eq 0 "$(log_count 'paste typed')" "pastes typed"
  target_changed && fail "l3afpad received slot 12 after Settings closed"
  qv_running || fail "the program ended"
}

warning_visible() { [[ -n "$(window_of '^Warning$')" ]]; }

# Text typed into the editor, by the keyboard alone, and not yet written by Update Clip:
# "Quit" asks first, and "Yes" goes back to the editor with the text kept.
test_quit_with_typed_unwritten_text_asks() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs "$HOT_KEY" 100 0000000000
  qv_start_ready
  tray_choose 1
  wait_until 10 editor_visible || fail "Lock and Add Clip opened no editor"
  local editor
  editor=$(window_of '^Add / Modify Clip$')
  click_row 3
  wait_until 5 content_field_white "$editor" || fail "the row did not load into the editor"
  # No click in a field (a click there marks the clip by itself): Tab reaches one.
  xdotool windowactivate --sync "$editor" key Tab type 'typed'
  shot typed
  tray_choose 2
  wait_until 10 warning_visible || fail "Quit asked nothing about the typed text"
  shot asked
  xdotool key Return # Yes: back to the editor, to press Update Clip
  wait_until 5 eval '! warning_visible' || fail "the question stayed after Yes"
  qv_running || fail "the program ended although Yes was answered"
  editor_visible || fail "the editor closed although Yes was answered"
}
