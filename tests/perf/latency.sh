#!/usr/bin/env bash
# End-to-end latency of the pop-up and the paste under Wine, Quorvanel.exe against the
# floor program (tests/perf/floor.cpp), on a private X display and Wine prefix:
#   show     F5 pressed -> pop-up window viewable (mapped on the X server)
#   painted  F5 pressed -> a point inside the pop-up's list area has its final colour
#   clip     slot key pressed ("1", row 0) -> the clipboard has a new owner holding new text
# Prints each figure's min / median / max per program and the ratios Quorvanel / floor.
#
# Usage: tests/perf/latency.sh [ROUNDS]     (default 20)
# SLOT_KEY (an X key name, default 1) chooses the slot, one whose clip is not empty; QV_EXE overrides the program
# (default build/windows/Quorvanel.exe); KEEP_RUN=1 keeps the run folder (logs, data files).
set -euo pipefail

ROUNDS=${1:-20}
SLOT_KEY=${SLOT_KEY:-1}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=$ROOT/build/perf
QV_EXE=${QV_EXE:-$ROOT/build/windows/Quorvanel.exe}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
QV_CAPTION="Velmora Clips"
FLOOR_CAPTION="Quorvanel Floor"
# A point of the list area, left of its scroll bar and right of any row's title, and the
# colour each program finally paints there (the list's background; the floor's panel).
PROBE_X=215
PROBE_Y=470
QV_PROBE_COLOUR=FFFFCC
FLOOR_PROBE_COLOUR=E0C070

[[ -f $QV_EXE ]] || { echo "no $QV_EXE: build it with cmake --preset windows" >&2; exit 2; }
mkdir -p "$OUT"
x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Werror -static -mwindows \
  "$ROOT/tests/perf/floor.cpp" -o "$OUT/floor.exe"
g++ -std=c++20 -O2 -Wall -Wextra -Werror "$ROOT/tests/perf/key_reaction.cpp" \
  -lX11 -lXfixes /usr/lib/x86_64-linux-gnu/libXtst.so.6 -o "$OUT/key_reaction"
REACT=$OUT/key_reaction

RUN=$(mktemp -d /tmp/qvperf.XXXXXX)
export WINEPREFIX=$RUN/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
STARTED=()  # pids of everything started here, stopped in reverse order

stop_pid() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

