# shellcheck shell=bash
# The paste while the user goes on working: a window the user turned to during the paste delay
# gets nothing typed into it, and Windows' end-of-session query is answered during a long delay.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"

# Wine's WordPad: its window class and the id of its text (a rich edit control).
WORDPAD_CLASS=WORDPADTOP
WORDPAD_TEXT_ID=2001

# Starts Wine's WordPad and waits for its window; sets WORDPAD_XID.
wordpad_start() {
  setsid "$WINE" 'C:\Program Files\Windows NT\Accessories\wordpad.exe' >>"$E2E_TEST_ARTIFACTS/wordpad.log" 2>&1 &
  if ! wait_until 30 probe visible "$WORDPAD_CLASS" >/dev/null 2>&1; then
    save_window_state
    fail "WordPad did not start (windows.txt)"
  fi
  WORDPAD_XID=$(xdotool search --onlyvisible --name 'Wordpad$' | head -n1)
  [[ -n "$WORDPAD_XID" ]] || fail "no X window of WordPad"
}

wordpad_hex() {
  local text
  text=$(probe window-text "$WORDPAD_CLASS" "$WORDPAD_TEXT_ID") || return
  escaped_hex "$text"
}

test_click_into_another_window_during_the_delay_types_nothing_there() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs "$HOT_KEY" 2000 0000000000
  wordpad_start
  start_with_notepad

  popup_show
  xdotool key c
  popup_wait_hidden "the pop-up after the slot key"
  # During the 2 s delay the user turns to WordPad and clicks into its text.
  xdotool windowactivate --sync "$WORDPAD_XID"
  local x y w h
  read -r x y w h < <(x_client_area "$(xdotool getwindowname "$WORDPAD_XID")")
  click_at $((x + w / 2)) $((y + h / 2)) 1

  # Once the tray icon's balloon tells that nothing was pasted, the paste is over: WordPad and
  # Notepad got nothing, and the clip stays on the clipboard for the user's own Ctrl+V.
  local notice typed
  notice=$(probe_text visible-text tooltips_class32 10000) || true
  shot balloon
  typed=$(wordpad_hex) || fail "could not read WordPad's text"
  assert_eq '' "$typed" "WordPad's text"
  assert_eq '' "$(notepad_hex)" "Notepad's text"
  assert_eq "$(hex_of 'text of slot 12')" "$(probe clipboard)" "clipboard bytes"
  [[ "$notice" == *'Nothing was pasted'*'press Ctrl+V'* ]] || fail "balloon text: [$notice]"
  [[ "$(probe foreground)" == "$WORDPAD_CLASS "* ]] || fail "the balloon took the foreground"
}

test_session_end_query_during_a_long_paste_delay_is_answered_at_once() {
  write_data_to_be_rewritten
  printf '%s\n5000\n0000000000' "$HOT_KEY" >"$(qv_dir)/prefs.qvl"
  start_with_notepad

  notepad_clear
  popup_show
  xdotool key c
  popup_wait_hidden "the pop-up after the slot key"
  local answer ms
  read -r answer ms < <(probe query-end-session "$QV_MAIN_CLASS" timed) ||
    fail "no answer to WM_QUERYENDSESSION"
  assert_eq 1 "$answer" "answer to WM_QUERYENDSESSION"
  e2e_note "answered in $ms ms"
  ((ms < 1000)) || fail "the answer took $ms ms"
  # The query saved the data files.
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/original-svclips.qvl" "$(qv_dir)/svclips.qvl"
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$HOT_KEY\r\n5000\r\n0000000000\r\n"
  # The session went on: the paste arrives when the delay is over.
  wait_until 10 notepad_shows "$(hex_of 'text of slot 12')" ||
    assert_eq "$(hex_of 'text of slot 12')" "$(notepad_hex)" "Notepad's text"
}
