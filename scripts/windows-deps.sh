#!/usr/bin/env bash
# Builds the Windows (x86-64) libraries the game links from Debian's own source packages, with
# MinGW-w64 and cmake/mingw-w64-x86_64.cmake, into a prefix that later runs reuse, and prints that
# prefix's path as the one line on stdout (progress goes to stderr):
#
#   deps=$(scripts/windows-deps.sh)
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DBRAKKA_WINDOWS_DEPS="$deps"
#
# Installs the cross compiler, Wine and Xvfb from Debian's packages and adds a deb-src entry copied
# from the machine's own apt sources (needs root, or sudo). The source packages are pinned; apt checks
# them against the archive's signed indexes. zlib is the MinGW build Debian ships
# (libz-mingw-w64-dev); GoogleTest for the test programs is built from Debian's googletest sources.
#
# The prefix lives outside the clone (default /var/cache/brakka-windows-deps/<key>, or
# $BRAKKA_WINDOWS_DEPS_CACHE/<key>), so fresh clones on the same machine (CI) reuse it; <key> is a hash
# of the pinned versions, the compiler's and zlib's package versions, this script and the toolchain
# file, so any change to one of them builds a new prefix. A prefix counts only once it holds its
# manifest, written last; an interrupted build is removed and done again.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
root=$PWD
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)

# Debian source packages, name=version.
sources=(
  libsdl2=2.26.5+dfsg-1
  libsdl2-mixer=2.6.2+dfsg-2
  libpng1.6=1.6.39-2+deb12u5
  libjpeg-turbo=1:2.1.5-2
  lzo2=2.10-2
)
packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev
  binutils-mingw-w64-x86-64 nasm cmake ninja-build pkg-config dpkg-dev googletest
  wine wine64 xvfb xauth
)

say() { echo "windows-deps: $*" >&2; }
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
apt_update() { $SUDO apt-get -o DPkg::Lock::Timeout=1200 update -qq >&2; }

"$root/scripts/install-packages.sh" "${packages[@]}"

# The prefix's key and place.
versions() { dpkg-query -W -f='${Package} ${Version}\n' "$@"; }
key=$( { printf '%s\n' "${sources[@]}"
         versions g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev nasm googletest
         cat "$self" "$toolchain"; } | sha256sum | cut -c1-16)
if [ -n "${BRAKKA_WINDOWS_DEPS_CACHE:-}" ]; then
  cache=$BRAKKA_WINDOWS_DEPS_CACHE
elif [ "$(id -u)" -eq 0 ]; then
  cache=/var/cache/brakka-windows-deps
else
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/brakka-windows-deps
fi
prefix=$cache/$key
manifest=$prefix/share/brakka-windows-deps/manifest.txt
mkdir -p "$cache"
exec 9>"$cache/$key.lock"
flock 9   # another run building the same prefix finishes first
if [ -f "$manifest" ]; then
  say "reusing $prefix"
  echo "$prefix"
  exit 0
fi

# A deb-src entry for every deb entry of the machine's own deb822 sources, in a file of our own.
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
   ! apt-cache showsrc "${sources[0]%%=*}" 2>/dev/null | grep -qx "Version: ${sources[0]#*=}"; then
  say "adding $src_list"
  printf '%s\n' "$entries" | $SUDO tee "$src_list" >/dev/null
  apt_update
fi

work=$(mktemp -d "$cache/work-$key.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$work/src" "$prefix"
cd "$work/src"
# apt downloads as its own user where it can write.
if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then chown _apt "$work/src"; fi
say "fetching ${sources[*]}"
apt-get source --download-only -qq "${sources[@]}" >&2
# apt has checked every file against the archive's signed indexes; dpkg-source checks them again
# against the .dsc (the uploaders' own signatures it cannot check without their keys, and says so).
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

times=()
build() {  # name source-dir cmake-options...
  local name=$1 dir=$2 start=$SECONDS
  shift 2
  say "building $name"
  cmake -S "$dir" -B "$work/build/$name" -G Ninja --toolchain "$toolchain" -DBRAKKA_WINDOWS_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$work/$name.log" 2>&1 &&
  cmake --build "$work/build/$name" -j"$jobs" >>"$work/$name.log" 2>&1 &&
  cmake --install "$work/build/$name" >>"$work/$name.log" 2>&1 || {
    tail -40 "$work/$name.log" >&2
    say "building $name failed"
    exit 1
  }
  times+=("$name $((SECONDS - start)) s: $*")
}

# SDL2 as a static library only, with no SDL2main: the program has its own main (MinGW's start-up calls
# main for console and GUI programs alike), and SDL needs no main of its own on Win32.
build sdl2 "$(unpacked libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON
# Each program chooses its own subsystem (the game a window, the tests and tools a console), so the
# link line drops the -mwindows SDL's pkg-config file adds.
sed -i 's/ -mwindows\b//g' "$prefix/lib/pkgconfig/sdl2.pc" "$prefix/bin/sdl2-config"

# WAV and MP3 only (MP3 through the bundled dr_mp3): what the game plays, with nothing else to link.
build sdl2-mixer "$(unpacked libsdl2-mixer)" -DBUILD_SHARED_LIBS=OFF -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=ON \
  -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF
# Its build writes a pkg-config file only for the shared library; this one has nothing else to link.
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

# zlib from the MinGW sysroot (static, see the toolchain file).
build libpng "$(unpacked libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF

# The libjpeg 6.2 interface, as on Linux; the SIMD code is required (nasm) rather than quietly left out.
build libjpeg-turbo "$(unpacked libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_SIMD=ON -DREQUIRE_SIMD=ON

build lzo2 "$(unpacked lzo2)" -DENABLE_STATIC=ON -DENABLE_SHARED=OFF

# GoogleTest and GoogleMock on Win32's own threads (gtest's Windows port), not winpthreads.
build googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=ON

# The licences of what a Windows program links statically, as Debian states them for these very sources:
# a release carries them beside the program.
licenses=$prefix/share/licenses/debian
mkdir -p "$licenses"
for pkg in libsdl2 libsdl2-mixer libpng1.6 libjpeg-turbo lzo2; do
  cp "$(unpacked "$pkg")/debian/copyright" "$licenses/$pkg"
done
cp /usr/share/doc/libz-mingw-w64-dev/copyright "$licenses/zlib"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$licenses/mingw-w64"

mkdir -p "$(dirname "$manifest")"
{
  echo "# Windows x86-64 libraries for Brakka, built by scripts/windows-deps.sh (key $key)"
  echo "source packages: ${sources[*]}"
  versions g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev nasm googletest
  echo "build times (seconds) and options:"
  printf '  %s\n' "${times[@]}"
} >"$manifest.new"
mv "$manifest.new" "$manifest"
say "built $prefix in $SECONDS s"
echo "$prefix"
