#!/usr/bin/env bash
# Prints what the game's screens cost on a software OpenGL in a real X window (its own Xvfb, llvmpipe)
# at scale 1 and 2, as % of a core and as ratios to a plain one-quad frame. Uses the build that
# scripts/test.sh made; extra arguments go to the benchmark (e.g. --seconds 10).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j2 --target bench_software_gl media
build/bin/bench_software_gl --seconds 4 "$@"
