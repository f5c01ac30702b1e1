#!/usr/bin/env bash
# `make run-web`: builds the site (scripts/web.sh) and serves it on
# 127.0.0.1 with Python's http.server until interrupted.
# Settings (environment): WEB_PORT (default: 8000, or the next free port).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site=${WEB_BUILD_DIR:-$root/build-web}/site

"$root/scripts/web.sh"
port=${WEB_PORT:-$(python3 - <<'PY'
import socket
for port in range(8000, 8100):
    with socket.socket() as s:
        try:
            s.bind(("127.0.0.1", port))
        except OSError:
            continue
        print(port)
        break
PY
)}
[ -n "$port" ] || { echo "make run-web: no free port from 8000 to 8099" >&2; exit 1; }
echo "Vantrelle in your browser: http://127.0.0.1:$port/   (Ctrl-C stops the server)"
echo "A link plays keys and steps first, for example http://127.0.0.1:$port/#t%20t%20%2B150%202"
exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
