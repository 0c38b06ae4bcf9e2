# shellcheck shell=bash
# The pop-up list as the user works it: the hot key shows and hides it, a slot key or a click on
# a row pastes into Notepad, the header buttons add a line break, switching away, the close
# button and dragging; and one-shot mode, started with Ctrl held.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"

# The clip of slot 12 in write_store_with_clip_12: several lines, a tab, a blank line, blanks at
# line ends and an 8-bit character, all of which a paste must carry unchanged.
CLIP_12='first line\r\n\tsecond line \xe9 \r\n\r\nlast line  '

# The store of qv_write_store, except that slot 12 holds CLIP_12.
write_store_with_clip_12() {
  local file i
  file="$(qv_dir)/svclips.qvl"
  : >"$file"
  for ((i = 0; i < 72; i++)); do
    printf '/:hdr:\\%s\r\n' "$(qv_tag "$i")" >>"$file"
    if ((i == 12)); then
      printf '%b\r\n' "$CLIP_12" >>"$file"
    else
      printf 'text of slot %d\r\n' "$i" >>"$file"
    fi
    printf '/:tlr:\\%s\r\n' "$(qv_tag "$i")" >>"$file"
  done
}

assert_prefs_flags() {
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$HOT_KEY\r\n100\r\n$1\r\n"
}

test_hot_key_shows_first_page_centred_and_hides_again() {
  write_test_data
  start_with_notepad

  popup_show
  shot popup-over-notepad
  assert_popup_at "$POPUP_CENTRED_LEFT" "$POPUP_START_TOP"
  assert_pointer_at $((POPUP_CENTRED_LEFT + POINTER_DX)) $((POPUP_START_TOP + POINTER_DY))
  assert_eq 0 "$(list_top_row)" "top row"
  assert_eq -1 "$(list_selection)" "selected row"
  assert_eq 72 "$(probe items "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" | wc -l)" "rows in the list"

  # The second press, with the pop-up in front, hides it where it is.
  xdotool key "$HOT_KEY"
  popup_wait_hidden "the second hot key"
  assert_popup_at "$POPUP_CENTRED_LEFT" "$POPUP_START_TOP"

  # Shown again after paging down and hiding: the first page again.
  popup_show
  popup_scroll_to_second_page
  xdotool key "$HOT_KEY"
  popup_wait_hidden "the hot key on the second page"
  popup_show
  assert_eq 0 "$(list_top_row)" "top row when shown again"
  xdotool key "$HOT_KEY"
  popup_wait_hidden "the last hot key"

  # The hot key never reached Notepad, whose F5 would type the date.
  assert_eq '' "$(notepad_hex)" "Notepad's text"
  qv_running || fail "the program ended"
}

test_slot_key_pastes_multi_line_clip() {
  qv_write_rows '\r\n'
  write_store_with_clip_12
  qv_write_prefs "$HOT_KEY" 100 0000000000
  start_with_notepad

  popup_show
  xdotool key c
  popup_wait_hidden "the pop-up after the paste"
  assert_pasted "$CLIP_12"
  shot pasted-into-notepad

  # The paste left the pop-up hidden: the next hot key shows it, on the first page, no row
  # selected.
  popup_show
  assert_eq 0 "$(list_top_row)" "top row after the paste"
  assert_eq -1 "$(list_selection)" "selected row after the paste"
}

