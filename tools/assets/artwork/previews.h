// Pictures for people rather than for the game: a contact sheet of every asset and a mock-up of
// the 1280 x 720 board with the menu open, to judge the look without running the game.
#pragma once

#include "artwork/canvas.h"

#include <string>
#include <utility>
#include <vector>

namespace artwork {

using NamedSurface = std::pair<std::string, Surface>;

Surface makeContactSheet(const std::vector<NamedSurface>& pictures);
// `find` gives the picture of an entry name; the mock-up is drawn the way the game composes it.
Surface makeBoardMockup(const std::vector<NamedSurface>& pictures);

}  // namespace artwork
