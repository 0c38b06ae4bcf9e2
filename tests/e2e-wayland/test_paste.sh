# shellcheck shell=bash
# The paste on sway as a user meets it: the hot key bound through sway's IPC, the list, a slot
# key or a click, Ctrl+V typed into the GTK window that was active; `quorvanel --toggle`; a
# clip in other scripts; another window made active during the delay; the list on the output
# the user works on.

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

test_a_click_on_a_row_pastes_it() {
  write_test_data
  target_start
  qv_start
  hot_key
  click_row 5
  assert_target_holds 'text of slot 5'
}

# The command a user binds where no program may bind a key: the running copy shows its list,
# and no second copy starts.
test_toggle_shows_the_running_programs_list_and_starts_no_second_one() {
  write_test_data
  target_start
  qv_start
  as_user "$(qv_dir)/quorvanel" --toggle || fail "--toggle found no running copy"
  wait_until 10 log_has 'list frame shown' || fail "--toggle showed no list"
  assert_eq 1 "$(log_count start)" "copies started"
  assert_eq 1 "$(pgrep -c -f "^$(qv_dir)/quorvanel")" "copies running"
  keys 3
  assert_target_holds 'text of slot 2'
}

# A clip in other scripts arrives byte for byte: the clipboard holds its UTF-8 and the window
# shows its letters.
test_a_clip_in_other_scripts_arrives_exactly() {
  write_test_data
  local clip='Привет, 世界 — ünïcödé ✓'
  printf '/:hdr:\\%s\r\n%s\r\n/:tlr:\\%s\r\n' "$(qv_tag 0)" "$clip" "$(qv_tag 0)" >"$E2E_TEST_DIR/store"
  sed -n '4,$p' "$(qv_dir)/svclips.qvl" >>"$E2E_TEST_DIR/store"
  printf '\xef\xbb\xbf' | cat - "$E2E_TEST_DIR/store" >"$(qv_dir)/svclips.qvl"
  target_start
  qv_start
  hot_key
  keys 1
  assert_target_holds "$clip"
  assert_eq "$(hex_of "$clip")" "$(clipboard_hex)" "clipboard bytes"
}

# Another window made active during the delay receives nothing; the clip waits on the
# clipboard and the user is told.
test_another_window_made_active_during_the_delay_receives_nothing() {
  write_test_data 3000
  target_start bystander
  target_start
  qv_start
  hot_key
  keys c
  wait_until 10 list_hidden || fail "the list stayed after the slot key"
  swaymsg_ '[title="^bystander$"] focus'
  wait_until 10 log_has 'notice Nothing was pasted' || fail "the user was not told"
  assert_eq '' "$(target_text bystander)" "text typed into the other window"
  assert_eq '' "$(target_text)" "text typed into the target"
  assert_eq "$(hex_of 'text of slot 12')" "$(clipboard_hex)" "clipboard bytes"
}

# With two outputs the list comes up centred on the one the user works on (the second, which
# is smaller and to the right), not on the first.
test_the_list_comes_up_on_the_output_with_the_keyboard_focus() {
  write_test_data
  swaymsg_ create_output
  swaymsg_ output HEADLESS-2 resolution 1024x600 position 1280 0
  target_start
  qv_start
  swaymsg_ focus output HEADLESS-2
  local before
  before=$(output_pixel HEADLESS-2 420 120)
  hot_key
  wait_until 5 eval "[[ \"\$(output_pixel HEADLESS-2 420 120)\" != '$before' ]]" ||
    fail "the list is not centred on the focused output"
}
output_pixel() { as_user grim -o "$1" - | convert png:- -format "%[pixel:p{$2,$3}]" info:; }
