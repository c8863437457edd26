#!/bin/sh
# Fails when a C++ source under engine/, game/, tests/ or tools/ differs from the style in .clang-format,
# and names the places. Usage: scripts/check-format.sh [source root]
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
  echo "clang-format is not installed (scripts/deps.sh installs it)" >&2
  exit 1
fi
# One run over every file; each difference is reported as a warning naming its file and line.
if ! find engine game tests tools \( -name '*.cpp' -o -name '*.h' \) -print0 | LC_ALL=C sort -z |
    xargs -0 "$format" --style=file --dry-run -Werror --ferror-limit=3; then
  echo "not in the house style: clang-format -i the files named above" >&2
  exit 1
fi
