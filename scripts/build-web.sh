#!/usr/bin/env bash
# Builds the browser version of the game on Debian 12 and packs it as
#   build-web/brakka-<version>-web.zip
# holding one folder, brakka/, of static files any web server can serve: index.html (the page),
# brakka.js and brakka.wasm (the program), brakka.data and brakka-data.js (the game's data: the two
# archives and the starting high-ratings file, preloaded into the program's memory), README.txt and
# Licenses/. The folder is also left as build-web/stage/brakka. Prints the zip's path last.
#
# Steps, each in its own folder under build-web/:
#   1. scripts/web-deps.sh: the libraries, from Debian's source packages (reused while their versions
#      stay the same);
#   2. native/ (or $BRAKKA_WEB_NATIVE): a Linux build of the media generators, which make the media set;
#   3. cmake/: brakka.js and brakka.wasm with Debian's emscripten;
#   4. stage/brakka, zipped.
# Installs whatever is missing (apt-get; run as root or with sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-web
started=$SECONDS
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2
say() { echo "build-web: $*" >&2; }
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# The libraries: scripts/web-deps.sh's prefix, or one BRAKKA_WEB_DEPS names.
deps=${BRAKKA_WEB_DEPS:-$(scripts/web-deps.sh)}
scripts/deps.sh
say "libraries ready in $((SECONDS - started)) s"

# The media set from a native build: build-web/native, or the one BRAKKA_WEB_NATIVE names (CI gives
# the test build's, which has made it already).
native=${BRAKKA_WEB_NATIVE:-$out/native}
say "native build of the media set in $native"
[ -f "$native/CMakeCache.txt" ] ||
  cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release -DBRAKKA_TESTS=OFF -DBRAKKA_MEDIA=ON >/dev/null
step=$SECONDS
nice -n 19 cmake --build "$native" -j"$jobs" --target media brakka_highs >/dev/null
say "media set ready in $((SECONDS - step)) s"

say "web build of brakka.js and brakka.wasm"
step=$SECONDS
# Compiled files are kept from run to run by ccache, beside the libraries (or where BRAKKA_WEB_CCACHE
# says): a fresh clone (CI's) compiles only what changed. Paths count from the clone, so every clone
# shares them; the compiler counts by its packages' versions (em++ is a script that stays the same).
scripts/install-packages.sh ccache
export CCACHE_DIR=${BRAKKA_WEB_CCACHE:-$(dirname "$deps")/ccache} CCACHE_BASEDIR=$PWD CCACHE_MAXSIZE=1G
CCACHE_COMPILERCHECK="string:$(dpkg-query -W -f='${Package}=${Version} ' emscripten clang-14 lld-14)"
export CCACHE_COMPILERCHECK
ccache --zero-stats >/dev/null
emcmake cmake -S . -B "$out/cmake" -G Ninja -DBRAKKA_WEB_DEPS="$deps" -DCMAKE_BUILD_TYPE=Release \
  -DBRAKKA_TESTS=OFF -DBRAKKA_MEDIA=OFF -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  >/dev/null
nice -n 19 cmake --build "$out/cmake" -j"$jobs" --target brakka >&2
say "brakka.js and brakka.wasm built in $((SECONDS - step)) s" \
  "($(ccache --print-stats | awk -F'\t' '$1 == "direct_cache_hit" { h = $2 } $1 == "cache_miss" { m = $2 }
                                         END { print h + 0 " compiled files reused, " m + 0 " compiled" }'))"

read -r version release_date < "$out/cmake/dist/release.txt"
stage=$out/stage
game=$stage/brakka
rm -rf "$stage"
mkdir -p "$game" "$stage/data/Media"
cp "$out/cmake/bin/brakka.js" "$out/cmake/bin/brakka.wasm" "$game/"

# The program's file system: /brakka is the program, /Media its data beside it, and the install record
# says the data is installed: the game never writes there, and keeps the player's high ratings in the
# user data folder, which lives in the browser's storage.
cp "$native/bin/Media/data.zaz" "$native/bin/Media/media.zaz" "$stage/data/Media/"
cp "$native/first-highs/"* "$stage/data/Media/"
printf 'Media\n' > "$stage/data/installed-data"
python3 /usr/share/emscripten/tools/file_packager.py "$game/brakka.data" \
  --preload "$stage/data/Media@/Media" "$stage/data/installed-data@/installed-data" \
  --js-output="$game/brakka-data.js" >/dev/null

wasm_size=$(stat -c %s "$game/brakka.wasm")
data_size=$(stat -c %s "$game/brakka.data")
sed -e "s/@WASM_SIZE@/$wasm_size/" -e "s/@DATA_SIZE@/$data_size/" dist/web/index.html > "$game/index.html"
sed -e "s/@VERSION@/$version/" dist/web/README.txt.in > "$game/README.txt"
mkdir -p "$game/Licenses"
for file in "$deps"/share/licenses/debian/*; do
  cp "$file" "$game/Licenses/$(basename "$file").txt"
done
cp /usr/share/doc/fonts-dejavu-core/copyright "$game/Licenses/fonts-dejavu.txt"
cp /usr/share/common-licenses/GPL-2 "$game/Licenses/GPL-2.txt"
cp /usr/share/common-licenses/GPL-3 "$game/Licenses/GPL-3.txt"

zip=$out/brakka-$version-web.zip
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "../$(basename "$zip")" --format=zip --mtime="$release_date 00:00:00 UTC" brakka)
for f in brakka.wasm brakka.js brakka.data; do
  say "$f: $(stat -c %s "$game/$f") bytes, $(gzip -9 -c "$game/$f" | wc -c) gzipped"
done
say "packed in $((SECONDS - started)) s: $(du -k "$zip" | cut -f1) KiB"
echo "$zip"
