# shellcheck shell=bash
# Helpers for the tests that work the pop-up list and the tray icon as a user does: the hot
# key, slot keys and mouse clicks through xdotool, with Wine's Notepad as the application
# that receives the paste. Sourced by test_popup.sh and test_tray.sh.
# shellcheck disable=SC2034  # the constants and rectangle parts are for the sourcing tests

HOT_KEY=F5
SCREEN_WIDTH=1280
SCREEN_HEIGHT=1024
POPUP_WIDTH=249
POPUP_HEIGHT=496
# The hot key centres the window horizontally; start-up centres it once on both axes.
POPUP_CENTRED_LEFT=$(((SCREEN_WIDTH - POPUP_WIDTH) / 2))
POPUP_START_TOP=$(((SCREEN_HEIGHT - POPUP_HEIGHT) / 2))
# Where the hot key puts the pointer, relative to the window's top-left corner.
POINTER_DX=246
POINTER_DY=100

# Places in the pop-up's client area. The header buttons are drawn, not child windows.
CRLFLF_BUTTON_X=177 # "+CR" at (163, 2), 29 x 16
CRLF_BUTTON_X=206   # "+cR" at (192, 2), 29 x 16
CLOSE_BUTTON_X=233  # close button at (221, 3), 25 x 14
HEADER_BUTTON_Y=10
BANNER_X=85
BANNER_Y=4
# The slot list's scroll bar trough below the thumb: a click there pages down.
TROUGH_X=230
TROUGH_Y=386

# Wine's Notepad creates its edit control without a control id.
NOTEPAD_EDIT_ID=0

# ---------------------------------------------------------------- test data

# 72 test slots, slot N holding "text of slot N"; 100 ms paste delay; no suffix button down.
write_test_data() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs "$HOT_KEY" 100 0000000000
}

# The test data with the rows and the preferences in LF breaks, which the program writes back
# with CR LF: proof that the files were written.
write_data_to_be_rewritten() {
  qv_write_rows '\r\n'
  cp "$(qv_dir)/Lb1.qvl" "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl"
  qv_write_rows '\n'
  qv_write_store '\r\n'
  cp "$(qv_dir)/svclips.qvl" "$E2E_TEST_ARTIFACTS/original-svclips.qvl"
  printf '%s\n100\n0000000000' "$HOT_KEY" >"$(qv_dir)/prefs.qvl"
}

assert_data_files_written() {
  assert_same_file "$E2E_TEST_ARTIFACTS/expected-Lb1.qvl" "$(qv_dir)/Lb1.qvl"
  assert_same_file "$E2E_TEST_ARTIFACTS/original-svclips.qvl" "$(qv_dir)/svclips.qvl"
  assert_file_bytes "$(qv_dir)/prefs.qvl" "$HOT_KEY\r\n100\r\n0000000000\r\n"
}

