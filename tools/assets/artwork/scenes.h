// The screen-filling pictures: four dusk backgrounds for the board, the title picture and the
// studio logo, all 1920 x 1080 and opaque (the game scales them to the screen).
#pragma once

#include "artwork/canvas.h"

namespace artwork {

inline constexpr int sceneWidth = 1920;
inline constexpr int sceneHeight = 1080;

// number 1..4
Surface paintBackground(int number);
Surface paintTitle();
Surface paintStudioLogo();

}  // namespace artwork
