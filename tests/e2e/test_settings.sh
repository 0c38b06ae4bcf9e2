# shellcheck shell=bash
# Preferences and the settings dialog: the hot key and paste delay read from prefs.qvl at
# start-up, chosen in the "Settings" dialog (tray menu "Settings...") and written back on "OK".
# Each test_* function runs with a fresh C:\qv\ holding Quorvanel.exe (tests/e2e/run.sh).

# shellcheck source=tests/e2e/settings_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/settings_lib.sh"

SETTINGS_HOTKEY_BOX=201 # ComboBox1
SETTINGS_DELAY_BOX=202  # ComboBox2
SETTINGS_CLIENT_WIDTH=228
SETTINGS_CLIENT_HEIGHT=119
MENU_SETTINGS=0
MENU_QUIT=2

# ---------------------------------------------------------------- helpers

# Test rows and store, the given preferences; starts the program and Notepad (the window that
# keeps the keyboard focus so that Wine delivers the hot key) and waits for the tray.
start_with_prefs() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  # shellcheck disable=SC2059 # the file content is given as a printf format
  printf "$1" >"$(qv_dir)/prefs.qvl"
  qv_start
  notepad_start || fail "Notepad did not start"
  qv_wait_in_tray || fail "the program did not reach the tray after start-up"
}

# hotkey_shows_popup KEY: with Notepad in front, KEY (xdotool syntax) calls up the pop-up.
hotkey_shows_popup() {
  notepad_activate
  probe wait-hidden "$QV_MAIN_CLASS" 3000 || fail "the pop-up is up before $1 is pressed"
  xdotool key "$1"
  probe wait-visible "$QV_MAIN_CLASS" 3000
}

# hotkey_does_nothing KEY: with Notepad in front, KEY leaves the pop-up hidden for a second.
hotkey_does_nothing() {
  notepad_activate
  probe wait-hidden "$QV_MAIN_CLASS" 3000 || fail "the pop-up is up before $1 is pressed"
  xdotool key "$1"
  ! probe wait-visible "$QV_MAIN_CLASS" 1000
}

# Brings Notepad back to the front, which hides the pop-up (loss of activation).
dismiss_popup() {
  notepad_activate
  probe wait-hidden "$QV_MAIN_CLASS" 3000 || fail "the pop-up did not hide when Notepad came to the front"
}

# Centre of the program's icon docked in trayer: the window inside trayer's "panel".
tray_icon_centre() {
  xwininfo -root -tree | awk '
    done { next }  # read on: stopping early would fail the pipe
    /\("panel" "trayer"\)/ { inside = 1; depth = match($0, /[^ ]/); next }
    inside && match($0, /[^ ]/) <= depth { done = 1; next }
    inside {
      # "WxH+x+y  +X+Y": the size and the absolute position are the last two fields.
      split($(NF - 1), size, /[x+-]/); split($NF, at, /\+/)
      if (size[1] >= 8 && size[2] >= 8) {
        print at[2] + int(size[1] / 2), at[3] + int(size[2] / 2); done = 1
      }
    }'
}

_tray_icon_docked() { [[ -n "$(tray_icon_centre)" ]]; }

# tray_menu_choose INDEX: right-clicks the tray icon and clicks item INDEX of its menu
# ("Settings...", "Lock and Add Clip", "Quit"). Items are chosen by position: keyboard
# navigation in Wine's tray menu is unreliable.
tray_menu_choose() {
  local index=$1 centre='' menu item_height=18 frame=3
  wait_until 10 _tray_icon_docked || fail "the tray icon is not docked in trayer"
  centre=$(tray_icon_centre)
  # shellcheck disable=SC2086
  xdotool mousemove $centre click 3
  probe wait-visible '#32768' 5000 || fail "the tray menu did not open"
  read -r -a menu <<<"$(probe rect '#32768')"
  xdotool mousemove $(((menu[0] + menu[2]) / 2)) $((menu[1] + frame + item_height * index + item_height / 2)) click 1
  wait_until 3 _tray_menu_closed || fail "the tray menu did not close"
}
# The menu window is destroyed when the menu closes.
_tray_menu_closed() { ! probe visible '#32768' >/dev/null 2>&1; }

settings_open() {
  tray_menu_choose "$MENU_SETTINGS"
  probe wait-visible "$QV_SETTINGS_CLASS" 5000 || fail "the settings dialog did not open"
}

