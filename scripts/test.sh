#!/usr/bin/env bash
# Everything `make test` runs: the development build's tests, the BMP fuzzer,
# and the tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# (without those labelled as needing one run, or the release program).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL  # keep the nested builds quiet about directories
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" test

echo "== development build =="
configure dev
build dev
run_tests dev

echo "== fuzzing the BMP reader: the kept corpus and the seeds, then a short run =="
"$root/scripts/fuzz.sh" 20

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
configure sanitize
build sanitize
run_tests sanitize
