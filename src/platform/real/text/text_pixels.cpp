#include "platform/real/text/text_pixels.h"

#include <cstring>

namespace {

// Text images are opaque: their pixels skip the divisions.
uint32_t premultiply(uint32_t channel, uint32_t alpha) { return alpha == 255 ? channel : (channel * alpha + 127) / 255; }

uint8_t unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 255) return static_cast<uint8_t>(channel);
  const uint32_t straight = (channel * 255 + alpha / 2) / alpha;
  return static_cast<uint8_t>(straight > 255 ? 255 : straight);
}

}  // namespace

void pixels_to_premultiplied(const RgbaImage& image, uint8_t* surface, int stride) {
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* source = image.pixels.data() + static_cast<size_t>(y) * image.width * 4;
    uint8_t* row = surface + static_cast<size_t>(y) * stride;
    for (int x = 0; x < image.width; ++x, source += 4) {
      const uint32_t alpha = source[3];
      const uint32_t word = alpha << 24 | premultiply(source[0], alpha) << 16 | premultiply(source[1], alpha) << 8 |
                            premultiply(source[2], alpha);
      std::memcpy(row + x * 4, &word, 4);
    }
  }
}

void pixels_from_premultiplied(const uint8_t* surface, int stride, RgbaImage* image) {
  for (int y = 0; y < image->height; ++y) {
    const uint8_t* row = surface + static_cast<size_t>(y) * stride;
    uint8_t* target = image->pixels.data() + static_cast<size_t>(y) * image->width * 4;
    for (int x = 0; x < image->width; ++x, target += 4) {
      uint32_t word = 0;
      std::memcpy(&word, row + x * 4, 4);
      const uint32_t alpha = word >> 24;
      if (alpha == 0) {
        std::memset(target, 0, 4);
        continue;
      }
      target[0] = unpremultiply(word >> 16 & 255, alpha);
      target[1] = unpremultiply(word >> 8 & 255, alpha);
      target[2] = unpremultiply(word & 255, alpha);
      target[3] = static_cast<uint8_t>(alpha);
    }
  }
}