cleanup() {
  set +e
  [[ -d $WINEPREFIX ]] && "$WINESERVER" -k 2>/dev/null
  for ((i = ${#STARTED[@]} - 1; i >= 0; i--)); do stop_pid "${STARTED[i]}"; done
  if [[ ${KEEP_RUN:-0} == 1 ]]; then echo "run folder kept: $RUN"; else rm -rf "$RUN"; fi
}
trap cleanup EXIT

# A free display, never the lead's :77.
unset DISPLAY
for n in $(seq 91 140); do
  [[ $n == 77 || -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$RUN/xvfb.log" 2>&1 &
  pid=$!
  for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null && [[ -e /tmp/.X11-unix/X$n ]]; then
    STARTED+=("$pid")
    export DISPLAY=:$n
    break
  fi
  stop_pid "$pid"
done
[[ -n ${DISPLAY:-} && ${DISPLAY} != :77 ]] || { echo "no free X display" >&2; exit 1; }
echo "display $DISPLAY, Wine prefix $WINEPREFIX"

openbox --sm-disable >"$RUN/openbox.log" 2>&1 &
STARTED+=($!)
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 \
  --transparent false >"$RUN/trayer.log" 2>&1 &
STARTED+=($!)
"$WINE" wineboot -i >"$RUN/wineboot.log" 2>&1

"$WINE" notepad >"$RUN/notepad.log" 2>&1 &
STARTED+=($!)
NOTEPAD=$(xdotool search --sync --name ' - Notepad$' | head -n 1)

mkdir -p "$RUN/quorvanel" "$RUN/floor"
cp "$QV_EXE" "$RUN/quorvanel/Quorvanel.exe"
cp "$ROOT/data/Lb1.qvl" "$ROOT/data/svclips.qvl" "$RUN/quorvanel/"
printf 'F5\r\n100\r\n0000000000\r\n' >"$RUN/quorvanel/prefs.qvl"
cp "$OUT/floor.exe" "$RUN/floor/floor.exe"

activate_notepad() {
  xdotool windowactivate --sync "$NOTEPAD" >/dev/null 2>&1 || true
  sleep 0.2
}

popup_windows() { xdotool search --name "^$1\$" 2>/dev/null | tr '\n' ' '; }

any_viewable() {
  local xid
  for xid in $(popup_windows "$1"); do
    xwininfo -id "$xid" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
  done
  return 1
}

# Waits up to 3 s for the pop-up to go; then hides it with its hot key.
ensure_hidden() {
  local caption=$1 hotkey=$2
  for _ in $(seq 30); do any_viewable "$caption" || return 0; sleep 0.1; done
  echo "$caption: pop-up still shown; hiding it with $hotkey" >&2
  xdotool key "$hotkey"
  sleep 0.5
}

# Starts one program, then shows and hides its pop-up once, uncounted, so that its X window
# exists and first-use costs are paid before the rounds.
start_program() {
  local dir=$1 exe=$2 caption=$3 hotkey=$4
  shift 4
  (cd "$dir" && exec "$WINE" "./$exe" "$@" >"$RUN/$exe.log" 2>&1) &
  STARTED+=($!)
  sleep 3  # start-up: a main window shows, then hides on its first activation
  activate_notepad
  xdotool key "$hotkey"
  xdotool search --sync --onlyvisible --name "^$caption\$" >/dev/null
  sleep 0.5
  xdotool key "$hotkey"
  ensure_hidden "$caption" "$hotkey"
}

# One round: the hot key shows the pop-up, then the slot key puts a clip on the clipboard.
# Appends the round's figures to $RUN/NAME.FIGURE, or "-" where the round failed.
measure_round() {
  local name=$1 caption=$2 hotkey=$3 colour=$4 round=$5
  local marker="qvperf-marker-$name-$round" clip_owner figures windows
  local show=- painted=- clip=-
  ensure_hidden "$caption" "$hotkey"
  activate_notepad
  printf '%s' "$marker" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
  clip_owner=$!
  for _ in $(seq 50); do
    [[ $(xclip -o -selection clipboard 2>/dev/null) == "$marker" ]] && break
    sleep 0.02
  done
  sleep 0.2
  windows=$(popup_windows "$caption")
  if [[ -n $windows ]] && figures=$("$REACT" show "$hotkey" --paint $PROBE_X $PROBE_Y "$colour" \
    $windows); then
    read -r -d '' show painted <<<"$figures" || true
    sleep 0.3  # the hot-key handler finishes before the slot key comes
    if figures=$("$REACT" clip "$SLOT_KEY" "$marker" 2>>"$RUN/$name.clipboard"); then
      clip=$figures
    else
      echo "$name round $round: clipboard unchanged" >&2
    fi
  else
    echo "$name round $round: pop-up not shown and painted" >&2
  fi
  stop_pid "$clip_owner"
  echo "$show" >>"$RUN/$name.show"
  echo "$painted" >>"$RUN/$name.painted"
  echo "$clip" >>"$RUN/$name.clip"
  sleep 0.5  # paste delay and the paste
}

# Both programs run side by side, the floor on F6, so that their rounds can alternate pair
# by pair (and in turn which goes first): a drift of the machine's speed hits both alike.
start_program "$RUN/quorvanel" Quorvanel.exe "$QV_CAPTION" F5
start_program "$RUN/floor" floor.exe "$FLOOR_CAPTION" F6 F6
echo "$ROUNDS rounds each"
for ((r = 1; r <= ROUNDS; r++)); do
  if ((r % 2)); then
    measure_round quorvanel "$QV_CAPTION" F5 $QV_PROBE_COLOUR "$r"
    measure_round floor "$FLOOR_CAPTION" F6 $FLOOR_PROBE_COLOUR "$r"
  else
    measure_round floor "$FLOOR_CAPTION" F6 $FLOOR_PROBE_COLOUR "$r"
    measure_round quorvanel "$QV_CAPTION" F5 $QV_PROBE_COLOUR "$r"
  fi
done

summary() {  # "n min median max" of the numbers on standard input
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "0 - - -"; exit }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%d %.2f %.2f %.2f\n", NR, v[1], m, v[NR] }'
}

echo
echo "window polls every $("$REACT" resolution) ms; clipboard by owner-change event"
printf '%-8s %-10s %4s %8s %8s %8s\n' figure program n min median max
for figure in show painted clip; do
  declare -A median=()
  for name in quorvanel floor; do
    read -r n lo mid hi <<<"$(grep -vx -- - "$RUN/$name.$figure" | summary)"
    printf '%-8s %-10s %4s %8s %8s %8s ms\n' "$figure" "$name" "$n" "$lo" "$mid" "$hi"
    median[$name]=$mid
  done
  read -r n lo mid hi <<<"$(paste "$RUN/quorvanel.$figure" "$RUN/floor.$figure" |
    awk '$1 != "-" && $2 != "-" && $2 > 0 { print $1 / $2 }' | summary)"
  awk -v q="${median[quorvanel]}" -v f="${median[floor]}" -v fig="$figure" -v n="$n" \
    -v lo="$lo" -v mid="$mid" -v hi="$hi" 'BEGIN {
      if (f + 0 > 0) printf "%-8s quorvanel/floor: ratio of medians %.2f;", fig, q / f
      printf " pair by pair (%d) min %s median %s max %s\n", n, lo, mid, hi }'
done
