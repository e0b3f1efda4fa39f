// Carrying image pixels into cairo's premultiplied words and back.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/real/text_pixels.h"

namespace {

RgbaImage one_pixel(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return RgbaImage{1, 1, {r, g, b, a}}; }

uint32_t word_of(const RgbaImage& image) {
  uint8_t surface[4] = {};
  pixels_to_premultiplied(image, surface, 4);
  uint32_t word = 0;
  std::memcpy(&word, surface, 4);
  return word;
}

TEST(TextPixels, OpaquePixelBecomesNativeArgb) {
  EXPECT_EQ(word_of(one_pixel(0x11, 0x22, 0x33, 0xff)), 0xff112233u);
}

TEST(TextPixels, TranslucentPixelIsPremultiplied) {
  EXPECT_EQ(word_of(one_pixel(200, 100, 50, 128)), (128u << 24) | (100u << 16) | (50u << 8) | 25u);
}

TEST(TextPixels, RoundTripKeepsOpaquePixelsExactly) {
  RgbaImage image{3, 2, {}};
  for (int i = 0; i < 6; ++i) {
    image.pixels.insert(image.pixels.end(), {static_cast<uint8_t>(i * 40), static_cast<uint8_t>(255 - i), 7, 255});
  }
  const int stride = 16;  // wider than the 12 bytes of a row, as cairo may choose
  std::vector<uint8_t> surface(stride * 2, 0xaa);
  pixels_to_premultiplied(image, surface.data(), stride);
  RgbaImage back{3, 2, std::vector<uint8_t>(24, 0)};
  pixels_from_premultiplied(surface.data(), stride, &back);
  EXPECT_EQ(back.pixels, image.pixels);
}

TEST(TextPixels, TransparentComesBackAllZero) {
  const uint8_t surface[4] = {0, 0, 0, 0};
  RgbaImage back = one_pixel(9, 9, 9, 9);
  pixels_from_premultiplied(surface, 4, &back);
  EXPECT_EQ(back.pixels, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(TextPixels, TranslucentRoundTripStaysClose) {
  const RgbaImage image = one_pixel(200, 100, 50, 128);
  uint8_t surface[4] = {};
  pixels_to_premultiplied(image, surface, 4);
  RgbaImage back = one_pixel(0, 0, 0, 0);
  pixels_from_premultiplied(surface, 4, &back);
  EXPECT_NEAR(back.pixels[0], 200, 1);
  EXPECT_NEAR(back.pixels[1], 100, 1);
  EXPECT_NEAR(back.pixels[2], 50, 1);
  EXPECT_EQ(back.pixels[3], 128);
}

}  // namespace
