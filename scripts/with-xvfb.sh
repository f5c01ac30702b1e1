#!/usr/bin/env bash
# Runs a command against a private Xvfb on a free display number, with Mesa's
# software rasteriser and a window manager, as on a real desktop, and stops
# both afterwards. Without a window manager a full-screen GLUT window is left
# partly off the screen; openbox honours full-screen requests and gives new
# windows the keyboard.
# Usage: with-xvfb.sh COMMAND [ARGS...]
#   XVFB_SCREEN overrides 1280x1024x24; WINDOW_MANAGER names another manager
#   that takes openbox's --startup option.
set -uo pipefail

screen=${XVFB_SCREEN:-1280x1024x24}
manager=${WINDOW_MANAGER:-openbox}
fail() {
  echo "with-xvfb.sh: $*" >&2
  exit 1
}
command -v Xvfb >/dev/null 2>&1 || fail "Xvfb is not installed (Debian package xvfb)"
command -v "$manager" >/dev/null 2>&1 ||
  fail "the window manager '$manager' is not installed (Debian package openbox)"

work=$(mktemp -d)
server=""
wm=""
cleanup() {
  [ -z "$wm" ] || kill "$wm" 2>/dev/null
  [ -z "$server" ] || kill "$server" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!

# Xvfb writes the display number it chose once it accepts connections.
for _ in $(seq 200); do
  [ -s "$work/display" ] && break
  if ! kill -0 "$server" 2>/dev/null; then
    echo "with-xvfb.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb gave no display number"

export DISPLAY=":$(head -n 1 "$work/display")"
export LIBGL_ALWAYS_SOFTWARE=1
export GALLIUM_DRIVER=llvmpipe

# The manager runs --startup once it manages the screen; no window may appear
# before that, or it would be left unmanaged. The configuration is the
# system's, untouched by whatever a user keeps in ~/.config.
"$manager" --sm-disable --config-file /etc/xdg/openbox/rc.xml --startup "touch $work/wm-ready" \
  >"$work/wm.log" 2>&1 &
wm=$!
for _ in $(seq 200); do
  [ -e "$work/wm-ready" ] && break
  if ! kill -0 "$wm" 2>/dev/null; then
    echo "with-xvfb.sh: the window manager '$manager' did not start:" >&2
    cat "$work/wm.log" >&2
    exit 1
  fi
  sleep 0.05
done
[ -e "$work/wm-ready" ] || fail "the window manager '$manager' did not come up within 10 seconds"

"$@"
