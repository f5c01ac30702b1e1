#!/usr/bin/env bash
# `make run-web`: builds the site (scripts/web.sh) and serves it with
# Python's http.server until interrupted.
# Settings (environment): WEB_PORT (default: 8000, or the next free port);
# WEB_HOST (default 127.0.0.1, this machine only; 0.0.0.0 serves the local
# network, a classroom, and prints the addresses other machines type).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site=${WEB_BUILD_DIR:-$root/build-web}/site
host=${WEB_HOST:-127.0.0.1}

source "$root/scripts/network.sh"

"$root/scripts/web.sh"
port=${WEB_PORT:-$(free_port "$host" 8000 8099)}
[ -n "$port" ] || { echo "make run-web: no free port from 8000 to 8099 on $host" >&2; exit 1; }
if [ "$host" = 0.0.0.0 ]; then
  addresses=$(lan_addresses)
  echo "Vantrelle in your browser, for every machine on this network (Ctrl-C stops the server):"
  for address in $addresses; do echo "  http://$address:$port/"; done
  [ -n "$addresses" ] || echo "  (this machine has no network address but loopback: http://127.0.0.1:$port/)"
  shown=${addresses%%$'\n'*}
else
  echo "Vantrelle in your browser: http://$host:$port/   (Ctrl-C stops the server)"
fi
echo "A link plays keys and steps first, for example http://${shown:-$host}:$port/#t%20t%20%2B150%202"
exec python3 -m http.server --bind "$host" --directory "$site" "$port"
