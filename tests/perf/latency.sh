#!/usr/bin/env bash
# End-to-end benchmark under Wine: Quorvanel.exe against the floor program
# (tests/perf/floor.cpp, the least a program doing the same job can do), in one run, taking
# turns round by round (and in turn which goes first) so that a drift of the machine's speed
# hits all alike. A third program, the floor taking the steps the program's design
# prescribes ("prescribed"), tells how much of the difference those steps cost. Prints each
# figure's medians and their ratios.
#   ready    launch -> waiting for input with the hot key registered (tests/perf/launch.cpp)
#   memory   private resident memory (RssAnon) one second after ready
#   close    WM_CLOSE to the main window -> process gone; both write the three data files
#   mapped   hot key pressed -> pop-up window viewable (mapped on the X server)
#   painted  hot key pressed -> a point inside the pop-up's list area has its final colour
#   clip     slot key pressed ("1", row 0) -> the clipboard has a new owner holding new text
# then the core figures (bench/data_files_bench.cpp): loading the 850-line library against
# reading its bytes, and saving libraries of 850, 10,000 and 100,000 store lines into files in
# memory against what those files cost by themselves; and the size of the executable.
#
# Usage: tests/perf/latency.sh [ROUNDS]     (default 20; `make bench-e2e` builds and runs it)
# QV_EXE overrides the program (default build/windows/Quorvanel.exe), CORE_BENCH the core
# benchmark (default build/bench/core_bench; skipped when missing); PHASES (default
# "start popup core") chooses the parts to run; SLOT_KEY (an X key name, default 1) chooses
# the slot, one whose clip is not empty; KEEP_RUN=1 keeps the run folder.
set -euo pipefail

ROUNDS=${1:-20}
PHASES=" ${PHASES:-start popup core} "
SLOT_KEY=${SLOT_KEY:-1}
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=$ROOT/build/perf
QV_EXE=${QV_EXE:-$ROOT/build/windows/Quorvanel.exe}
CORE_BENCH=${CORE_BENCH:-$ROOT/build/bench/core_bench}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
QV_CAPTION="Velmora Clips"
QV_CLASS=TForm1
FLOOR_CAPTION="Quorvanel Floor"
PRESCRIBED_CAPTION="Quorvanel Floor Prescribed"
FLOOR_CLASS=QvPerfFloor
VK_F5=116
# A point of the list area, left of its scroll bar and right of any row's title, and the
# colour each program finally paints there (the list's background; the floor's panel).
PROBE_X=215
PROBE_Y=470
QV_PROBE_COLOUR=FFFFCC
FLOOR_PROBE_COLOUR=E0C070
PROGRAMS=(quorvanel floor prescribed)

[[ -f $QV_EXE ]] || { echo "no $QV_EXE: build it with cmake --preset windows" >&2; exit 2; }
mkdir -p "$OUT"
MINGW=(x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Werror -static)
"${MINGW[@]}" -mwindows "$ROOT/tests/perf/floor.cpp" -lshell32 -o "$OUT/floor.exe"
"${MINGW[@]}" "$ROOT/tests/perf/launch.cpp" -o "$OUT/launch.exe"
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

# Each program in a folder of its own with the same data files: 72 rows, a full store.
mkdir -p "$RUN/quorvanel" "$RUN/floor" "$RUN/prescribed"
cp "$QV_EXE" "$RUN/quorvanel/Quorvanel.exe"
cp "$OUT/floor.exe" "$RUN/floor/floor.exe"
cp "$OUT/floor.exe" "$RUN/prescribed/floor.exe"
for dir in "$RUN/quorvanel" "$RUN/floor" "$RUN/prescribed"; do
  cp "$ROOT/data/Lb1.qvl" "$ROOT/data/svclips.qvl" "$dir/"
  printf 'F5\r\n100\r\n0000000000\r\n' >"$dir/prefs.qvl"
done
cp "$OUT/launch.exe" "$RUN/launch.exe"

activate_notepad() {
  xdotool windowactivate --sync "$NOTEPAD" >/dev/null 2>&1 || true
  sleep 0.2
}

# ------------------------------------------------------------------ start-up, memory, close

# The Linux process of a program of this run's prefix, by its exe name (its first argument).
process_of() {
  local exe=$1 pid first
  for pid in $(pgrep -f -- "$exe" || true); do
    [[ -r /proc/$pid/environ ]] || continue
    first=$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -n 1)
    [[ $first == *[\\/]"$exe" ]] || continue
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}

