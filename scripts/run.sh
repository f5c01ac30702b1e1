#!/usr/bin/env bash
# `make run`: installs and builds only what running needs, then starts
# vantrelle in the folder that holds the ten textures. On a machine without a
# display it runs the program under Xvfb instead, lets the cloth fall for a
# few seconds, and saves a screenshot.
# Usage: run.sh   (DEMO_KEYS: the keys pressed headless, default "a")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL  # keep the nested build quiet about directories
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" run
# The program and its textures only: no tests, benchmarks or tools.
configure program
build program
build_dir=$(preset_dir program)
cd "$build_dir/textures"

if [ -n "${DISPLAY:-}" ]; then
  # The window takes the whole screen: what to press is said here first, and
  # the program's lines follow in this terminal.
  echo "Starting Vantrelle full screen; its console lines appear in this terminal."
  "$build_dir/vantrelle" --help | sed -n '/^keys:/,$p'
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
