#!/usr/bin/env bash
# Everything `make test` runs: the development build's tests, the BMP fuzzer
# (seeded with a public suite of bitmaps too), and the tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer (with that suite)
# (without those labelled as needing one run, or the release program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL  # keep the nested builds quiet about directories
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" test

echo "== a public suite of bitmaps, from Debian's pillow source package =="
command_name="make test"
out=$root/build-dev
source "$root/scripts/steps.sh"
source "$root/scripts/bmp-suite.sh"
fetch_bmp_suite "$root/build-bmp-suite"
echo "$(find "$bmp_suite" -name '*.bmp' | wc -l) bitmaps in $bmp_suite"

echo "== development build =="
configure dev
build dev
run_tests dev

echo "== fuzzing the BMP reader: the kept corpus and the seeds, then a short run =="
"$root/scripts/fuzz.sh" 20

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
configure sanitize
build sanitize
# The suite is read by the reader and the program where the sanitizers watch.
VANTRELLE_BMP_SUITE=$bmp_suite run_tests sanitize
