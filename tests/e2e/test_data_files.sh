# shellcheck shell=bash
# Data files at start-up and shut-down: what the program reads from C:\qv\ and writes back
# when its main window closes or Windows asks whether the log-on may end.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

DEFAULT_PREFS='F5\r\n100\r\n0000000000\r\n'

# Keeps a copy of a data file as it was before the program ran.
keep_original() { cp "$(qv_dir)/$1" "$E2E_TEST_ARTIFACTS/original-$1"; }
original() { echo "$E2E_TEST_ARTIFACTS/original-$1"; }

# The rows file of `qv_write_rows` with CR LF breaks, as the program must write it.
expected_rows_crlf() {
  local expected="$E2E_TEST_ARTIFACTS/expected-Lb1.qvl"
  qv_write_rows '\r\n'
  cp "$(qv_dir)/Lb1.qvl" "$expected"
  echo "$expected"
}

start_and_wait_for_tray() {
  qv_start
  qv_wait_in_tray || fail "the program did not reach the tray after start-up"
  shot in-tray
}

test_close_writes_lf_rows_back_with_crlf() {
  local expected
  expected=$(expected_rows_crlf)
  qv_write_rows '\n'
  qv_write_store '\r\n'
  qv_write_prefs F5 100 0000000000
  keep_original Lb1.qvl
  keep_original svclips.qvl

  start_and_wait_for_tray
  assert_eq 72 "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | wc -l)" "rows in the list"
  qv_close || fail "the program did not end after WM_CLOSE"

  assert_same_file "$expected" "$(qv_dir)/Lb1.qvl"
  # The file as it was before the save is kept beside it.
  assert_same_file "$(original Lb1.qvl)" "$(qv_dir)/Lb1.qvl.bak"
  assert_same_file "$(original svclips.qvl)" "$(qv_dir)/svclips.qvl"
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$DEFAULT_PREFS"
}

test_close_writes_mixed_line_breaks_back_as_crlf() {
  # A lone CR, a lone LF and CR LF each end one row; the last row has no break at all.
  printf 'one\rtwo\nthree\r\n\nfive' >"$(qv_dir)/Lb1.qvl"
  qv_write_store '\r\n'
  qv_write_prefs F5 100 0000000000

  start_and_wait_for_tray
  assert_eq "$(printf 'one\ntwo\nthree\n\nfive')" \
    "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST")" "rows in the list"
  qv_close || fail "the program did not end after WM_CLOSE"

  assert_file_bytes "$(qv_dir)/Lb1.qvl" 'one\r\ntwo\r\nthree\r\n\r\nfive\r\n'
}

test_close_keeps_store_without_final_break() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n' 72 0
  qv_write_prefs F5 100 0000000000
  keep_original Lb1.qvl
  keep_original svclips.qvl
  [[ "$(tail -c 2 "$(qv_dir)/svclips.qvl" | od -An -tx1 | tr -d ' \n')" != 0d0a ]] ||
    fail "test data: the store should not end with a line break"

  start_and_wait_for_tray
  qv_close || fail "the program did not end after WM_CLOSE"

  assert_same_file "$(original Lb1.qvl)" "$(qv_dir)/Lb1.qvl"
  assert_same_file "$(original svclips.qvl)" "$(qv_dir)/svclips.qvl"
}

test_close_writes_lf_store_with_crlf_and_no_final_break() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n' 72 0
  keep_original svclips.qvl
  qv_write_store '\n' 72 0
  qv_write_prefs F5 100 0000000000

  start_and_wait_for_tray
  qv_close || fail "the program did not end after WM_CLOSE"

  assert_same_file "$(original svclips.qvl)" "$(qv_dir)/svclips.qvl"
}

test_query_end_session_answers_1_and_writes_files() {
  local expected
  expected=$(expected_rows_crlf)
  qv_write_rows '\n'
  qv_write_store '\r\n'
  keep_original svclips.qvl
  rm -f "$(qv_dir)/prefs.qvl"
  printf 'F5\n100\n0000000000' >"$(qv_dir)/prefs.qvl"

  start_and_wait_for_tray
  assert_eq 1 "$(probe query-end-session "$QV_MAIN_CLASS")" "answer to WM_QUERYENDSESSION"

  # The files are written by the query itself; the program keeps running until Windows
  # ends the session.
  assert_same_file "$expected" "$(qv_dir)/Lb1.qvl"
  assert_same_file "$(original svclips.qvl)" "$(qv_dir)/svclips.qvl"
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$DEFAULT_PREFS"
  qv_running || fail "the program ended on WM_QUERYENDSESSION"
  assert_eq 0 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes"
  qv_close || fail "the program did not end after WM_CLOSE"
}

# Starts the program without a rows file and answers the one message box it must show.
start_without_rows_file() {
  rm -f "$(qv_dir)/Lb1.qvl"
  qv_write_store '\r\n' 72 0
  qv_write_prefs F5 100 0000000000
  keep_original svclips.qvl

  qv_start
  assert_eq 'Cannot open file C:\qv\Lb1.qvl.' "$(probe_text message-text "$QV_CAPTION" 20000)" \
    "message text"
  shot message-box
  assert_eq 1 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes"
  probe message-box "$QV_CAPTION" 5000 OK >/dev/null || fail "could not press OK"
  probe wait-no-message-box "$QV_CAPTION" 5000 || fail "the message box did not close"
}

