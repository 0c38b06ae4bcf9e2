#!/usr/bin/env bash
# `make bench-linux`: the X11 program against CopyQ (Debian's package, installed here for the
# comparison only and timed as a black box) and a plain-Xlib floor (floor.cpp: a tray icon
# and a hidden 36-row list), side by side in one run on a private Xvfb + openbox + trayer:
#   launch -> tray   start -> the tray icon is docked (xbench tray); LAUNCHES rounds, taking turns
#   memory at rest   Private_* of /proc/PID/smaps_rollup over the program's processes, 2 s
#                    after the icon docked
#   hot key -> list  hot key -> the program's window mapped (xbench mapped); PASTES rounds (the
#                    floor too: started with F7, it shows its list as the program does)
#   key -> text      slot key (CopyQ: Return on its first item) -> l3afpad's title gains "*"
#   exact pastes     l3afpad saves (Ctrl+S) after each paste; its file must hold the clip alone
# Each figure is printed against the goal, met or not. Timings live here, never in tests.
# Environment: LAUNCHES (default 10), PASTES (default 100), PASTE_DELAY (the program's paste
# delay in ms, default 100 as shipped), QV_BIN (default build/linux/quorvanel), KEEP_RUN=1.
set -euo pipefail

LAUNCHES=${LAUNCHES:-10}
PASTES=${PASTES:-100}
PASTE_DELAY=${PASTE_DELAY:-100}
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
QV_BIN=${QV_BIN:-$ROOT/build/linux/quorvanel}
OUT=$ROOT/build/perf-linux
# The clip every program pastes: one line (l3afpad saves CR LF as LF), UTF-8 beyond ASCII.
CLIP='Quorvanel bench: Grüße, Привет, 日本 — 100% exact'

[[ -x $QV_BIN ]] || echo "no $QV_BIN (make linux builds it): CopyQ and the floor only" >&2
if ! command -v copyq >/dev/null; then
  echo "Installing CopyQ (Debian) for the comparison"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 copyq \
    </dev/null >/tmp/qv-bench-apt.log 2>&1 || { tail -n 20 /tmp/qv-bench-apt.log >&2; exit 1; }
fi
mkdir -p "$OUT"
g++ -std=c++20 -O2 -Wall -Wextra -Werror "$ROOT/tests/perf/linux/floor.cpp" -lX11 -o "$OUT/floor"
g++ -std=c++20 -O2 -Wall -Wextra -Werror "$ROOT/tests/perf/linux/xbench.cpp" -lX11 -lXtst \
  -o "$OUT/xbench"
XBENCH=$OUT/xbench

RUN=$(mktemp -d /tmp/qvbench-linux.XXXXXX)
# Everything started here sees a home of its own and no session bus (both programs use the
# XEmbed tray then).
export HOME=$RUN/home XDG_CONFIG_HOME=$RUN/home/.config XDG_DATA_HOME=$RUN/home/.local/share
export XDG_CACHE_HOME=$RUN/home/.cache
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
mkdir -p "$XDG_CONFIG_HOME/copyq" "$XDG_DATA_HOME"
STARTED=() # the display's programs, stopped in reverse order

alive() { [[ -e /proc/$1 ]] && ! grep -q '^[^)]*) Z' "/proc/$1/stat" 2>/dev/null; }

descendants() {
  local child
  for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
    echo "$child"
    descendants "$child"
  done
}

stop_tree() {
  local pid=$1 all
  all="$pid $(descendants "$pid" | tr '\n' ' ')"
  # shellcheck disable=SC2086
  kill $all 2>/dev/null || true
  for _ in $(seq 50); do
    local left=0 p
    for p in $all; do alive "$p" && left=1; done
    ((left)) || return 0
    sleep 0.1
  done
  # shellcheck disable=SC2086
  kill -9 $all 2>/dev/null || true
}

