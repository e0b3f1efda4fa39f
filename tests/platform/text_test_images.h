// Off-screen images for the text tests, and what a test looks at in them.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "platform/real/real_internal.h"

constexpr uint32_t kTextBackground = rgb(241, 172, 71);
constexpr uint32_t kTextColour = rgba(224, 80, 40, 255);

// Rectangle holding every pixel that differs from the image's top-left pixel; empty when none does.
struct InkBox {
  int left = 0;
  int top = 0;
  int right = -1;  // inclusive
  int bottom = -1;
  bool empty() const { return right < left; }
};
InkBox ink_box(const RgbaImage& image);

// Red, green, blue, alpha of one pixel.
struct Pixel {
  int r = 0, g = 0, b = 0, a = 0;
};
Pixel pixel_at(const RgbaImage& image, int x, int y);
