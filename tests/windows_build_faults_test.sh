#!/usr/bin/env bash
# The Windows build on faults: a download that fails, a cross compiler that is
# missing, a Wine that cannot start. Each must stop with one clear message and
# a non-zero status, and leave nothing that a rerun trips over.
# Usage: windows_build_faults_test.sh SOURCE_DIR
set -uo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/tests/shell_checks.sh"

# expect_missing NAME PATH: a failed stage left no mark of completion.
expect_missing() {
  [ ! -e "$2" ] || failed "$1: $2 was left behind"
}

build=$work/build
expect_failure "download from an unreachable mirror" "freeglut source" \
  env WINDOWS_BUILD_DIR="$build" DEBIAN_MIRROR=http://127.0.0.1:9/debian "$root/scripts/windows.sh"
expect_missing "download from an unreachable mirror" "$build/freeglut-source/.complete"
expect_missing "download from an unreachable mirror" "$build/vantrelle-windows.zip"

expect_failure "a cross compiler that is not installed" "x86_64-none-mingw32-g\+\+ is missing" \
  env WINDOWS_BUILD_DIR="$build" MINGW_TRIPLET=x86_64-none-mingw32 "$root/scripts/windows.sh"

expect_failure "a Wine that cannot start" "Wine could not start" \
  env WINDOWS_BUILD_DIR="$build" WINE=/bin/false "$root/scripts/test-windows.sh"
expect_missing "a Wine that cannot start" "$build/wine-prefix"

# After the failures, a plain rerun in the same folder builds the package.
if WINDOWS_BUILD_DIR="$build" "$root/scripts/windows.sh" >"$work/out" 2>&1 &&
  [ -s "$build/vantrelle-windows.zip" ]; then
  passed "a rerun after the failures builds the package"
else
  failed "a rerun after the failures:"
  tail -n 20 "$work/out"
fi

finish "all fault cases passed"
