# shellcheck shell=bash
# Working the clip editor as a user does: "Lock and Add Clip" from the tray menu, clicks on
# the dialog's drawn buttons, typing into its fields. Sourced after popup_tray_lib.sh.
# shellcheck disable=SC2034  # the constants are for the sourcing tests

EDITOR_CAPTION='Add / Modify Clip'
EDITOR_CLIENT_WIDTH=359
EDITOR_CLIENT_HEIGHT=213

lock_and_add() {
  tray_open_menu
  tray_choose 1
  probe wait-visible "$QV_EDITOR_CLASS" 5000 || fail "the editor did not open"
  probe wait-visible "$QV_MAIN_CLASS" 5000 || fail "the list did not show with the editor"
  popup_read_rect
  sleep 0.3 # the dialog places itself when it activates
}

# The dialog's client area on the screen, "X Y WIDTH HEIGHT".
editor_client() { x_client_area "$EDITOR_CAPTION"; }

# editor_click CLIENT_X CLIENT_Y [BUTTON]
editor_click() {
  local client
  read -r -a client <<<"$(editor_client)"
  click_at $((client[0] + $1)) $((client[1] + $2)) "${3:-1}"
}

update_clip() { editor_click $((13 + 54)) $((188 + 11)); }
close_editor() { editor_click $((125 + 54)) $((188 + 11)); }

# type_title TEXT / type_content TEXT: a click into the field, select all, type; in the
# content, "\n" in TEXT is the Enter key.
type_title() {
  editor_click 100 62
  xdotool key End shift+Home
  xdotool type --delay 20 "$1"
}
type_content() {
  editor_click 150 130
  xdotool key ctrl+End ctrl+shift+Home Delete
  local line first=1
  while IFS= read -r line; do
    ((first)) || xdotool key Return
    first=0
    [[ -z "$line" ]] || xdotool type --delay 20 "$line"
  done <<<"$1"
}

editor_text() { probe_text window-text "$QV_EDITOR_CLASS" "$1"; }
title_reads() { [[ "$(editor_text 301)" == "$1" ]]; }

