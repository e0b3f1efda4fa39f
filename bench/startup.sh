#!/usr/bin/env bash
# Start-up to the first drawn frame and peak memory, against the floor of only decoding every
# picture and the music (five runs of each under a private Xvfb, medians and their ratio); then
# the steady frame time of the menu over the board against a background-only frame, and the CPU
# each screen with nothing moving costs, in full screen and in a window.
#   bench/startup.sh [BUILD_DIR]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
runs=5

measure() {
  local mode=$1
  for _ in $(seq 1 $runs); do
    SDL_AUDIODRIVER=dummy HOME=$(mktemp -d) "$build/vesperine-bench-real-startup" "$mode" "$build/" 2>/dev/null
  done
}
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

bench() {
  game=$(measure game)
  floor=$(measure floor)
  game_s=$(awk '{print $3}' <<<"$game" | median)
  game_kb=$(awk '{print $(NF-1)}' <<<"$game" | median)
  floor_s=$(awk '{for (i = 1; i <= NF; i++) if ($i == "s,") print $(i-1)}' <<<"$floor" | median)
  floor_kb=$(awk '{print $(NF-1)}' <<<"$floor" | median)
  echo "first drawn frame: ${game_s} s, peak memory ${game_kb} KiB (median of $runs)"
  echo "floor (decode every picture and the music): ${floor_s} s, peak memory ${floor_kb} KiB"
  awk -v a="$game_s" -v b="$floor_s" -v c="$game_kb" -v d="$floor_kb" \
    'BEGIN {printf "start-up / floor: time %.2fx, memory %.2fx\n", a / b, c / d}'
  SDL_AUDIODRIVER=dummy HOME=$(mktemp -d) "$build/vesperine-bench-real-startup" frames "$build/" 2>/dev/null
  for kind in 0 1; do
    SDL_AUDIODRIVER=dummy HOME=$(mktemp -d) "$build/vesperine-bench-real-startup" still "$build/" $kind 2>/dev/null
  done
}
export -f measure median bench
export build runs
bash "$here/../tests/platform/run-with-x.sh" bash -c bench
