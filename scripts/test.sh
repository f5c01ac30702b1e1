#!/usr/bin/env bash
# Everything `make test` runs: the release build's tests, the BMP fuzzer, and
# the same tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
unset MAKEFLAGS MAKELEVEL  # keep the nested builds quiet about directories

scripts/install-deps.sh test

echo "== release build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVANTRELLE_TESTS=ON -DVANTRELLE_RECORDER=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== fuzzing the BMP reader: the kept corpus and the seeds, then a short run =="
scripts/fuzz.sh 20

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANTRELLE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# The trajectory comparison builds its own binaries and the install check is
# a script: once, above, is enough.
# The soak's memory bound is for the release program (the sanitizer's
# quarantine holds freed memory on purpose).
(cd build-sanitize && ctest --output-on-failure -j "$jobs" -E "bit_exact|install_deps|soak")
