#!/usr/bin/env bash
# Runs the X11 end-to-end tests: every function test_* in tests/e2e-x11/test_*.sh, each in its
# own process with a fresh folder (the program and the three data files, a home of its own),
# on one private display: Xvfb (-maxbigreqsize 1, so that big clips go through INCR), openbox
# and trayer; l3afpad is the paste target, xterm the bystander, xdotool the user's hands.
#
#   tests/e2e-x11/run.sh [-k PATTERN] [TEST_FILE...]
#
# Environment: QV_BIN (default build/linux/quorvanel), QV_X11_ARTIFACTS (default
# build/e2e-x11-artifacts), E2E_TEST_TIMEOUT (seconds per test, default 120), E2E_RETRY=0 runs
# a failing test only once, E2E_KEEP=1 keeps the test folders.
set -uo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e-x11/lib.sh
source "$HERE/lib.sh"

# Internal: run one test function in this process (the runner sets up folder and display).
if [[ "${1:-}" == --one ]]; then
  set -eE
  # shellcheck disable=SC1090
  source "$2"
  trap 'e2e_note "failed at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND"' ERR
  # A failure is seen as it was; whatever the test started is ended with it, by pid, the
  # program first (it saves on SIGTERM).
  trap 'rc=$?; set +eE; trap - ERR; ((rc == 0)) || shot failure; qv_stop
    for pid in ${TARGET_PID:-} $(jobs -p); do kill "$pid" 2>/dev/null; done; wait' EXIT
  trap 'exit 143' TERM
  qv_install
  "$3"
  exit 0
fi

pattern=''
files=()
while (($#)); do
  case $1 in
    -k) pattern=$2; shift 2 ;;
    -h | --help) sed -n '2,12p' "$0"; exit 0 ;;
    *) files+=("$1"); shift ;;
  esac
done
given_files=${#files[@]}
((given_files)) || files=("$HERE"/test_*.sh)

[[ -x "$QV_BIN" ]] || { echo "e2e-x11: $QV_BIN is missing; build it with: make linux" >&2; exit 2; }
export QV_BIN QV_X11_ARTIFACTS=$QV_ARTIFACTS
rm -rf "$QV_ARTIFACTS"
mkdir -p "$QV_ARTIFACTS"
run_dir=$(mktemp -d /tmp/qv-e2e-x11.XXXXXX)

cleanup() {
  e2e_stop_display
  [[ "${E2E_KEEP:-0}" == 1 ]] || rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export E2E_XVFB_ARGS='-maxbigreqsize 1'
for attempt in 1 2 3; do
  e2e_start_display "$QV_ARTIFACTS/session" && break
  e2e_stop_display
  ((attempt < 3)) || { echo "e2e-x11: no X display" >&2; exit 2; }
  sleep 2
done
echo "e2e-x11: display $DISPLAY, artefacts in ${QV_ARTIFACTS#"$QV_ROOT"/}"

passed=0
failed=0
failures=()
flaky=()

# attempt FILE FN NAME: runs one test once in a fresh folder; sets rc and elapsed.
attempt() {
  local file=$1 fn=$2 name=$3
  export E2E_TEST_ARTIFACTS="$QV_ARTIFACTS/$name" E2E_TEST_DIR="$run_dir/$name"
  rm -rf "$E2E_TEST_DIR"
  mkdir -p "$E2E_TEST_ARTIFACTS" "$E2E_TEST_DIR"
  setxkbmap us # a test may have changed the layout
  local started
  started=$(date +%s%N)
  HOME="$E2E_TEST_DIR/home" XDG_DATA_HOME="$E2E_TEST_DIR/home/.local/share" \
    XDG_CONFIG_HOME="$E2E_TEST_DIR/home/.config" DBUS_SESSION_BUS_ADDRESS='' \
    timeout -k 10 "${E2E_TEST_TIMEOUT:-120}" "$HERE/run.sh" --one "$file" "$fn" \
    >"$E2E_TEST_ARTIFACTS/test.log" 2>&1 </dev/null
  rc=$?
  elapsed=$((($(date +%s%N) - started) / 100000000))
  elapsed="$((elapsed / 10)).$((elapsed % 10))s"
  [[ $rc == 0 || -f "$E2E_TEST_ARTIFACTS/failure.png" ]] || shot failure
  ((rc == 124)) && echo "  timed out after ${E2E_TEST_TIMEOUT:-120}s" >>"$E2E_TEST_ARTIFACTS/test.log"
  find "$E2E_TEST_DIR/qv" -maxdepth 1 -type f -name '*.qvl*' -exec cp {} "$E2E_TEST_ARTIFACTS/" \; 2>/dev/null
  [[ "${E2E_KEEP:-0}" == 1 ]] || rm -rf "$E2E_TEST_DIR"
}

# A failing test runs once more; a pass then is reported as flaky, both attempts' artefacts kept.
run_test() {
  local file=$1 fn=$2 rc elapsed
  local name
  name="$(basename "$file" .sh | sed 's/^test_//').${fn#test_}"
  attempt "$file" "$fn" "$name"
  if ((rc != 0)) && [[ "${E2E_RETRY:-1}" == 1 ]]; then
    rm -rf "$QV_ARTIFACTS/$name.first-attempt"
    mv "$QV_ARTIFACTS/$name" "$QV_ARTIFACTS/$name.first-attempt"
    echo "RETRY $name ($elapsed): $(grep -m1 'FAIL:' "$QV_ARTIFACTS/$name.first-attempt/test.log" | sed 's/^ *//')"
    attempt "$file" "$fn" "$name"
    ((rc == 0)) && flaky+=("$name")
  fi
  if ((rc == 0)); then
    passed=$((passed + 1))
    echo "PASS $name ($elapsed)"
  else
    failed=$((failed + 1))
    failures+=("$name")
    echo "FAIL $name ($elapsed)"
    tail -n 30 "$QV_ARTIFACTS/$name/test.log" | sed 's/^/    | /'
    echo "    artefacts: ${QV_ARTIFACTS#"$QV_ROOT"/}/$name/"
  fi
}

for file in "${files[@]}"; do
  [[ "$file" == /* ]] || file="$PWD/$file"
  while read -r fn; do
    [[ -z "$pattern" || "$fn" == *$pattern* || "$(basename "$file")" == *$pattern* ]] || continue
    run_test "$file" "$fn"
  done < <(grep -oE '^test_[A-Za-z0-9_]+ *\(\)' "$file" | tr -d ' ()')
done

# The StatusNotifierItem check brings its own display and session bus.
if [[ -z "$pattern" && $given_files == 0 ]] || [[ -n "$pattern" && sni == *$pattern* ]]; then
  mkdir -p "$QV_ARTIFACTS/sni"
  if (cd "$QV_ROOT" && timeout -k 10 "${E2E_TEST_TIMEOUT:-120}" "$HERE/sni.sh" "$(dirname "$QV_BIN")") \
    >"$QV_ARTIFACTS/sni/test.log" 2>&1 </dev/null; then
    passed=$((passed + 1))
    echo "PASS sni"
  else
    failed=$((failed + 1))
    failures+=(sni)
    echo "FAIL sni"
    tail -n 30 "$QV_ARTIFACTS/sni/test.log" | sed 's/^/    | /'
  fi
fi

((${#flaky[@]})) && echo "Passed on the second attempt: ${flaky[*]}"
((failed)) && echo "Failed: ${failures[*]}"
echo "$passed passed, $failed failed"
((failed == 0 && passed > 0))
