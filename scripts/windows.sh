#!/usr/bin/env bash
# `make windows`: cross-builds vantrelle.exe for 64-bit Windows and packs
# build-windows/vantrelle-windows.zip (the exe, the ten textures, how to run).
#
# freeglut for Windows is built from Debian's own freeglut source package,
# fetched with a private sources list and apt state under the build folder,
# so the machine's package sources stay as they are. Each stage leaves a mark
# when it is complete; a stage that failed half-way is started afresh by the
# next run, and complete ones are kept.
#
# Settings (environment): WINDOWS_BUILD_DIR (default build-windows),
# DEBIAN_MIRROR (default http://deb.debian.org/debian), MINGW_TRIPLET
# (default x86_64-w64-mingw32).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
triplet=${MINGW_TRIPLET:-x86_64-w64-mingw32}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
unset MAKEFLAGS MAKELEVEL

command_name="make windows"
source "$root/scripts/steps.sh"
out=$(absolute_dir "${WINDOWS_BUILD_DIR:-$root/build-windows}")
source "$root/scripts/presets.sh"
source "$root/scripts/debian-source.sh"

# The cross compiler and the native build of the textures.
"$root/scripts/install-deps.sh" windows run
command -v "$triplet-g++" >/dev/null 2>&1 ||
  fail "the mingw-w64 cross compiler $triplet-g++ is missing (Debian package g++-mingw-w64-x86-64)"
mkdir -p "$out/logs"

# 1. Debian's freeglut source package.
source_dir=$out/freeglut-source
if [ ! -f "$source_dir/.complete" ]; then
  echo "== fetching Debian's freeglut source package =="
  debian_source freeglut "$source_dir"
  ln -sfn "$source_tree" "$source_dir/tree"
  touch "$source_dir/.complete"
fi

# 2. A static freeglut for Windows.
freeglut=$out/freeglut
if [ ! -f "$freeglut/.complete" ]; then
  echo "== building freeglut for Windows =="
  rm -rf "$freeglut" "$out/freeglut-build"
  logged "configuring freeglut for Windows" freeglut-configure.log \
    cmake -S "$source_dir/tree" -B "$out/freeglut-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DMINGW_TRIPLET="$triplet" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$freeglut" \
    -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF
  logged "building freeglut for Windows" freeglut-build.log \
    cmake --build "$out/freeglut-build"
  logged "installing freeglut for Windows" freeglut-install.log cmake --install "$out/freeglut-build"
  touch "$freeglut/.complete"
fi

# 3. vantrelle.exe, with freeglut and the C++ runtime linked in, and the
# trajectory digest the tests compare with the Linux build's.
echo "== cross-building vantrelle.exe =="
logged "configuring the Windows build" program-configure.log \
  configure windows -B "$out/program" -DMINGW_TRIPLET="$triplet" -DFreeGLUT_DIR="$freeglut/lib/cmake/FreeGLUT"
logged "building vantrelle.exe" program-build.log cmake --build "$out/program" --target vantrelle trajectory_digest

# 4. The textures, drawn by the native program build's generator, and the
#    keys and the mouse for the notes, as the native program's --help says.
logged "configuring the native texture generator" textures-configure.log configure program
logged "drawing the textures" textures-build.log build program --target textures vantrelle
textures=$(preset_dir program)/textures
keys=$("$(preset_dir program)/vantrelle" --help | sed -n '/^keys:/,$p')

# 5. The zip: one folder with everything the exe needs.
echo "== packing vantrelle-windows.zip =="
stage=$out/package/vantrelle
rm -rf "$out/package"
mkdir -p "$stage"
cp "$out/program/vantrelle.exe" "$stage/"
cp "$textures/"*.bmp "$stage/"
# CRLF line ends, and a byte order mark: the key labels have UTF-8 signs (−, °),
# which Notepad shows as such only when told.
{ printf '\357\273\277'; sed 's/$/\r/'; } >"$stage/README.txt" <<TEXT
Vantrelle: a mass-spring cloth hanging in a box, driven from the keyboard.

To run it, unpack the whole folder anywhere and double-click vantrelle.exe,
or start it from a command prompt opened in this folder:

    vantrelle.exe

It reads the ten .bmp textures from the folder it is started in; all ten
must be there (replace any with your own uncompressed 24-bit BMP picture).
It needs nothing else: freeglut and the C++ runtime are inside the exe, and
OpenGL comes with Windows.

$keys
Every key writes one line in the console window.
TEXT
(cd "$out/package" && logged "packing the zip" zip.log \
  cmake -E tar cf "$out/vantrelle-windows.zip.partial" --format=zip vantrelle)
mv "$out/vantrelle-windows.zip.partial" "$out/vantrelle-windows.zip"
echo "Windows package: $out/vantrelle-windows.zip"
