# shellcheck shell=bash
# One library on two machines whose folders a sync engine keeps equal: it brings the other
# machine's edit while the program runs, each file written beside and renamed over the old
# one, the rows a moment before the store. Each test_* runs with a fresh C:\qv\ (run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"
# shellcheck source=tests/e2e/editor_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/editor_lib.sh"

# other_machine_edits ROW TITLE TEXT: the sync engine brings the other machine's files.
other_machine_edits() {
  expected_rows "$1" "$2" >"$(qv_dir)/.syncthing.Lb1.qvl.tmp"
  mv -f "$(qv_dir)/.syncthing.Lb1.qvl.tmp" "$(qv_dir)/Lb1.qvl"
  sleep 0.2
  expected_store "$1" "$3\r\n" >"$(qv_dir)/.syncthing.svclips.qvl.tmp"
  mv -f "$(qv_dir)/.syncthing.svclips.qvl.tmp" "$(qv_dir)/svclips.qvl"
}

row_shows() { [[ "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | sed -n "$(($1 + 1))p")" == "$2 "* ]]; }

# this_machine_edits ROW TITLE TEXT: "Update Clip" in the editor, which stays open.
this_machine_edits() {
  popup_click_row "$1"
  wait_until 5 title_reads "$(printf 'Slot %02d' "$1")" || fail "row $1 was not loaded"
  type_title "$2"
  type_content "$3"
  update_clip
  wait_until 5 title_reads '' || fail "Update Clip did not clear the fields"
}

# assert_files SUFFIX ROW TITLE TEXT [ROW TITLE TEXT]: Lb1.qvl<SUFFIX> and svclips.qvl<SUFFIX>
# hold the test data with those edits.
assert_files() {
  local suffix=$1 rows=() slots=() name
  shift
  while (($# >= 3)); do rows+=("$1" "$2") && slots+=("$1" "$3\r\n") && shift 3; done
  expected_rows "${rows[@]}" >"$E2E_TEST_ARTIFACTS/expected-Lb1.qvl"
  expected_store "${slots[@]}" >"$E2E_TEST_ARTIFACTS/expected-svclips.qvl"
  for name in Lb1.qvl svclips.qvl; do
    assert_same_file "$E2E_TEST_ARTIFACTS/expected-$name" "$(qv_dir)/$name$suffix"
  done
}

test_a_file_replaced_while_running_is_shown_pasted_and_survives_quit() {
  write_test_data
  start_with_notepad
  notepad_clear
  local start=${EPOCHREALTIME/./}
  other_machine_edits 5 'Title 5' 'synced text of slot 5'
  wait_until 10 row_shows 5 'Title 5' || fail "row 5 does not show the new title"
  e2e_note "shown $(((${EPOCHREALTIME/./} - start) / 1000)) ms after the rows file was replaced"
  popup_show
  shot taken-in
  xdotool key 6
  assert_pasted 'synced text of slot 5'
  tray_quit
  qv_wait_exit 20 || fail "the program did not end: $(probe_text message-text Warning 100)"
  assert_files '' 5 'Title 5' 'synced text of slot 5'
  ! ls "$(qv_dir)"/*.changed-* 2>/dev/null || fail "a version was kept beside"
}

test_edits_to_different_slots_on_both_machines_both_reach_the_files() {
  write_test_data
  start_with_notepad
  lock_and_add
  this_machine_edits 3 'Mine 3' 'edited here'
  other_machine_edits 5 'Theirs 5' 'edited there'
  wait_until 10 row_shows 5 'Theirs 5' || fail "row 5 does not show the new title"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  assert_files '' 3 'Mine 3' 'edited here' 5 'Theirs 5' 'edited there'
  assert_eq 0 "$(probe count-message-boxes Warning)" "warnings"
}

test_the_same_slot_on_both_machines_is_told_and_both_versions_kept() {
  write_test_data
  start_with_notepad
  lock_and_add
  this_machine_edits 5 'Mine 5' 'edited here'
  other_machine_edits 5 'Theirs 5' 'edited there'
  local text
  text=$(probe_text message-text Warning 10000) || fail "the conflict was not told"
  shot conflict-told
  [[ "$text" == *'Slot 6 "Mine 5" changed both here'*'C:\qv\Lb1.qvl.changed-1 holds'* ]] ||
    fail "warning text: [$text]"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
  probe wait-no-message-box Warning 5000 || fail "the warning did not close"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  assert_files '' 5 'Mine 5' 'edited here'
  assert_files .changed-1 5 'Theirs 5' 'edited there'
}
