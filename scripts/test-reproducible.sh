#!/usr/bin/env bash
# Checks that the Debian packages are reproducible: builds them again from a fresh clone of HEAD in
# another folder, at another time, with another umask, time zone and locale, and without the unit
# tests (DEB_BUILD_OPTIONS=nocheck), then compares every file of the two builds byte for byte: the
# source tarball, the Debian source package and the .deb files. Prints the sha256 of each.
#   scripts/test-reproducible.sh [FIRST.deb]   FIRST: a .deb package-deb.sh made from HEAD (its folder
#                                              holds the rest of that build); without it, both builds
#                                              are made here
# BRAKKA_WINDOWS=1 also builds the Windows zip and its source tarball twice and compares them.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
work=$(mktemp -d /tmp/brakka-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Builds the Debian packages in a fresh clone at $1, in a changed environment; prints the output folder.
build_elsewhere() {
  local clone=$1
  git clone --quiet --no-hardlinks "$repo" "$clone"
  (cd "$clone" && umask 0002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 LANG=C.UTF-8 \
     DEB_BUILD_OPTIONS=nocheck scripts/package-deb.sh >&2)
  echo "$clone/build-deb"
}

if [ $# -ge 1 ]; then
  first=$(dirname "$1")
else
  first=$(build_elsewhere "$work/one/brakka")
fi
started=$SECONDS
second=$(build_elsewhere "$work/a/longer/path/to/two/brakka")
echo "== the second build took $((SECONDS - started)) s"

status=0
compare() {  # name file-in-first file-in-second
  local a b
  a=$(sha256sum < "$2" | cut -d' ' -f1)
  b=$(sha256sum < "$3" | cut -d' ' -f1)
  if [ "$a" = "$b" ]; then
    echo "same     $a  $1 ($(du -k "$2" | cut -f1) KiB)"
  else
    echo "DIFFERS  $a  $b  $1"
    status=1
  fi
}

echo "== the two builds (sha256)"
for file in "$first"/*.orig.tar.xz "$first"/*.debian.tar.xz "$first"/*.dsc "$first"/*.deb; do
  compare "$(basename "$file")" "$file" "$second/$(basename "$file")"
done

if [ "${BRAKKA_WINDOWS:-0}" = 1 ]; then
  for n in one two; do
    [ -d "$work/w$n" ] || git clone --quiet --no-hardlinks "$repo" "$work/w$n/brakka"
  done
  (cd "$work/wone/brakka" && scripts/build-windows.sh >&2)
  (cd "$work/wtwo/brakka" && umask 0002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 scripts/build-windows.sh >&2)
  for file in "$work"/wone/brakka/build-windows/brakka-*.zip "$work"/wone/brakka/build-windows/brakka-*-source.tar.xz \
              "$work"/wone/brakka/build-windows/brakka-*-libraries-source.tar; do
    compare "$(basename "$file")" "$file" "$work/wtwo/brakka/build-windows/$(basename "$file")"
  done
fi

if [ "$status" != 0 ]; then
  trap - EXIT
  echo "The builds differ; both are kept in $work: diffoscope (apt-get install diffoscope) shows where." >&2
fi
exit "$status"
