#!/bin/sh
# Ends the X server under the game while it starts, at delays spread over the making of its window and
# OpenGL context (counted from the log's "WIN32 init video" line), and reports
# each run: delay, exit status (128+N is signal N), time to the end, and the line that says why it
# ended. Usage: scripts/display-loss-runs.sh [program] [runs]   (default: build/bin/brakka, 22 runs)
set -u
program=${1:-"$(dirname "$0")/../build/bin/brakka"}
runs=${2:-22}
command -v Xvfb >/dev/null || { echo "Xvfb is not installed" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
crashes=0
unexplained=0
i=0
while [ "$i" -lt "$runs" ]; do
  delay=$(( i * 150 / (runs > 1 ? runs - 1 : 1) ))   # 0 .. 150 ms
  n=$(( 500 + ($$ + i) % 300 ))
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  until [ -S "/tmp/.X11-unix/X$n" ]; do sleep 0.05; done
  sleep 0.3
  dir="$work/run$i"; mkdir -p "$dir"
  start=$(date +%s%N)
  env DISPLAY=":$n" BRAKKA_PLATFORM=sdl SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy TMPDIR="$dir" \
      XDG_STATE_HOME="$dir" "$program" >"$dir/out" 2>"$dir/err" &
  game=$!
  # The window is about to be made once the log says so (the log moved under XDG_STATE_HOME later).
  tries=0
  until grep -qs '^WIN32 init video' "$dir/ErrorLog.txt" "$dir/brakka/ErrorLog.txt" || [ $tries -ge 4000 ]; do
    tries=$((tries + 1))
  done
  start=$(date +%s%N)
  sleep "$(awk "BEGIN{print $delay/1000}")"
  kill "$server"; wait "$server" 2>/dev/null
  wait "$game"; status=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 - delay ))
  [ "$ms" -lt 0 ] && ms=0
  log=$(ls "$dir"/ErrorLog.txt "$dir"/brakka/ErrorLog.txt 2>/dev/null | head -1)
  why=$(grep -h -e '^Display lost' -e '^No window with an OpenGL' "${log:-/dev/null}" | head -1)
  [ -n "$why" ] || why="(no such line; stderr: $(head -c 120 "$dir/err" | tr '\n' ' '))"
  [ "$status" -gt 128 ] && crashes=$((crashes + 1))
  case "$why" in "(no such"*) unexplained=$((unexplained + 1));; esac
  printf '%3d ms  status %3d  ended %5d ms after the server  %s\n' "$delay" "$status" "$ms" "$why"
  i=$((i + 1))
done
echo "runs: $runs, ended by a signal: $crashes, without the line: $unexplained"
[ "$crashes" -eq 0 ] && [ "$unexplained" -eq 0 ]
