#!/usr/bin/env bash
# The desktop portals' clients (GlobalShortcuts, RemoteDesktop) against a fake portal on a
# private session bus: Debian's portal predates GlobalShortcuts, and the real backends need
# their whole desktops. Usage: portal.sh [portal_tests binary]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tests=${1:-$root/build/native/portal_tests}
dir=$(mktemp -d /tmp/qv-portal.XXXXXX)
bus_pid='' fake_pid=''
cleanup() {
  [[ -n $fake_pid ]] && kill "$fake_pid" 2>/dev/null
  [[ -n $bus_pid ]] && kill "$bus_pid" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/bus"
bus_pid=$(dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --fork --print-pid)
/usr/bin/python3 "$root/tests/e2e-wayland/portal/fake_portal.py" "$dir" &
fake_pid=$!
for _ in $(seq 100); do [[ -e $dir/ready ]] && break; sleep 0.1; done
[[ -e $dir/ready ]] || { echo "the fake portal did not start" >&2; exit 1; }
QV_FAKE_PORTAL_STATE=$dir "$tests"
