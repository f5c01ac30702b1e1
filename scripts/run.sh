#!/usr/bin/env bash
# `make run`: installs and builds only what running needs, then starts
# vantrelle in the folder that holds the ten textures. On a machine without a
# display it runs the program under Xvfb instead, lets the cloth fall for a
# few seconds, and saves a screenshot.
# Usage: run.sh [BUILD_DIR]   (DEMO_KEYS: the keys pressed headless, default "a")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL  # keep the nested build quiet about directories

"$root/scripts/install-deps.sh" run
build_dir=${1:-$root/build}
# The program and its textures only: no tests, benchmarks or tools.
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DVANTRELLE_TESTS=OFF \
  -DVANTRELLE_RECORDER=OFF >/dev/null
cmake --build "$build_dir" --target vantrelle -j "$(getconf _NPROCESSORS_ONLN 2>/dev/null || echo 2)"
build_dir=$(cd "$build_dir" && pwd)
cd "$build_dir/textures"

if [ -n "${DISPLAY:-}" ]; then
  exec "$build_dir/vantrelle"
fi

screenshot="$build_dir/vantrelle-screenshot.png"
echo "No display: running vantrelle under Xvfb; the screenshot goes to $screenshot"
export SCREENSHOT="$screenshot" VANTRELLE="$build_dir/vantrelle" DEMO_KEYS="${DEMO_KEYS:-a}"
"$root/scripts/with-xvfb.sh" bash -c '
  set -euo pipefail
  "$VANTRELLE" &
  program=$!
  timeout 20 xdotool search --sync --name "^Vantrelle$" >/dev/null
  xdotool mousemove 200 200
  for key in $DEMO_KEYS; do xdotool key "$key"; done
  sleep 4
  import -window root "$SCREENSHOT"
  xdotool key q
  wait "$program"
'
echo "Screenshot saved: $screenshot"
