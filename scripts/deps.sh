#!/usr/bin/env bash
# Installs every package the build, the game and the tests need (Debian 12). Safe to run again.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libsdl2-dev libsdl2-mixer-dev libx11-dev libgl-dev libgl1-mesa-dri
  libpng-dev zlib1g-dev libjpeg62-turbo-dev liblzo2-dev
  libcairo2-dev libfreetype-dev fonts-dejavu-core libmp3lame-dev
  libgtest-dev xvfb xauth valgrind
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
