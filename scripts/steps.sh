# Sourced by the build scripts: a failed step stops the script with one
# message that names it and shows the end of its log.
# Before sourcing, set `command_name` (as in "make web"); before `logged`,
# `out` (the build folder; logs go to $out/logs).

# absolute_dir DIR: makes the folder if need be and prints its absolute path.
absolute_dir() {
  mkdir -p "$1" && (cd "$1" && pwd)
}

fail() {
  echo "$command_name: $*" >&2
  exit 1
}

# logged STEP LOG COMMAND...: runs the command with its output in the log.
logged() {
  local step=$1 log=$out/logs/$2
  shift 2
  mkdir -p "$out/logs"
  if ! "$@" >"$log" 2>&1; then
    fail "$step failed; the last lines of $log:
$(tail -n 15 "$log")"
  fi
}
