#include "text_test_images.h"

#include <algorithm>
#include <cstring>

Pixel pixel_at(const RgbaImage& image, int x, int y) {
  const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
  return Pixel{p[0], p[1], p[2], p[3]};
}

InkBox ink_box(const RgbaImage& image) {
  InkBox box{image.width, image.height, -1, -1};
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (std::memcmp(&image.pixels[(static_cast<size_t>(y) * image.width + x) * 4], image.pixels.data(), 4) == 0) {
        continue;
      }
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
  }
  if (box.right < 0) return InkBox{};
  return box;
}
