#!/usr/bin/env bash
# Runs the Wayland end-to-end tests: every function test_* in tests/e2e-wayland/test_*.sh, each
# in its own process with a fresh folder and its own headless sway, run as an unprivileged
# user (sway refuses root).
#
#   tests/e2e-wayland/run.sh [-k PATTERN] [TEST_FILE...]
#
# Environment: QV_WL_BUILD (default build/linux), E2E_KEEP=1 keeps the test folders.
set -uo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e-wayland/lib.sh
source "$HERE/lib.sh"

if [[ "${1:-}" == --one ]]; then
  set -eE
  # shellcheck disable=SC1090
  source "$2"
  trap 'e2e_note "failed at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND"' ERR
  trap 'rc=$?; set +eE; trap - ERR; wl_stop_all; exit $rc' EXIT
  sway_start
  qv_install
  "$3"
  exit 0
fi

pattern=''
files=()
while (($#)); do
  case $1 in
    -k) pattern=$2; shift 2 ;;
    *) files+=("$1"); shift ;;
  esac
done
((${#files[@]})) || files=("$HERE"/test_*.sh)
[[ -x "$WL_BUILD/quorvanel" ]] || { echo "e2e-wayland: build it with: make linux" >&2; exit 2; }
run_dir=$(mktemp -d /tmp/qv-e2e-wl.XXXXXX)
chmod 755 "$run_dir"
# The test user reads the build through these folders.
for d in "$QV_ROOT" "$WL_BUILD"; do while [[ "$d" != / ]]; do chmod o+x "$d" 2>/dev/null; d=$(dirname "$d"); done; done
failed=0 passed=0
for file in "${files[@]}"; do
  for test in $(grep -o '^test_[a-z0-9_]*' "$file"); do
    [[ -z "$pattern" || "$test" == *$pattern* ]] || continue
    export E2E_TEST_DIR="$run_dir/$test"
    mkdir -p "$E2E_TEST_DIR"
    chmod 755 "$E2E_TEST_DIR"
    if timeout 120 "$0" --one "$file" "$test" >"$E2E_TEST_DIR/test.out" 2>&1; then
      echo "PASS $test"; passed=$((passed + 1))
    else
      echo "FAIL $test"; sed 's/^/    /' "$E2E_TEST_DIR/test.out" | tail -n 8
      tail -n 5 "$E2E_TEST_DIR/program.log" 2>/dev/null | sed 's/^/    log: /'
      failed=$((failed + 1))
    fi
  done
done
echo "e2e-wayland: $passed passed, $failed failed"
[[ "${E2E_KEEP:-0}" == 1 ]] || rm -rf "$run_dir"
((failed == 0))
