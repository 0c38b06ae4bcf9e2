# shellcheck shell=bash
# The paste on sway as a user meets it: the hot key bound through sway's IPC, the list, a slot
# key or a click, Ctrl+V typed into the GTK window that was active; `quorvanel --toggle`; a
# clip in other scripts; another window made active during the delay.

test_hot_key_shows_the_list_and_a_slot_key_pastes_its_slot() {
  write_test_data
  target_start
  qv_start
  log_has 'hotkey works' || fail "the hot key F5 was not bound through sway"
  hot_key
  as_user grim "$E2E_TEST_DIR/list.png" || true
  keys c
  wait_until 10 list_hidden || fail "the list stayed after the slot key"
  assert_target_holds 'text of slot 12'
  assert_eq "$(hex_of 'text of slot 12')" "$(clipboard_hex)" "clipboard bytes"
}
