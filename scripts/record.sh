#!/usr/bin/env bash
# `make record`: records the animation at the top of the README with the
# recorder itself: the sheet falls and swings, is released, and is pinned
# again, ten seconds in a loop. Without a display it runs under a private
# Xvfb. Builds the recorder preset (no tests, so no GoogleTest needed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" record
configure recorder
build recorder
build_dir=$(preset_dir recorder)

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
