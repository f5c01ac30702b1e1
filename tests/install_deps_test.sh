#!/usr/bin/env bash
# The install step on a system without apt-get: with everything present it
# goes on; otherwise it names the packages for the system's own manager
# (dnf, pacman, brew) and stops with a non-zero status.
# Usage: install_deps_test.sh SOURCE_DIR
set -uo pipefail
script=$1/scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/shell_checks.sh"

# A PATH with the basic tools only, plus fakes for the named commands.
make_path() {
  local bin=$work/bin-$RANDOM
  mkdir -p "$bin"
  for tool in bash env sort tr grep id uname head cat; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
  for fake in "$@"; do printf '#!/bin/sh\nexit 0\n' >"$bin/$fake" && chmod +x "$bin/$fake"; done
  echo "$bin"
}

# check_install NAME EXPECTED_STATUS PATTERN DISPLAY TASK FAKES...
# An empty pattern means that nothing may be printed.
check_install() {
  local name=$1 expected=$2 pattern=$3 display=$4 task=$5
  shift 5
  local bin status
  bin=$(make_path "$@")
  env -i PATH="$bin" DISPLAY="$display" bash "$script" "$task" >"$work/out" 2>&1
  status=$?
  local matched=1
  if [ -z "$pattern" ]; then [ ! -s "$work/out" ] || matched=0; else grep -qE -- "$pattern" "$work/out" || matched=0; fi
  if [ "$status" -ne "$expected" ] || [ $matched -eq 0 ]; then
    failed "$name: status $status (expected $expected), output:"
    cat "$work/out"
  else
    passed "$name"
  fi
}

check_install "Fedora without the packages" 1 "sudo dnf install .*freeglut-devel" :0 run dnf
check_install "Arch without the packages" 1 "sudo pacman -S --needed .*freeglut" :0 run pacman
check_install "macOS without CMake" 1 "brew install cmake" :0 run brew
check_install "Fedora, headless: Xvfb is needed too" 1 "xorg-x11-server-Xvfb" "" run dnf cmake c++
check_install "Fedora, headless: and a window manager" 1 "xdotool, openbox could not be found" "" run dnf cmake c++
check_install "Fedora, the tests" 1 "gtest-devel" :0 test dnf cmake c++
check_install "no known manager" 1 "brew: cmake" :0 run
check_install "everything present: nothing to say" 0 "" :0 run dnf cmake c++
check_install "unknown task" 2 "unknown task" :0 install dnf cmake c++

finish
