# Sourced by the builds that need a dependency built from Debian's own source
# package (freeglut for Windows, Google Benchmark for WebAssembly). Needs
# `logged` and `fail` (scripts/steps.sh).

# debian_source PACKAGE FOLDER: fetches the source package of this Debian
# release into FOLDER/source with a private sources list and apt state under
# FOLDER/apt, so that the machine's package sources stay as they are, and
# sets `source_tree` to the unpacked tree. DEBIAN_MIRROR names another mirror.
debian_source() {
  local package=$1 folder=$2
  local mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
  local codename
  codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  rm -rf "$folder/apt" "$folder/source"
  mkdir -p "$folder/apt/state/lists/partial" "$folder/apt/cache/archives/partial" "$folder/source"
  echo "deb-src $mirror ${codename:-bookworm} main" >"$folder/apt/sources.list"
  local apt_options=(
    -o Dir::Etc::SourceList="$folder/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State="$folder/apt/state" -o Dir::Cache="$folder/apt/cache"
    -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)" -o Acquire::Retries=2
  )
  logged "downloading the $package source index (apt-get update, $mirror)" "$package-apt-update.log" \
    apt-get "${apt_options[@]}" update
  # apt-get update reports some fetch failures as warnings only.
  if grep -qE '^(W|E): (Failed to fetch|Some index files failed)' "$out/logs/$package-apt-update.log"; then
    fail "downloading the $package source index (apt-get update, $mirror) failed:
$(grep -E '^(W|E):' "$out/logs/$package-apt-update.log" | head -n 5)"
  fi
  (cd "$folder/source" && logged "downloading Debian's $package source package (apt-get source $package)" \
    "$package-apt-source.log" apt-get "${apt_options[@]}" source "$package")
  source_tree=$(find "$folder/source" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
  [ -n "$source_tree" ] || fail "apt-get source $package unpacked nothing into $folder/source"
}
