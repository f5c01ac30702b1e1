# Sourced by the browser's test and benchmark scripts: a folder served on a
# free port of 127.0.0.1 by Python's http.server, as any static host would
# serve it, and puppeteer-core installed as the lock file pins it. Needs
# `fail` (scripts/steps.sh).

source "$root/scripts/network.sh"

# serve_site FOLDER LOG: sets `port`, and `server` (the server's process, for
# the caller to stop); returns once the server answers.
serve_site() {
  port=$(free_port)
  python3 -m http.server --bind 127.0.0.1 --directory "$1" "$port" >"$2" 2>&1 &
  server=$!
  wait_for_http "http://127.0.0.1:$port/" || fail "the site's server did not start; see $2"
}

install_puppeteer() {
  (cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error >/dev/null) ||
    fail "npm ci in tests/web failed"
}
