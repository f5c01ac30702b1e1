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

# Waits for a file that a starting server writes once it is up; stops with
# the server's log if it ends first, or after ten seconds.
# wait_until_up FILE PID WHAT LOG
wait_until_up() {
  for _ in $(seq 200); do
    [ -s "$1" ] && return 0
    if ! kill -0 "$2" 2>/dev/null; then
      echo "with-xvfb.sh: $3 did not start:" >&2
      cat "$4" >&2
      exit 1
    fi
    sleep 0.05
  done
  fail "$3 did not come up within 10 seconds"
}

# Xvfb writes the display number it chose once it accepts connections.
wait_until_up "$work/display" "$server" Xvfb "$work/xvfb.log"

export DISPLAY=":$(head -n 1 "$work/display")"
export LIBGL_ALWAYS_SOFTWARE=1
export GALLIUM_DRIVER=llvmpipe

# The manager runs --startup once it manages the screen; no window may appear
# before that, or it would be left unmanaged. The configuration is the
# system's, untouched by whatever a user keeps in ~/.config.
"$manager" --sm-disable --config-file /etc/xdg/openbox/rc.xml --startup "sh -c 'echo up >$work/wm-ready'" \
  >"$work/wm.log" 2>&1 &
wm=$!
wait_until_up "$work/wm-ready" "$wm" "the window manager '$manager'" "$work/wm.log"

"$@"
