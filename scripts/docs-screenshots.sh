#!/usr/bin/env bash
# Plays the end-to-end tours and a whole game, and keeps their pictures of every screen, scaled to
# 640 pixels wide, in docs/screenshots/.   scripts/docs-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
E2E_SHOTS_OUT="$shots" bash tests/e2e/test_screens_tour.sh "$build"
# The keyboard tour keeps the menu and the settings in Русский and Ελληνικά.
E2E_SHOTS_OUT="$shots" bash tests/e2e/test_keyboard_tour.sh "$build"
# The banner of a game won: the automated player's whole game in a window.
bash scripts/autoplay/autoplay.sh "$build" 1 "$shots/autoplay" >/dev/null
cp "$shots/autoplay/well-done.png" "$shots/"
mkdir -p docs/screenshots
for picture in logo title menu credits ask-quit settings board turned paused ask-new-game well-done \
               menu-deutsch settings-deutsch menu-russian settings-russian menu-greek settings-greek; do
  convert "$shots/$picture.png" -resize 640x -strip "docs/screenshots/$picture.png"
done