# One start of a program alone: appends to $RUN/NAME.ready, .memory (MB) and .close, or "-".
measure_start() {
  local name=$1 exe=$2 class=$3 args=${4:-}
  local ready=- memory=- closed=- line pid
  activate_notepad
  # shellcheck disable=SC2086  # args: none or one word
  coproc LAUNCH { "$WINE" "$RUN/launch.exe" "$(winepath -w "$RUN/$name/$exe")" "$class" $VK_F5 \
    $args 2>>"$RUN/$name.launch.log"; }
  if read -r -t 20 -u "${LAUNCH[0]}" line && [[ ${line%$'\r'} == ready\ * ]]; then
    line=${line%$'\r'}
    ready=${line#ready }
    sleep 1
    if pid=$(process_of "$exe"); then
      memory=$(awk '/^RssAnon:/ { printf "%.3f", $2 / 1024 }' "/proc/$pid/status")
    fi
    echo go >&"${LAUNCH[1]}"
    if read -r -t 20 -u "${LAUNCH[0]}" line && [[ ${line%$'\r'} == closed\ * ]]; then
      line=${line%$'\r'}
      closed=${line#closed }
    fi
  fi
  [[ $ready == - || $closed == - ]] && echo "$name: start or close failed" >&2
  wait "$LAUNCH_PID" 2>/dev/null || true
  echo "$ready" >>"$RUN/$name.ready"
  echo "${memory:--}" >>"$RUN/$name.memory"
  echo "$closed" >>"$RUN/$name.close"
  sleep 0.3
}

touch "$RUN"/{quorvanel,floor,prescribed}.{ready,memory,close,mapped,painted,clip}

start_one() {
  case $1 in  # $2, the round, is not needed
    quorvanel) measure_start quorvanel Quorvanel.exe $QV_CLASS ;;
    floor) measure_start floor floor.exe $FLOOR_CLASS ;;
    prescribed) measure_start prescribed floor.exe $FLOOR_CLASS prescribed ;;
  esac
}

# Round r runs the programs in the order PROGRAMS rotated by r.
in_turn() {
  local r=$1 i
  shift
  for ((i = 0; i < 3; i++)); do "$@" "${PROGRAMS[(r + i) % 3]}" "$r"; done
}

if [[ $PHASES == *" start "* ]]; then
  echo "start-up: $ROUNDS rounds each"
  for ((r = 1; r <= ROUNDS; r++)); do in_turn "$r" start_one; done
fi

# ------------------------------------------------------------------ pop-up and clipboard

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
  echo "$show" >>"$RUN/$name.mapped"
  echo "$painted" >>"$RUN/$name.painted"
  echo "$clip" >>"$RUN/$name.clip"
  sleep 0.5  # paste delay and the paste
}

round_one() {
  case $1 in
    quorvanel) measure_round quorvanel "$QV_CAPTION" F5 $QV_PROBE_COLOUR "$2" ;;
    floor) measure_round floor "$FLOOR_CAPTION" F6 $FLOOR_PROBE_COLOUR "$2" ;;
    prescribed) measure_round prescribed "$PRESCRIBED_CAPTION" F7 $FLOOR_PROBE_COLOUR "$2" ;;
  esac
}

# The programs run side by side, the floors on F6 and F7, so that their rounds can take turns.
if [[ $PHASES == *" popup "* ]]; then
  start_program "$RUN/quorvanel" Quorvanel.exe "$QV_CAPTION" F5
  start_program "$RUN/floor" floor.exe "$FLOOR_CAPTION" F6 F6
  start_program "$RUN/prescribed" floor.exe "$PRESCRIBED_CAPTION" F7 F7 prescribed
  echo "pop-up: $ROUNDS rounds each"
  for ((r = 1; r <= ROUNDS; r++)); do in_turn "$r" round_one; done
fi
"$WINESERVER" -k 2>/dev/null || true

# ------------------------------------------------------------------ core

# Medians of the core benchmarks' CPU times, interleaved at random, into $RUN/core ("NAME ns"
# lines): CPU time is the steadier figure on a shared machine.
: >"$RUN/core"
if [[ $PHASES != *" core "* ]]; then
  :
elif [[ -x $CORE_BENCH ]]; then
  echo "core: benchmarks, 9 repetitions interleaved"
  "$CORE_BENCH" --benchmark_filter='BM_(ReadDataBytes|LoadLibrary|SaveLibrary|SaveFloor)' \
    --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      t = $4; u = $5; gsub(/"/, "", u)
      if (u == "us") t *= 1000; else if (u == "ms") t *= 1e6
      print name, t }' >"$RUN/core"
