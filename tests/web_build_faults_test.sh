#!/usr/bin/env bash
# The browser build on faults: a compiler that is missing, one that does not
# run, one that cannot compile, and one that fails half-way through. Each must stop
# with one message naming what failed and a non-zero status, keep the site of
# the last good build (or none), and leave nothing a rerun trips over.
# Usage: web_build_faults_test.sh SOURCE_DIR
set -uo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/tests/shell_checks.sh"

# expect_site NAME STATE: the site is absent, or complete (every file there).
expect_site() {
  local site=$build/site
  case $2 in
    absent) [ ! -e "$site" ] || failed "$1: a site was left behind" ;;
    complete)
      for file in index.html page.js page.css vantrelle.js vantrelle.wasm textures/leaf.bmp; do
        [ -s "$site/$file" ] || failed "$1: the site lacks $file"
      done
      ;;
  esac
  [ ! -e "$build/site.partial" ] || failed "$1: site.partial was left behind"
}

build=$work/build
expect_failure "a compiler that is not installed" "make web: the Emscripten compiler no-such-em\+\+ is missing" \
  env WEB_BUILD_DIR="$build" EMXX=no-such-em++ "$root/scripts/web.sh"
expect_site "a compiler that is not installed" absent

expect_failure "a compiler that does not run" "make web: running the Emscripten compiler \(/bin/false --version\) failed" \
  env WEB_BUILD_DIR="$build" EMXX=/bin/false "$root/scripts/web.sh"
expect_site "a compiler that does not run" absent
# One that runs but cannot compile leaves a configured tree behind.
expect_failure "a compiler that cannot compile" "make web: compiling the WebAssembly build failed" \
  env WEB_BUILD_DIR="$build" EMXX=/bin/true "$root/scripts/web.sh"
expect_site "a compiler that cannot compile" absent

# A good build, then one whose compiler fails on one file: the good site stays.
if ! WEB_BUILD_DIR="$build" "$root/scripts/web.sh" >"$work/out" 2>&1; then
  failed "a rerun after the failures:"
  tail -n 20 "$work/out"
fi
expect_site "a rerun after the failures" complete
printf '#!/bin/sh\ncase "$*" in *glut.cpp*) echo "em++: simulated failure" >&2; exit 1;; esac\nexec em++ "$@"\n' \
  >"$work/flaky-em++"
chmod +x "$work/flaky-em++"
# Its object removed, glut.cpp must be compiled again, by the flaky compiler.
rm -f "$build/wasm/web/gl/CMakeFiles/vantrelle_web_gl.dir/glut.cpp.o"
expect_failure "a compile that fails half-way" "make web: compiling the WebAssembly build failed" \
  env WEB_BUILD_DIR="$build" EMXX="$work/flaky-em++" "$root/scripts/web.sh"
expect_site "a compile that fails half-way" complete

finish "all fault cases passed"
