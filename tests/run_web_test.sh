#!/usr/bin/env bash
# make run-web's server: on 127.0.0.1 alone by default; with WEB_HOST=0.0.0.0
# on every address of the machine, which it prints for other machines to
# type. Needs the site built (make web) and curl.
# Usage: run_web_test.sh SOURCE_DIR
set -uo pipefail
root=$1
work=$(mktemp -d)
server=""
trap '[ -z "$server" ] || kill "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
failures=0
check() {
  if eval "$2"; then
    echo "ok   $1"
  else
    echo "FAIL $1"
    failures=$((failures + 1))
  fi
}
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("0.0.0.0", 0)); print(s.getsockname()[1])'; }
# serve NAME [VARIABLES...]: starts make run-web's script (which first brings
# the site up to date), waits until it answers.
serve() {
  local log=$work/$1.log
  shift
  env "$@" "$root/scripts/run-web.sh" >"$log" 2>&1 &
  server=$!
  for _ in $(seq 1200); do
    curl -sf "http://127.0.0.1:$port/" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  cat "$log"
}
stop() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  server=""
}
# The machine's first IPv4 address other than loopback, if it has one.
address=$(hostname -I 2>/dev/null | tr ' ' '\n' | grep -E '^[0-9]+(\.[0-9]+){3}$' | grep -v '^127\.' | head -n 1)

port=$(free_port)
serve default WEB_PORT="$port"
check "by default it serves this machine" "curl -sf http://127.0.0.1:$port/ >/dev/null"
check "by default it says the loopback address" "grep -q 'http://127.0.0.1:$port/' '$work/default.log'"
if [ -n "$address" ]; then
  check "by default no other machine reaches it ($address)" "! curl -sf --max-time 2 http://$address:$port/ >/dev/null"
fi
stop

port=$(free_port)
serve classroom WEB_PORT="$port" WEB_HOST=0.0.0.0
check "WEB_HOST=0.0.0.0 says it is for every machine on the network" \
  "grep -q 'for every machine on this network' '$work/classroom.log'"
if [ -n "$address" ]; then
  check "WEB_HOST=0.0.0.0 prints http://$address:$port/ and serves it there" \
    "grep -q 'http://$address:$port/' '$work/classroom.log' && curl -sf http://$address:$port/ >/dev/null"
else
  check "WEB_HOST=0.0.0.0 on a machine with loopback alone says so" "grep -q 'no network address' '$work/classroom.log'"
fi
stop
exit $((failures > 0))
