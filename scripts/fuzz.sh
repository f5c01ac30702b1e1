#!/usr/bin/env bash
# Builds the BMP reader's fuzzer with clang, libFuzzer and the sanitizers,
# replays the corpus kept in the repository (tests/fuzz/corpus), the
# generated seeds and a public suite of bitmaps (scripts/bmp-suite.sh), then
# fuzzes for a bounded time.
# Usage: fuzz.sh [SECONDS] [--keep]
#   SECONDS  how long to fuzz (default 300)
#   --keep   merge what the run found into tests/fuzz/corpus, minimised
#            (`make fuzz`); without it the kept corpus is only replayed
#            (`make test`)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=300
keep=0
for argument in "$@"; do
  case $argument in
    --keep) keep=1 ;;
    *) seconds=$argument ;;
  esac
done
unset MAKEFLAGS MAKELEVEL
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" test
command_name="make fuzz"
out=$root/build-dev
source "$root/scripts/steps.sh"
source "$root/scripts/bmp-suite.sh"
fetch_bmp_suite "$root/build-bmp-suite"
configure fuzz
build fuzz

kept=$root/tests/fuzz/corpus
cd "$(preset_dir fuzz)"
rm -rf seeds corpus merged && mkdir -p seeds corpus artifacts "$kept"
tests/fuzz/make_bmp_seeds seeds
# And a public suite of bitmaps nobody here wrote.
find "$bmp_suite" -name '*.bmp' -exec sh -c 'for f; do cp "$f" "seeds/suite-$(basename "$f")"; done' _ {} +
fuzzer=tests/fuzz/read_bmp_fuzzer

echo "== replaying the kept corpus ($(ls "$kept" | wc -l) inputs) and the seeds =="
# -runs=0 stops after the replay; a crash there fails the run.
if ! "$fuzzer" -runs=0 "$kept" seeds >replay.log 2>&1; then
  tail -n 30 replay.log
  exit 1
fi
grep -E "INITED|DONE" replay.log
echo "== fuzzing readBmp for ${seconds} s =="
cp "$kept"/* corpus/ 2>/dev/null || true
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=artifacts/ \
  corpus seeds >fuzz.log 2>&1 || {
  tail -n 30 fuzz.log
  echo "the fuzzer found a failure; the input is in build-fuzz/artifacts/"
  exit 1
}
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' fuzz.log)
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' fuzz.log)
echo "fuzzing found nothing: ${executions} executions in ${seconds} s (${rate} per second)"

if [ $keep -eq 1 ]; then
  mkdir merged
  "$fuzzer" -merge=1 merged "$kept" corpus seeds >merge.log 2>&1
  rm -f "$kept"/*
  cp merged/* "$kept"/
  echo "kept corpus, minimised: $(ls "$kept" | wc -l) inputs in tests/fuzz/corpus"
fi
