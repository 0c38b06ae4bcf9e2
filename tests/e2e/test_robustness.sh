# shellcheck shell=bash
# Nothing lost, nothing silent: a paste chosen with Alt held still arrives as a paste, a hot
# key that does not work is reported, the tray icon survives a new notification area, and a
# second copy from the same folder leaves the files alone.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"

test_alt_c_pastes_slot_12() {
  write_test_data
  start_with_notepad

  notepad_clear
  popup_show
  # The user holds Alt for 1.5 s, well past the paste delay (100 ms) and the wait for the
  # modifiers: Ctrl+V must still arrive once, as Ctrl+V, not as Ctrl+Alt+V.
  trap 'xdotool keyup alt' EXIT
  xdotool keydown alt key c
  popup_wait_hidden "the pop-up after Alt+C"
  sleep 1.5 # the user's hand, not a wait for the program
  xdotool keyup alt
  assert_pasted 'text of slot 12'
  # Letting go of Alt opened no menu: the next key is typed into the text.
  xdotool key x
  wait_until 5 notepad_shows "$(hex_of 'text of slot 12x')" ||
    assert_eq "$(hex_of 'text of slot 12x')" "$(notepad_hex)" "Notepad's text after one more key"
}

# The tray icon's tip, as the notification area shows it when the pointer rests on the icon.
tray_tip() {
  local x y
  read -r x y < <(tray_icon_centre) || fail "no tray icon"
  move_pointer 0 0
  move_pointer "$x" "$y"
  probe_text visible-text tooltips_class32 5000
}

# hold_f5: a helper program takes F5 before Quorvanel starts; sets HOLDER_PID.
hold_f5() {
  local log="$E2E_TEST_ARTIFACTS/holder.log"
  probe hold-hot-key 0x74 170000 >"$log" 2>&1 &
  HOLDER_PID=$!
  wait_until 20 grep -q '^held' "$log" || fail "the helper could not take F5: $(cat "$log")"
}

test_hot_key_held_by_another_program_is_told() {
  write_test_data
  notepad_start || fail "Notepad did not start"
  hold_f5
  qv_start

  local text
  text=$(probe_text message-text Warning 20000) || fail "no warning about the hot key"
  shot hot-key-warning
  [[ "$text" == *'The hot key F5 does not work'* && "$text" == *'"Settings..." in the tray menu'* ]] ||
    fail "warning text: [$text]"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
  qv_wait_in_tray || fail "the program did not reach the tray after the warning"
  assert_eq 0 "$(probe count-message-boxes Warning)" "warnings after OK"
  assert_eq 'Quorvanel - hot key F5 does not work' "$(tray_tip)" "tray tip"
  shot tray-tip
  kill "$HOLDER_PID"
}

# The X window of the icon docked in trayer's panel (Wine makes one for each icon it adds).
tray_icon_xid() {
  xwininfo -root -tree 2>/dev/null | awk '
    !/ 0x/ { next }
    /\("panel" "trayer"\)/ { panel = index($0, "0x"); next }
    panel && index($0, "0x") <= panel { panel = 0 }
    panel && !found && /\("explorer\.exe" "explorer\.exe"\)/ { print $1; found = 1 }'
}

tray_icon_replaced() {
  local now
  now=$(tray_icon_xid)
  [[ -n "$now" && "$now" != "$1" ]]
}

# The shell broadcasts "TaskbarCreated" when it has made the notification area anew (Windows'
# Explorer after a restart), having forgotten every icon. Wine's own tray keeps its icons when
# trayer restarts and its Explorer cannot be restarted, so the test sends the broadcast itself:
# the program must add its icon again, and the new icon's menu must work.
test_tray_icon_is_added_again_when_the_notification_area_is_recreated() {
  write_data_to_be_rewritten
  start_with_notepad
  wait_until 10 tray_icon_present || fail "the tray icon did not appear"
  local before
  before=$(tray_icon_xid)

  probe broadcast-registered TaskbarCreated || fail "could not broadcast TaskbarCreated"
  wait_until 10 tray_icon_replaced "$before" || fail "the icon was not added again"
  shot icon-added-again
  tray_quit
  assert_data_files_written
}

