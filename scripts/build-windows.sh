#!/usr/bin/env bash
# Builds the Windows (x86-64) release of the game on Debian 12 and packs it as
#   build-windows/brakka-<version>-windows-x64.zip
# holding one folder, Brakka/: brakka.exe (linked statically: it needs only the DLLs every Windows
# has), Media/ (data.zaz, media.zaz and the starting high-ratings file: what the Debian package installs
# as the game's data), README.txt, COPYING (the game's licence), SOURCE.txt (where its source is) and
# Licenses/ (the licences of what brakka.exe links), and beside it the source it was built from,
#   build-windows/brakka-<version>-source.tar.xz
# (the committed tree, HEAD: the same bytes as the Debian package's .orig.tar.xz), and the sources of the
# libraries linked into brakka.exe, as Debian's source packages,
#   build-windows/brakka-<version>-libraries-source.tar
# The version is the CMake project's. The same commit gives the same zip and tarball. Prints the zip's path last.
#
# Steps, each in its own folder under build-windows/:
#   1. scripts/windows-deps.sh: the cross compiler and the libraries, from Debian's source packages
#      (reused while their versions stay the same);
#   2. native/: a Linux build of the media generators, which make the media set and draw the icon
#      (the generators are not cross-built);
#   3. cross/: brakka.exe with the icon, the version and the manifest in its resources;
#   4. stage/Brakka, zipped; the source tarball (scripts/source-tarball.sh) and the libraries'.
# Installs whatever is missing (apt-get; run as root or with sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-windows
started=$SECONDS
say() { echo "build-windows: $*" >&2; }
# The dates the build writes are the last commit's: the compiler's __DATE__ and __TIME__, and the time
# strip puts in brakka.exe's header (the linker writes none).
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH

deps=$(scripts/windows-deps.sh)
scripts/deps.sh
scripts/install-packages.sh zip

say "native build of the media set"
cmake -S . -B "$out/native" -DCMAKE_BUILD_TYPE=Release -DBRAKKA_TESTS=OFF -DBRAKKA_MEDIA=ON >/dev/null
cmake --build "$out/native" -j"$(nproc)" --target media

say "cross build of brakka.exe"
cmake -S . -B "$out/cross" -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake -DBRAKKA_WINDOWS_DEPS="$deps" \
  -DCMAKE_BUILD_TYPE=Release -DBRAKKA_TESTS=OFF -DBRAKKA_WINDOWS_ICON="$PWD/$out/native/icons/brakka.ico" >/dev/null
cmake --build "$out/cross" -j"$(nproc)" --target brakka

read -r version release_date < "$out/cross/dist/release.txt"
stage=$out/stage
game=$stage/Brakka
rm -rf "$stage"
mkdir -p "$game/Media"
x86_64-w64-mingw32-strip -o "$game/brakka.exe" "$out/cross/bin/brakka.exe"
cp "$out/native/bin/Media/data.zaz" "$out/native/bin/Media/media.zaz" "$game/Media/"
# The starting table, whatever the native build's Media holds after games played there.
cp "$out/native/first-highs/"* "$game/Media/"
# Windows' own line ends, for any editor.
crlf() { sed -e 's/$/\r/' "$@"; }
sed -e "s/@VERSION@/$version/" dist/windows/README.txt.in | crlf > "$game/README.txt"
# The licences of the libraries linked into brakka.exe, and of the fonts its letters are drawn from.
mkdir -p "$game/Licenses"
for file in "$deps"/share/licenses/debian/*; do
  crlf "$file" > "$game/Licenses/$(basename "$file").txt"
done
crlf /usr/share/doc/fonts-dejavu-core/copyright > "$game/Licenses/fonts-dejavu.txt"
# LZO's licence, which its copyright file names by its Debian path.
crlf /usr/share/common-licenses/GPL-2 > "$game/Licenses/GPL-2.txt"
# The game's own licence, and where its source and its libraries' sources are.
crlf COPYING > "$game/COPYING"
{ sed -e "s/@VERSION@/$version/g" dist/windows/SOURCE.txt.in
  sed -n 's/^source packages: //p' "$deps/share/brakka-windows-deps/manifest.txt" | tr ' ' '\n' | sed 's/^/  /'
  grep -E '^(libz-mingw-w64-dev|mingw-w64-x86-64-dev) ' "$deps/share/brakka-windows-deps/manifest.txt" |
    sed 's/^\([^ ]*\) /  \1=/'
} | crlf > "$game/SOURCE.txt"
scripts/source-tarball.sh "$out/brakka-$version-source.tar.xz" >/dev/null
# The sources of the libraries built for brakka.exe, as Debian's archive has them (the files apt-get
# source downloads and dpkg-source unpacks), in a second tarball beside the zip: LZO's licence (GPL-2)
# and the game's ask for them to travel with the program. apt checks them against the archive's signed
# indexes. (MinGW's zlib and C runtime, under permissive licences, are named in SOURCE.txt.)
libraries=$out/brakka-$version-libraries-source.tar
fetched=$out/libraries-source
rm -rf "$fetched"
mkdir -p "$fetched"
read -r -a library_sources < <(sed -n 's/^source packages: //p' "$deps/share/brakka-windows-deps/manifest.txt")
(cd "$fetched" && apt-get source --download-only -qq "${library_sources[@]}" >&2) ||
  { say "could not fetch the libraries' sources (${library_sources[*]})"; exit 1; }
chmod -R u=rwX,go=rX "$fetched"
(cd "$fetched" && find . -type f -printf '%P\n' | LC_ALL=C sort |
  tar --mtime="$release_date 00:00:00 UTC" --owner=0 --group=0 --numeric-owner --no-recursion \
    -cf "$PWD/../$(basename "$libraries")" -T -)

zip=$out/brakka-$version-windows-x64.zip
rm -f "$zip"
# The same sources give the same zip: every file dated to the release and readable by all, whatever the
# umask; the files in one sorted order; no owner recorded (-X); the dates stored as UTC (zip keeps local
# times).
chmod -R u=rwX,go=rX "$stage"
find "$stage" -exec touch -h -d "$release_date 00:00:00 UTC" {} +
(cd "$stage" && find Brakka -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "../$(basename "$zip")" -@)
say "source: $out/brakka-$version-source.tar.xz ($(du -k "$out/brakka-$version-source.tar.xz" | cut -f1) KiB)"
say "the libraries' sources: $libraries ($(du -k "$libraries" | cut -f1) KiB)"
say "packed in $((SECONDS - started)) s: $(du -k "$zip" | cut -f1) KiB"
echo "$zip"