# expected_rows ROW TITLE [ROW TITLE...]: the test rows file with those rows' titles replaced.
expected_rows() {
  local -A titles=()
  local i
  while (($# >= 2)); do titles[$1]=$2 && shift 2; done
  for ((i = 0; i < 72; i++)); do
    if [[ -v "titles[$i]" ]]; then
      printf '%-71s/:hdr:\\%s\r\n' "${titles[$i]}" "$(qv_tag "$i")"
    else
      printf 'Slot %02d%64s/:hdr:\\%s\r\n' "$i" '' "$(qv_tag "$i")"
    fi
  done
}

# expected_store SLOT CONTENT_FORMAT [SLOT CONTENT_FORMAT...]: the test store with those
# slots holding the contents.
expected_store() {
  local -A contents=()
  local i
  while (($# >= 2)); do contents[$1]=$2 && shift 2; done
  for ((i = 0; i < 72; i++)); do
    printf '/:hdr:\\%s\r\n' "$(qv_tag "$i")"
    if [[ -v "contents[$i]" ]]; then
      # shellcheck disable=SC2059
      printf "${contents[$i]}"
    else
      printf 'text of slot %d\r\n' "$i"
    fi
    printf '/:tlr:\\%s\r\n' "$(qv_tag "$i")"
  done
}

# ---------------------------------------------------------------- bytes

# escaped_hex TEXT: the bytes of a probe's escaped text output (\xNN decoded), as hex.
escaped_hex() { printf '%b' "$1" | od -An -v -tx1 | tr -d ' \n'; }

notepad_hex() {
  local text
  text=$(probe window-text Notepad "$NOTEPAD_EDIT_ID") || return
  escaped_hex "$text"
}

notepad_shows() { [[ "$(notepad_hex)" == "$1" ]]; }
clipboard_holds() { [[ "$(probe clipboard)" == "$1" ]]; }

notepad_in_front() { [[ "$(probe foreground)" == Notepad\ * ]]; }

# Empties Notepad's text, so that the next paste is all it holds.
notepad_clear() {
  notepad_activate || fail "could not activate Notepad"
  xdotool key ctrl+a Delete
  wait_until 5 notepad_shows '' || fail "Notepad's text was not cleared"
}

# assert_pasted FORMAT: the clipboard holds exactly the bytes printf makes of FORMAT and Notepad
# received them as a paste (Notepad held nothing before).
assert_pasted() {
  local expected
  expected=$(hex_of "$1")
  wait_until 5 clipboard_holds "$expected" ||
    assert_eq "$expected" "$(probe clipboard)" "clipboard bytes"
  wait_until 5 notepad_shows "$expected" || assert_eq "$expected" "$(notepad_hex)" "Notepad's text"
}

# ---------------------------------------------------------------- pointer

pointer_at() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [[ "$X $Y" == "$1 $2" ]]
}

# move_pointer X Y: moves the pointer and waits until it is there. (xdotool's --sync waits for
# a move that never comes when the pointer is already in place.)
move_pointer() {
  pointer_at "$1" "$2" || xdotool mousemove --sync "$1" "$2"
}

# click_at X Y [CLICK OPTIONS] BUTTON
click_at() {
  move_pointer "$1" "$2"
  shift 2
  xdotool click "$@"
}

# ---------------------------------------------------------------- program and pop-up

# Notepad in front, the program started and settled in the tray.
# For a failure's artefacts: Wine's top-level windows and the X window tree.
save_window_state() {
  probe windows >"$E2E_TEST_ARTIFACTS/windows.txt" 2>&1 || true
  xwininfo -root -tree >"$E2E_TEST_ARTIFACTS/window-tree.txt" 2>&1 || true
}

program_state() { if qv_running; then echo running; else echo ended; fi; }

start_with_notepad() {
  notepad_start || fail "Notepad did not start"
  qv_start
  if ! qv_wait_in_tray; then
    save_window_state
    fail "the program did not reach the tray after start-up (program $(program_state))"
  fi
}

popup_read_rect() {
  read -r POPUP_LEFT POPUP_TOP POPUP_RIGHT POPUP_BOTTOM < <(probe rect "$QV_MAIN_CLASS")
}

# The shown pop-up's X window (another copy's pop-up may exist, hidden).
popup_xid() { { xdotool search --onlyvisible --name '^Velmora Clips$' 2>/dev/null || true; } | head -n1; }
popup_has_focus() {
  local xid
  xid=$(popup_xid)
  [[ -n "$xid" && "$(xdotool getwindowfocus 2>/dev/null)" == "$xid" ]]
}

# Waits until the pop-up holds the X keyboard focus, so that typed keys reach it.
popup_wait_focused() {
  wait_until 5 popup_has_focus || fail "the pop-up did not get the keyboard focus"
}

# Brings Notepad to the front (Wine delivers hot keys only while one of its windows has the
# focus) and calls up the pop-up with the hot key.
popup_show() {
  notepad_activate || fail "could not activate Notepad"
  wait_until 5 notepad_in_front || fail "Notepad did not come to the front"
  xdotool key "$HOT_KEY"
  probe wait-visible "$QV_MAIN_CLASS" 5000 || fail "the hot key did not show the pop-up"
  popup_wait_focused
  popup_read_rect
}

popup_wait_hidden() {
  probe wait-hidden "$QV_MAIN_CLASS" 5000 || fail "${1:-the pop-up} did not hide"
}

# popup_click X Y [BUTTON]: a click at client (X, Y) of the pop-up as last read.
popup_click() {
  click_at $((POPUP_LEFT + $1)) $((POPUP_TOP + $2)) "${3:-1}"
}

# Row r of the visible page: the list starts at y 18 inside its 2-px border, rows are 13 high.
popup_click_row() { popup_click 100 $((18 + 2 + 13 * $1 + 6)); }

list_top_row() { probe topindex "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST"; }
list_top_row_is() { [[ "$(list_top_row)" == "$1" ]]; }
list_selection() { probe selection "$QV_MAIN_CLASS" "$QV_ID_SLOT_LIST"; }

popup_scroll_to_second_page() {
  popup_click "$TROUGH_X" "$TROUGH_Y"
  wait_until 5 list_top_row_is 36 || assert_eq 36 "$(list_top_row)" "top row after paging down"
}

popup_rect_is() { [[ "$(probe rect "$QV_MAIN_CLASS")" == "$*" ]]; }

# assert_popup_at LEFT TOP: the window's rectangle, at its designed size.
assert_popup_at() {
  local expected="$1 $2 $(($1 + POPUP_WIDTH)) $(($2 + POPUP_HEIGHT))"
  wait_until 3 popup_rect_is "$expected" ||
    assert_eq "$expected" "$(probe rect "$QV_MAIN_CLASS")" "pop-up rectangle"
}

assert_pointer_at() {
  wait_until 3 pointer_at "$1" "$2" ||
    assert_eq "$1 $2" "$(xdotool getmouselocation | cut -d' ' -f1,2)" "pointer position"
}

# ---------------------------------------------------------------- one-shot start

# Starts the program with Ctrl held, as a user does to run it once, and waits for the pop-up.
start_one_shot() {
  notepad_activate || fail "could not activate Notepad"
  # Notepad must have taken the foreground inside Wine too: a late activation after the
  # pop-up is up would count as a switch to another application and end the program.
  wait_until 5 notepad_in_front || fail "Notepad did not come to the front"
  trap 'xdotool keyup ctrl' EXIT
  xdotool keydown ctrl
  # What the main window did during start-up, for the failure's artefacts.
  probe watch "$QV_MAIN_CLASS" 5000 >"$E2E_TEST_ARTIFACTS/one-shot-start.log" 2>&1 &
  qv_start
  local shown=0
  probe wait-visible "$QV_MAIN_CLASS" 20000 && shown=1
  xdotool keyup ctrl
  ((shown)) || fail "the pop-up did not appear in one-shot mode"
  # The test touches nothing until the pop-up has the focus; a program that ends before then
  # ended by itself.
  if ! wait_until 5 popup_has_focus; then
    qv_running || fail "the program ended by itself just after its one-shot pop-up appeared" \
      "(see one-shot-start.log)"
    fail "the one-shot pop-up did not get the keyboard focus"
  fi
  popup_read_rect
}

# ---------------------------------------------------------------- tray

# The docked icon's X window lies inside trayer's panel: prints its centre "X Y".
tray_icon_centre() {
  xwininfo -root -tree 2>/dev/null | awk '
    !/ 0x/ { next }
    /\("panel" "trayer"\)/ { panel = index($0, "0x"); next }
    panel && index($0, "0x") <= panel { panel = 0 }
    panel && !found && /\("explorer\.exe" "explorer\.exe"\)/ {
      split($(NF - 1), size, /[x+]/)
      split($NF, at, "+")
      print at[2] + int(size[1] / 2), at[3] + int(size[2] / 2)
      found = 1
    }'
}

tray_icon_present() { [[ -n "$(tray_icon_centre)" ]]; }
tray_icon_absent() { ! tray_icon_present; }

# tray_click [CLICK OPTIONS] BUTTON: xdotool's click on the icon's centre.
tray_click() {
  local x y
  read -r x y < <(tray_icon_centre) || fail "no tray icon"
  click_at "$x" "$y" "$@"
}

TRAY_MENU_CLASS='#32768'
TRAY_MENU_ITEMS=3

tray_open_menu() {
  if ! wait_until 10 tray_icon_present; then
    save_window_state
    fail "the tray icon did not appear (program $(program_state); windows.txt, window-tree.txt)"
  fi
  tray_click 3
  if ! probe wait-visible "$TRAY_MENU_CLASS" 5000; then
    save_window_state
    fail "the right click opened no menu (program $(program_state); windows.txt, window-tree.txt)"
  fi
}

# tray_choose INDEX: clicks the menu's item INDEX (0 "Settings...", 1 "Lock and Add Clip",
# 2 "Quit"); the items share the menu's height inside a 3-px frame.
tray_choose() {
  local left top right bottom
  read -r left top right bottom < <(probe rect "$TRAY_MENU_CLASS") || fail "no tray menu"
  local item_height=$(((bottom - top - 6) / TRAY_MENU_ITEMS))
  click_at $(((left + right) / 2)) $((top + 3 + item_height * $1 + item_height / 2)) 1
}

tray_quit() {
  tray_open_menu
  tray_choose 2
  qv_wait_exit 20 || fail "the program did not end after Quit"
}
