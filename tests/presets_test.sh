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

failures=0
# check NAME PRESET [CMAKE_ARGS...]
check() {
  local name=$1 preset=$2
  shift 2
  if cmake --preset "$preset" -B "$work/$name" "$@" >"$work/$name.log" 2>&1; then
    echo "ok   $name"
  else
    echo "FAIL $name:"
    tail -n 15 "$work/$name.log"
    failures=$((failures + 1))
  fi
}

for preset in program dev sanitize recorder; do check "$preset" "$preset"; done
command -v clang++ >/dev/null && check fuzz fuzz
check "program without GoogleTest" program -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
check "recorder without GoogleTest" recorder -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON

rm -rf "$work"
exit $((failures > 0))