else
  echo "core: no $CORE_BENCH (make bench builds it); core figures skipped" >&2
fi

# ------------------------------------------------------------------ table

summary() {  # "n median" of the numbers on standard input, "-" skipped
  grep -vx -- - | sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "0 -"; exit }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%d %.3f\n", NR, m }'
}

ratio() { awk -v q="$1" -v f="$2" 'BEGIN { if (f + 0 > 0) printf "%.2f", q / f; else print "-" }'; }

pairs() {  # "n median" of the round-by-round ratios of program $1 to program $2 in FIGURE $3
  paste "$RUN/$1.$3" "$RUN/$2.$3" |
    awk '$1 != "-" && $2 != "-" && $2 > 0 { print $1 / $2 }' | summary
}

row() {  # FIGURE-LABEL UNIT FILE-SUFFIX TARGET
  local label=$1 unit=$2 figure=$3 target=$4 n qv fl sp pairs_n pairs sp_pairs verdict
  read -r n qv <<<"$(summary <"$RUN/quorvanel.$figure")"
  read -r _ fl <<<"$(summary <"$RUN/floor.$figure")"
  read -r _ sp <<<"$(summary <"$RUN/prescribed.$figure")"
  read -r pairs_n pairs <<<"$(pairs quorvanel floor "$figure")"
  read -r _ sp_pairs <<<"$(pairs quorvanel prescribed "$figure")"
  verdict=$(awk -v p="$pairs" -v t="$target" 'BEGIN {
    if (p == "-") print "-"; else print (p + 0 <= t + 0) ? "met" : "NOT met" }')
  printf '%-34s %9s %9s %6s %6s %4s %6s %-8s %9s %6s\n' "$label ($unit)" "$qv" "$fl" \
    "$(ratio "$qv" "$fl")" "$pairs" "$pairs_n" "<=$target" "$verdict" "$sp" "$sp_pairs"
}

core() { awk -v n="$1" '$1 == n { printf "%.3f", $2 / 1000; found = 1 } END { if (!found) print "-" }' "$RUN/core"; }

echo
echo "window polls every $("$REACT" resolution) ms; clipboard by owner-change event"
echo "medians of $ROUNDS rounds taken in turn; 'pairs': median of the round-by-round ratios;"
echo "'prescribed': the floor taking the steps the design prescribes, and the pairs against it"
printf '%-34s %9s %9s %6s %6s %4s %6s %-8s %9s %6s\n' figure quorvanel floor ratio pairs n \
  target verdict prescribed pairs
row "launch -> ready" ms ready 1.3
row "hot key -> pop-up painted" ms painted 1.3
row "hot key -> pop-up mapped" ms mapped 1.2
row "slot key -> clipboard" ms clip 1.1
row "private memory after start" MB memory 1.3
row "main window closed -> exit" ms close 1.5

met_if() { awk -v v="$1" -v t="$2" 'BEGIN { if (v == "-") print "-"; else print (v + 0 <= t + 0) ? "met" : "NOT met" }'; }

echo
echo "core (CPU time, median of 9; floor: reading the bytes, and the files' own writes and copies)"
read_us=$(core BM_ReadDataBytes)
load_us=$(core BM_LoadLibrary)
load_ratio=$(ratio "$load_us" "$read_us")
printf '%-34s %9s %9s %6s %6s %4s %6s %s\n' "load, 850 lines (us)" "$load_us" "$read_us" \
  "$load_ratio" "" "" "<=2" "$(met_if "$load_ratio" 2)"
for lines in 850 10000 100000; do
  save=$(core "BM_SaveLibrary/$lines")
  floor=$(core "BM_SaveFloor/$lines")
  printf '%-34s %9s %9s %6s\n' "save, $lines lines (us)" "$save" "$floor" "$(ratio "$save" "$floor")"
done
growth=$(ratio "$(core BM_SaveLibrary/100000)" "$(core BM_SaveLibrary/10000)")
printf '%-34s %9s %9s %6s %6s %4s %6s %s\n' "save growth, 100,000 / 10,000" "$growth" \
  "$(ratio "$(core BM_SaveFloor/100000)" "$(core BM_SaveFloor/10000)")" "" "" "" "<=12" \
  "$(met_if "$growth" 12)"
stripped=$RUN/stripped.exe
x86_64-w64-mingw32-strip -o "$stripped" "$QV_EXE"
size=$(stat -c %s "$QV_EXE")
printf '\n%-34s %s B as built, %s B stripped; shipped (as built) <=300000: %s\n' "executable" \
  "$size" "$(stat -c %s "$stripped")" "$(met_if "$size" 300000)"
