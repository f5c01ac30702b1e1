# Sourced by the browser's test and benchmark scripts: a folder served on a
# free port of 127.0.0.1 by Python's http.server, as any static host would
# serve it, and puppeteer-core installed as the lock file pins it. Needs
# `fail` (scripts/steps.sh).

# serve_site FOLDER LOG: sets `port`, and `server` (the server's process, for
# the caller to stop); returns once the server answers.
serve_site() {
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')
  python3 -m http.server --bind 127.0.0.1 --directory "$1" "$port" >"$2" 2>&1 &
  server=$!
  for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$port/" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "the site's server did not start; see $2"
}

install_puppeteer() {
  (cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error >/dev/null) ||
    fail "npm ci in tests/web failed"
}
