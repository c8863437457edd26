#!/usr/bin/env bash
# Installs every package the build, the game and the tests need (Debian 12). Safe to run again.
# `deps.sh package` also installs what building and checking the Debian package takes.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libsdl2-dev libsdl2-mixer-dev libx11-dev libgl-dev libgl1-mesa-dri
  libpng-dev zlib1g-dev libjpeg62-turbo-dev liblzo2-dev
  libcairo2-dev libfreetype-dev fonts-dejavu-core libmp3lame-dev
  libgtest-dev xvfb xauth valgrind clang-format
)
if [ "${1:-}" = package ]; then
  packages+=(dpkg-dev lintian appstream desktop-file-utils)
fi
exec "$(dirname "$0")/install-packages.sh" "${packages[@]}"
