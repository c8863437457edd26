#!/bin/sh
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each one in turn.
#   tools/fuzz.sh [seconds per target, default 300] [build directory, default build-fuzz]
# Inputs found along the way are kept in <build>/fuzz_corpus/<target>; crashes land in <build>/fuzz_crashes.
set -eu
seconds=${1:-300}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-fuzz}

CC=${CC:-clang} CXX=${CXX:-clang++} cmake -S "$root" -B "$build" \
  -DBRAKKA_FUZZ=ON -DBRAKKA_TESTS=OFF -DBRAKKA_MEDIA=OFF >/dev/null
cmake --build "$build" -j2

mkdir -p "$build/fuzz_crashes"
status=0
for src in "$root"/tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  corpus="$build/tests/fuzz_corpus/$name"
  mkdir -p "$corpus"
  if [ -d "$root/tests/fuzz/corpus/$name" ]; then
    cp -n "$root/tests/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  fi
  echo "== $name for ${seconds}s"
  if ! "$build/bin/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz_crashes/$name-" "$corpus"; then
    echo "== $name FAILED (see $build/fuzz_crashes)"
    status=1
  fi
done
exit $status
