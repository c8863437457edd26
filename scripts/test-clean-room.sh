#!/usr/bin/env bash
# Builds the Debian source package in a minimal Debian 12 chroot that holds only build-essential and
# the package's Build-Depends, with its unit tests: shows that the Build-Depends are complete and that
# the source package alone builds the game. Prints the chroot's size, the build's time and the tests
# dh_auto_test ran. Needs root. Slow (the first run makes the bare chroot, kept for later runs).
#   scripts/test-clean-room.sh build-deb/brakka_<version>.dsc
# The chroot comes from the machine's own apt sources (its first deb entry's archive and suite, and
# then the same entries inside), so it gets the packages this machine gets. The build's log and .deb
# files land in clean-room/ beside the .dsc.
set -euo pipefail
dsc=$(readlink -f "$1")
[ -f "$dsc" ] || { echo "test-clean-room: no source package $1" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "test-clean-room: run as root (debootstrap, chroot)" >&2; exit 1; }
cd "$(dirname "$0")/.."
scripts/install-packages.sh debootstrap debian-archive-keyring
say() { echo "test-clean-room: $*" >&2; }

sources=/etc/apt/sources.list.d/debian.sources
entry=$(awk -v RS= '/(^|\n)Types:[ \t]*deb([ \t]|\n|$)/ { print; exit }' "$sources")
uri=$(sed -n 's/^URIs:[ \t]*\([^ \t]*\).*/\1/p' <<<"$entry")
suite=$(sed -n 's/^Suites:[ \t]*\([^ \t]*\).*/\1/p' <<<"$entry")
[ -n "$uri" ] && [ -n "$suite" ] || { say "no deb entry in $sources"; exit 1; }

# The bare chroot (debootstrap's build variant: essential packages and build-essential), kept as a
# tarball and unpacked afresh for every build.
cache=/var/cache/brakka-clean-room
base=$cache/$suite-buildd.tar
mkdir -p "$cache"
if [ ! -f "$base" ]; then
  say "making the bare $suite chroot"
  tmp=$(mktemp -d "$cache/debootstrap.XXXXXX")
  debootstrap --variant=buildd --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
    "$suite" "$tmp" "$uri" >"$cache/debootstrap.log" 2>&1 || { tail -20 "$cache/debootstrap.log" >&2; exit 1; }
  rm -f "$tmp/etc/apt/sources.list"
  cp "$sources" "$tmp/etc/apt/sources.list.d/"
  tar -C "$tmp" -cf "$base.part" . && mv "$base.part" "$base"
  rm -rf "$tmp"
fi

root=$(mktemp -d /var/tmp/brakka-clean-room.XXXXXX)
chmod 755 "$root"  # the root folder of the system inside, which its own users walk through
cleanup() {
  for m in dev/shm dev/pts proc; do umount "$root/$m" 2>/dev/null || true; done
  rm -rf "$root"
}
trap cleanup EXIT
tar -C "$root" -xf "$base"
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/dev/shm"
mkdir -p "$root/dev/pts" && mount -t devpts -o newinstance devpts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
mkdir -p "$root/build"
# The .dsc and the files it lists.
cp "$dsc" "$root/build/"
awk '/^Files:/ { on = 1; next } /^[^ ]/ { on = 0 } on && NF == 3 { print $3 }' "$dsc" |
  while read -r file; do cp "$(dirname "$dsc")/$file" "$root/build/"; done
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

started=$SECONDS
in_root apt-get update -qq
bare=$(du -smx --exclude="$root/build" "$root" | cut -f1)
say "installing the Build-Depends of $(basename "$dsc")"
in_root apt-get build-dep -y -qq --no-install-recommends "/build/$(basename "$dsc")" >"$root/build/build-dep.log"
size=$(du -smx --exclude="$root/build" "$root" | cut -f1)
deps_time=$((SECONDS - started))

started=$SECONDS
say "building"
status=0
in_root sh -c "cd /build && dpkg-source -x $(basename "$dsc") src >/dev/null &&
  cd src && DEB_BUILD_OPTIONS=parallel=$(nproc) dpkg-buildpackage -us -uc -b" >"$root/build/build.log" 2>&1 || status=$?
build_time=$((SECONDS - started))
results=$(dirname "$dsc")/clean-room
rm -rf "$results"
mkdir -p "$results"
cp "$root/build/build.log" "$root/build/build-dep.log" "$results/"
cp "$root"/build/*.deb "$results/" 2>/dev/null || true
if [ "$status" -ne 0 ]; then
  tail -40 "$results/build.log" >&2
  say "the build failed ($results/build.log)"
  exit 1
fi
echo "== clean room: bare $suite chroot $bare MiB, with the Build-Depends $size MiB (installed in ${deps_time} s)"
echo "== clean room: dpkg-buildpackage took ${build_time} s"
grep -E "tests passed|tests failed out of" "$results/build.log" | sed 's/^/== clean room: dh_auto_test: /'
ls "$results"/*.deb
