#!/usr/bin/env bash
# `make soak`: the real vantrelle on a private Xvfb under random keys and
# resizes (tests/soak.cpp). SOAK_SECONDS sets the length (default 600),
# SOAK_SEED replays a run's key sequence.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL
source "$root/scripts/presets.sh"

"$root/scripts/install-deps.sh" test
configure dev
build dev --target vantrelle_soak
export SOAK_SECONDS=${SOAK_SECONDS:-600}
exec "$root/scripts/with-xvfb.sh" "$(preset_dir dev)/tests/vantrelle_soak"
