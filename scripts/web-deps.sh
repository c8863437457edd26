#!/usr/bin/env bash
# Builds the WebAssembly libraries the game links in a browser from Debian's own source packages, with
# Debian's emscripten (emcmake), into a prefix that later runs reuse, and prints that prefix's path as
# the one line on stdout (progress goes to stderr):
#
#   deps=$(scripts/web-deps.sh)
#   emcmake cmake -S . -B build-web/cmake -DBRAKKA_WEB_DEPS="$deps"
#
# Installs emscripten from Debian's packages and adds a deb-src entry copied from the machine's own apt
# sources (needs root, or sudo). The source packages are pinned; apt checks them against the archive's
# signed indexes. Nothing comes from emscripten's own download service: every library is built here.
#
# The prefix lives outside the clone (default /var/cache/brakka-web-deps/<key>, or
# $BRAKKA_WEB_DEPS_CACHE/<key>), so fresh clones on the same machine (CI) reuse it; <key> is a hash of
# the pinned versions, the compiler's package versions and this script, so any change to one of them
# builds a new prefix. A prefix counts only once it holds its manifest, written last; an interrupted
# build is removed and done again.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
root=$PWD
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2

# Debian source packages, name=version.
sources=(
  zlib=1:1.2.13.dfsg-1
  libsdl2=2.26.5+dfsg-1
  libsdl2-mixer=2.6.2+dfsg-2
  libpng1.6=1.6.39-2+deb12u5
  libjpeg-turbo=1:2.1.5-2
  lzo2=2.10-2
)
packages=(emscripten cmake ninja-build pkg-config dpkg-dev)

say() { echo "web-deps: $*" >&2; }
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
apt_update() { $SUDO apt-get -o DPkg::Lock::Timeout=1200 update -qq >&2; }

"$root/scripts/install-packages.sh" "${packages[@]}"
# emcc runs on node; a node that is not Debian's own does not look in Debian's module folder.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

versions() { dpkg-query -W -f='${Package} ${Version}\n' "$@"; }
key=$( { printf '%s\n' "${sources[@]}"
         versions emscripten binaryen clang-14 lld-14
         cat "$self"; } | sha256sum | cut -c1-16)
if [ -n "${BRAKKA_WEB_DEPS_CACHE:-}" ]; then
  cache=$BRAKKA_WEB_DEPS_CACHE
elif [ "$(id -u)" -eq 0 ]; then
  cache=/var/cache/brakka-web-deps
else
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/brakka-web-deps
fi
prefix=$cache/$key
manifest=$prefix/share/brakka-web-deps/manifest.txt
mkdir -p "$cache"
exec 9>"$cache/$key.lock"
flock 9   # another run building the same prefix finishes first
if [ -f "$manifest" ]; then
  say "reusing $prefix"
  echo "$prefix"
  exit 0
fi

