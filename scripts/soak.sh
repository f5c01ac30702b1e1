#!/usr/bin/env bash
# `make soak`: the real vantrelle on a private Xvfb under random keys and
# resizes (tests/soak.cpp). SOAK_SECONDS sets the length (default 600),
# SOAK_SEED replays a run's key sequence.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL

"$root/scripts/install-deps.sh" test
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DVANTRELLE_TESTS=ON >/dev/null
cmake --build "$root/build" --target vantrelle_soak -j "$(nproc)"
export SOAK_SECONDS=${SOAK_SECONDS:-600}
exec "$root/scripts/with-xvfb.sh" "$root/build/tests/vantrelle_soak"
