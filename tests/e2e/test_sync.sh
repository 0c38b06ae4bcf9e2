# shellcheck shell=bash
# One library on two machines whose folders a sync engine keeps equal: it brings the other
# machine's edits while the program runs, each file written beside and renamed over the old
# one, the rows a moment before the store. Each test_* runs with a fresh C:\qv\ (run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"
# shellcheck source=tests/e2e/editor_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/editor_lib.sh"

# edited_files ROWS_FILE STORE_FILE ROW TITLE TEXT...: the test data with those edits.
edited_files() {
  local rows_file=$1 store_file=$2 rows=() slots=()
  shift 2
  while (($# >= 3)); do rows+=("$1" "$2") && slots+=("$1" "$3\r\n") && shift 3; done
  expected_rows "${rows[@]}" >"$rows_file"
  expected_store "${slots[@]}" >"$store_file"
}

# other_machine_edits ROW TITLE TEXT...: the sync engine brings the other machine's files.
other_machine_edits() {
  local dir
  dir=$(qv_dir)
  edited_files "$dir/.syncthing.Lb1.tmp" "$dir/.syncthing.svclips.tmp" "$@"
  mv -f "$dir/.syncthing.Lb1.tmp" "$dir/Lb1.qvl"
  sleep 0.2
  mv -f "$dir/.syncthing.svclips.tmp" "$dir/svclips.qvl"
}

# assert_files SUFFIX ROW TITLE TEXT...: Lb1.qvl<SUFFIX>, svclips.qvl<SUFFIX> hold those edits.
assert_files() {
  local suffix=$1 name
  shift
  edited_files "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl" "$E2E_TEST_ARTIFACTS/expected-svclips.qvl" "$@"
  for name in Lb1.qvl svclips.qvl; do
    assert_same_file "$E2E_TEST_ARTIFACTS/expected-$name" "$(qv_dir)/$name$suffix"
  done
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

# Slot 3 edited here, 7 there: both reach the files. Slot 5 edited on both: told, this
# machine's version in the files, the other machine's files kept beside.
test_edits_on_both_machines_merge_by_slot_and_the_same_slot_is_told() {
  write_test_data
  start_with_notepad
  lock_and_add
  this_machine_edits 3 'Mine 3' 'edited here'
  this_machine_edits 5 'Mine 5' 'edited here too'
  other_machine_edits 5 'Theirs 5' 'edited there' 7 'Theirs 7' 'edited there too'
  local text
  text=$(probe_text message-text Warning 10000) || fail "the conflict was not told"
  shot conflict-told
  [[ "$text" == 'Slot 6 "Mine 5" changed both here'*'C:\qv\Lb1.qvl.changed-1 holds'* ]] ||
    fail "warning text: [$text]"
  row_shows 7 'Theirs 7' || fail "row 7 does not show the other machine's title"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
  probe wait-no-message-box Warning 5000 || fail "the warning did not close"
  close_editor
  probe wait-hidden "$QV_EDITOR_CLASS" 5000 || fail "Close did not hide the editor"
  assert_files '' 3 'Mine 3' 'edited here' 5 'Mine 5' 'edited here too' 7 'Theirs 7' 'edited there too'
  assert_files .changed-1 5 'Theirs 5' 'edited there' 7 'Theirs 7' 'edited there too'
}
