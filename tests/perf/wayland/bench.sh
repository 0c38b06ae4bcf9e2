#!/usr/bin/env bash
# `make bench-wayland`: the program on a headless sway (pixman, no XWayland, as the tests' user)
# against a minimal Wayland client (floor.cpp: told of its key by sway's IPC, it shows one
# layer surface), side by side in one run:
#   launch -> ready   start -> the program's "ready" (its hot key bound, the tray asked) / the
#                     floor connected and subscribed; LAUNCHES rounds
#   memory at rest    Private_* of /proc/PID/smaps_rollup, 2 s after ready
#   hot key -> frame  the hot key's press -> the list's first frame shown (frame callback);
#                     ROUNDS rounds, the floor's own key likewise
#   slot key -> text  the slot key's press -> the GTK window's text changed (the paste delay,
#                     PASTE_DELAY ms, included)
# Medians, and the goals: hot key within 16.7 ms of the floor, launch at most 1.5x the floor.
set -euo pipefail
LAUNCHES=${LAUNCHES:-5}
ROUNDS=${ROUNDS:-10}
PASTE_DELAY=${PASTE_DELAY:-100}
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
# shellcheck source=tests/e2e-wayland/lib.sh
source "$ROOT/tests/e2e-wayland/lib.sh"
OUT=$ROOT/build/perf-wayland
mkdir -p "$OUT"
for p in wlr-layer-shell-unstable-v1 xdg-shell; do
  gcc -c -O2 "$WL_BUILD/wayland-protocols/$p.c" -o "$OUT/$p.o"
done
g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$WL_BUILD/wayland-protocols" \
  "$ROOT/tests/perf/wayland/floor.cpp" "$OUT"/*.o -lwayland-client -o "$OUT/floor"

export E2E_TEST_DIR
E2E_TEST_DIR=$(mktemp -d /tmp/qvbench-wl.XXXXXX)
chmod 755 "$E2E_TEST_DIR"
for d in "$WL_BUILD" "$OUT"; do while [[ "$d" != / ]]; do chmod o+x "$d"; d=$(dirname "$d"); done; done
cleanup() { [[ -z "${FLOOR:-}" ]] || user_stop "$FLOOR"; wl_stop_all; rm -rf "$E2E_TEST_DIR"; }
trap cleanup EXIT
sway_start
swaymsg_ bindsym F7 nop floor
qv_install
write_test_data "$PASTE_DELAY"
chown -R "$WL_USER" "$E2E_TEST_DIR"
target_start

# The steady clock's microseconds now (the program's log and the tools use it).
offset_us=$(/usr/bin/python3 -c 'import time; print(time.time_ns()//1000 - time.monotonic_ns()//1000)')
now_us() { local t=${EPOCHREALTIME/./}; echo $((t - offset_us)); }
median() { sort -n | awk '{v[NR]=$1} END {print (NR ? v[int((NR+1)/2)] : "n/a")}'; }
ms() { awk -v us="$1" 'BEGIN {printf "%.1f", us / 1000}'; }
private_kb() { awk '/^Private_/ {kb += $2} END {print kb}' "/proc/$1/smaps_rollup"; }
last_keys_stamp() { tail -n1 "$E2E_TEST_DIR/keys.done" | awk '{print $2}'; }
# The first stamp in FILE's lines matching PATTERN ("STAMP ..." lines) after AFTER.
first_after() { awk -v after="$2" -v p="$3" '$0 ~ p && $1 > after {print $1; exit}' "$1"; }

launch_qv=() launch_floor=()
for ((i = 0; i < LAUNCHES; i++)); do
  rm -f "$(qv_log)"
  t0=$(now_us)
  as_user "$(qv_dir)/quorvanel" >>"$E2E_TEST_DIR/program.out" 2>&1 &
  QV_PID=$!
  wait_until 20 log_has ready || { echo "the program did not start" >&2; exit 1; }
  launch_qv+=($(($(first_after "$(qv_log)" 0 ' ready') - t0)))
  ((i == LAUNCHES - 1)) || qv_stop
  t0=$(now_us)
  as_user "$OUT/floor" >"$E2E_TEST_DIR/floor.out" 2>&1 &
  FLOOR=$!
  wait_until 20 grep -q ready "$E2E_TEST_DIR/floor.out"
  launch_floor+=($(($(awk '/ready/ {print $2}' "$E2E_TEST_DIR/floor.out") - t0)))
  ((i == LAUNCHES - 1)) || user_stop "$FLOOR"
done
sleep 2
mem_qv=$(private_kb "$(user_child "$QV_PID")")
mem_floor=$(private_kb "$(user_child "$FLOOR")")

hot_qv=() hot_floor=() text_qv=()
swaymsg_ '[title="^target$"] focus'
for ((i = 0; i < ROUNDS; i++)); do
  keys F5
  t=$(last_keys_stamp)
  wait_until 10 eval '[[ -n "$(first_after "$(qv_log)" "$t" "list frame shown")" ]]'
  hot_qv+=($(($(first_after "$(qv_log)" "$t" "list frame shown") - t)))
  keys c
  t=$(last_keys_stamp)
  wait_until 10 eval '[[ -n "$(first_after "$E2E_TEST_DIR/target.txt.times" "$t" "")" ]]'
  text_qv+=($(($(first_after "$E2E_TEST_DIR/target.txt.times" "$t" "") - t)))
  sleep 0.3
  keys F7
  t=$(last_keys_stamp)
  wait_until 10 eval '[[ -n "$(awk -v t="$t" "/frame/ && \$2 > t {print \$2; exit}" "$E2E_TEST_DIR/floor.out")" ]]'
  hot_floor+=($(($(awk -v t="$t" '/frame/ && $2 > t {print $2; exit}' "$E2E_TEST_DIR/floor.out") - t)))
  swaymsg_ '[title="^target$"] focus'
  sleep 0.2
done

lq=$(printf '%s\n' "${launch_qv[@]}" | median) lf=$(printf '%s\n' "${launch_floor[@]}" | median)
hq=$(printf '%s\n' "${hot_qv[@]}" | median) hf=$(printf '%s\n' "${hot_floor[@]}" | median)
tq=$(printf '%s\n' "${text_qv[@]}" | median)
echo "== Wayland (headless sway, pixman), medians: program | floor | goal"
printf '  launch -> ready     %8s ms | %8s ms | <= 1.5x floor: %s\n' "$(ms "$lq")" "$(ms "$lf")" \
  "$(awk -v a="$lq" -v b="$lf" 'BEGIN {print (a <= 1.5 * b ? "met" : "not met") " (" sprintf("%.2fx", a / b) ")"}')"
printf '  hot key -> frame    %8s ms | %8s ms | within 16.7 ms of floor: %s\n' "$(ms "$hq")" "$(ms "$hf")" \
  "$(awk -v a="$hq" -v b="$hf" 'BEGIN {print (a - b <= 16700 ? "met" : "not met")}')"
printf '  slot key -> text    %8s ms |        - | (paste delay %s ms included)\n' "$(ms "$tq")" "$PASTE_DELAY"
printf '  memory at rest      %8s kB |%8s kB | private (CopyQ not measured here)\n' "$mem_qv" "$mem_floor"
