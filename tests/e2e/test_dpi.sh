# shellcheck shell=bash
# Display scaling: at 150 % (LogPixels 144 in the prefix) the pop-up, the settings dialog and
# the editor are drawn at scale and a slot key and a row click paste the right slot; at 200 %
# the pop-up is twice its size. Screenshots of each are kept.
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/popup_tray_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/popup_tray_lib.sh"

# set_display_scale DPI: read by Wine's processes when they start; none of the prefix runs.
set_display_scale() {
  e2e_stop_wine
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$WINESERVER" -w
}

# assert_client_size TITLE WIDTH HEIGHT
assert_client_size() {
  local client
  read -r -a client <<<"$(x_client_area "$1")"
  assert_eq "$2 $3" "${client[2]} ${client[3]}" "client size of $1"
}

# client_click TITLE X Y: a left click at a point of the window's client area.
client_click() {
  local client
  read -r -a client <<<"$(x_client_area "$1")"
  click_at $((client[0] + $2)) $((client[1] + $3)) 1
}

test_windows_are_drawn_at_150_and_200_percent_and_paste() {
  set_display_scale 144
  write_test_data
  start_with_notepad

  # 249 x 496 at 96 dpi: 36 rows of 20 px in the list; the pointer on the panel's margin.
  notepad_clear
  popup_show
  assert_eq "374 761" "$((POPUP_RIGHT - POPUP_LEFT)) $((POPUP_BOTTOM - POPUP_TOP))" "pop-up size"
  assert_eq $(((SCREEN_WIDTH - 374) / 2)) "$POPUP_LEFT" "pop-up left"
  assert_pointer_at $((POPUP_LEFT + 369)) $((POPUP_TOP + 150))
  shot popup-144
  xdotool key c
  popup_wait_hidden "the pop-up after the slot key"
  assert_pasted 'text of slot 12'
  # Row 5: the list's client area begins at (14, 29).
  notepad_clear
  popup_show
  popup_click 150 $((29 + 20 * 5 + 10))
  popup_wait_hidden "the pop-up after the row click"
  assert_pasted 'text of slot 5'

  # The dialogs: 228 x 119 and 359 x 213 at 96 dpi. "Cancel" and "Close" where they are
  # drawn at this scale.
  tray_open_menu
  tray_choose 0
  probe wait-visible "$QV_SETTINGS_CLASS" 5000 || fail "the settings dialog did not open"
  assert_client_size Settings 342 179
  shot settings-144
  client_click Settings $(((116 + 37) * 3 / 2)) $(((94 + 11) * 3 / 2))
  probe wait-hidden "$QV_SETTINGS_CLASS" 3000 || fail "the dialog did not close on Cancel"
  tray_open_menu
  tray_choose 1
  probe wait-visible "$QV_EDITOR_CLASS" 5000 || fail "the editor did not open"
  sleep 0.3 # the dialog places itself when it activates
  assert_client_size 'Add / Modify Clip' 539 320
  shot editor-144
  client_click 'Add / Modify Clip' $(((125 + 54) * 3 / 2)) $(((188 + 11) * 3 / 2))
  probe wait-hidden "$QV_EDITOR_CLASS" 3000 || fail "the editor did not close"

  set_display_scale 192
  start_with_notepad
  popup_show
  assert_eq "498 $((18 * 2 + 2 * 2 + 36 * 26 + 2 + 10))" \
    "$((POPUP_RIGHT - POPUP_LEFT)) $((POPUP_BOTTOM - POPUP_TOP))" "pop-up size at 192 dpi"
  shot popup-192
}

# At 200 % on this 1280-pixel screen, the start-up warning about a folder that takes no file
# wraps within the screen: no line runs off its edge.
test_warning_wraps_within_the_screen_at_200_percent() {
  set_display_scale 192
  write_test_data
  trap 'chattr -i "$(qv_dir)"' EXIT
  chattr +i "$(qv_dir)" || fail "could not make the folder immutable"
  qv_start
  probe_text message-text Warning 20000 >/dev/null || fail "nothing told about the folder"
  shot warning-192
  local left right
  read -r left _ right _ < <(probe rect '#32770')
  ((left >= 0 && right <= SCREEN_WIDTH)) || fail "the box spans $left..$right"
  probe message-box Warning 5000 OK >/dev/null || fail "could not press OK"
}
