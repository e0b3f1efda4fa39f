// The density of the full-screen game on a desktop of scale N (200 %: N = 2): the screen's pixels a
// game pixel on each side. N, as every other application there is drawn, but never so many that the
// game is laid out smaller than 1280x720, where the menu panel and the board no longer fit: 3840x2160
// at 200 % is laid out at 1920x1080, 1920x1080 at 200 % at 1920x1080 a pixel a game pixel. A whole
// number: the images the game makes hold density x density pixels a game pixel and are cut, clipped
// and copied at whole game pixels, which a density of 1.5 would split.
#pragma once

#include <algorithm>

inline int layout_density(int desktopWidth, int desktopHeight, int scale) {
  return std::max(1, std::min({scale, desktopWidth / 1280, desktopHeight / 720}));
}
