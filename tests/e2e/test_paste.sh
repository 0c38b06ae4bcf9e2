# shellcheck shell=bash
# The paste while the user goes on working. Each test_* runs with a fresh C:\qv\ (run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"
# shellcheck source=tests/e2e/settings_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/settings_lib.sh"

test_click_into_wordpad_during_the_delay_types_nothing_there_and_is_told() {
  write_test_data
  qv_write_prefs "$HOT_KEY" 2000 0000000000
  setsid "$WINE" 'C:\Program Files\Windows NT\Accessories\wordpad.exe' >/dev/null 2>&1 &
  wait_until 30 probe visible WORDPADTOP >/dev/null 2>&1 || fail "WordPad did not start"
  start_with_notepad
  popup_show
  xdotool key c
  popup_wait_hidden "the pop-up after the slot key"
  local x y w h notice
  xdotool windowactivate --sync "$(xdotool search --onlyvisible --name 'Wordpad$' | head -n1)"
  read -r x y w h < <(x_client_area 'Document - Wine Wordpad')
  click_at $((x + w / 2)) $((y + h / 2)) 1 # into its text, during the 2 s delay

  # The balloon comes once the paste has given up; the clip waits for the user's own Ctrl+V.
  notice=$(probe_text visible-text tooltips_class32 10000) || true
  shot balloon
  assert_eq '' "$(probe window-text WORDPADTOP 2001 || echo unreadable)" "WordPad's text"
  assert_eq '' "$(notepad_hex)" "Notepad's text"
  assert_eq "$(hex_of 'text of slot 12')" "$(probe clipboard)" "clipboard bytes"
  [[ "$notice" == *'Nothing was pasted'*'press Ctrl+V'* ]] || fail "balloon text: [$notice]"
  [[ "$(probe foreground)" == 'WORDPADTOP '* ]] || fail "the balloon took the foreground"
}

test_session_end_query_during_a_5_s_paste_delay_is_answered_at_once() {
  write_data_to_be_rewritten
  printf '%s\n5000\n0000000000' "$HOT_KEY" >"$(qv_dir)/prefs.qvl"
  start_with_notepad
  notepad_clear
  popup_show
  xdotool key c
  popup_wait_hidden "the pop-up after the slot key"
  local start ms
  start=$(date +%s%N)
  assert_eq 1 "$(probe query-end-session "$QV_MAIN_CLASS")" "answer to WM_QUERYENDSESSION"
  ms=$((($(date +%s%N) - start) / 1000000)) # with the probe's own start
  e2e_note "answered in $ms ms"
  ((ms < 1500)) || fail "the answer took $ms ms"
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl" "$(qv_dir)/Lb1.qvl" # saved
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$HOT_KEY\r\n5000\r\n0000000000\r\n"
  # The session went on: the paste arrives when the delay is over.
  wait_until 10 notepad_shows "$(hex_of 'text of slot 12')" || fail "Notepad: $(notepad_hex)"
}

# Settings chosen from the tray during the delay: the dialog is modal inside the paste's wait,
# and the user has gone on to something else; closing it long after must type nothing.
test_tray_command_during_the_delay_cancels_the_paste() {
  write_test_data
  qv_write_prefs "$HOT_KEY" 2000 0000000000
  start_with_notepad
  notepad_clear
  popup_show
  xdotool key c
  popup_wait_hidden "the pop-up after the slot key"
  tray_open_menu
  tray_choose 0
  probe wait-visible "$QV_SETTINGS_CLASS" 5000 || fail "Settings did not open"
  sleep 3 # the user reads the dialog past the 2 s delay
  settings_cancel
  wait_until 5 notepad_in_front || notepad_activate
  sleep 1 # the paste would come now: the bound of its wait for the target is 0.5 s
  shot after-cancel
  assert_eq '' "$(notepad_hex)" "Notepad's text"
  assert_eq "$(hex_of 'text of slot 12')" "$(probe clipboard)" "clipboard bytes"
}

# A clip may be a password: it is marked for neither Win+V's history nor the cloud clipboard.
test_a_pasted_clip_is_kept_out_of_clipboard_history_and_cloud() {
  write_test_data
  start_with_notepad
  notepad_clear && popup_show && xdotool key c && popup_wait_hidden
  assert_pasted 'text of slot 12'
  assert_eq 0 "$(probe clipboard-dword CanIncludeInClipboardHistory)" "history format"
  assert_eq 0 "$(probe clipboard-dword CanUploadToCloudClipboard)" "cloud format"
}
