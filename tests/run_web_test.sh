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
source "$root/tests/shell_checks.sh"
source "$root/scripts/network.sh"
# serve NAME [VARIABLES...]: starts make run-web's script (which first brings
# the site up to date), waits until it answers.
serve() {
  local log=$work/$1.log
  shift
  env "$@" "$root/scripts/run-web.sh" >"$log" 2>&1 &
  server=$!
  wait_for_http "http://127.0.0.1:$port/" 120 || cat "$log"
}
stop() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  server=""
}
# The machine's first IPv4 address other than loopback, if it has one.
address=$(lan_addresses | head -n 1)

port=$(free_port 0.0.0.0)
serve default WEB_PORT="$port"
check "by default it serves this machine" "curl -sf http://127.0.0.1:$port/ >/dev/null"
check "by default it says the loopback address" "grep -q 'http://127.0.0.1:$port/' '$work/default.log'"
if [ -n "$address" ]; then
  check "by default no other machine reaches it ($address)" "! curl -sf --max-time 2 http://$address:$port/ >/dev/null"
fi
stop

port=$(free_port 0.0.0.0)
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
finish
