# Sourced by the fault tests of the build scripts. Before sourcing, set
# `work` (a scratch folder); `failures` counts the checks that failed.
failures=0

# expect_failure NAME PATTERN COMMAND...: the command fails, and its error
# output is a message that matches the pattern.
expect_failure() {
  local name=$1 pattern=$2
  shift 2
  if "$@" >"$work/out" 2>"$work/err"; then
    echo "FAIL $name: succeeded"
    failures=$((failures + 1))
  elif ! grep -qE "$pattern" "$work/err"; then
    echo "FAIL $name: the message does not match '$pattern':"
    cat "$work/err"
    failures=$((failures + 1))
  else
    echo "ok   $name: $(head -n 1 "$work/err")"
  fi
}