cleanup() {
  set +e
  [[ -n ${COPYQ_PID:-} ]] && stop_tree "$COPYQ_PID"
  [[ -n ${QV_PID:-} ]] && stop_tree "$QV_PID"
  [[ -n ${FLOOR_PID:-} ]] && stop_tree "$FLOOR_PID"
  for ((i = ${#STARTED[@]} - 1; i >= 0; i--)); do stop_tree "${STARTED[i]}"; done
  if [[ ${KEEP_RUN:-0} == 1 ]]; then echo "run folder kept: $RUN"; else rm -rf "$RUN"; fi
}
trap cleanup EXIT

setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$RUN/display" \
  >"$RUN/xvfb.log" 2>&1 &
STARTED+=($!)
for _ in $(seq 100); do [[ -s $RUN/display ]] && break; sleep 0.1; done
DISPLAY=:$(head -n1 "$RUN/display")
export DISPLAY
setsid openbox --sm-disable >"$RUN/openbox.log" 2>&1 &
STARTED+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
setsid trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 \
  --transparent false >"$RUN/trayer.log" 2>&1 &
STARTED+=($!)
for _ in $(seq 100); do xwininfo -root -tree | grep -q '"trayer"' && break; sleep 0.1; done
echo "display $DISPLAY, run folder $RUN"

# The program in a folder of its own with the three data files (portable): slot 1 holds CLIP.
TAG=QVBENCHSLOT001
mkdir -p "$RUN/quorvanel"
[[ -x $QV_BIN ]] && cp "$QV_BIN" "$RUN/quorvanel/"
[[ -x $QV_BIN ]] && cp "$(dirname "$QV_BIN")"/libquorvanel-*.so "$RUN/quorvanel/"
printf 'Bench clip%62s/:hdr:\\%s\r\n' '' "$TAG" >"$RUN/quorvanel/Lb1.qvl"
for ((i = 2; i <= 72; i++)); do printf 'Slot %d\r\n' "$i" >>"$RUN/quorvanel/Lb1.qvl"; done
printf '/:hdr:\\%s\r\n%s\r\n/:tlr:\\%s\r\n' "$TAG" "$CLIP" "$TAG" >"$RUN/quorvanel/svclips.qvl"
printf 'F5\r\n%s\r\n0000000000\r\n' "$PASTE_DELAY" >"$RUN/quorvanel/prefs.qvl"
QV_CMD=("$RUN/quorvanel/$(basename "$QV_BIN")")

# CopyQ: F6 shows and hides its history (a global shortcut); Return pastes the first item.
cat >"$XDG_CONFIG_HOME/copyq/copyq-commands.ini" <<'EOF'
[Commands]
1\Command=copyq: toggle()
1\GlobalShortcut=F6
1\IsGlobalShortcut=true
1\Name=Show the history
size=1
EOF

memory_mib() { # Private_* over the process and its descendants
  local pid total=0 kib
  for pid in $1 $(descendants "$1"); do
    kib=$(awk '/^Private_/ { s += $2 } END { print s + 0 }' "/proc/$pid/smaps_rollup" 2>/dev/null || echo 0)
    total=$((total + kib))
  done
  awk -v k="$total" 'BEGIN { printf "%.2f", k / 1024 }'
}

stop_program() { # NAME PID
  if [[ $1 == copyq ]]; then timeout 10 copyq exit >/dev/null 2>&1 || true; fi
  stop_tree "$2"
}

launch_once() { # NAME: appends "ms" to NAME.launch, "MiB" to NAME.memory
  local name=$1 result ms pid
  local -a command
  case $name in
    quorvanel) command=("${QV_CMD[@]}") ;;
    copyq) command=(copyq) ;;
    floor) command=("$OUT/floor") ;;
  esac
  if result=$(cd "$RUN/quorvanel" && "$XBENCH" tray "${command[@]}" 2>>"$RUN/$name.log"); then
    read -r ms pid <<<"$result"
    sleep 2 # at rest
    echo "$ms" >>"$RUN/$name.launch"
    memory_mib "$pid" >>"$RUN/$name.memory"
    echo >>"$RUN/$name.memory"
    stop_program "$name" "$pid"
  else
    echo "$name: no tray icon within 10 s" >&2
    echo - >>"$RUN/$name.launch"
    echo - >>"$RUN/$name.memory"
  fi
  sleep 0.3
}

# CopyQ writes its configuration on its first start: one start uncounted.
result=$("$XBENCH" tray copyq 2>/dev/null) && { sleep 2; stop_program copyq "${result#* }"; }

PROGRAMS=(quorvanel copyq floor)
[[ -x $QV_BIN ]] || PROGRAMS=(copyq floor copyq)
echo "launch -> tray and memory at rest: $LAUNCHES rounds each, taking turns"
for ((r = 0; r < LAUNCHES; r++)); do
  for ((i = 0; i < 3; i++)); do launch_once "${PROGRAMS[(r + i) % 3]}"; done
done

# ---------------------------------------------------------------- hot key and paste

