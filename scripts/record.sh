#!/usr/bin/env bash
# `make record`: records the README's animations with the recorder itself:
# the sheet falls and swings, is released, and is pinned again, ten seconds
# in a loop; the lab's wind, ball and cut; and a hand pulls the bottom corner
# out and lets go. Without a display it runs under a private
# Xvfb. Builds the recorder preset (no tests, so no GoogleTest needed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" record
configure recorder
build recorder
build_dir=$(preset_dir recorder)

cd "$build_dir/textures"
# record NAME SCRIPT: docs/NAME.gif, 400 x 300 at 30 frames per second.
record() {
  local output=$root/docs/$1.gif
  local run=("$build_dir/vantrelle-record" --size 400x300 --fps 30 --script "$2" "$output")
  if [ -n "${DISPLAY:-}" ]; then
    "${run[@]}" >/dev/null
  else
    "$root/scripts/with-xvfb.sh" "${run[@]}" >/dev/null
  fi
  echo "README animation: $output, $(($(wc -c <"$output") / 1024)) KiB"
}

# Slot 8, the ringed globe: fine detail that a GIF keeps small.
record vantrelle "t t t t t t t t +120 2 +60 1 +120"
# The lab: a wind blows the sheet like a flag, a ball is swept through it,
# and a cut across it lets the lower part fall.
sweep=""
for z in $(seq 40 -5 -40); do sweep="$sweep ball:48,52,$z,11 +2"; done
record lab "t t t t t t t t +40 wind:0.01,0,0.03 +50 wind:0,0,0 +10$sweep +10 ball:off \
cut:-100,62,-200,300,62,-200,100,62,300 +40"
# The README's example of a drag, on the same globe.
record drag "t t t t t t t t +40 grab:2024@95,5,20 +10 move:85,30,-10 +10 move:80,60,-45 +15 release +45"
