#!/usr/bin/env bash
# Tests the Windows build under Wine, on Debian 12:
#   1. scripts/build-windows.sh: the libraries, the native media build, brakka.exe and the release zip;
#   2. the unit tests, cross-built in the release's own cross build (build-windows/cross: the runtime and
#      the game are compiled once for both), run by CTest under Wine: the core, media, platform, game
#      and tools suites, each test in a process of its own, whole headless games included;
#   3. the release zip unpacked into a folder named with letters beyond ASCII, its brakka.exe played in
#      a real window under Wine by the Linux build's platform_tests (a name typed and saved, PLAY
#      clicked, Esc), each start on an Xvfb server of the test's own;
#   4. figures: a whole headless game's game time against its wall time under Wine, and frame pacing
#      under Wine beside Linux's on the same Xvfb server.
# Wine runs in a prefix of our own (build-windows/wine), quiet and without Mono and Gecko; its OpenGL
# reaches Mesa through an Xvfb server, which also shows the windows the headless backend never shows.
# Installs whatever is missing (apt-get; run as root or with sudo). Each step says what it cost.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=build-windows
jobs=$(nproc)
started=$SECONDS
phase=$SECONDS
say() { echo "test-windows: $*" >&2; }
lap() {
  say "$1 took $((SECONDS - phase)) s"
  phase=$SECONDS
}

zip=$root/$(scripts/build-windows.sh | tail -n 1)
lap "the release zip ($zip)"

cmake -S . -B "$out/cross" -DBRAKKA_TESTS=ON -DBRAKKA_TEST_MEDIA_DIR="$root/$out/native/bin/Media" >/dev/null
cmake --build "$out/cross" -j"$jobs"
lap "the cross-built tests"
# The Linux side (built already after scripts/test.sh): the driver of the real window, and frame pacing
# for comparison.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target platform_tests bench_frame_pacing
lap "the Linux driver"

export WINEPREFIX=$root/$out/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=""
for n in $(seq $((200 + $$ % 500)) $((209 + $$ % 500))); do
  [ -e "/tmp/.X$n-lock" ] || { display=:$n; break; }
done
[ -n "$display" ] || { say "no free X display number"; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
mounted=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "$mounted" ] || umount "$mounted" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY=$display
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
wineboot --update >/dev/null 2>&1  # starts the server, so the first test does not pay for it
lap "Wine and Xvfb"

# A test whose Wine process fails to start (gone in hundredths of a second, without a line of its own)
# has been seen once in many runs; a failed test runs once more, and one that fails twice still fails.
(cd "$out/cross" && ctest -j"$jobs" --output-on-failure --timeout 300 --repeat until-pass:2)
lap "the unit tests under Wine"

unpacked=$out/unpacked
umount "$unpacked/read-only" 2>/dev/null || true  # a mount an interrupted run left
rm -rf "$unpacked"
wine_folder() { winepath -u "$(wine cmd /c "echo %$1%" | tr -d '\r')"; }
wine_temp=$(wine_folder TEMP)
wine_appdata=$(wine_folder APPDATA)
wineserver -k  # Wine's own processes start again on the test's X server
unpack() { mkdir -p "$1" && (cd "$1" && cmake -E tar xf "$zip"); }
# Plays the brakka.exe of an unpacked release in a real window; BRAKKA_WINDOWS_SAVES (when set) names
# where its table must land instead of its Media folder.
play_release() {  # folder report
  local status=0
  BRAKKA_WINDOWS_PROGRAM="$root/$1/Brakka/brakka.exe" BRAKKA_WINDOWS_TEMP="$wine_temp" \
    build/bin/platform_tests --gtest_filter='BrakkaProgram.WindowsProgram*' >"$out/$2" 2>&1 || status=$?
  grep -v '^ALSA lib' "$out/$2"  # Wine's sound driver finds no device here
  [ "$status" -eq 0 ]
}
unpack "$unpacked/Spiele für Zoë"
# The release is free to pass on: its licence and where its source is, the source beside it; and the
# program answers --version (to a pipe here; in a console, to that console) without a window.
for file in COPYING SOURCE.txt; do
  [ -s "$unpacked/Spiele für Zoë/Brakka/$file" ] || { say "the zip has no Brakka/$file"; exit 1; }
done
source_tarball=$(dirname "$zip")/$(basename "$zip" -windows-x64.zip)-source.tar.xz
[ -s "$source_tarball" ] || { say "no $source_tarball beside the zip"; exit 1; }
# And the libraries' sources: a Debian source package, whole, for each one SOURCE.txt says was built.
libraries_tarball=${source_tarball%-source.tar.xz}-libraries-source.tar
check=$out/libraries-check
rm -rf "$check"
mkdir -p "$check"
tar -xf "$libraries_tarball" -C "$check"
for dsc in "$check"/*.dsc; do
  dpkg-source -x "$dsc" "$check/$(basename "$dsc" .dsc)" >/dev/null 2>&1 ||
    { say "$(basename "$dsc") in $libraries_tarball does not unpack whole"; exit 1; }
done
built=$(sed -n 's/\r$//; s/^  \([a-z0-9.+-]*\)=.*/\1/p' "$unpacked/Spiele für Zoë/Brakka/SOURCE.txt" |
  grep -v -x -e libz-mingw-w64-dev -e mingw-w64-x86-64-dev | sort)
[ "$(cd "$check" && ls ./*.dsc | sed 's|^\./||; s/_.*//' | sort)" = "$built" ] ||
  { say "$libraries_tarball does not hold the sources of: $built"; exit 1; }
answer=$(wine "$unpacked/Spiele für Zoë/Brakka/brakka.exe" --version | tr -d '\r' | head -n 1)
say "brakka.exe --version: $answer"
[ "$answer" = "$(basename "$zip" -windows-x64.zip | sed 's/^brakka-/Brakka /')" ]
play_release "$unpacked/Spiele für Zoë" real-window.txt
# The same release on a folder that cannot be written (a read-only mount: root writes through a folder's
# permissions): the table goes to the Wine user's %APPDATA%\Brakka.
read_only=$unpacked/read-only
unpack "$read_only"
if mount --bind "$read_only" "$read_only" 2>/dev/null; then
  mounted=$read_only
  mount -o remount,bind,ro "$read_only"
  BRAKKA_WINDOWS_SAVES="$wine_appdata/Brakka" play_release "$read_only" real-window-read-only.txt
else
  say "no read-only mount here (not root?): the read-only folder case is not played"
fi
lap "the release's program in a real window"

say "a whole headless game under Wine:"
awk '/ Test: WholeGame\.WonGame$/ { on = 1 } on && /^whole game:/ { print "  " $0; exit }' \
  "$out/cross/Testing/Temporary/LastTest.log" >&2
say "frame pacing under Wine:"
wine "$out/cross/bin/bench_frame_pacing.exe" 2>&1 | tr -d '\r' | grep -v '^ALSA lib' >&2
say "frame pacing on Linux, on the same X server:"
SDL_VIDEODRIVER=x11 build/bin/bench_frame_pacing 2>&1 | grep -v '^ALSA lib' >&2
lap "the figures"
say "all done in $((SECONDS - started)) s"