# Names, sizes and bytes of every file in C:\qv\ but the program.
folder_state() {
  (cd "$(qv_dir)" && find . -maxdepth 1 -type f ! -name '*.exe' -print0 | sort -z |
    xargs -0 md5sum)
}

test_second_copy_from_the_same_folder_ends_without_writing() {
  write_data_to_be_rewritten # a save would turn the LF breaks into CR LF
  start_with_notepad
  local first=$QV_PID before
  before=$(folder_state)

  qv_start
  local text
  text=$(probe_text message-text Warning 20000) || fail "the second copy told nothing"
  shot second-copy-warning
  # shellcheck disable=SC1003 # the backslashes are the folder's
  [[ "$text" == *'Quorvanel is already running from C:\qv\'* ]] || fail "warning text: [$text]"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
  qv_wait_exit 20 || fail "the second copy did not end"
  assert_eq "$before" "$(folder_state)" "files in C:\\qv\\ after the second copy"

  # Another path to the same folder is the same folder.
  ln -s qv "$WINEPREFIX/drive_c/qv-link"
  (cd "$(qv_dir)" && exec "$WINE" 'C:\qv-link\Quorvanel.exe') >>"$E2E_TEST_ARTIFACTS/program.log" 2>&1 &
  QV_PID=$!
  text=$(probe_text message-text Warning 20000) || fail "the copy started through a link told nothing"
  # shellcheck disable=SC1003 # the backslashes are the folder's
  [[ "$text" == *'Quorvanel is already running from C:\qv-link\'* ]] || fail "warning text: [$text]"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
  qv_wait_exit 20 || fail "the copy started through a link did not end"
  assert_eq "$before" "$(folder_state)" "files in C:\\qv\\ after the copy started through a link"

  # A drive letter mapped to the folder after the first copy started: Wine gives the folder
  # another volume serial there, and the file the first copy holds in it tells.
  ln -s ../drive_c/qv "$WINEPREFIX/dosdevices/m:"
  (cd "$(qv_dir)" && exec "$WINE" 'M:\Quorvanel.exe') >>"$E2E_TEST_ARTIFACTS/program.log" 2>&1 &
  QV_PID=$!
  text=$(probe_text message-text Warning 20000) || fail "the copy started from M: told nothing"
  shot mapped-drive-warning
  # shellcheck disable=SC1003 # the backslashes are the folder's
  [[ "$text" == *'Quorvanel is already running from M:\'* ]] || fail "warning text: [$text]"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
  qv_wait_exit 20 || fail "the copy started from M: did not end"
  assert_eq "$before" "$(folder_state)" "files in C:\\qv\\ after the copy started from M:"

  # The first copy runs on and saves as ever.
  QV_PID=$first
  qv_running || fail "the first copy ended"
  tray_quit
  assert_data_files_written
}

test_one_shot_start_beside_a_running_copy_still_pastes() {
  write_test_data
  start_with_notepad
  local first=$QV_PID

  notepad_clear
  start_one_shot
  xdotool key c
  qv_wait_exit 20 || fail "the one-shot copy did not end after the paste"
  assert_pasted 'text of slot 12'
  assert_eq 0 "$(probe count-message-boxes Warning)" "warnings"

  QV_PID=$first
  qv_running || fail "the first copy ended"
  tray_quit
  assert_eq 0 "$(probe count-message-boxes Warning)" "warnings after Quit"
}

# A virus scanner or a sync client holds a file just written for a moment: Quit waits for it.
test_quit_saves_a_store_file_held_open_for_a_moment() {
  write_data_to_be_rewritten
  sed -i 's/\r$//' "$(qv_dir)/svclips.qvl" # rewritten with CR LF, so that it is saved
  start_with_notepad
  local held="$E2E_TEST_ARTIFACTS/held.txt"
  probe hold-file 'C:\qv\svclips.qvl' 1200 >"$held" &
  local holder=$!
  wait_until 10 test -s "$held" || fail "the probe could not hold svclips.qvl"
  probe close "$QV_MAIN_CLASS" || fail "could not ask the program to close"
  qv_wait_exit 20 || fail "the program did not end: $(probe_text message-text "$QV_CAPTION" 100)"
  wait "$holder"
  assert_data_files_written
  [[ -f "$(qv_dir)/svclips.qvl.bak" ]] || fail "no backup of svclips.qvl"
}

# Nothing changed here: the file as edited is what the list shows and what Quit keeps.
test_rows_file_changed_by_hand_while_running_is_taken_in() {
  write_test_data
  start_with_notepad
  # A hand edit keeps the file's shape (every row, every tag); one that drops rows is not taken in.
  local edited="$E2E_TEST_ARTIFACTS/edited-Lb1.qvl"
  sed '1s/^Slot 00/edited by hand/' "$(qv_dir)/Lb1.qvl" >"$edited"
  cp "$edited" "$(qv_dir)/Lb1.qvl"
  list_is_edited() { [[ "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | head -n1)" == 'edited by hand '* ]]; }
  wait_until 30 list_is_edited || fail "the list: [$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | head -n2)]"
  qv_close || fail "the program did not end: $(probe_text message-text Warning 100)"
  assert_same_file "$edited" "$(qv_dir)/Lb1.qvl"
  [[ ! -e "$(qv_dir)/Lb1.qvl.changed-1" ]] || fail "a version was kept beside"
}

# ---------------------------------------------------------------- saving

# Root writes through file modes; an immutable folder takes no new file even from root.
start_in_folder_that_takes_no_file() {
  chattr +i "$(qv_dir)" || fail "could not make the folder immutable"
  qv_start
  local text
  text=$(probe_text message-text Warning 20000) || fail "nothing told about the folder"
  shot folder-warning
  [[ "$text" == *'no file can be created in the folder C:\qv\'* && "$text" == *Documents* ]] ||
    fail "warning text: [$text]"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
  qv_wait_in_tray || fail "the program did not reach the tray after the warning"
}

test_folder_that_takes_no_file_is_told_and_only_a_change_holds_up_the_end() {
  trap 'chattr -i "$(qv_dir)"' EXIT
  # Nothing changed: the end of the session and Quit go through at once, as every file
  # already holds what a save would write.
  write_test_data
  start_in_folder_that_takes_no_file
  local start ms
  start=$(date +%s%N)
  assert_eq 1 "$(probe query-end-session "$QV_MAIN_CLASS")" "answer with nothing changed"
  ms=$((($(date +%s%N) - start) / 1000000)) # with the probe's own start
  e2e_note "answered in $ms ms"
  ((ms < 1500)) || fail "the answer took $ms ms"
  tray_open_menu
  tray_choose 2
  qv_wait_exit 20 || fail "Quit with nothing changed did not end the program"
  chattr -i "$(qv_dir)"

  # Line breaks to rewrite: the end of the session is answered at once and without a box;
  # the failure is told once the session goes on.
  write_data_to_be_rewritten
  cp "$(qv_dir)"/*.qvl "$E2E_TEST_ARTIFACTS/"
  start_in_folder_that_takes_no_file
  assert_eq 0 "$(probe query-end-session "$QV_MAIN_CLASS")" "answer to WM_QUERYENDSESSION"
  assert_eq 0 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes after the query"
  probe end-session "$QV_MAIN_CLASS" 0 || fail "could not send WM_ENDSESSION"
  assert_eq 'Cannot create file C:\qv\Lb1.qvl.' "$(probe_text message-text "$QV_CAPTION" 5000)" \
    "message once the session goes on"
  probe message-box "$QV_CAPTION" 5000 OK >/dev/null || fail "could not press OK"

  # Quit asks: No keeps the program, Yes ends it without saving.
  local answer text
  for answer in No Yes; do
    tray_open_menu
    tray_choose 2
    text=$(probe_text message-text Error 10000) || fail "Quit did not ask"
    [[ "$text" == *'End Quorvanel without saving?'* ]] || fail "question: [$text]"
    shot "quit-$answer"
    probe message-box Error 5000 "$answer" >/dev/null || fail "could not answer $answer"
    [[ "$answer" == Yes ]] || { sleep 0.5 && qv_running; } || fail "No ended the program"
  done
  qv_wait_exit 20 || fail "Yes did not end the program"
  local file
  for file in Lb1.qvl svclips.qvl prefs.qvl; do
    assert_same_file "$E2E_TEST_ARTIFACTS/$file" "$(qv_dir)/$file"
  done
}

# After prefs.qvl could not be read, "+cR" applies the preferences: the hot key stays F5.
test_plus_cr_after_an_unreadable_prefs_file_keeps_the_hot_key() {
  write_test_data
  printf 'F7\r\n250\r\n0000000000\r\n' >"$(qv_dir)/prefs.qvl"
  notepad_start || fail "Notepad did not start"
  local held="$E2E_TEST_ARTIFACTS/held.txt"
  probe hold-file 'C:\qv\prefs.qvl' 8000 >"$held" &
  local holder=$!
  wait_until 10 test -s "$held" || fail "the probe could not hold prefs.qvl"
  qv_start
  probe message-box "$QV_CAPTION" 20000 OK >/dev/null || fail "nothing told about prefs.qvl"
  qv_wait_in_tray || fail "the program did not reach the tray after the message"
  wait "$holder"
  popup_show
  popup_click "$CRLF_BUTTON_X" "$HEADER_BUTTON_Y"
  sleep 0.3 # the click's handler, with nothing to poll for
  xdotool key "$HOT_KEY"
  popup_wait_hidden "the pop-up after the hot key"
  popup_show
}

# ---------------------------------------------------------------- make run

# run_script_ended: scripts/run.sh (pid $1) has ended.
run_script_ended() { ! kill -0 "$1" 2>/dev/null; }

# Two Ctrl+C to the process group of scripts/run.sh (pid $1), if it still runs: its display and
# its Wine end with it.
run_script_stop() {
  run_script_ended "$1" && return 0
  kill -INT -- -"$1" 2>/dev/null || true
  sleep 1
  kill -INT -- -"$1" 2>/dev/null || true
}

test_make_run_ended_with_ctrl_c_saves_and_stops_its_display() {
  local out="$E2E_TEST_ARTIFACTS/run-script.log" prefix="${WINEPREFIX%/*}/run-prefix"
  # The data files with LF breaks, which the save rewrites with CR LF.
  e2e_new_prefix "$prefix"
  mkdir -p "$prefix/drive_c/Quorvanel"
  local file
  for file in "$QV_ROOT"/data/*.qvl; do
    tr -d '\r' <"$file" >"$prefix/drive_c/Quorvanel/${file##*/}"
  done
  # As a terminal runs it: no $DISPLAY, and a process group of its own, which Ctrl+C signals
  # as a whole.
  (unset DISPLAY && QV_RUN_PREFIX="$prefix" exec setsid "$QV_ROOT/scripts/run.sh") \
    >"$out" 2>&1 </dev/null &
  local script=$!
  # shellcheck disable=SC2064 # the pid is meant to be expanded now
  trap "run_script_stop $script" EXIT

  wait_until 90 grep -q '^Running ' "$out" || fail "run.sh did not start the program: $(cat "$out")"
  local display
  # shellcheck disable=SC2016 # $DISPLAY is the script's text
  display=$(sed -n 's/^No \$DISPLAY: started Xvfb on \(:[0-9]*\) .*/\1/p' "$out")
  [[ -n "$display" ]] || fail "run.sh started no display: $(cat "$out")"
  (DISPLAY=$display WINEPREFIX=$prefix qv_wait_in_tray) || fail "the program did not reach the tray"

  kill -INT -- -"$script"
  wait_until 60 run_script_ended "$script" || fail "run.sh did not end after Ctrl+C: $(cat "$out")"
  local status=0
  wait "$script" || status=$?
  assert_eq 0 "$status" "run.sh's exit status"
  grep -q '^Quorvanel ended with status 0' "$out" || fail "the program did not end by itself: $(cat "$out")"
  # Saved as by Quit: every data file was written, the old version kept as a backup.
  for file in Lb1.qvl svclips.qvl prefs.qvl; do
    [[ -f "$prefix/drive_c/Quorvanel/$file.bak" ]] || fail "$file was not saved"
  done
  ! DISPLAY=$display xprop -root >/dev/null 2>&1 || fail "the display $display is still up"
}
