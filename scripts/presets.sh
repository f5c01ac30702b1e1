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

# The folder a preset builds in, as CMakePresets.json names it (its own
# binaryDir, or the one it inherits).
preset_dir() {
  python3 - "$root" "$1" <<'PY'
import json, sys
root, name = sys.argv[1:]
with open(root + "/CMakePresets.json") as f:
    presets = {p["name"]: p for p in json.load(f)["configurePresets"]}
preset = presets[name]
while "binaryDir" not in preset:
    inherits = preset["inherits"]
    preset = presets[inherits if isinstance(inherits, str) else inherits[0]]
print(preset["binaryDir"].replace("${sourceDir}", root))
PY
}