box_text() { probe_text window-text "$QV_SETTINGS_CLASS" "$1"; }

# type_into_box ID TEXT: replaces the text of combo box ID (201 hot key at (6, 66), 202 delay
# at (119, 66)) by typing, the way a user would: click into it, select all with End and
# Shift+Home (Ctrl+A does not select all in Wine's edit), type.
type_into_box() {
  local id=$1 text=$2 x=$((6 + 30))
  ((id == 202)) && x=$((119 + 30))
  settings_click "$x" $((66 + 10))
  xdotool key End shift+Home
  xdotool type --delay 30 "$text"
  wait_until 3 _box_reads "$id" "$text" || fail "box $id reads [$(box_text "$id")] after typing [$text]"
}
_box_reads() { [[ "$(box_text "$1")" == "$2" ]]; }

prefs_file() { echo "$(qv_dir)/prefs.qvl"; }

# The first line of prefs.qvl without its CR.
prefs_first_line() { head -n1 "$(prefs_file)" | tr -d '\r'; }

# pixel_count IMAGE GEOMETRY RRGGBB: how many pixels of that colour the area holds.
pixel_count() {
  convert "$1" -crop "$2" +repage -fill black +opaque "#$3" -fill white -opaque "#$3" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# ---------------------------------------------------------------- tests

test_hot_key_from_prefs_file_calls_up_popup() {
  start_with_prefs 'Ctrl+Shift+Up\r\n100\r\n0000000000\r\n'

  hotkey_shows_popup ctrl+shift+Up || fail "Ctrl+Shift+Up did not call up the pop-up"
  shot popup-by-ctrl-shift-up
  dismiss_popup
  hotkey_does_nothing F5 || fail "F5, the key before the preferences apply, still calls up the pop-up"
  qv_close || fail "the program did not end after WM_CLOSE"
}

test_ok_applies_new_hot_key_and_writes_prefs_at_once() {
  start_with_prefs 'F5\r\n250\r\n0000000000\r\n'
  hotkey_shows_popup F5 || fail "F5 did not call up the pop-up"
  dismiss_popup

  settings_open
  assert_eq F5 "$(box_text "$SETTINGS_HOTKEY_BOX")" "hot key box"
  type_into_box "$SETTINGS_HOTKEY_BOX" F7
  shot dialog-with-f7
  settings_ok

  # Written on OK, before the program ends.
  assert_file_bytes "$(prefs_file)" 'F7\r\n250\r\n0000000000\r\n'
  hotkey_does_nothing F5 || fail "F5 still calls up the pop-up after F7 was chosen"
  hotkey_shows_popup F7 || fail "F7 did not call up the pop-up after OK"
  dismiss_popup
  qv_running || fail "the program ended"
  assert_eq 0 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes"
  qv_close || fail "the program did not end after WM_CLOSE"
  assert_eq F7 "$(prefs_first_line)" "first line of prefs.qvl after the program ended"
}

# Starts with the delay "abc" in prefs.qvl and answers the one message box that must follow.
start_with_bad_delay() {
  qv_write_rows '\r\n'
  qv_write_store '\r\n'
  qv_write_prefs F6 abc 0000000000
  qv_start
  assert_eq "'abc' is not a valid integer value." \
    "$(probe_text message-text "$QV_CAPTION" 20000)" "message text"
  shot message-box
  assert_eq 1 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes"
  probe message-box "$QV_CAPTION" 5000 OK >/dev/null || fail "could not press OK"
  probe wait-no-message-box "$QV_CAPTION" 5000 || fail "the message box did not close"

  notepad_start || fail "Notepad did not start"
  qv_wait_in_tray || fail "the program did not reach the tray after the message"
  qv_running || fail "the program ended after the message"
  assert_eq 0 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes after OK"
}

# settings_open_without_message SHOT: opens the dialog, which applies the boxes again; the bad
# delay must not be reported again.
settings_open_without_message() {
  settings_open
  shot "$1"
  ! probe message-box "$QV_CAPTION" 1000 >/dev/null 2>&1 ||
    fail "opening the settings dialog ($1) reported the bad delay again"
  local delay
  delay=$(box_text "$SETTINGS_DELAY_BOX")
  [[ "$delay" =~ ^-?[0-9]+$ ]] || fail "the delay box shows [$delay], not the delay in effect ($1)"
}

test_bad_delay_is_reported_once() {
  start_with_bad_delay

  settings_open_without_message dialog-after-bad-delay
  settings_cancel
  # Cancel reloads the boxes from the file; opening again must not report it either.
  settings_open_without_message dialog-after-cancel
  settings_cancel
  assert_eq 0 "$(probe count-message-boxes "$QV_CAPTION")" "message boxes after Cancel"
  qv_running || fail "the program ended"
  qv_close || fail "the program did not end after WM_CLOSE"
}

test_bad_delay_keeps_hot_key_from_file() {
  start_with_bad_delay

  # The hot key was applied before the delay failed.
  hotkey_shows_popup F6 ||
    fail "F6 did not call up the pop-up after the message; the hot key box reads [$(box_text "$SETTINGS_HOTKEY_BOX")], the delay box [$(box_text "$SETTINGS_DELAY_BOX")]"
  dismiss_popup
  qv_close || fail "the program did not end after WM_CLOSE"
  assert_eq F6 "$(prefs_first_line)" "hot key saved at the end"
}

test_dialog_shows_shift_first_and_cancel_restores_file_text() {
  start_with_prefs 'Ctrl+Shift+Up\r\n100\r\n0000000000\r\n'

  settings_open
  assert_eq 'Shift+Ctrl+Up' "$(box_text "$SETTINGS_HOTKEY_BOX")" "hot key box"
  assert_eq 100 "$(box_text "$SETTINGS_DELAY_BOX")" "delay box"
  type_into_box "$SETTINGS_HOTKEY_BOX" F9
  settings_cancel

  # Cancel reloads the boxes from the file, as the file has it, and applies nothing.
  assert_eq 'Ctrl+Shift+Up' "$(box_text "$SETTINGS_HOTKEY_BOX")" "hot key box after Cancel"
  assert_file_bytes "$(prefs_file)" 'Ctrl+Shift+Up\r\n100\r\n0000000000\r\n'
  hotkey_does_nothing F9 || fail "F9 calls up the pop-up after Cancel"
  hotkey_shows_popup ctrl+shift+Up || fail "Ctrl+Shift+Up no longer calls up the pop-up after Cancel"
  dismiss_popup

  # Opened again, the dialog shows the key in effect.
  settings_open
  assert_eq 'Shift+Ctrl+Up' "$(box_text "$SETTINGS_HOTKEY_BOX")" "hot key box when opened again"
  settings_cancel
  qv_close || fail "the program did not end after WM_CLOSE"
}

test_flag_2_puts_crlf_down_and_fourth_line_is_dropped_on_quit() {
  start_with_prefs 'F5\r\n50\r\n2000000009\r\nfourth line\r\n'

  hotkey_shows_popup F5 || fail "F5 did not call up the pop-up"
  shot popup-with-crlf-down
  # "+cR" (192, 2, 29 x 16 in the pop-up) is drawn pressed: light face, "+CR" beside it is not.
  local popup
  read -r -a popup <<<"$(probe rect "$QV_MAIN_CLASS")"
  local image="$E2E_TEST_ARTIFACTS/popup-with-crlf-down.png"
  (($(pixel_count "$image" "25x12+$((popup[0] + 194))+$((popup[1] + 4))" F0E0B8) > 50)) ||
    fail "\"+cR\" is not drawn down"
  (($(pixel_count "$image" "25x12+$((popup[0] + 165))+$((popup[1] + 4))" F0E0B8) == 0)) ||
    fail "\"+CR\" is drawn down"

  # Slot key 1 pastes slot 0 into Notepad, with CR LF added.
  xdotool key 1
  probe wait-hidden "$QV_MAIN_CLASS" 3000 || fail "the pop-up did not hide after the slot key"
  assert_eq "$(hex_of 'text of slot 0\r\n')" "$(probe clipboard)" "clipboard after the paste"

  notepad_activate
  tray_menu_choose "$MENU_QUIT"
  qv_wait_exit 20 || fail "the program did not end after Quit"
  assert_file_bytes "$(prefs_file)" 'F5\r\n50\r\n2000000009\r\n'
}

test_dialog_layout() {
  start_with_prefs 'F5\r\n100\r\n0000000000\r\n'
  settings_open
  # The pointer is placed on "OK" when the dialog activates.
  local rect pointer client
  read -r -a rect <<<"$(probe rect "$QV_SETTINGS_CLASS")"
  pointer=$(xdotool getmouselocation | sed -E 's/x:([0-9]+) y:([0-9]+).*/\1 \2/')
  assert_eq "$((rect[0] + 97)) $((rect[1] + 127))" "$pointer" "pointer after the dialog opened"
  # Centred on the 1280 x 1024 screen.
  assert_eq "$(((1280 - (rect[2] - rect[0])) / 2)) $(((1024 - (rect[3] - rect[1])) / 2))" \
    "${rect[0]} ${rect[1]}" "dialog position"
  assert_eq "F5 100" "$(box_text "$SETTINGS_HOTKEY_BOX") $(box_text "$SETTINGS_DELAY_BOX")" "boxes"

  read -r -a client <<<"$(settings_client)"
  assert_eq "$SETTINGS_CLIENT_WIDTH $SETTINGS_CLIENT_HEIGHT" "${client[2]} ${client[3]}" "client size"
  xdotool mousemove 0 0
  sleep 0.2 # let the dialog repaint where the pointer was
  shot settings-dialog
  local image="$E2E_TEST_ARTIFACTS/settings-dialog.png"
  convert "$image" -crop "$((client[2] + 40))x$((client[3] + 60))+$((client[0] - 20))+$((client[1] - 40))" \
    +repage "$E2E_TEST_ARTIFACTS/settings-dialog-crop.png"
  area() { echo "${3}x${4}+$((client[0] + $1))+$((client[1] + $2))"; }

  # Background, header panel with its yellow texts, navy labels, buttons with navy captions.
  (($(pixel_count "$image" "$(area 0 47 228 4)" E0C070) == 228 * 4)) || fail "dialog background is not E0C070"
  (($(pixel_count "$image" "$(area 10 6 209 35)" 0000FF) > 5000)) || fail "header panel is not blue"
  (($(pixel_count "$image" "$(area 60 6 120 15)" FFFF00) > 60)) || fail "no yellow product name in the header"
  (($(pixel_count "$image" "$(area 60 22 120 15)" FFFF00) > 60)) || fail "no yellow maker name in the header"
  (($(pixel_count "$image" "$(area 6 50 100 14)" 000080) > 40)) || fail "no navy \"Clip HotKey:\" label"
  (($(pixel_count "$image" "$(area 119 50 100 14)" 000080) > 40)) || fail "no navy \"Paste Delay:\" label"
  local button
  for button in 37 116; do
    (($(pixel_count "$image" "$(area "$button" 94 75 22)" C0B090) > 1300)) ||
      fail "button panel at $button is not C0B090"
    (($(pixel_count "$image" "$(area "$button" 94 75 22)" 000080) > 15)) ||
      fail "button panel at $button has no navy caption"
  done
  settings_cancel
  qv_close || fail "the program did not end after WM_CLOSE"
}

test_dialog_boxes_show_navy_text() {
  start_with_prefs 'F5\r\n100\r\n0000000000\r\n'
  settings_open
  local client
  read -r -a client <<<"$(settings_client)"
  xdotool mousemove 0 0
  sleep 0.2 # let the dialog repaint where the pointer was
  shot settings-dialog
  local image="$E2E_TEST_ARTIFACTS/settings-dialog.png" id x
  for id in 201 202; do
    x=$((id == 201 ? 6 : 119))
    (($(pixel_count "$image" "70x13+$((client[0] + x + 3))+$((client[1] + 69))" 000080) > 10)) ||
      fail "the text of box $id is not navy"
  done
  # The drop-down lists show their items in navy too: open each with its arrow button.
  for id in 201 202; do
    x=$((id == 201 ? 6 : 119))
    settings_click $((x + 105 - 9)) $((66 + 10))
    sleep 0.3
    shot "drop-down-$id"
    (($(pixel_count "$E2E_TEST_ARTIFACTS/drop-down-$id.png" \
      "80x90+$((client[0] + x + 3))+$((client[1] + 66 + 22))" 000080) > 60)) ||
      fail "the drop-down list of box $id does not show navy items"
    xdotool key Escape
    sleep 0.2
  done
  settings_cancel
  qv_close || fail "the program did not end after WM_CLOSE"
}
