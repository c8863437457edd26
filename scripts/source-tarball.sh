#!/usr/bin/env bash
# Writes the source of the committed tree (HEAD) as one tarball, the same bytes wherever and whenever
# it is made: `git archive` dates every file to the commit, xz packs it single-threaded.
#   scripts/source-tarball.sh OUT.tar.xz [PREFIX/]
# PREFIX is the folder the tarball unpacks into (default brakka-<version>/). Prints OUT's path. Warns
# when the working tree has changes that are not committed: they are not in the tarball.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
version=$(sed -n 's/^project(brakka VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)
prefix=${2:-brakka-$version/}
if ! git rev-parse --verify -q HEAD >/dev/null; then
  echo "source-tarball: $PWD is not a git clone with a commit; the source is made from the committed tree" >&2
  exit 1
fi
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "source-tarball: warning: changes not committed are left out of the source" >&2
fi
mkdir -p "$(dirname "$out")"
git -c core.umask=0022 archive --format=tar --prefix="$prefix" HEAD | xz -T1 -6 -c > "$out.part"
mv "$out.part" "$out"
echo "$out"
