#!/usr/bin/env bash
# `make record`: records the animation at the top of the README with the
# recorder itself: the sheet falls and swings, is released, and is pinned
# again, ten seconds in a loop. Without a display it runs under a private
# Xvfb. Usage: record.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL

"$root/scripts/install-deps.sh" record
build_dir=${1:-$root/build}
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DVANTRELLE_RECORDER=ON >/dev/null
cmake --build "$build_dir" --target vantrelle-record -j "$(getconf _NPROCESSORS_ONLN 2>/dev/null || echo 2)"
build_dir=$(cd "$build_dir" && pwd)

# Slot 8, the ringed globe: fine detail that a GIF keeps small.
script="t t t t t t t t +120 2 +60 1 +120"
output=$root/docs/vantrelle.gif
run=("$build_dir/vantrelle-record" --size 400x300 --fps 30 --script "$script" "$output")
cd "$build_dir/textures"
if [ -n "${DISPLAY:-}" ]; then
  "${run[@]}" >/dev/null
else
  "$root/scripts/with-xvfb.sh" "${run[@]}" >/dev/null
fi
echo "README animation: $output, $(($(wc -c <"$output") / 1024)) KiB"
