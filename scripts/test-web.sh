#!/usr/bin/env bash
# Builds the browser version (scripts/build-web.sh) and plays it in Debian's Chromium, headless, driven
# by puppeteer-core (tests/web, installed from the npm registry as its lock file pins it): a game by the
# keyboard alone whose saved high rating survives a reload, the screens compared with the desktop's
# pictures, an ending by Esc, and the figures (sizes, load time, frame pacing, CPU share), which go to
# build-web/test/figures.txt with the browser's pictures.
# Installs whatever is missing (apt-get; run as root or with sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
say() { echo "test-web: $*" >&2; }

scripts/install-packages.sh chromium
# node and npm: Debian's, unless the machine has its own.
command -v npm >/dev/null || scripts/install-packages.sh nodejs npm
# The test build's media set and brakka_highs where scripts/test.sh has made them.
native=${BRAKKA_WEB_NATIVE:-build-web/native}
[ -n "${BRAKKA_WEB_NATIVE:-}" ] || [ ! -f build/CMakeCache.txt ] || native=build
zip=$(BRAKKA_WEB_NATIVE=$native scripts/build-web.sh)
say "built $zip in $((SECONDS - started)) s"

(cd tests/web && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error >&2)
out=build-web/test
rm -rf "$out"
mkdir -p "$out"
BRAKKA_WEB_DIR="$PWD/build-web/stage/brakka" BRAKKA_HIGHS="$PWD/$native/bin/brakka_highs" \
BRAKKA_SCREENS="$PWD/docs/screens" BRAKKA_WEB_OUT="$PWD/$out" \
  node --test tests/web/
say "passed in $((SECONDS - started)) s; figures in $out/figures.txt"
