#!/usr/bin/env bash
# Builds the BMP reader's fuzzer with clang, libFuzzer and the sanitizers,
# replays the seed corpus, then fuzzes for a bounded time.
# Usage: fuzz.sh [SECONDS]   (default 300; `make test` uses a short run)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
unset MAKEFLAGS MAKELEVEL

scripts/install-deps.sh test
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRELLE_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)"

cd build-fuzz
rm -rf seeds && mkdir -p seeds corpus artifacts
tests/fuzz/make_bmp_seeds seeds

echo "== replaying the seed corpus =="
tests/fuzz/read_bmp_fuzzer seeds/*

echo "== fuzzing readBmp for ${seconds} s =="
tests/fuzz/read_bmp_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix=artifacts/ corpus seeds 2>&1 | tail -n 15
echo "fuzzing found nothing in ${seconds} s; corpus: $(ls corpus | wc -l) inputs"
