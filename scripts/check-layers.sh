#!/bin/sh
# Fails when an include points up the layers or two folders include each other.
# Layers, lowest first: engine/platform, engine/core, engine/media, engine/app, game/state, game/shell,
# game/round, game/ (the game's main routine and entry). A file may include its own folder and any
# folder below it. An include that must cross upward says why on its own line, after "// layers:".
# Nothing above engine/platform includes SDL.
# Usage: scripts/check-layers.sh [source root]   (the default is the folder above this script)
set -eu
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

find engine game -name '*.cpp' -o -name '*.h' 2>/dev/null | LC_ALL=C sort | xargs awk '
function rank(folder) {
  if (folder == "engine/platform") return 0
  if (folder == "engine/core") return 1
  if (folder == "engine/media") return 2
  if (folder == "engine/app") return 3
  if (folder == "game/state") return 4
  if (folder == "game/shell") return 5
  if (folder == "game/round") return 6
  if (folder == "game") return 7
  return -1
}
function folder_of(path) { sub(/\/[^\/]*$/, "", path); return path }
/^[ \t]*#[ \t]*include[ \t]*[<"]/ {
  from = folder_of(FILENAME)
  if (/<SDL/ && from != "engine/platform") {
    printf "%s:%d: SDL outside engine/platform: %s\n", FILENAME, FNR, $0
    bad++
  }
  if (!match($0, /"(engine|game)\/[^"]*"/)) next
  target = substr($0, RSTART + 1, RLENGTH - 2)
  to = folder_of(target)
  if (to == from) next
  if (rank(from) < 0 || rank(to) < 0) {
    printf "%s:%d: folder outside the layers: %s\n", FILENAME, FNR, (rank(from) < 0 ? from : to)
    bad++
    next
  }
  pair[from " " to]++
  if (rank(to) > rank(from) && $0 !~ /\/\/ layers: [^ ]/) {
    printf "%s:%d: upward include (%s above %s): %s\n", FILENAME, FNR, to, from, target
    bad++
  }
}
END {
  for (p in pair) {
    split(p, ends, " ")
    if ((ends[2] " " ends[1]) in pair && ends[1] < ends[2]) {
      printf "folders include each other: %s (%d) and %s (%d)\n", ends[1], pair[p], ends[2], pair[ends[2] " " ends[1]]
      bad++
    }
  }
  if (bad) { printf "%d layering fault(s)\n", bad; exit 1 }
}' || exit 1
