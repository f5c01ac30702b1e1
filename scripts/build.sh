#!/usr/bin/env bash
# Configures and builds one preset of CMakePresets.json, quietly where all is
# well: `make build` (dev). Usage: build.sh PRESET [CMAKE_BUILD_ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset MAKEFLAGS MAKELEVEL
source "$root/scripts/presets.sh"
configure "$1"
build "$@"
