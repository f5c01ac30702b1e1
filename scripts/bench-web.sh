#!/usr/bin/env bash
# The browser build's figures for `make bench`:
#   - the step in WebAssembly (under Node) against the native step: the same
#     Google Benchmark program, built both ways from bench/step_bench.cpp
#     (Google Benchmark for WebAssembly from Debian's source package), run in
#     turns;
#   - the page in Chromium on llvmpipe at 1920 x 1080 while animating: frames
#     per second with the quads only and with all layers, beside the desktop
#     drawing's (bench/display_bench, run just before by make bench), the
#     page's weight and the time from navigation to its first frame;
#   - the page in each engine (Chromium, Firefox ESR, WebKitGTK) at 1920 x
#     1080 with all layers while animating, beside the desktop drawing; the
#     single file's size and its time to the first frame from a file:.
# Usage: bench-web.sh DISPLAY_BENCH_JSON
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${WEB_BUILD_DIR:-$root/build-web}
desktop_json=${1:-}
unset MAKEFLAGS MAKELEVEL

command_name="make bench (browser)"
source "$root/scripts/steps.sh"
source "$root/scripts/presets.sh"
source "$root/scripts/debian-source.sh"
source "$root/scripts/serve-site.sh"

"$root/scripts/install-deps.sh" web-test test
"$root/scripts/web.sh" >/dev/null
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# Google Benchmark for WebAssembly, from Debian's source package. Kept once
# complete, where the web-bench preset looks for it.
benchmark=$out/benchmark
if [ ! -f "$benchmark/.complete" ]; then
  echo "== Google Benchmark for WebAssembly, from Debian's source package =="
  rm -rf "$benchmark"
  debian_source benchmark "$benchmark"
  # The tarball carries no git tags: take the version from project().
  logged "configuring Google Benchmark for WebAssembly" benchmark-configure.log \
    emcmake cmake -S "$source_tree" -B "$benchmark/build" -DGIT_VERSION=0.0.0 -DCMAKE_BUILD_TYPE=Release \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DCMAKE_INSTALL_PREFIX="$benchmark/install"
  logged "building Google Benchmark for WebAssembly" benchmark-build.log cmake --build "$benchmark/build"
  logged "installing Google Benchmark for WebAssembly" benchmark-install.log cmake --install "$benchmark/build"
  touch "$benchmark/.complete"
fi

logged "configuring the WebAssembly step benchmark" wasm-bench-configure.log \
  configure web-bench -B "$out/wasm-bench" -Dbenchmark_DIR="$benchmark/install/lib/cmake/benchmark"
logged "building the WebAssembly step benchmark" wasm-bench-build.log \
  cmake --build "$out/wasm-bench" --target step_bench

echo "== the step: WebAssembly under Node against native, three turns each =="
runs=$(mktemp -d)
trap 'rm -rf "$runs"' EXIT
filter=--benchmark_filter='^step/program'
for turn in 1 2 3; do
  "$(preset_dir dev)/bench/step_bench" "$filter" --benchmark_out="$runs/native-$turn.json" >/dev/null 2>&1
  node --no-experimental-fetch "$out/wasm-bench/bench/step_bench.js" "$filter" --benchmark_out="$runs/wasm-$turn.json" >/dev/null 2>&1
done
node "$root/bench/web_step_ratio.mjs" "$runs"

echo "== the page in Chromium on llvmpipe, 1920 x 1080 =="
serve_site "$out/site" "$out/logs/bench-http.log"
trap 'kill $server 2>/dev/null || true; rm -rf "$runs"' EXIT
install_puppeteer
SITE_URL="http://127.0.0.1:$port" XVFB_SCREEN=1920x1080x24 \
  "$root/scripts/with-xvfb.sh" node "$root/bench/page_bench.mjs" "$desktop_json" "$runs/native-1.json"

echo "== the page in Chromium, Firefox ESR and WebKitGTK on llvmpipe, 1920 x 1080; the single file =="
SITE_URL="http://127.0.0.1:$port" SINGLE_FILE=$out/vantrelle.html XVFB_SCREEN=1920x1080x24 \
  "$root/scripts/with-xvfb.sh" node "$root/bench/engines_bench.mjs" "$desktop_json"
