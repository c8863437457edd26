#!/usr/bin/env bash
# Builds the game's Debian package: a Release build of the program and its media (build-deb/tree),
# installed into a staging root in the Debian Games layout (build-deb/stage):
#   /usr/games/brakka               the launcher (a link to the program)
#   /usr/lib/games/brakka/          the program, its Media link and its install record
#   /usr/share/games/brakka/        the archives and the starting high-ratings table
#   /usr/share/applications, metainfo, icons/hicolor, man/man6, doc/brakka
# then packed by dpkg-deb into build-deb/brakka_<version>-<revision>_<arch>.deb, whose path it prints
# last. The version is the CMake project's; Depends come from the program's libraries (dpkg-shlibdeps).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
umask 022

out=build-deb
revision=1  # the packaging's own revision of the version
started=$(date +%s)

# Built as Debian builds its packages, hardened; CMake reads no CPPFLAGS, so they join the compile flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
CFLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CFLAGS CXXFLAGS LDFLAGS

cmake -S . -B "$out/tree" -DCMAKE_BUILD_TYPE=Release -DBRAKKA_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
  -DBRAKKA_INSTALL_PROGRAM_DIR=lib/games/brakka -DBRAKKA_INSTALL_DATA_DIR=share/games/brakka
cmake --build "$out/tree" -j"$(nproc)" --target brakka media

stage="$PWD/$out/stage"
rm -rf "$stage" "$out/debian" "$out"/brakka_*.deb
DESTDIR="$stage" cmake --install "$out/tree" >/dev/null
# Stripped as Debian strips its programs: no symbols, no compiler notes.
strip --remove-section=.comment --remove-section=.note "$stage/usr/lib/games/brakka/brakka"

# The Debian files: the changelog of this version, the copyright, the manual page compressed.
read -r version release_date < "$out/tree/dist/release.txt"
mkdir -p "$out/debian" "$stage/usr/share/doc/brakka" "$stage/DEBIAN"
sed -e "s/@VERSION@/$version-$revision/" -e "s/@DATE@/$(date -R -u -d "$release_date")/" \
  dist/debian/changelog.in > "$out/debian/changelog"
cp dist/debian/control "$out/debian/control"
gzip -9n < "$out/debian/changelog" > "$stage/usr/share/doc/brakka/changelog.Debian.gz"
install -m 644 dist/debian/copyright "$stage/usr/share/doc/brakka/copyright"
gzip -9n "$stage/usr/share/man/man6/brakka.6"

# The control file: the version from the changelog, Depends from the libraries the program links.
(cd "$out" &&
  dpkg-shlibdeps -Tdebian/substvars stage/usr/lib/games/brakka/brakka &&
  dpkg-gencontrol -pbrakka -Pstage -Tdebian/substvars -fdebian/files)
(cd "$stage" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/md5sums"

deb="$out/brakka_${version}-${revision}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "Packed in $(($(date +%s) - started)) s: $(du -k "$deb" | cut -f1) KiB"
echo "$deb"
