#!/usr/bin/env bash
# The cost of the screens on a desktop at 200 % beside the same at 100 %, in one run on one 3840x2160
# screen (a private Xvfb, Mesa's software GL): full screen (laid out at 1920x1080 at scale 2, at
# 3840x2160 at scale 1), the 1280x720 window (2560x1440 of the screen's pixels at scale 2), and that
# window resized as a tiling window manager does to 1596x880 of the desktop's pixels (3192x1760 at
# scale 2), its picture fitted. For each: the CPU a frame of the still menu, the still board and the
# pointer moving over them, at scale 1 and 2, and scale 2 over scale 1.
#   bench/scale.sh [BUILD_DIR]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/autoplay/x_server.sh"
work=$(mktemp -d)
trap 'stop_x_servers; rm -rf "$work"' EXIT
start_x_server "$work" xvfb 3840x2160 >/dev/null
# The pointer on the middle of the screen, where the window opens: without a window manager the
# keyboard goes where the pointer is, and a screen without it draws nothing.
xdotool mousemove 1920 1080

# The still benchmark of one case at one scale: "label ms" lines.
measure() {
  local kind=$1 scale=$2 size=${3:-}
  [ -z "$size" ] || size="$(( ${size%x*} * scale ))x$(( ${size#*x} * scale ))"
  GDK_SCALE=$scale SDL_AUDIODRIVER=dummy HOME=$(mktemp -d -p "$work") \
    "$build/vesperine-bench-real-startup" still "$build/" "$kind" $size 2>/dev/null |
    grep -E '^(still menu|moving pointer over the menu|still board|moving pointer over the board) ' >"$work/lines"
  ! grep -q inactive "$work/lines" || { echo "the screen lost the keyboard: no figures" >&2; exit 1; }
  sed -E 's/^(.*[a-z]) +(full screen|window) .* ([0-9.]+) ms CPU a frame.*/\1|\3/' "$work/lines"
}

for case in "0 full screen" "1 window 1280x720" "1 window resized to 1596x880"; do
  kind=${case%% *} size=""
  [[ "$case" == *resized* ]] && size=1596x880
  echo "== ${case#* }"
  measure "$kind" 1 $size | sort >"$work/scale1"
  measure "$kind" 2 $size | sort >"$work/scale2"
  join -t'|' "$work/scale1" "$work/scale2" |
    awk -F'|' '{printf "  %-31s scale 1 %7.3f ms   scale 2 %7.3f ms   %5.2fx\n", $1, $2, $3, $3 / $2}'
done
