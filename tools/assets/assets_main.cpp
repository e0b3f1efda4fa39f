// vesperine-assets OUTDIR: draws every picture of the data pack into OUTDIR as PNG, plus the
// application icon at every size, the pointer at the screen densities above 1, a contact sheet and
// a mock-up of the board. Fails when a picture outgrows the memory block the game unpacks it into.
#include "artwork/catalogue.h"
#include "artwork/interface.h"
#include "artwork/previews.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vesperine-assets OUTDIR\n");
    return 2;
  }
  const std::string outDir = std::string(argv[1]) + "/";
  try {
    std::vector<artwork::NamedSurface> drawn;
    std::size_t totalBytes = 0;
    for (const artwork::CataloguePicture& picture : artwork::pictureCatalogue()) {
      artwork::Surface surface = picture.paint();
      totalBytes += artwork::writePng(surface, outDir + picture.name, picture.blockBytes);
      drawn.emplace_back(picture.name, std::move(surface));
    }
    for (const int pixels : artwork::iconSizes) {
      artwork::writePng(artwork::paintIcon(pixels), outDir + "vesperine-icon-" + std::to_string(pixels) + ".png",
                        artwork::pictureBlockBytes);
    }
    for (const int density : artwork::pointerDensities) {
      artwork::writePng(artwork::paintPointerAt(density), outDir + "pointer-" + std::to_string(density) + "x.png",
                        artwork::pictureBlockBytes);
    }
    artwork::writePng(artwork::makeContactSheet(drawn), outDir + "contact-sheet.png", 1'000'000);
    artwork::writePng(artwork::makeBoardMockup(drawn), outDir + "mockup-board.png", 400'000);
    std::printf("vesperine-assets: %zu pictures, %zu bytes\n", drawn.size(), totalBytes);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vesperine-assets: %s\n", error.what());
    return 1;
  }
  return 0;
}
