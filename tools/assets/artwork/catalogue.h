// Every picture the game loads from its data pack, by entry name, with the memory block the game
// unpacks it into (a picture must fit its block) and the painter that draws it.
#pragma once

#include "artwork/canvas.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace artwork {

inline constexpr std::size_t sceneBlockBytes = 4'194'304;
inline constexpr std::size_t pictureBlockBytes = 204'800;

struct CataloguePicture {
  std::string name;
  std::size_t blockBytes = 0;
  std::function<Surface()> paint;
};

std::vector<CataloguePicture> pictureCatalogue();

// "1-card07.png" style names.
std::string cardFaceName(int set, int face);

}  // namespace artwork
