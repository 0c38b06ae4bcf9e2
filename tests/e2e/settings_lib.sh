# shellcheck shell=bash
# Working the settings dialog as a user does: its client area on the screen and clicks on its
# drawn "OK" and "Cancel" buttons.

# The dialog's client area on the screen, "X Y WIDTH HEIGHT": Wine makes it the X window that
# openbox frames, so X tells its true place.
settings_client() { x_client_area "Settings"; }

# settings_click CLIENT_X CLIENT_Y: a left click at a point of the dialog's client area.
settings_click() {
  local client
  read -r -a client <<<"$(settings_client)"
  xdotool mousemove $((client[0] + $1)) $((client[1] + $2)) click 1
}

# The flat buttons are drawn, not windows: click the middle of their panels.
settings_ok() {
  settings_click $((37 + 37)) $((94 + 11))
  probe wait-hidden "$QV_SETTINGS_CLASS" 3000 || fail "the dialog did not close on OK"
}
settings_cancel() {
  settings_click $((116 + 37)) $((94 + 11))
  probe wait-hidden "$QV_SETTINGS_CLASS" 3000 || fail "the dialog did not close on Cancel"
}

