#!/usr/bin/env bash
# Starts the program from the folder that holds the ten textures.
set -euo pipefail
build_dir=${1:-build}
echo "The application is not built yet; the simulation core is in $build_dir."
