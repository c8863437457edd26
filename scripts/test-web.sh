#!/usr/bin/env bash
# Builds the browser version (scripts/build-web.sh) and plays it in Debian's Chromium, headless, driven
# by puppeteer-core (tests/web, installed from the npm registry as its lock file pins it): the page's
# message cards, a game by the keyboard alone whose saved high rating survives the "Play again"
# reload, a game played by touch and a game pad into a round and ended by Esc, the screens compared
# with the desktop's pictures, and the figures (sizes, load time, frame pacing, CPU share), which go to
# build-web/test/figures.txt with the browser's pictures. Each step says how long it took.
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
# puppeteer-core while the game builds (npm's own cache answers a lock file it has seen before).
npm_log=$(mktemp)
trap 'rm -f "$npm_log"' EXIT
(cd tests/web && npm ci --prefer-offline --no-audit --no-fund --ignore-scripts --loglevel=error &&
   echo "test-web: npm ci took $((SECONDS - started)) s") >"$npm_log" 2>&1 &
npm_job=$!
step=$SECONDS
zip=$(BRAKKA_WEB_NATIVE=$native scripts/build-web.sh)
say "built $zip in $((SECONDS - step)) s"
npm_status=0
wait "$npm_job" || npm_status=$?
cat "$npm_log" >&2
[ "$npm_status" -eq 0 ] || { say "npm ci failed"; exit 1; }

step=$SECONDS
out=build-web/test
rm -rf "$out"
mkdir -p "$out"
BRAKKA_WEB_DIR="$PWD/build-web/stage/brakka" BRAKKA_HIGHS="$PWD/$native/bin/brakka_highs" \
BRAKKA_SCREENS="$PWD/docs/screens" BRAKKA_WEB_OUT="$PWD/$out" \
  node --test --test-reporter=spec tests/web/
say "browser tests passed in $((SECONDS - step)) s; in all $((SECONDS - started)) s; figures in $out/figures.txt"
