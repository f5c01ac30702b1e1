#!/usr/bin/env bash
# The browser build's figures for `make bench`:
#   - the step in WebAssembly (under Node) against the native step: the same
#     Google Benchmark program, built both ways from bench/step_bench.cpp
#     (Google Benchmark for WebAssembly from Debian's source package), run in
#     turns;
#   - the page in Chromium on llvmpipe at 1920 x 1080 while animating: frames
#     per second with the quads only and with all layers, beside the desktop
#     drawing's (bench/display_bench, run just before by make bench), the
#     page's weight and the time from navigation to its first frame.
# Usage: bench-web.sh DISPLAY_BENCH_JSON
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${WEB_BUILD_DIR:-$root/build-web}
desktop_json=${1:-}
jobs=$(getconf _NPROCESSORS_ONLN 2>/dev/null || echo 2)
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
unset MAKEFLAGS MAKELEVEL

command_name="make bench (browser)"
source "$root/scripts/steps.sh"
source "$root/scripts/serve-site.sh"

"$root/scripts/install-deps.sh" web-test test
"$root/scripts/web.sh" >/dev/null
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# Google Benchmark for WebAssembly, from Debian's source package, fetched with
# a private sources list and apt state. Kept once complete.
benchmark=$out/benchmark
if [ ! -f "$benchmark/.complete" ]; then
  echo "== Google Benchmark for WebAssembly, from Debian's source package =="
  rm -rf "$benchmark"
  mkdir -p "$benchmark/apt/state/lists/partial" "$benchmark/apt/cache/archives/partial" "$benchmark/source"
  echo "deb-src $mirror bookworm main" >"$benchmark/apt/sources.list"
  apt_options=(-o Dir::Etc::SourceList="$benchmark/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State="$benchmark/apt/state" -o Dir::Cache="$benchmark/apt/cache")
  logged "downloading the benchmark source index" benchmark-apt-update.log apt-get "${apt_options[@]}" update
  (cd "$benchmark/source" && logged "downloading Debian's benchmark source package" benchmark-apt-source.log \
    apt-get "${apt_options[@]}" source benchmark)
  tree=$(find "$benchmark/source" -maxdepth 1 -mindepth 1 -type d -name 'benchmark-*' | head -n 1)
  [ -n "$tree" ] || fail "the benchmark source package has no source tree"
  # The tarball carries no git tags: take the version from project().
  logged "configuring Google Benchmark for WebAssembly" benchmark-configure.log \
    emcmake cmake -S "$tree" -B "$benchmark/build" -DGIT_VERSION=0.0.0 -DCMAKE_BUILD_TYPE=Release \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DCMAKE_INSTALL_PREFIX="$benchmark/install"
  logged "building Google Benchmark for WebAssembly" benchmark-build.log cmake --build "$benchmark/build" -j "$jobs"
  logged "installing Google Benchmark for WebAssembly" benchmark-install.log cmake --install "$benchmark/build"
  touch "$benchmark/.complete"
fi

logged "configuring the WebAssembly step benchmark" wasm-bench-configure.log \
  cmake -S "$root" -B "$out/wasm" -Dbenchmark_DIR="$benchmark/install/lib/cmake/benchmark"
logged "building the WebAssembly step benchmark" wasm-bench-build.log \
  cmake --build "$out/wasm" -j "$jobs" --target step_bench

echo "== the step: WebAssembly under Node against native, three turns each =="
runs=$(mktemp -d)
trap 'rm -rf "$runs"' EXIT
filter=--benchmark_filter='^step/program'
for turn in 1 2 3; do
  "$root/build/bench/step_bench" "$filter" --benchmark_out="$runs/native-$turn.json" >/dev/null 2>&1
  node --no-experimental-fetch "$out/wasm/web/step_bench.js" "$filter" --benchmark_out="$runs/wasm-$turn.json" >/dev/null 2>&1
done
node "$root/bench/web_step_ratio.mjs" "$runs"

echo "== the page in Chromium on llvmpipe, 1920 x 1080 =="
serve_site "$out/site" "$out/logs/bench-http.log"
trap 'kill $server 2>/dev/null || true; rm -rf "$runs"' EXIT
install_puppeteer
SITE_URL="http://127.0.0.1:$port" XVFB_SCREEN=1920x1080x24 \
  "$root/scripts/with-xvfb.sh" node "$root/bench/page_bench.mjs" "$desktop_json"
