# shellcheck shell=bash
# A message box is a window the user sees and answers: a second copy started from the same
# folder says so in a box and ends when it is answered; the first goes on.

test_a_second_start_shows_its_box_and_ends_when_it_is_answered() {
  write_test_data
  target_start
  qv_start
  as_user "$(qv_dir)/quorvanel" >>"$E2E_TEST_DIR/second.out" 2>&1 &
  local second=$!
  wait_until 20 eval "[[ \"\$(focused_name)\" == Warning ]]" || fail "no box came up with the keyboard"
  log_has 'message: Quorvanel is already running' || fail "the box told something else"
  as_user grim "$E2E_TEST_DIR/box.png" || true
  keys Return
  wait_until 10 eval "! kill -0 $second 2>/dev/null" || fail "the second copy did not end"
  assert_eq 1 "$(pgrep -c -f "^$(qv_dir)/quorvanel")" "copies running"
  swaymsg_ '[title="^target$"] focus'
  hot_key
  keys c
  assert_target_holds 'text of slot 12'
}
