#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need,
# only when something is missing, so repeated runs cost nothing.
set -euo pipefail

packages=(
  build-essential cmake clang libclang-rt-14-dev clang-format
  libgtest-dev libbenchmark-dev
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev
  xvfb xauth xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
