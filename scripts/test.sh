#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every unit test (headless: offscreen OpenGL).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build
ctest -j"$(nproc)" --output-on-failure --timeout 300 -LE fuzz
