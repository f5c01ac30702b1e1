#!/usr/bin/env bash
# Every native configuration in CMakePresets.json configures from a clean
# tree, each into a folder of its own here; the program's and the recorder's
# also where GoogleTest is absent (their scripts install none).
# Usage: presets_test.sh SOURCE_DIR WORK_DIR
set -uo pipefail
root=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$root" || exit 1

source "$root/tests/shell_checks.sh"
# check_preset NAME PRESET [CMAKE_ARGS...]
check_preset() {
  local name=$1 preset=$2
  shift 2
  if cmake --preset "$preset" -B "$work/$name" "$@" >"$work/$name.log" 2>&1; then
    passed "$name"
  else
    failed "$name:"
    tail -n 15 "$work/$name.log"
  fi
}

for preset in program dev sanitize recorder; do check_preset "$preset" "$preset"; done
command -v clang++ >/dev/null && check_preset fuzz fuzz
check_preset "program without GoogleTest" program -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
check_preset "recorder without GoogleTest" recorder -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON

rm -rf "$work"
finish
