#!/usr/bin/env bash
# The tray as a StatusNotifierItem, headless: a session bus, a watcher and an SNI host drawing
# on Xvfb. The item carries the hot key in its tip and the tray menu; "Quit" from the host's
# menu saves and ends the program, and the item leaves the watcher. A tip longer than the
# notification area takes, in letters of two bytes each, leaves the program running.
#   tests/e2e-x11/sni.sh [build/linux]   (on a display of its own; not one of run.sh's test files)
set -euo pipefail
build=$(realpath "${1:-build/linux}")
data=$(realpath "$(dirname "$0")/../../data")
work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/log" >&2 2>/dev/null; exit 1; }
until_true() { for _ in $(seq 100); do eval "$1" && return 0; sleep 0.1; done; fail "$2"; }

n=50
while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
display=:$n
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus NO_AT_BRIDGE=1
until_true 'xdpyinfo >/dev/null 2>&1' "no display"
dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --fork --print-pid >"$work/bus.pid"
pids+=("$(cat "$work/bus.pid")")
status-notifier-watcher >/dev/null 2>&1 & pids+=($!)
gtk-sni-tray-standalone >/dev/null 2>&1 & pids+=($!)
watcher() { gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
  -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher "$1" 2>/dev/null; }
until_true '[[ $(watcher IsStatusNotifierHostRegistered) == *true* ]]' "no SNI host"

mkdir "$work/qv" && cp "$data"/* "$build"/quorvanel "$build"/libquorvanel-*.so "$work/qv/"
sed -i 's/\r$//' "$work/qv/Lb1.qvl"  # LF breaks, which a save makes CR LF: Quit must write
QV_DEBUG_LOG=$work/log "$work/qv/quorvanel" & qv=$!; pids+=($qv)
item=org.kde.StatusNotifierItem-$qv-1
until_true 'grep -q "tray item registered" "$work/log" 2>/dev/null' "item not registered"
until_true '[[ $(watcher RegisteredStatusNotifierItems) == *$item* ]]' "watcher lacks the item"
tip=$(gdbus call --session -d "$item" -o /StatusNotifierItem \
  -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem ToolTip)
[[ $tip == *F5* ]] || fail "tip names no hot key: $tip"
layout=$(gdbus call --session -d "$item" -o /MenuBar -m com.canonical.dbusmenu.GetLayout -- 0 -1 '[]')
for caption in "Settings..." "Lock and Add Clip" "Quit"; do
  [[ $layout == *"'$caption'"* ]] || fail "menu lacks $caption: $layout"
done
rm -f "$work/qv/Lb1.qvl.bak"
gdbus call --session -d "$item" -o /MenuBar -m com.canonical.dbusmenu.Event 3 clicked '<"">' 0 >/dev/null
until_true '! kill -0 $qv 2>/dev/null' "Quit did not end the program"
[[ -f $work/qv/Lb1.qvl.bak ]] || fail "Quit did not save"
until_true '[[ $(watcher RegisteredStatusNotifierItems) != *$item* ]]' "item left behind"

# A hot key text of "x" and 150 Cyrillic letters: its tip is cut, once inside a letter, which
# was invalid UTF-8, on which libdbus ends the program.
letters=$(printf 'д%.0s' $(seq 150))
printf '\xEF\xBB\xBFx%s\r\n100\r\n0000000000\r\n' "$letters" >"$work/qv/prefs.qvl"
: >"$work/log"
QV_DEBUG_LOG=$work/log "$work/qv/quorvanel" & qv=$!; pids+=($qv)
item=org.kde.StatusNotifierItem-$qv-1
tip() { gdbus call --session -d "$item" -o /StatusNotifierItem \
  -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem ToolTip 2>/dev/null; }
until_true '[[ $(tip) == *"x${letters:0:40}"* ]]' "the tip lacks the hot key text: $(tip)"
[[ $(tip) != *"x$letters"* ]] || fail "the tip was not cut"
kill -0 $qv 2>/dev/null || fail "the program ended on its tip"
kill $qv
until_true '! kill -0 $qv 2>/dev/null' "the program did not end"
echo "PASS: StatusNotifierItem tip, menu and Quit; a tip of two-byte letters"
