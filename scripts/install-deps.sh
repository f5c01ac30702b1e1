#!/usr/bin/env bash
# Installs the packages one task needs, only when something is missing, so
# repeated runs cost nothing.
# Usage: install-deps.sh TASK...   TASK: run, test, record, windows, web or web-test
#   run      compiler, CMake, freeglut, GLU (and Xvfb, openbox, xdotool,
#            ImageMagick when there is no display, for the headless run)
#   test     everything the tests, benchmarks and fuzzer need
#   record   the recorder: libpng, ffmpeg, Xvfb
#   windows  the mingw-w64 cross compiler and Wine for the Windows build
#   web      Emscripten, Node.js and npm (for esbuild) for the browser build
#   web-test Chromium, Firefox ESR, WebKitGTK's WebDriver and npm (for
#            puppeteer-core and selenium-webdriver) for the browser's tests
# Debian and Ubuntu get the packages through apt-get. Elsewhere the script
# checks that the tools are present and, if not, names the packages to
# install with that system's package manager and stops.
set -euo pipefail

[ $# -gt 0 ] || set -- run
for task in "$@"; do
  case $task in
    run | test | record | windows | web | web-test) ;;
    *)
      echo "install-deps.sh: unknown task '$task' (run, test, record, windows, web or web-test)" >&2
      exit 2
      ;;
  esac
done

headless=0
[ -n "${DISPLAY:-}" ] || headless=1

# Package names per task, for each package manager.
apt_run=(build-essential cmake freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri)
apt_headless=(xvfb xauth xdotool imagemagick openbox)
apt_test=(clang libclang-rt-14-dev clang-format libgtest-dev libbenchmark-dev libx11-dev libxtst-dev
  libpng-dev ffmpeg x11-utils)
apt_record=(libpng-dev ffmpeg)
apt_windows=(g++-mingw-w64-x86-64 dpkg-dev wine64)
apt_web=(emscripten nodejs npm python3)
apt_web_test=(emscripten nodejs python3 chromium firefox-esr webkit2gtk-driver npm curl)

dnf_run=(gcc-c++ make cmake freeglut-devel mesa-libGLU-devel mesa-libGL-devel mesa-dri-drivers)
dnf_headless=(xorg-x11-server-Xvfb xdotool ImageMagick openbox)
dnf_test=(clang compiler-rt clang-tools-extra gtest-devel google-benchmark-devel libX11-devel
  libXtst-devel libpng-devel ffmpeg-free xprop)
dnf_record=(libpng-devel ffmpeg-free)
dnf_windows=(mingw64-gcc-c++ wine)
dnf_web=(emscripten nodejs npm python3)
dnf_web_test=(emscripten nodejs python3 chromium firefox webkit2gtk4.1 npm)

pacman_run=(base-devel cmake freeglut glu mesa)
pacman_headless=(xorg-server-xvfb xdotool imagemagick openbox)
pacman_test=(clang compiler-rt gtest benchmark libx11 libxtst libpng ffmpeg xorg-xprop)
pacman_record=(libpng ffmpeg)
pacman_windows=(mingw-w64-gcc wine)
pacman_web=(emscripten nodejs npm python)
pacman_web_test=(emscripten nodejs python chromium firefox webkit2gtk-4.1 npm)

# macOS: the system's GLUT and OpenGL frameworks come with the Xcode command
# line tools; Homebrew adds CMake.
brew_run=(cmake)
brew_headless=()
brew_test=(googletest google-benchmark libpng ffmpeg)
brew_record=(libpng ffmpeg)
brew_windows=(mingw-w64)
brew_web=(emscripten node python)
brew_web_test=(emscripten node python chromium)

# Whether a task starts a private X session: the tests, the recorder and the
# Windows tests always do; running does without a display; the browser build
# never does.
needs_x() {
  case $1 in
    run) [ $headless -eq 1 ] ;;
    web) false ;;
    *) true ;;
  esac
}

