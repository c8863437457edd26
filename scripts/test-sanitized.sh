#!/usr/bin/env bash
# Builds the runtime and its tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs every
# unit test with leak checking; then builds the fuzz targets with clang's libFuzzer and gives each a
# short run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export ASAN_OPTIONS="detect_leaks=1"
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
