# shellcheck shell=bash
# The tray icon as the user works it: the right button opens the menu, "Quit" saves and ends the
# program, the left button does nothing.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"

menu_visible() { probe visible "$TRAY_MENU_CLASS" >/dev/null 2>&1; }

test_right_click_opens_menu_and_quit_saves_and_ends_program() {
  write_data_to_be_rewritten
  start_with_notepad
  wait_until 10 tray_icon_present || fail "the tray icon did not appear"
  shot tray-icon

  # The menu opens when the right button comes up, not when it goes down.
  local x y
  read -r x y < <(tray_icon_centre)
  move_pointer "$x" "$y"
  xdotool mousedown 3
  sleep 0.5
  local opened_on_press=0
  menu_visible && opened_on_press=1
  xdotool mouseup 3
  ((!opened_on_press)) || fail "the menu opened when the right button went down"
  probe wait-visible "$TRAY_MENU_CLASS" 5000 || fail "the right click opened no menu"
  shot tray-menu

  # The menu lies inside the screen, at the pointer or moved in from the screen's edges.
  local left top right bottom
  read -r left top right bottom < <(probe rect "$TRAY_MENU_CLASS")
  ((left >= 0 && top >= 0 && right <= SCREEN_WIDTH && bottom <= SCREEN_HEIGHT)) ||
    fail "menu outside the screen: $left $top $right $bottom"
  ((left <= x && top <= y)) || fail "menu $left $top $right $bottom not at the pointer $x $y"
  assert_eq 0 "$(probe visible "$QV_MAIN_CLASS" || true)" "pop-up visible"

  tray_choose 2
  qv_wait_exit 20 || fail "the program did not end after Quit"
  assert_data_files_written
  wait_until 10 tray_icon_absent || fail "the tray icon stayed after the program ended"
}

test_left_click_on_icon_opens_nothing() {
  write_test_data
  start_with_notepad
  wait_until 10 tray_icon_present || fail "the tray icon did not appear"

  tray_click 1
  tray_click --repeat 2 1
  # The icon's messages are handled in order: once a right click's menu is up, the left
  # clicks before it have been handled too.
  tray_open_menu
  assert_eq 0 "$(probe visible "$QV_MAIN_CLASS" || true)" "pop-up visible"
  assert_eq 0 "$(probe visible "$QV_SETTINGS_CLASS" || true)" "settings dialog visible"
  assert_eq 0 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes"
  shot menu-after-left-clicks
  tray_choose 2
  qv_wait_exit 20 || fail "the program did not end after Quit"
}

# Shift+F10 or the menu key on the icon: the shell sends WM_CONTEXTMENU with the icon's place.
# (Wine sends the keys to the window with the X focus, not to the menu: Quit is clicked.)
test_context_menu_key_opens_menu_at_the_anchor() {
  write_data_to_be_rewritten
  start_with_notepad
  local x=300 y=200 contextmenu=0x7B
  probe post TQvTrayWindow 0xB054 $(((y << 16) | x)) "$contextmenu" || fail "could not post"
  probe wait-visible "$TRAY_MENU_CLASS" 5000 || fail "WM_CONTEXTMENU opened no menu"
  shot keyboard-menu
  local rect
  rect=$(probe rect "$TRAY_MENU_CLASS")
  [[ "$rect" == "$x $y "* ]] || fail "menu at $rect, not at the anchor $x $y"
  tray_choose 2
  qv_wait_exit 20 || fail "the program did not end after Quit"
  assert_data_files_written
}
