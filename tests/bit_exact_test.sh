#!/usr/bin/env bash
# Builds the simulation core with each compiler and optimisation level at hand
# and checks that all of them print the same trajectory digest, for the
# program's step and for the plain transcription it is tested against.
set -euo pipefail
source_dir=$1
work_dir=$2
mkdir -p "$work_dir"

builds=()
for compiler in g++ clang++; do
  command -v "$compiler" >/dev/null || continue
  for level in "-O0" "-O2" "-O3 -march=native"; do
    builds+=("$compiler $level")
  done
done
[ ${#builds[@]} -ge 2 ] || { echo "need at least two builds to compare"; exit 1; }

reference=""
status=0
for build in "${builds[@]}"; do
  name=$(echo "$build" | tr -c 'a-zA-Z0-9\n' '_')
  # shellcheck disable=SC2086
  $build -std=c++20 -ffp-contract=off -I"$source_dir" \
    "$source_dir"/sim/*.cpp "$source_dir/app/startup_sheet.cpp" \
    "$source_dir/tools/trajectory_digest.cpp" -o "$work_dir/$name"
  for step in program plain; do
    if [ $step = plain ]; then output=$("$work_dir/$name" plain); else output=$("$work_dir/$name"); fi
    if [ -z "$reference" ]; then
      reference=$output
      reference_build="$build, program"
      echo "$reference"
    elif [ "$output" != "$reference" ]; then
      echo "FAIL: '$build, $step' differs from '$reference_build':"
      diff <(echo "$reference") <(echo "$output") || true
      status=1
    fi
    echo "checked: $build, $step step"
  done
done
exit $status
