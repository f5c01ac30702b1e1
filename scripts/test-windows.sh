#!/usr/bin/env bash
# `make test-windows`: builds the Windows package (scripts/windows.sh) and
# tests it under Wine on a private Xvfb against the Linux build: the
# trajectory to the bit, the console lines, the exit statuses and the picture;
# then the build script's handling of a failed download and a missing compiler.
# Settings (environment): WINDOWS_BUILD_DIR, WINE (the Wine loader to use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL

command_name="make test-windows"
source "$root/scripts/steps.sh"
out=$(absolute_dir "${WINDOWS_BUILD_DIR:-$root/build-windows}")
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" windows test

# Wine first: without it nothing here can run.
wine=${WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
[ -x "$wine" ] || fail "Wine is missing ($wine); install Debian's wine64"
export WINEPREFIX=$out/wine-prefix WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/.complete" ]; then
  echo "== preparing a Wine prefix =="
  # A prefix left half-made is made afresh.
  rm -rf "$WINEPREFIX"
  trap 'rm -rf "$WINEPREFIX"' EXIT
  logged "Wine could not start: $wine wineboot --init" wineboot.log "$wine" wineboot --init
  trap - EXIT
  touch "$WINEPREFIX/.complete"
fi
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo true)
# Wine's desktop process takes the screen size from the X display it starts
# on: stop whatever runs without one, so the tests' own Xvfb is the one used.
"$wineserver" -k 2>/dev/null || true
trap '"$wineserver" -k 2>/dev/null || true' EXIT

WINDOWS_BUILD_DIR=$out "$root/scripts/windows.sh"

echo "== building the Linux side of the comparison =="
configure dev
build dev --target windows_e2e_test
dev=$(preset_dir dev)

echo "== the Windows package under Wine =="
rm -rf "$out/unpacked"
mkdir -p "$out/unpacked"
(cd "$out/unpacked" && cmake -E tar xf "$out/vantrelle-windows.zip")
"$root/scripts/with-xvfb.sh" "$dev/tests/windows_e2e_test" --wine="$wine" \
  --package="$out/unpacked/vantrelle" --digest="$out/program/trajectory_digest.exe"

echo "== the Windows build script on faults =="
"$root/tests/windows_build_faults_test.sh" "$root"
