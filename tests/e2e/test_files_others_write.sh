# shellcheck shell=bash
# Files other programs write in the data folder: a sync engine's conflict copy, a slow writer,
# a file held open, Notepad's UTF-8, and the lock file that must not travel with the folder.

# shellcheck source=tests/e2e/test_sync.sh
source "$(dirname "${BASH_SOURCE[0]}")/test_sync.sh"

# This machine saves slot 3 as the other's save of slot 7 arrives: the engine puts theirs in
# place and keeps ours as a conflict copy. Both edits end in the live files.
test_two_saves_at_once_through_an_engine_conflict_copy_keep_both_edits() {
  write_test_data
  start_with_notepad
  lock_and_add
  this_machine_edits 3 'Mine 3' 'edited here'
  close_editor
  wait_until 10 grep -q 'Mine 3' "$(qv_dir)/Lb1.qvl" || fail "Close did not save"
  local dir copy=" (PC2's conflicted copy 2026-12-08).qvl"
  dir=$(qv_dir)
  other_machine_edits 7 'Theirs 7' 'edited there'
  edited_files "$dir/Lb1$copy" "$dir/svclips$copy" 3 'Mine 3' 'edited here'
  wait_until 10 row_shows 3 'Mine 3' || fail "row 3 lost this machine's edit"
  wait_until 10 row_shows 7 'Theirs 7' || fail "row 7 does not show the other machine's edit"
  probe message-box Warning 10000 OK >/dev/null || fail "the copy taken in was not told"
  tray_quit
  qv_wait_exit 20 || fail "the program did not end: $(probe_text message-text Warning 100)"
  assert_files '' 3 'Mine 3' 'edited here' 7 'Theirs 7' 'edited there'
  [[ -f "$dir/Lb1$copy.taken-in" ]] || fail "the copy was not moved aside"
}

# A sync client rewrites Lb1.qvl in place, 88 bytes every 0.3 s; Quit comes in the middle.
test_a_slow_in_place_writer_and_a_quit_in_the_middle_lose_no_row() {
  write_test_data
  start_with_notepad
  expected_rows 5 'Theirs 5' >"$E2E_TEST_ARTIFACTS/theirs-Lb1.qvl"
  (
    : >"$(qv_dir)/Lb1.qvl"
    while read -r -N 88 chunk || [[ -n "$chunk" ]]; do
      printf '%s' "$chunk" >>"$(qv_dir)/Lb1.qvl" && sleep 0.3
    done <"$E2E_TEST_ARTIFACTS/theirs-Lb1.qvl"
  ) &
  local writer=$!
  sleep 4
  tray_quit
  qv_wait_exit 20 || fail "the program did not end: $(probe_text message-text Warning 100)"
  wait "$writer"
  assert_same_file "$E2E_TEST_ARTIFACTS/theirs-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
  ! ls "$(qv_dir)"/*.changed-* 2>/dev/null || fail "a fragment was kept beside"
}

# Only the suffix choice changed; the store is held by another program all the while.
test_a_held_file_that_needs_no_write_leaves_the_save_and_the_session_end_alone() {
  write_test_data
  start_with_notepad
  local held="$E2E_TEST_ARTIFACTS/held.txt"
  probe hold-file 'C:\qv\svclips.qvl' 8000 >"$held" &
  wait_until 10 test -s "$held" || fail "the probe could not hold svclips.qvl"
  popup_show
  popup_click "$CRLF_BUTTON_X" "$HEADER_BUTTON_Y"
  local start=${EPOCHREALTIME/./}
  assert_eq 1 "$(probe query-end-session "$QV_MAIN_CLASS")" "answer to WM_QUERYENDSESSION"
  (((${EPOCHREALTIME/./} - start) < 1500000)) || fail "the end of the session waited for the held file"
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$HOT_KEY\r\n100\r\n2000000000\r\n"
  tray_quit
  qv_wait_exit 20 || fail "Quit did not end the program: $(probe_text message-text "$QV_CAPTION" 100)"
}

# Notepad saves UTF-8 without a mark: read as UTF-8, and left as it is.
test_a_utf8_file_without_a_mark_reads_right() {
  write_test_data
  sed -i '1s/^Slot 00    /Grüße Нина/' "$(qv_dir)/Lb1.qvl"
  cp "$(qv_dir)/Lb1.qvl" "$E2E_TEST_ARTIFACTS/utf8-Lb1.qvl"
  start_with_notepad
  local row
  row=$(printf '%b' "$(QV_PROBE_UTF8=1 probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | head -n1)")
  [[ "$row" == 'Grüße Нина '* ]] || fail "row 0: [$row]"
  tray_quit
  qv_wait_exit 20 || fail "the program did not end"
  assert_same_file "$E2E_TEST_ARTIFACTS/utf8-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
}

# The lock file is one sync engines skip, made once: never rewritten nor removed.
test_the_folder_holds_no_churning_lock_file() {
  write_test_data
  local lock first='' round
  lock="$(qv_dir)/~\$Quorvanel.lock"
  for round in 1 2; do
    qv_start
    qv_wait_in_tray || fail "start $round did not reach the tray"
    [[ -f "$lock" ]] || fail "no lock file while running"
    [[ -z "$first" ]] || assert_eq "$first" "$(stat -c '%i %Y %s' "$lock")" "the lock file"
    first=$(stat -c '%i %Y %s' "$lock")
    tray_quit
    qv_wait_exit 20 || fail "the program did not end"
    [[ -f "$lock" ]] || fail "the lock file was removed"
  done
  ! ls "$(qv_dir)"/Quorvanel.lock 2>/dev/null || fail "the old lock file name is back"
}
