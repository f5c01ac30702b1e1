# Sourced by the scripts and tests that serve the site: finding a port,
# waiting for a server, and the addresses other machines reach this one at.

# free_port [HOST [FIRST LAST]]: a port free on HOST (default 127.0.0.1):
# the first free one from FIRST to LAST, or any the system offers. Prints
# nothing if none in the range is free.
free_port() {
  python3 - "${1:-127.0.0.1}" "${2:-0}" "${3:-0}" <<'PY'
import socket, sys
host, first, last = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
for port in range(first, last + 1) if first else [0]:
    with socket.socket() as s:
        try:
            s.bind((host, port))
        except OSError:
            continue
        print(s.getsockname()[1])
        break
PY
}

# wait_for_http URL [SECONDS]: true once the URL answers, false after SECONDS
# (default 10) without an answer.
wait_for_http() {
  local tries=$((${2:-10} * 10))
  for _ in $(seq "$tries"); do
    curl -sf "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# lan_addresses: the machine's own IPv4 addresses, loopback left out, one a
# line: what other machines on the network type.
lan_addresses() {
  hostname -I 2>/dev/null | tr ' ' '\n' | grep -E '^[0-9]+(\.[0-9]+){3}$' | grep -v '^127\.' || true
}