test_suffix_buttons_add_line_breaks_and_are_saved() {
  write_test_data
  qv_write_prefs "$HOT_KEY" 100 0123456789
  start_with_notepad

  # "+cR" down: CR LF after the clip; saved as "2".
  notepad_clear
  popup_show
  popup_click "$CRLF_BUTTON_X" "$HEADER_BUTTON_Y"
  shot crlf-button-down
  xdotool key c
  popup_wait_hidden
  assert_pasted 'text of slot 12\r\n'
  tray_quit
  assert_prefs_flags 2123456789

  # The next run starts with "+cR" down; "+CR" then takes over: CR LF LF, saved as "3".
  qv_start
  qv_wait_in_tray || fail "the second run did not reach the tray"
  notepad_clear
  popup_show
  xdotool key 1
  popup_wait_hidden
  assert_pasted 'text of slot 0\r\n'
  notepad_clear
  popup_show
  popup_click "$CRLFLF_BUTTON_X" "$HEADER_BUTTON_Y"
  xdotool key 2
  popup_wait_hidden
  assert_pasted 'text of slot 1\r\n\n'
  tray_quit
  assert_prefs_flags 3123456789

  # A click on the button that is down raises it: no suffix, saved as "0".
  qv_start
  qv_wait_in_tray || fail "the third run did not reach the tray"
  notepad_clear
  popup_show
  popup_click "$CRLFLF_BUTTON_X" "$HEADER_BUTTON_Y"
  xdotool key 3
  popup_wait_hidden
  assert_pasted 'text of slot 2'
  tray_quit
  assert_prefs_flags 0123456789
}

test_slot_key_on_second_page_pastes_second_page_slot() {
  write_test_data
  start_with_notepad

  notepad_clear
  popup_show
  popup_scroll_to_second_page
  shot second-page
  xdotool key z
  popup_wait_hidden
  assert_pasted 'text of slot 71'

  # The paste went back to the first page: the same key now pastes slot 35.
  notepad_clear
  popup_show
  assert_eq 0 "$(list_top_row)" "top row after the paste"
  xdotool key z
  popup_wait_hidden
  assert_pasted 'text of slot 35'
}

test_slot_key_pastes_the_visible_row_with_its_label() {
  write_test_data
  start_with_notepad

  # Scrolled by 12 rows, C's row 12 is still the top row in view.
  notepad_clear
  popup_show
  probe set-topindex "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" 12
  wait_until 5 list_top_row_is 12 || fail "the list did not scroll"
  xdotool key c
  popup_wait_hidden
  assert_pasted 'text of slot 12'

  # Scrolled by 13, row 12 is out of view and the C beside row 48 is meant.
  notepad_clear
  popup_show
  probe set-topindex "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST" 13
  wait_until 5 list_top_row_is 13 || fail "the list did not scroll"
  xdotool key c
  popup_wait_hidden
  assert_pasted 'text of slot 48'
}

test_keypad_and_other_keys_paste_nothing_but_shifted_letter_does() {
  write_test_data
  start_with_notepad

  notepad_clear
  popup_show
  # Keypad digits (with and without Num Lock), Escape, an arrow and a function key: none of
  # them is a slot key. Had one pasted, the pop-up would be gone and the shifted C below would
  # type into Notepad instead.
  xdotool key KP_1 KP_End Escape Down F2
  xdotool key shift+c
  popup_wait_hidden
  assert_pasted 'text of slot 12'
}

test_click_on_row_pastes_it() {
  write_test_data
  start_with_notepad

  notepad_clear
  popup_show
  popup_click_row 5
  popup_wait_hidden "the pop-up after the row click"
  assert_pasted 'text of slot 5'

  # The clicked row is not selected when the pop-up comes back, and a key paste works.
  popup_show
  shot shown-after-row-click
  assert_eq -1 "$(list_selection)" "selected row when shown after a row click"
  notepad_clear
  popup_show
  xdotool key 7
  popup_wait_hidden
  assert_pasted 'text of slot 6'
}

test_switching_to_another_application_hides_popup() {
  write_test_data
  start_with_notepad

  popup_show
  popup_scroll_to_second_page
  # A click into Notepad's text, well away from the pop-up.
  click_at 150 150 1
  popup_wait_hidden "the pop-up after the switch to Notepad"
  assert_eq 0 "$(list_top_row)" "top row after the switch"
  assert_eq '' "$(notepad_hex)" "Notepad's text"
  qv_running || fail "the program ended"

  # Hidden for good: the next hot key shows it again.
  popup_show
}

