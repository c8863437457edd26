#!/bin/sh
# Fails when a C++ source under engine/, game/, tests/ or tools/ differs from the style in .clang-format,
# and names the files. Usage: scripts/check-format.sh [source root]
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
  echo "clang-format is not installed (scripts/deps.sh installs it)" >&2
  exit 1
fi
status=0
for file in $(find engine game tests tools -name '*.cpp' -o -name '*.h' | LC_ALL=C sort); do
  if ! "$format" --style=file --dry-run -Werror "$file" >/dev/null 2>&1; then
    echo "not in the house style: $file (clang-format -i $file)"
    status=1
  fi
done
exit $status