: >"$RUN/target.txt"
setsid l3afpad "$RUN/target.txt" >"$RUN/l3afpad.log" 2>&1 &
STARTED+=($!)
TARGET=$(xdotool search --sync --onlyvisible --name 'target\.txt' | head -n1)
printf '%s' "$CLIP" >"$RUN/expected.txt"

title() { xdotool getwindowname "$TARGET" 2>/dev/null; }
until_true() { # SECONDS COMMAND...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do ((SECONDS < deadline)) || return 1; sleep 0.02; done
}
saved() { [[ $(title) != \** ]]; }
focus_class_is() { xprop -id "$(xdotool getwindowfocus 2>/dev/null)" WM_CLASS 2>/dev/null | grep -qi "$1"; }
target_in_front() { [[ $(xdotool getactivewindow 2>/dev/null) == "$TARGET" ]]; }

# An empty, saved document in front.
clear_target() {
  xdotool windowactivate --sync "$TARGET" >/dev/null 2>&1 || true
  until_true 3 target_in_front || true
  xdotool key ctrl+a BackSpace ctrl+s
  until_true 5 saved || true
  until_true 5 bash -c "[[ ! -s '$RUN/target.txt' ]]" || true
}

QV_PID=
if [[ -x $QV_BIN ]] && QV_PID=$(cd "$RUN/quorvanel" && "$XBENCH" tray "${QV_CMD[@]}" 2>/dev/null); then
  QV_PID=${QV_PID#* }
fi
COPYQ_PID=$("$XBENCH" tray copyq 2>/dev/null) && COPYQ_PID=${COPYQ_PID#* } || COPYQ_PID=
FLOOR_PID=$("$XBENCH" tray "$OUT/floor" F7 2>/dev/null) && FLOOR_PID=${FLOOR_PID#* } || FLOOR_PID=
# CopyQ keeps only its own item: clips the program copies are not stored.
copyq config check_clipboard false >/dev/null
copyq add "$CLIP" >/dev/null

paste_once() { # NAME HOTKEY CLASS KEY
  local name=$1 hotkey=$2 class=$3 key=$4 mapped=- text=- exact=0
  clear_target
  if mapped=$("$XBENCH" mapped "$hotkey" "$class" 2>>"$RUN/$name.log"); then
    until_true 3 focus_class_is "$class" || echo "$name: its window did not take the focus" >&2
    sleep 0.2
    text=$("$XBENCH" text "$key" "$TARGET" 2>>"$RUN/$name.log") || text=-
    sleep 0.3 # the whole paste arrives
    xdotool key ctrl+s
    until_true 5 saved || true
    cmp -s "$RUN/target.txt" "$RUN/expected.txt" && exact=1
    ((exact)) || cp "$RUN/target.txt" "$RUN/$name.wrong-$(wc -l <"$RUN/$name.mapped")"
  else
    mapped=-
    echo "$name: hot key showed nothing" >&2
  fi
  echo "$mapped" >>"$RUN/$name.mapped"
  echo "$text" >>"$RUN/$name.text"
  echo "$exact" >>"$RUN/$name.exact"
  # Its window gone before the next round.
  until_true 3 bash -c "! '$XBENCH' shown $class" || echo "$name: its window stayed" >&2
}

# The floor's list: mapped by its hot key, hidden by any key.
floor_show_once() {
  local mapped
  clear_target
  mapped=$("$XBENCH" mapped F7 qvfloor 2>>"$RUN/floor.log") || mapped=-
  echo "$mapped" >>"$RUN/floor.mapped"
  until_true 3 focus_class_is qvfloor || true
  xdotool key Escape
  until_true 3 bash -c "! '$XBENCH' shown qvfloor" || echo "floor: its list stayed" >&2
}

touch "$RUN"/{quorvanel,copyq,floor}.{launch,memory,mapped,text,exact}
echo "hot key -> list and key -> text: $PASTES pastes each, taking turns"
for ((r = 0; r < PASTES; r++)); do
  if ((r % 2 == 0)); then
    [[ -n $QV_PID ]] && paste_once quorvanel F5 quorvanel 1
    [[ -n $COPYQ_PID ]] && paste_once copyq F6 copyq Return
  else
    [[ -n $COPYQ_PID ]] && paste_once copyq F6 copyq Return
    [[ -n $QV_PID ]] && paste_once quorvanel F5 quorvanel 1
  fi
  [[ -n $FLOOR_PID ]] && floor_show_once
done

# ---------------------------------------------------------------- table

stats() { # "median min max n" of the numbers in FILE, "-" left out
  { grep -vx -- - "$1" 2>/dev/null || true; } | sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "- - - 0"; exit }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.2f %.2f %.2f %d\n", m, v[1], v[NR], NR }'
}
median() { stats "$1" | cut -d' ' -f1; }
cell() { read -r m lo hi _ <<<"$(stats "$1")"; [[ $m == - ]] && echo - || echo "$m ($lo-$hi)"; }
verdict() { awk "BEGIN { if ($1) print \"met\"; else print \"NOT met\" }" 2>/dev/null || echo -; }

q_launch=$(median "$RUN/quorvanel.launch")
c_launch=$(median "$RUN/copyq.launch")
f_launch=$(median "$RUN/floor.launch")
q_mem=$(median "$RUN/quorvanel.memory")
c_mem=$(median "$RUN/copyq.memory")
q_mapped=$(median "$RUN/quorvanel.mapped")
q_text=$(median "$RUN/quorvanel.text")
c_text=$(median "$RUN/copyq.text")
q_exact=$(awk '{ s += $1 } END { print s + 0 }' "$RUN/quorvanel.exact")
c_exact=$(awk '{ s += $1 } END { print s + 0 }' "$RUN/copyq.exact")
q_pastes=$(wc -l <"$RUN/quorvanel.exact")
c_pastes=$(wc -l <"$RUN/copyq.exact")

echo
echo "medians (min-max); program paste delay $PASTE_DELAY ms; CopyQ $(dpkg-query -W -f='${Version}' copyq) from Debian"
printf '%-26s %-22s %-22s %-20s %-34s %s\n' figure quorvanel CopyQ floor goal verdict
printf '%-26s %-22s %-22s %-20s %-34s %s\n' "launch -> tray (ms)" "$(cell "$RUN/quorvanel.launch")" \
  "$(cell "$RUN/copyq.launch")" "$(cell "$RUN/floor.launch")" \
  "<= CopyQ/4 = $(awk -v c="$c_launch" 'BEGIN { printf "%.1f", c / 4 }')" \
  "$(verdict "$q_launch <= $c_launch / 4")"
printf '%-26s %-22s %-22s %-20s %-34s %s\n' "" "" "" "" \
  "<= 1.5 x floor = $(awk -v f="$f_launch" 'BEGIN { printf "%.1f", f * 1.5 }')" \
  "$(verdict "$q_launch <= $f_launch * 1.5")"
printf '%-26s %-22s %-22s %-20s %-34s %s\n' "private memory (MiB)" "$(cell "$RUN/quorvanel.memory")" \
  "$(cell "$RUN/copyq.memory")" "$(cell "$RUN/floor.memory")" \
  "<= CopyQ/10 = $(awk -v c="$c_mem" 'BEGIN { printf "%.2f", c / 10 }')" \
  "$(verdict "$q_mem <= $c_mem / 10")"
printf '%-26s %-22s %-22s %-20s %-34s %s\n' "hot key -> mapped (ms)" "$(cell "$RUN/quorvanel.mapped")" \
  "$(cell "$RUN/copyq.mapped")" "$(cell "$RUN/floor.mapped")" "<= 16.7" "$(verdict "$q_mapped <= 16.7")"
printf '%-26s %-22s %-22s %-20s %-34s %s\n' "key -> text (ms)" "$(cell "$RUN/quorvanel.text")" \
  "$(cell "$RUN/copyq.text")" - "< CopyQ = $c_text" "$(verdict "$q_text < $c_text")"
printf '%-26s %-22s %-22s %-20s %-34s %s\n' "exact pastes" "$q_exact/$q_pastes" "$c_exact/$c_pastes" - \
  "$PASTES/$PASTES" "$(verdict "$q_exact == $PASTES")"
# The machine's load moves every figure; the floor's rounds take turns with the program's, so
# the round-by-round ratio tells the program's own share.
pairs=$(paste "$RUN/quorvanel.mapped" "$RUN/floor.mapped" |
  awk '$1 != "-" && $2 != "-" && $2 > 0 { print $1 / $2 }' | sort -g |
  awk '{ v[NR] = $1 } END { if (NR) printf "%.2f (%d rounds)", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, NR; else print "-" }')
echo "hot key -> mapped, the program against the floor round by round: median ratio $pairs"
echo "(the program's key -> text includes its paste delay of $PASTE_DELAY ms; CopyQ pastes with its own defaults)"
