// The full-screen pointer sharp on a scaled desktop: the 32-pixel picture magnified would be soft
// beside the texts and cards, which are drawn at the screen's density.
#include <algorithm>
#include <cstring>

#include "platform/real/pictures/pictures.h"
#include "platform/real/pictures/pointer_pictures.h"

void picture_drawn_for_density(const void* data, size_t size, int density, RgbaImage* picture) {
  if (density < 2 || kPointerCount < 2 || size != kPointerPngSizes[0] || std::memcmp(data, kPointerPngs[0], size) != 0) {
    return;
  }
  const size_t drawn = std::min(static_cast<size_t>(density), kPointerCount) - 1;
  RgbaImage finer;
  bool hasAlpha = false;
  if (png_decode_rgba(kPointerPngs[drawn], kPointerPngSizes[drawn], &finer, &hasAlpha)) {
    finer.density = static_cast<int>(drawn) + 1;
    *picture = std::move(finer);
  }
}
