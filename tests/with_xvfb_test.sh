#!/usr/bin/env bash
# The private X session: the command runs only once a window manager is up,
# its status comes back unchanged, and a manager that is missing or fails to
# start stops the run with one message and status 1 before the command runs.
# Usage: with_xvfb_test.sh SOURCE_DIR
set -uo pipefail
script=$1/scripts/with-xvfb.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$1/tests/shell_checks.sh"

# check_session NAME MANAGER EXPECTED_STATUS PATTERN COMMAND...
# The command leaves a mark when it runs; PATTERN must be in the output.
check_session() {
  local name=$1 manager=$2 expected=$3 pattern=$4
  shift 4
  rm -f "$work/ran"
  WINDOW_MANAGER=$manager bash "$script" "$@" >"$work/out" 2>&1
  local status=$?
  local ok=1
  [ "$status" -eq "$expected" ] || ok=0
  grep -qE -- "$pattern" "$work/out" || ok=0
  if [ "$expected" -eq 1 ] && [ -e "$work/ran" ]; then ok=0; fi
  if [ $ok -eq 1 ]; then
    passed "$name"
  else
    failed "$name: status $status (expected $expected), output:"
    cat "$work/out"
  fi
}

printf '#!/bin/sh\necho "cannot open display" >&2\nexit 1\n' >"$work/broken-wm"
chmod +x "$work/broken-wm"

# The default manager owns the screen when the command starts: the root
# window already names its check window, as the desktop standard asks.
check_session "the command runs under the window manager, status passed on" openbox 3 "^managed$" \
  bash -c "touch '$work/ran'; xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && echo managed; exit 3"
check_session "a missing window manager" no-such-wm 1 "the window manager 'no-such-wm' is not installed" \
  touch "$work/ran"
check_session "a window manager that does not start" "$work/broken-wm" 1 "did not start:|cannot open display" \
  touch "$work/ran"

finish
