#!/usr/bin/env bash
# Builds the game's Debian source and binary packages from the committed tree (HEAD), the way Debian
# builds a package (dpkg-buildpackage with debhelper; the packaging is debian/), into build-deb/:
#   brakka_<version>.orig.tar.xz             the source (`git archive` of HEAD)
#   brakka_<version>-<revision>.debian.tar.xz, .dsc, _<arch>.changes, _<arch>.buildinfo
#   brakka_<version>-<revision>_<arch>.deb   the game, in the Debian Games layout (README.md)
#   brakka-dbgsym_<version>-<revision>_<arch>.deb   its debugging symbols
# and prints the .deb's path last. The build runs in build-deb/brakka-<version>/, unpacked from the
# source tarball, with the dates of the last commit (SOURCE_DATE_EPOCH), so the same commit gives the
# same files. DEB_BUILD_OPTIONS passes through (nocheck skips the unit tests).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
# Whatever else debian/control's Build-Depends name (debhelper among them), as apt reads them there.
if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 build-dep -y -qq \
    --no-install-recommends ./ >&2
fi
started=$SECONDS

out=build-deb
upstream=$(sed -n 's/^project(brakka VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
version=$(dpkg-parsechangelog -S Version)
if [ "${version%-*}" != "$upstream" ]; then
  echo "package-deb: debian/changelog's version $version is not the project's $upstream: add a changelog entry" >&2
  exit 1
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

rm -rf "$out"
mkdir -p "$out"
scripts/source-tarball.sh "$out/brakka_$upstream.orig.tar.xz" >/dev/null
tar -xf "$out/brakka_$upstream.orig.tar.xz" -C "$out"
(cd "$out/brakka-$upstream" && dpkg-buildpackage -us -uc --jobs="${BRAKKA_JOBS:-$(nproc)}")

deb="$out/brakka_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
[ -f "$deb" ] || { echo "package-deb: no $deb was made" >&2; exit 1; }
echo "Packaged in $((SECONDS - started)) s: $(du -k "$deb" | cut -f1) KiB"
echo "$deb"
