#!/usr/bin/env bash
# Installs what is missing, builds the game and its data packs, and starts it. Without a display
# (no DISPLAY, as on a server) it plays a demo instead: the real game under a private virtual X
# server, driven by the automated player through one whole game, a picture kept of each stage.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "${DISPLAY:-}" ]; then
  bash scripts/install-deps.sh
else
  echo "There is no display (DISPLAY is not set): playing a demo under a private virtual X server."
  bash scripts/install-deps.sh --demo
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ -n "${DISPLAY:-}" ]; then
  exec ./build/vesperine "$@"
fi
exec bash scripts/autoplay/autoplay.sh build 1 "$PWD/build/demo"
