#!/usr/bin/env bash
# Runs a command against a private Xvfb on a free display number, with Mesa's
# software rasteriser, and stops the server afterwards.
# Usage: with-xvfb.sh COMMAND [ARGS...]   (XVFB_SCREEN overrides 1280x1024x24)
set -uo pipefail

screen=${XVFB_SCREEN:-1280x1024x24}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
cleanup() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb writes the display number it chose once it accepts connections.
for _ in $(seq 200); do
  [ -s "$work/display" ] && break
  if ! kill -0 "$server" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb gave no display number" >&2; exit 1; }

export DISPLAY=":$(head -n 1 "$work/display")"
export LIBGL_ALWAYS_SOFTWARE=1
export GALLIUM_DRIVER=llvmpipe
"$@"
