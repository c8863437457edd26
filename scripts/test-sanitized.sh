#!/usr/bin/env bash
# Builds the runtime and its tests with clang, AddressSanitizer and UndefinedBehaviorSanitizer (plus the
# libFuzzer instrumentation), then runs every unit test and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
CC=clang CXX=clang++ cmake -S . -B build-sanitized -DCMAKE_BUILD_TYPE=Debug \
  -DBRAKKA_FUZZ=ON -DBRAKKA_MEDIA=OFF
cmake --build build-sanitized -j"$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-sanitized
ctest -j"$(nproc)" --output-on-failure --timeout 300