# A deb-src entry for every deb entry of the machine's own deb822 sources, in a file of our own (the
# same file and content the Windows dependencies' script writes).
src_list=/etc/apt/sources.list.d/brakka-deb-src.sources
entries=$(awk -v RS= -v ORS='\n\n' '
  /(^|\n)Types:[^\n]*deb-src/ { next }
  /(^|\n)Types:[ \t]*deb([ \t]|\n|$)/ { sub(/Types:[ \t]*deb/, "Types: deb-src"); print }' \
  $(ls /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -vx "$src_list"))
if [ -z "$entries" ]; then
  say "no deb822 'Types: deb' entry in /etc/apt/sources.list.d to copy a deb-src entry from"
  exit 1
fi
if [ "$(cat "$src_list" 2>/dev/null)" != "$entries" ] ||
   ! apt-cache showsrc "${sources[0]%%=*}" 2>/dev/null | grep -x "Version: ${sources[0]#*=}" >/dev/null; then
  say "adding $src_list"
  printf '%s\n' "$entries" | $SUDO tee "$src_list" >/dev/null
  apt_update
fi

work=$(mktemp -d "$cache/work-$key.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$work/src" "$prefix"
cd "$work/src"
if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then chown _apt "$work/src"; fi
say "fetching ${sources[*]}"
apt-get source --download-only -qq "${sources[@]}" >&2
for dsc in *.dsc; do
  dpkg-source -x "$dsc" >"$dsc.log" 2>&1 || { cat "$dsc.log" >&2; exit 1; }
done

unpacked() { echo "$work/src/$1-$(version_of "$1")"*; }  # a source package's unpacked tree
version_of() {  # upstream version of a pinned source package
  local v
  for v in "${sources[@]}"; do
    [ "${v%%=*}" = "$1" ] && { v=${v#*=}; v=${v#*:}; echo "${v%%[+-]*}"; return; }
  done
}

# Size matters more than speed for a download; the game's own code sets its own level.
export CFLAGS="-Os" CXXFLAGS="-Os"
times=()
build() {  # name source-dir cmake-options...
  local name=$1 dir=$2 start=$SECONDS
  shift 2
  say "building $name"
  emcmake cmake -S "$dir" -B "$work/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    "$@" >"$work/$name.log" 2>&1 &&
  nice -n 19 cmake --build "$work/build/$name" -j"$jobs" >>"$work/$name.log" 2>&1 &&
  cmake --install "$work/build/$name" >>"$work/$name.log" 2>&1 || {
    tail -40 "$work/$name.log" >&2
    say "building $name failed"
    exit 1
  }
  times+=("$name $((SECONDS - start)) s: $*")
}

# zlib by its own configure script, static only (its CMake build wants the Windows resource file the
# Debian sources leave out).
start=$SECONDS
say "building zlib"
(cd "$(unpacked zlib)" && emconfigure ./configure --static --prefix="$prefix" &&
 nice -n 19 emmake make -j"$jobs" libz.a && emmake make install) >"$work/zlib.log" 2>&1 || { tail -40 "$work/zlib.log" >&2; say "building zlib failed"; exit 1; }
times+=("zlib $((SECONDS - start)) s: configure --static")

# SDL2 as a static library: video through the browser's canvas and WebGL, audio through Web Audio,
# game pads through the Gamepad API, touch as touch events. No threads (the page has one).
build sdl2 "$(unpacked libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON \
  -DSDL_PTHREADS=OFF -DSDL_THREADS=OFF

# WAV and MP3 only (MP3 through the bundled dr_mp3).
build sdl2-mixer "$(unpacked libsdl2-mixer)" -DBUILD_SHARED_LIBS=OFF -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=ON \
  -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF -DSDL2MIXER_DEPS_SHARED=OFF
mkdir -p "$prefix/lib/pkgconfig"
cat >"$prefix/lib/pkgconfig/SDL2_mixer.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SDL2_mixer
Description: mixer library for Simple DirectMedia Layer (static: WAV, and MP3 through dr_mp3)
Version: $(version_of libsdl2-mixer)
Requires: sdl2 >= 2.0.9
Libs: -L\${libdir} -lSDL2_mixer
Cflags: -I\${includedir}/SDL2
EOF

build libpng "$(unpacked libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
  -DZLIB_ROOT="$prefix" -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"

# The libjpeg 6.2 interface, as on Linux; WebAssembly has no SIMD code of libjpeg-turbo's.
# CMake cannot measure a type in a WebAssembly build (it reads the size out of the compiled test program,
# which emscripten leaves in the .wasm beside it): the two sizes libjpeg-turbo asks for are wasm32's.
build libjpeg-turbo "$(unpacked libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_SIMD=OFF -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4

# LZO's CMake build measures its types the way that fails in a WebAssembly build, and its headers work
# the sizes out for themselves: the library's sources compiled as they are.
start=$SECONDS
say "building lzo2"
mkdir -p "$work/build/lzo2" "$prefix/include/lzo"
(cd "$work/build/lzo2" && for c in "$(unpacked lzo2)"/src/*.c; do
   nice -n 19 emcc -Os -I"$(unpacked lzo2)/include" -I"$(unpacked lzo2)" -c "$c" -o "$(basename "$c" .c).o" || exit 1
 done && emar rcs "$prefix/lib/liblzo2.a" ./*.o && cp "$(unpacked lzo2)"/include/lzo/*.h "$prefix/include/lzo/") \
  >"$work/lzo2.log" 2>&1 || { tail -40 "$work/lzo2.log" >&2; say "building lzo2 failed"; exit 1; }
times+=("lzo2 $((SECONDS - start)) s: the sources compiled with emcc -Os")

# The licences of what the page's program links, as Debian states them for these very sources.
licenses=$prefix/share/licenses/debian
mkdir -p "$licenses"
for pkg in zlib libsdl2 libsdl2-mixer libpng1.6 libjpeg-turbo lzo2; do
  cp "$(unpacked "$pkg")/debian/copyright" "$licenses/$pkg"
done
cp /usr/share/doc/emscripten/copyright "$licenses/emscripten"

mkdir -p "$(dirname "$manifest")"
{
  echo "# WebAssembly libraries for Brakka, built by scripts/web-deps.sh (key $key)"
  echo "source packages: ${sources[*]}"
  versions emscripten binaryen clang-14 lld-14
  echo "build times (seconds) and options:"
  printf '  %s\n' "${times[@]}"
} >"$manifest.new"
mv "$manifest.new" "$manifest"
say "built $prefix in $SECONDS s"
echo "$prefix"
