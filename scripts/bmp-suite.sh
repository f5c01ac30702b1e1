# Sourced by the test run: a public suite of bitmaps that nobody here wrote
# (good, questionable and bad files), from Debian's pillow source package,
# which ships it under Tests/images/bmp. Fetched once and kept, the source
# package itself dropped. Needs `out`, `logged` and `fail` (scripts/steps.sh).

# fetch_bmp_suite FOLDER: sets `bmp_suite` to FOLDER/suite, holding the
# suite's b/, g/, q/ and html/ (its reference pictures).
fetch_bmp_suite() {
  local folder=$1
  bmp_suite=$folder/suite
  [ -f "$folder/.complete" ] && return
  source "$root/scripts/debian-source.sh"
  rm -rf "$folder"
  debian_source pillow "$folder/pillow"
  [ -d "$source_tree/Tests/images/bmp" ] || fail "pillow's source package has no Tests/images/bmp"
  cp -r "$source_tree/Tests/images/bmp" "$bmp_suite"
  rm -rf "$folder/pillow"
  touch "$folder/.complete"
}
