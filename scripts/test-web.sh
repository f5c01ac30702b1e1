#!/usr/bin/env bash
# `make test-web`: the browser build against the desktop program.
#   1. The start-up trajectory digest of the WebAssembly build, under Node,
#      equals the native one, for the program's step and for the plain one.
#   2. Each of Debian's Chromium and Firefox ESR (driven by puppeteer-core)
#      and WebKitGTK's MiniBrowser (by selenium-webdriver) loads the served
#      site: keys and console lines, exits, broken textures, bad links, a
#      lost context, axe-core's findings, a mouse drag, the single file,
#      pictures against the desktop window with three texture sets and
#      against the recorder, links of random sessions opened again, and a
#      soak of keys, drags, lab settings and resizes
#      (tests/web/engines.test.mjs). Chromium also: its key bar, early keys,
#      a finger, a cancelled pointer (page.test.mjs); a resize, no clip
#      control, SwiftShader (pictures.test.mjs); 30 seconds of random keys
#      (soak.test.mjs); what a screen reader and the keyboard get
#      (accessibility.test.mjs); links that take long to play and the link to this
#      moment (links.test.mjs); phones, notices and pages that cannot run
#      (layout.test.mjs); the single file's weight, and a browser that cannot
#      unpack it (single_file.test.mjs). They run on a private X session of
#      640 x 480, where the desktop program's full-screen window is the
#      canvas's size.
#   3. An engine that cannot start (no display, a missing package) fails
#      with its name and why (tests/web_engine_faults_test.sh).
#   4. make web on faults: a missing compiler, one that does not run, one
#      that fails half-way (tests/web_build_faults_test.sh).
# Settings (environment): WEB_SOAK_SECONDS (default 30), WEB_SOAK_SEED;
# WEB_POINTER_SOAK_SECONDS (default 60 per engine), WEB_POINTER_SOAK_SEED;
# LINK_FUZZ_SESSIONS (default 3 per engine), LINK_FUZZ_SEED.
# With VANTRELLE_SOAK_WEB=1 (`make soak-web`) it runs the soaks alone, in
# every engine, for SOAK_SECONDS each (default 600), SOAK_SEED replaying one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${WEB_BUILD_DIR:-$root/build-web}
unset MAKEFLAGS MAKELEVEL

command_name="make test-web"
source "$root/scripts/steps.sh"
source "$root/scripts/presets.sh"
source "$root/scripts/serve-site.sh"

"$root/scripts/install-deps.sh" web-test test
"$root/scripts/web.sh"

echo "== the desktop side of the comparison =="
configure dev
build dev --target vantrelle vantrelle-record trajectory_digest textures
dev=$(preset_dir dev)

echo "== the trajectory under Node against the native one =="
for step in program plain; do
  args=()
  [ $step = program ] || args=(plain)
  native=$("$dev/trajectory_digest" "${args[@]}")
  wasm=$(node --no-experimental-fetch "$out/wasm/trajectory_digest.js" "${args[@]}")
  [ -n "$native" ] || fail "the native digest printed nothing"
  if [ "$wasm" != "$native" ]; then
    diff <(echo "$native") <(echo "$wasm") || true
    fail "the WebAssembly trajectory ($step step) differs from the native one"
  fi
  echo "ok   $step step: $(echo "$native" | wc -l) digests equal to the bit"
done

echo "== puppeteer-core, as the lock file pins it =="
install_puppeteer

# The site as any static host serves it.
served=$(mktemp -d)
server=""
cleanup() {
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  rm -rf "$served"
}
trap cleanup EXIT
ln -s "$out/site" "$served/complete"
# A copy of the site whose leaf.bmp is missing, cut short, or an 8-bit bitmap.
site_without_leaf() {
  mkdir -p "$served/$1/textures"
  for file in "$out/site/"*; do [ -d "$file" ] || ln -s "$file" "$served/$1/"; done
  for file in "$out/site/textures/"*.bmp; do
    [ "$(basename "$file")" = leaf.bmp ] || ln -s "$file" "$served/$1/textures/"
  done
}
site_without_leaf missing-leaf
site_without_leaf truncated-leaf
head -c 100 "$out/site/textures/leaf.bmp" >"$served/truncated-leaf/textures/leaf.bmp"
site_without_leaf 8-bit-leaf
cp "$out/site/textures/leaf.bmp" "$served/8-bit-leaf/textures/leaf.bmp"
printf '\010' | dd of="$served/8-bit-leaf/textures/leaf.bmp" bs=1 seek=28 conv=notrunc status=none
# Copies of the site with random and drawn textures, which the tests write.
node "$root/tests/web/texture_sets.mjs" "$served" "$out/site"
serve_site "$served" "$out/logs/http.log"

export SITE_URL="http://127.0.0.1:$port" SITE_DIR=$out/site SERVED_DIR=$served SINGLE_FILE=$out/vantrelle.html
export VANTRELLE=$dev/vantrelle RECORDER=$dev/vantrelle-record TEXTURES_DIR=$dev/textures
export SCREEN_WIDTH=640 SCREEN_HEIGHT=480 XVFB_SCREEN=640x480x24
status=0
if [ "${VANTRELLE_SOAK_WEB:-}" = 1 ]; then
  export WEB_POINTER_SOAK_SECONDS=${SOAK_SECONDS:-600} WEB_SOAK_SECONDS=${SOAK_SECONDS:-600}
  if [ -n "${SOAK_SEED:-}" ]; then export WEB_POINTER_SOAK_SEED=$SOAK_SEED WEB_SOAK_SEED=$SOAK_SEED; fi
  for engine in chromium firefox webkit; do
    echo "== $engine: a soak of $WEB_POINTER_SOAK_SECONDS s =="
    ENGINE=$engine "$root/scripts/with-xvfb.sh" node --test --test-reporter=tap --test-name-pattern="a soak in" \
      "$root/tests/web/engines.test.mjs" || status=1
  done
  echo "== chromium: random keys for $WEB_SOAK_SECONDS s =="
  "$root/scripts/with-xvfb.sh" node --test --test-reporter=tap "$root/tests/web/soak.test.mjs" || status=1
  exit $status
fi
for engine in chromium firefox webkit; do
  echo "== $engine: keys, start-up and pictures against the desktop =="
  ENGINE=$engine "$root/scripts/with-xvfb.sh" node --test --test-reporter=tap "$root/tests/web/engines.test.mjs" ||
    status=1
done
for suite in page accessibility pictures links layout single_file soak; do
  echo "== chromium: $suite =="
  "$root/scripts/with-xvfb.sh" node --test --test-reporter=tap "$root/tests/web/$suite.test.mjs" || status=1
done

echo "== make run-web: this machine only by default, the local network on request =="
"$root/tests/run_web_test.sh" "$root" || status=1

echo "== a browser engine that cannot start =="
"$root/tests/web_engine_faults_test.sh" "$root" || status=1

echo "== the browser build on faults =="
"$root/tests/web_build_faults_test.sh" "$root" || status=1
exit $status
