#!/usr/bin/env bash
# Builds the runtime and its tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs every
# unit test with leak checking; then builds the fuzz targets with clang's libFuzzer and gives each a
# short run; then plays a whole won game under valgrind's memcheck.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# The leak check finds thread-local blocks through the heap (glibc allocates them with malloc), so the
# sanitizer's own record of __tls_get_addr results is not needed; its guess at a block's bounds reads a
# made-up header whenever a block starts 16 bytes into a page, and its exit scan then dies on the bogus
# range ("Tracer caught signal 11") in whichever test the heap layout happens to put one there.
export ASAN_OPTIONS="detect_leaks=1:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The game's tests play with the generated media: made by the normal build (quick when it is there).
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target media
cmake -S . -B build-sanitized -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAKKA_SANITIZE=ON -DBRAKKA_MEDIA=OFF \
  -DBRAKKA_TEST_MEDIA_DIR="$PWD/build/bin/Media"
cmake --build build-sanitized -j"$(nproc)"
(cd build-sanitized && ctest -j"$(nproc)" --output-on-failure --timeout 300)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRAKKA_FUZZ=ON -DBRAKKA_TESTS=OFF -DBRAKKA_MEDIA=OFF
targets=$(find tests/fuzz -maxdepth 1 -name '*_fuzz.cpp' -printf '%f\n' | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build build-fuzz -j"$(nproc)" --target $targets
(cd build-fuzz && ctest -j"$(nproc)" --output-on-failure -L fuzz)

# A whole won game under valgrind's memcheck, on the normal build (sanitizers and valgrind don't mix):
# no memory errors and nothing definitely lost, in the test process and in the game's own process.
cmake --build build -j"$(nproc)" --target game_tests
BRAKKA_WHOLE_GAME_LIMIT_S=1500 valgrind --quiet --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite --show-leak-kinds=definite --suppressions=tests/valgrind.supp \
  build/bin/game_tests --gtest_filter=WholeGame.WonGame
