#include "artwork/catalogue.h"

#include "artwork/cards.h"
#include "artwork/interface.h"
#include "artwork/scenes.h"

namespace artwork {

std::string cardFaceName(int set, int face) {
  return std::to_string(set) + "-card" + (face < 10 ? "0" : "") + std::to_string(face) + ".png";
}

std::vector<CataloguePicture> pictureCatalogue() {
  std::vector<CataloguePicture> pictures;
  for (int n = 1; n <= 4; ++n) {
    pictures.push_back({"background " + std::to_string(n) + ".png", sceneBlockBytes,
                        [n] { return paintBackground(n); }});
  }
  for (int set = 1; set <= 2; ++set) {
    pictures.push_back({std::to_string(set) + "-back.png", pictureBlockBytes, [set] { return paintCardBack(set); }});
  }
  for (int set = 1; set <= 2; ++set) {
    for (int face = 1; face <= facesPerSet; ++face) {
      pictures.push_back({cardFaceName(set, face), pictureBlockBytes, [set, face] { return paintCardFace(set, face); }});
    }
  }
  pictures.push_back({"shadow.png", pictureBlockBytes, paintCardShadow});
  pictures.push_back({"menu.png", pictureBlockBytes, paintMenuPanel});
  pictures.push_back({"menushadow.png", pictureBlockBytes, paintMenuPanelShadow});
  pictures.push_back({"well done shadow.png", pictureBlockBytes, paintWellDoneShadow});
  pictures.push_back({"well done.png", pictureBlockBytes, paintWellDoneBanner});
  pictures.push_back({"gradient.png", pictureBlockBytes, paintSeparator});
  pictures.push_back({"pointer.png", pictureBlockBytes, paintPointer});
  pictures.push_back({"left.png", pictureBlockBytes, [] { return paintArrow(true); }});
  pictures.push_back({"left off.png", pictureBlockBytes, [] { return paintArrowUnavailable(true); }});
  pictures.push_back({"right.png", pictureBlockBytes, [] { return paintArrow(false); }});
  pictures.push_back({"right off.png", pictureBlockBytes, [] { return paintArrowUnavailable(false); }});
  pictures.push_back({"box.png", pictureBlockBytes, [] { return paintCheckBox(false); }});
  pictures.push_back({"boxx.png", pictureBlockBytes, [] { return paintCheckBox(true); }});
  pictures.push_back({"title.png", sceneBlockBytes, paintTitle});
  pictures.push_back({"zelt.png", sceneBlockBytes, paintStudioLogo});
  return pictures;
}

}  // namespace artwork
