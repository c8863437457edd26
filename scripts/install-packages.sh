#!/usr/bin/env bash
# Installs those of the named Debian packages that are missing (apt-get; as root, or through sudo).
# Progress goes to stderr, so callers' stdout stays their own.
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0
echo "Installing: ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
# Another apt run (a second build, an unattended upgrade) may hold the lock for a while.
$SUDO apt-get -o DPkg::Lock::Timeout=1200 update -qq >&2
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=1200 install -y -qq \
  --no-install-recommends "${missing[@]}" >&2
