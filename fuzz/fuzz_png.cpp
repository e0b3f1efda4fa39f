// PNG decoding from memory, as the game decodes every picture of the data pack: any bytes either
// fail cleanly or give a whole RGBA picture of the size the header announced.

#include <cstdint>
#include <cstdlib>

#include "platform/real/pictures/pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RgbaImage image;
  bool hasAlpha = false;
  if (png_decode_rgba(data, size, &image, &hasAlpha)) {
    const bool whole = image.width > 0 && image.height > 0 &&
                       image.pixels.size() == static_cast<size_t>(image.width) * image.height * 4;
    if (!whole) std::abort();
  }
  return 0;
}
