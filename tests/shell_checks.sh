# Sourced by the tests written in shell: one line per check, "ok   NAME" or
# "FAIL NAME", and `failures` counting those that failed. Before sourcing,
# set `work` (a scratch folder) for expect_failure.
failures=0

passed() { echo "ok   $*"; }
failed() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# check NAME CONDITION: the condition (shell code) holds.
check() {
  if eval "$2"; then passed "$1"; else failed "$1"; fi
}

# expect_failure NAME PATTERN COMMAND...: the command fails, and its error
# output is a message that matches the pattern.
expect_failure() {
  local name=$1 pattern=$2
  shift 2
  if "$@" >"$work/out" 2>"$work/err"; then
    failed "$name: succeeded"
  elif ! grep -qE "$pattern" "$work/err"; then
    failed "$name: the message does not match '$pattern':"
    cat "$work/err"
  else
    passed "$name: $(head -n 1 "$work/err")"
  fi
}

# finish [MESSAGE]: ends the test, with MESSAGE if every check passed.
finish() {
  [ $failures -gt 0 ] || [ -z "${1:-}" ] || echo "$1"
  exit $((failures > 0))
}
