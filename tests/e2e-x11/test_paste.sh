# shellcheck shell=bash
# The paste as a Linux user meets it: the hot key and a slot key, a click, the target closed
# or left during the delay, a hot key another client holds, a Russian-only layout, a 2 MB clip.

# write_test_data [DELAY]: 72 test slots, slot N holding "text of slot N"; F5; no suffix.
write_test_data() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs "$HOT_KEY" "${1:-100}" 0000000000
}

test_hot_key_shows_the_list_and_a_key_pastes_its_slot() {
  write_test_data
  target_start
  qv_start_ready
  log_has 'hotkey works' || fail "the hot key F5 was not grabbed"
  target_activate
  popup_show
  shot list
  xdotool key c
  wait_until 5 list_hidden || fail "the list stayed after the slot key"
  assert_target_holds 'text of slot 12'
  assert_eq 1 "$(log_count 'paste typed')" "pastes typed"
}

test_a_click_on_a_row_pastes_it() {
  write_test_data
  target_start
  qv_start_ready
  target_activate
  popup_show
  click_row 5
  assert_target_holds 'text of slot 5'
}

# The paste gives up when its target is no longer in front once the delay is over: nothing
# is typed anywhere, the clip waits on the clipboard and the user is told.
paste_into_target_that_goes() {
  write_test_data 4000 # time enough on a loaded machine
  bystander_start
  target_start
  qv_start_ready
  target_activate
  popup_show
  xdotool key c
  wait_until 5 list_hidden || fail "the list stayed after the slot key"
  eval "$1" # the target goes, during the delay
  xdotool windowactivate --sync "$BYSTANDER" >/dev/null 2>&1 || fail "xterm could not be activated"
  wait_until 10 log_has 'notice ' || fail "the user was not told"
  shot notice
  assert_eq '' "$(file_hex "$E2E_TEST_DIR/bystander.txt")" "bytes typed into xterm"
  assert_eq "$(hex_of 'text of slot 12')" "$(clipboard_hex)" "clipboard bytes"
  assert_eq secret "$(xclip -o -selection clipboard -t x-kde-passwordManagerHint)" "the hint"
  assert_eq 0 "$(log_count 'paste typed')" "pastes typed"
}

test_target_closed_during_the_delay_receives_nothing_and_is_told() {
  paste_into_target_that_goes 'kill "$TARGET_PID"'
}

test_target_left_during_the_delay_receives_nothing_and_is_told() {
  paste_into_target_that_goes true # the bystander is activated
  target_saved || fail "l3afpad received text"
}

test_hot_key_held_by_another_client_is_told() {
  write_test_data
  # Another copy, in a folder of its own, holds F5.
  local other="$E2E_TEST_DIR/other" box
  cp -r "$(qv_dir)" "$other"
  (cd "$other" && QV_DEBUG_LOG="$E2E_TEST_ARTIFACTS/other.log" exec ./quorvanel) >/dev/null 2>&1 &
  wait_until 20 grep -q '^[0-9]* hotkey works' "$E2E_TEST_ARTIFACTS/other.log" ||
    fail "the other client did not grab F5"
  qv_start
  wait_until 20 eval 'box=$(window_of "^Warning$"); [[ -n "$box" ]]' || fail "the user was not told"
  shot told
  xdotool windowactivate --sync "$box" key Return
  wait_until 10 log_has 'hotkey does not work' || fail "the program took its hot key for working"
  assert_eq 0 "$(log_count 'hotkey works')" "hot key grabs that worked"
}

test_russian_only_layout_still_pastes() {
  write_test_data
  target_start
  setxkbmap ru
  qv_start_ready
  target_activate
  popup_show
  click_row 12
  wait_until 20 target_changed || fail "no text arrived in l3afpad"
  setxkbmap us
  assert_target_holds 'text of slot 12'
}

# The key where a US keyboard has C chooses slot C under a layout without Latin letters.
test_russian_layout_slot_key_pastes_its_slot() {
  write_test_data
  target_start
  setxkbmap ru
  qv_start_ready
  target_activate
  popup_show
  xdotool key Cyrillic_es
  wait_until 20 target_changed || fail "no text arrived in l3afpad"
  setxkbmap us
  assert_target_holds 'text of slot 12'
}

# A clip of 2 MB is more than one request of this display may carry (-maxbigreqsize 1): it is
# served in INCR pieces, during the delay and to the target.
test_a_2_mb_clip_arrives_whole_through_incr() {
  qv_write_rows '\r\n'
  qv_write_prefs "$HOT_KEY" 3000 0000000000
  local line expected="$E2E_TEST_DIR/expected.txt"
  line=$(printf 'Ж%.0s' {1..1299}) # 2,598 bytes
  for ((i = 0; i < 800; i++)); do printf '%04d%s\r\n' "$i" "$line"; done >"$expected"
  truncate -s -2 "$expected" # no final line break
  {
    printf '/:hdr:\\%s\r\n' "$(qv_tag 0)"
    cat "$expected"
    printf '\r\n/:tlr:\\%s\r\n' "$(qv_tag 0)"
  } >"$(qv_dir)/svclips.qvl"
  target_start
  qv_start_ready
  target_activate
  popup_show
  xdotool key 1
  wait_until 5 list_hidden || fail "the list stayed after the slot key"
  xclip -o -selection clipboard -t UTF8_STRING >"$E2E_TEST_DIR/served.txt"
  cmp "$expected" "$E2E_TEST_DIR/served.txt" || fail "the clip served differs from the slot's text"
  wait_until 60 target_changed || fail "no text arrived in l3afpad"
  xdotool key ctrl+s
  wait_until 30 target_saved || fail "l3afpad did not save"
  tr -d '\r' <"$expected" >"$E2E_TEST_DIR/expected-lf.txt" # l3afpad saves LF
  cmp "$E2E_TEST_DIR/expected-lf.txt" "$E2E_TEST_DIR/target.txt" || fail "l3afpad holds other text"
}