test_missing_rows_file_shows_one_message_and_keeps_store() {
  start_without_rows_file
  # Nothing to poll for: give start-up a moment to show a second message if it would.
  sleep 1
  assert_eq 0 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes after OK"
  shot after-message
  qv_close || fail "the program did not end after WM_CLOSE"

  assert_same_file "$(original svclips.qvl)" "$(qv_dir)/svclips.qvl"
}

test_missing_rows_file_start_up_still_ends_in_tray() {
  start_without_rows_file
  qv_wait_in_tray || fail "the program did not reach the tray after the message"
  assert_eq 72 "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | wc -l)" "rows in the list"
  qv_close || fail "the program did not end after WM_CLOSE"
}

test_rows_file_with_a_nul_survives_start_and_quit_byte_for_byte() {
  qv_write_rows '\r\n'
  python3 - "$(qv_dir)/Lb1.qvl" <<'PY'
import sys
path = sys.argv[1]
data = open(path, 'rb').read().replace(b'Slot 03', b'Sl\x00t 03', 1)
open(path, 'wb').write(data)
PY
  qv_write_store '\r\n'
  qv_write_prefs F5 100 0000000000
  keep_original Lb1.qvl
  qv_start
  local text
  text=$(probe_text message-text "$QV_CAPTION" 20000) || fail "no message about the damaged file"
  [[ "$text" == *'C:\qv\Lb1.qvl looks damaged'* ]] || fail "unexpected message: $text"
  probe message-box "$QV_CAPTION" 5000 OK >/dev/null || fail "could not press OK"
  qv_wait_in_tray || fail "the program did not reach the tray after the message"
  assert_eq 72 "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | wc -l)" "rows in the list"
  qv_close || fail "the program did not end after WM_CLOSE"
  assert_same_file "$(original Lb1.qvl)" "$(qv_dir)/Lb1.qvl"
  assert_same_file "$(original Lb1.qvl)" "$(qv_dir)/Lb1.qvl.damaged-1"
}

test_prefs_file_locked_at_start_up_is_not_overwritten() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  printf 'F7\r\n250\r\n2000000000\r\n' >"$(qv_dir)/prefs.qvl"
  keep_original prefs.qvl
  # Another program holds the file open for writing while the program starts.
  local held="$E2E_TEST_ARTIFACTS/held.txt"
  probe hold-file 'C:\qv\prefs.qvl' 8000 >"$held" &
  local holder=$!
  wait_until 10 test -s "$held" || fail "the probe could not hold prefs.qvl"
  qv_start
  assert_eq 'Cannot open file C:\qv\prefs.qvl.' "$(probe_text message-text "$QV_CAPTION" 20000)" \
    "message at start-up"
  probe message-box "$QV_CAPTION" 5000 OK >/dev/null || fail "could not press OK"
  qv_wait_in_tray || fail "the program did not reach the tray after the message"
  wait "$holder"
  qv_close || fail "the program did not end after WM_CLOSE"
  assert_same_file "$(original prefs.qvl)" "$(qv_dir)/prefs.qvl"
}

# In a folder of 250 characters the files open, save and get their backups; a row of 3000
# characters, read from the list by another program as screen readers do, is read as its
# first 255 and stays whole in the file.
test_folder_of_250_characters_and_a_row_of_3000() {
  local part rel folder unix file
  part=$(printf 'd%.0s' {1..50})
  rel="$part/$part/$part/$part/${part:0:40}" # C:\qv, 4 x 51 and 41 characters
  folder="C:\\qv\\${rel//\//\\}" unix="$(qv_dir)/$rel"
  qv_write_rows '\r\n'
  sed -i "6s/^/$(printf 'L%.0s' {1..3000})/" "$(qv_dir)/Lb1.qvl"
  qv_write_store '\r\n'
  keep_original Lb1.qvl
  # LF breaks, so that the save rewrites every file.
  sed -i 's/\r$//' "$(qv_dir)"/*.qvl
  mkdir -p "$unix" && mv "$(qv_dir)"/*.* "$unix/"
  (cd "$unix" && exec "$WINE" "$folder\\Quorvanel.exe") >>"$E2E_TEST_ARTIFACTS/program.log" 2>&1 &
  QV_PID=$!
  qv_wait_in_tray || fail "not in the tray: $(probe_text message-text "$QV_CAPTION" 100)"
  assert_eq "$(printf 'L%.0s' {1..255})" \
    "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | sed -n 6p)" "row 5 in the list"
  qv_close || fail "the program did not end: $(probe_text message-text "$QV_CAPTION" 100)"
  assert_same_file "$(original Lb1.qvl)" "$unix/Lb1.qvl"
  for file in Lb1.qvl svclips.qvl prefs.qvl; do
    [[ -f "$unix/$file.bak" ]] || fail "no backup of $file"
  done
}