test_close_button_hides_popup_and_program_keeps_running() {
  write_test_data
  start_with_notepad

  popup_show
  popup_scroll_to_second_page
  popup_click "$CLOSE_BUTTON_X" "$HEADER_BUTTON_Y"
  popup_wait_hidden "the pop-up after the close button"
  assert_eq 0 "$(list_top_row)" "top row after the close button"
  qv_running || fail "the close button ended the program"

  popup_show
  xdotool key b
  popup_wait_hidden
  assert_pasted 'text of slot 11'
}

# drag_banner DX DY BUTTON: presses BUTTON on the banner, moves by (DX, DY) in two steps,
# releases.
drag_banner() {
  local x=$((POPUP_LEFT + BANNER_X)) y=$((POPUP_TOP + BANNER_Y))
  move_pointer "$x" "$y"
  xdotool mousedown "$3"
  move_pointer $((x + $1 / 2)) $((y + $2 / 2))
  move_pointer $((x + $1)) $((y + $2))
  xdotool mouseup "$3"
}

test_drag_moves_popup_and_hot_key_centres_it_again() {
  write_test_data
  start_with_notepad
  local top=$((POPUP_START_TOP + 100))

  popup_show
  # The right button does not drag; the left one does, by exactly the pointer's way.
  drag_banner -150 60 3
  drag_banner -200 100 1
  assert_popup_at $((POPUP_CENTRED_LEFT - 200)) "$top"
  shot dragged

  # The hiding hot key centres it again horizontally; the dragged Top stays.
  xdotool key "$HOT_KEY"
  popup_wait_hidden "the hot key after the drag"
  assert_popup_at "$POPUP_CENTRED_LEFT" "$top"
  popup_show
  assert_popup_at "$POPUP_CENTRED_LEFT" "$top"
  assert_pointer_at $((POPUP_CENTRED_LEFT + POINTER_DX)) $((top + POINTER_DY))
}

# ---------------------------------------------------------------- one-shot mode

test_one_shot_ends_after_one_paste() {
  write_data_to_be_rewritten
  notepad_start || fail "Notepad did not start"

  start_one_shot
  assert_popup_at "$POPUP_CENTRED_LEFT" "$POPUP_START_TOP"
  assert_eq 1 "$(probe topmost "$QV_MAIN_CLASS")" "pop-up stays on top"
  shot one-shot-popup
  xdotool key c
  qv_wait_exit 20 || fail "the program did not end after the paste"
  assert_pasted 'text of slot 12'
  assert_data_files_written
  wait_until 10 tray_icon_absent || fail "the tray icon stayed after the program ended"
}

test_one_shot_close_button_ends_program() {
  write_data_to_be_rewritten
  notepad_start || fail "Notepad did not start"
  probe set-clipboard 'before' || fail "could not set the clipboard"

  start_one_shot
  popup_click "$CLOSE_BUTTON_X" "$HEADER_BUTTON_Y"
  qv_wait_exit 20 || fail "the program did not end after the close button"
  assert_data_files_written
  assert_eq "$(hex_of before)" "$(probe clipboard)" "clipboard bytes"
  assert_eq '' "$(notepad_hex)" "Notepad's text"
}

test_one_shot_switch_to_another_application_ends_program() {
  write_data_to_be_rewritten
  notepad_start || fail "Notepad did not start"

  start_one_shot
  click_at 150 150 1
  qv_wait_exit 20 || fail "the program did not end after the switch to Notepad"
  assert_data_files_written
  assert_eq '' "$(notepad_hex)" "Notepad's text"
}

# Wine repeats a held hot key although it is registered without repeats: held for 2 s, it
# shows the list once.
test_hot_key_held_down_shows_the_list_once() {
  write_test_data
  start_with_notepad
  local watch="$E2E_TEST_ARTIFACTS/watch.log"
  probe watch "$QV_MAIN_CLASS" 4000 >"$watch" &
  local watcher=$!
  xdotool keydown "$HOT_KEY" sleep 2 keyup "$HOT_KEY"
  wait "$watcher"
  assert_eq 1 "$(grep -c visible "$watch")" "times the list was shown ($(tr '\n' ' ' <"$watch"))"
}
