#!/bin/sh
# Plays a short game (brakka_picture_memory: one round with the automatic player, then quit) with hostile
# files in its media folder, and reports for each case the exit status, the wall time, the peak resident
# memory and the log's lines about files and archives, as the tool prints them.
# Usage: scripts/hostile-files-figures.sh [build bin folder [media folder]]
#   (defaults: build/bin, and the Media/ folder in it)
set -u
bin=$(cd "${1:-"$(dirname "$0")/../build/bin"}" && pwd)
media=$(cd "${2:-"$bin/Media"}" && pwd)
[ -e "$media/map.png" ] || { echo "no media in $media: build the target media, or name a media folder" >&2; exit 2; }
tool="$bin/brakka_picture_memory"
[ -x "$tool" ] || { echo "no $tool: build the target brakka_picture_memory" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A media folder of links to the build's media files, one or more of them replaced by the case.
fresh() {
  rm -rf "$work/media"
  mkdir -p "$work/media"
  for f in "$media"/*; do ln -s "$f" "$work/media/"; done
}

run() {
  printf '%s\n' "$1"
  timeout 300 "$tool" "$work/media" --blind 2>&1 | grep -v -e '^$' -e '^exit$' | sed 's/^/    /'
  status=$?
  [ "$status" -ne 0 ] && echo "    (the tool ended with status $status)"
}

fresh
run "the game's own media"

fresh; rm "$work/media/map.png"; truncate -s 2G "$work/media/map.png"
run "map.png: 2 GB, all of it a hole (nothing on the disk)"

fresh; rm "$work/media/amb.wav"; truncate -s 1G "$work/media/amb.wav"
run "amb.wav: 1 GB, all of it a hole"

fresh; rm "$work/media/map.png" "$work/media/amb.wav"
truncate -s 2G "$work/media/map.png"; truncate -s 1G "$work/media/amb.wav"
( ulimit -v 2097152; run "both, under ulimit -v 2 GB" )

fresh; rm "$work/media/data.zaz"; mkfifo "$work/media/data.zaz"
run "data.zaz: a FIFO"

# The map as an archive entry of 256 MB: the picture followed by zeros (it packs small).
if [ -x "$bin/zazpack" ]; then
  fresh; rm "$work/media/map.png" "$work/media/data.zaz"
  mkdir -p "$work/pad"; cp "$media/map.png" "$work/pad/map.png"; truncate -s 256M "$work/pad/map.png"
  "$bin/zazpack" "$work/media/data.zaz" "$work/pad/map.png" >/dev/null
  run "data.zaz: map.png padded to 256 MB, no loose map.png"

  # A directory position that points at the packed data: the archive's last four bytes made 0.
  fresh; rm "$work/media/map.png" "$work/media/data.zaz"
  "$bin/zazpack" "$work/media/data.zaz" "$media/map.png" "$media/amb.wav" >/dev/null
  size=$(stat -c %s "$work/media/data.zaz")
  printf '\0\0\0\0' | dd of="$work/media/data.zaz" bs=1 seek=$((size - 4)) conv=notrunc 2>/dev/null
  run "data.zaz: its directory position inside the packed data, no loose map.png"
fi