# The packages of the given manager for the tasks asked for.
packages_for() {
  local manager=$1 task list=()
  shift
  for task in "$@"; do
    add "${manager}_${task//-/_}"
    # Every task but the Windows cross build builds and starts the program
    # natively; the tests and the recorder always run it headless.
    [ "$task" = windows ] || add "${manager}_run"
    if needs_x "$task"; then add "${manager}_headless"; fi
  done
  printf '%s\n' ${list[@]+"${list[@]}"} | sort -u
}

# Appends the named array to list; written for the bash 3.2 of macOS, where
# an empty array is unbound under set -u.
add() {
  eval "list+=(\${$1[@]+\"\${$1[@]}\"})"
}

if command -v apt-get >/dev/null 2>&1 && command -v dpkg-query >/dev/null 2>&1; then
  missing=()
  while read -r p; do
    # Node.js from its own packages brings npm, and conflicts with Debian's.
    if [ "$p" = npm ] && command -v npm >/dev/null 2>&1; then continue; fi
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done < <(packages_for apt "$@")
  [ ${#missing[@]} -eq 0 ] && exit 0

  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  exit 0
fi

# No apt: check for what the tasks use, and say what to install if it is not there.
# The line as a here-string, not through a pipe: under pipefail a compiler
# that exits before reading would fail the pipe's echo.
have_header() {
  c++ -x c++ -fsyntax-only - <<<"#include <$1>" >/dev/null 2>&1
}
have_glut() {
  have_header GL/freeglut.h || { [ "$(uname -s)" = Darwin ] && have_header GLUT/glut.h; }
}
lacking=()
command -v cmake >/dev/null 2>&1 || lacking+=(cmake)
command -v c++ >/dev/null 2>&1 || lacking+=("a C++ compiler")
have_glut || lacking+=("GLUT headers")
for task in "$@"; do
  case $task in
    test)
      have_header gtest/gtest.h || lacking+=(GoogleTest)
      have_header benchmark/benchmark.h || lacking+=("Google Benchmark")
      command -v clang++ >/dev/null 2>&1 || lacking+=(clang)
      ;;
    record) command -v ffmpeg >/dev/null 2>&1 || lacking+=(ffmpeg) ;;
    windows) command -v x86_64-w64-mingw32-g++ >/dev/null 2>&1 || lacking+=(mingw-w64) ;;
    web | web-test)
      command -v em++ >/dev/null 2>&1 || lacking+=(Emscripten)
      command -v node >/dev/null 2>&1 || lacking+=(Node.js)
      ;;
  esac
  if needs_x "$task"; then
    command -v Xvfb >/dev/null 2>&1 || lacking+=(Xvfb)
    command -v xdotool >/dev/null 2>&1 || lacking+=(xdotool)
    # Brought by a headless run's private X session only where X is the desktop.
    [ "$(uname -s)" = Darwin ] || command -v openbox >/dev/null 2>&1 || lacking+=(openbox)
  fi
done
[ ${#lacking[@]} -eq 0 ] && exit 0

manager=""
for candidate in dnf pacman brew; do
  if command -v "$candidate" >/dev/null 2>&1; then
    manager=$candidate
    break
  fi
done
case $manager in
  dnf) install="sudo dnf install" ;;
  pacman) install="sudo pacman -S --needed" ;;
  brew) install="brew install" ;;
esac
{
  joined=$(printf '%s, ' "${lacking[@]}")
  echo "install-deps.sh: this system has no apt-get, and ${joined%, } could not be found."
  if [ -n "$manager" ]; then
    echo "Install the packages with:"
    echo "  $install $(packages_for "$manager" "$@" | tr '\n' ' ')"
  else
    echo "Packages for other systems' managers:"
    for m in dnf pacman brew; do echo "  $m: $(packages_for "$m" "$@" | tr '\n' ' ')"; done
  fi
  echo "then run the command again. The README lists what each desktop needs."
} >&2
exit 1
