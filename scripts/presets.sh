# Sourced by every script that builds the project. Its configurations are the
# presets in CMakePresets.json, and nothing else configures it; the number of
# jobs that build and test is set here, once. Needs `root` (the repository).

export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(getconf _NPROCESSORS_ONLN 2>/dev/null || echo 2)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$CMAKE_BUILD_PARALLEL_LEVEL}

# configure PRESET [CMAKE_ARGS...]: configures quietly; errors still show.
configure() {
  (cd "$root" && cmake --preset "$1" "${@:2}" >/dev/null)
}

# build PRESET [CMAKE_BUILD_ARGS...]: builds the preset's targets (or those
# given with --target).
build() {
  (cd "$root" && cmake --build --preset "$1" "${@:2}")
}

# run_tests PRESET [CTEST_ARGS...]
run_tests() {
  (cd "$root" && ctest --preset "$1" "${@:2}")
}

# The folder a preset builds in, as CMakePresets.json names it.
preset_dir() {
  case $1 in
    program) echo "$root/build" ;;
    windows) echo "$root/build-windows/program" ;;
    web) echo "$root/build-web/wasm" ;;
    web-bench) echo "$root/build-web/wasm-bench" ;;
    recorder) echo "$root/build-record" ;;
    *) echo "$root/build-$1" ;;
  esac
}
