#!/usr/bin/env bash
# `make web`: the program for the browser, compiled to WebAssembly with
# Debian's Emscripten, and the static site that runs it:
#   build-web/site/index.html, page.css, vantrelle.js, vantrelle.wasm
#   build-web/site/page.js          (web/page's modules bundled by esbuild)
#   build-web/site/textures/*.bmp   (the generator's ten textures)
#   build-web/vantrelle.html        (all of it in one file that opens from a disk)
# The site is assembled beside the old one and put in its place only when
# complete, so a failed run leaves the previous site (or none), never half of one.
# Settings (environment): WEB_BUILD_DIR (default build-web), EMXX (the
# Emscripten compiler, default em++).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
emxx=${EMXX:-em++}
unset MAKEFLAGS MAKELEVEL

command_name="make web"
source "$root/scripts/steps.sh"
out=$(absolute_dir "${WEB_BUILD_DIR:-$root/build-web}")
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" web || fail "the browser build's packages (emscripten, nodejs, npm) could not be installed"
command -v "$emxx" >/dev/null 2>&1 || fail "the Emscripten compiler $emxx is missing (Debian package emscripten)"
emxx=$(command -v "$emxx")
mkdir -p "$out/logs"
# Debian's Emscripten finds Debian's JavaScript modules (acorn) only there.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

logged "running the Emscripten compiler ($emxx --version)" emxx-version.log "$emxx" --version

echo "== compiling vantrelle for WebAssembly =="
# A tree configured by an interrupted run, or for another compiler, is
# started afresh: CMake cannot switch a configured tree's compiler.
[ "$(cat "$out/wasm/.configured" 2>/dev/null)" = "$emxx" ] || rm -rf "$out/wasm"
logged "configuring the WebAssembly build" wasm-configure.log \
  configure web -B "$out/wasm" -DCMAKE_CXX_COMPILER="$emxx"
echo "$emxx" >"$out/wasm/.configured"
logged "compiling the WebAssembly build" wasm-build.log \
  cmake --build "$out/wasm" --target vantrelle trajectory_digest

echo "== drawing the textures =="
logged "configuring the native texture generator" textures-configure.log configure program
logged "drawing the textures" textures-build.log build program --target textures

echo "== bundling the page's modules =="
logged "installing esbuild as web/page/package-lock.json pins it" page-npm.log \
  npm ci --prefix "$root/web/page" --no-audit --no-fund --loglevel=error
next=$out/site.partial
rm -rf "$next"
mkdir -p "$next/textures"
# One classic script, so that the single file can carry it inline and a page
# opened from a disk runs it (browsers load no modules from file: addresses).
logged "bundling web/page/page.js and its modules" page-bundle.log \
  "$root/web/page/node_modules/.bin/esbuild" "$root/web/page/page.js" --bundle --format=iife \
  --outfile="$next/page.js"

echo "== assembling the site =="
cp "$root/web/page/index.html" "$root/web/page/page.css" "$next/"
cp "$out/wasm/vantrelle.js" "$out/wasm/vantrelle.wasm" "$next/"
cp "$(preset_dir program)/textures/"*.bmp "$next/textures/"
rm -rf "$out/site"
mv "$next" "$out/site"
echo "Site: $out/site ($(du -sk "$out/site" | cut -f1) KiB); serve it with make run-web"

echo "== the single file =="
logged "assembling vantrelle.html" single-file.log python3 "$root/scripts/single-file.py" "$out/site" \
  "$out/vantrelle.html"
echo "One file: $out/vantrelle.html ($(($(wc -c <"$out/vantrelle.html") / 1024)) KiB); it opens from a disk"

