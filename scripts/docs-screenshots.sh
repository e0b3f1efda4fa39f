#!/usr/bin/env bash
# Plays the end-to-end tests and keeps their pictures of every screen, scaled to 640 pixels wide,
# in docs/screenshots/.   scripts/docs-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
E2E_SHOTS_OUT="$shots" bash tests/e2e/test_whole_game.sh "$build"
# The keyboard game keeps the menu and the settings in Русский and Ελληνικά.
E2E_SHOTS_OUT="$shots" bash tests/e2e/test_keyboard_game.sh "$build"
mkdir -p docs/screenshots
for picture in logo title menu credits ask-quit settings board turned paused ask-new-game well-done \
               menu-deutsch settings-deutsch menu-russian settings-russian menu-greek settings-greek; do
  convert "$shots/$picture.png" -resize 640x -strip "docs/screenshots/$picture.png"
done
