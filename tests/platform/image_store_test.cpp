// Off-screen images and the PNG codec: formats, sizes, bad input. No display needed.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "gfx_support.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255};

RgbaImage Decode(const std::vector<uint8_t>& png, bool* hasAlpha = nullptr) {
  RgbaImage image;
  bool alpha = false;
  EXPECT_TRUE(png_decode_rgba(png.data(), png.size(), &image, &alpha));
  if (hasAlpha != nullptr) *hasAlpha = alpha;
  return image;
}

TEST(PngCodec, EveryFormatComesOutAsEightBitRgba) {
  RgbaImage picture = solid_image(3, 2, Rgba{10, 20, 30, 255});
  set_pixel(picture, 2, 1, Rgba{200, 150, 100, 77});
  struct Case {
    int colourType, bitDepth;
    Rgba expected;
    bool alpha;
  };
  const Case cases[] = {{2, 8, {200, 150, 100, 255}, false}, {2, 16, {200, 150, 100, 255}, false},
                        {3, 8, {200, 150, 100, 255}, false}, {0, 8, {200, 200, 200, 255}, false},
                        {6, 8, {200, 150, 100, 77}, true},   {6, 16, {200, 150, 100, 77}, true},
                        {4, 8, {200, 200, 200, 77}, true}};
  for (const Case& c : cases) {
    bool alpha = !c.alpha;
    const RgbaImage decoded = Decode(encode_png(picture, c.colourType, c.bitDepth), &alpha);
    EXPECT_EQ(decoded.width * 10 + decoded.height, 32);
    EXPECT_EQ(pixel_at(decoded, 2, 1), c.expected) << "colour type " << c.colourType << ", " << c.bitDepth << " bits";
    EXPECT_EQ(pixel_at(decoded, 0, 0).g, c.colourType & 2 ? 20 : 10);
    EXPECT_EQ(alpha, c.alpha);
  }
}

TEST(PngCodec, BadDataIsRefusedAndDamageNeverCrashes) {
  RgbaImage out;
  const std::vector<uint8_t> good = encode_png(solid_image(40, 40, kRed));
  EXPECT_FALSE(png_decode_rgba(nullptr, 100, &out, nullptr));
  for (const size_t cut : {size_t{7}, size_t{8}, size_t{20}, size_t{33}, good.size() - 13})
    EXPECT_FALSE(png_decode_rgba(good.data(), cut, &out, nullptr)) << cut;
  std::vector<uint8_t> huge = good;
  huge[16] = 0x7f;  // a width refused before anything is allocated
  EXPECT_FALSE(png_decode_rgba(huge.data(), huge.size(), &out, nullptr));
  RgbaImage picture = solid_image(24, 16, Rgba{10, 200, 30, 128});
  set_pixel(picture, 5, 5, kBlue);
  for (const int colourType : {2, 3, 6}) {
    const std::vector<uint8_t> png = encode_png(picture, colourType);
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245 + 12345; };
    for (int round = 0; round < 1500; ++round) {
      std::vector<uint8_t> damaged = png;
      for (int flips = 1 + next() % 4; flips > 0; --flips) damaged[8 + next() % (damaged.size() - 8)] = next() >> 16;
      damaged.resize(damaged.size() - next() % 3);
      if (png_decode_rgba(damaged.data(), damaged.size(), &out, nullptr))
        ASSERT_EQ(out.pixels.size(), static_cast<size_t>(out.width) * out.height * 4);
    }
  }
}

TEST(PngCodec, WrittenFilesReadBackIdentically) {
  RgbaImage picture = solid_image(5, 4, Rgba{1, 2, 3, 4});
  set_pixel(picture, 4, 3, Rgba{250, 251, 252, 253});
  const std::string path = testing::TempDir() + "codec.png";
  ASSERT_TRUE(png_write_rgba(path.c_str(), picture));
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(Decode({std::istreambuf_iterator<char>(in), {}}).pixels, picture.pixels);
  EXPECT_FALSE(png_write_rgba("/nonexistent-dir/codec.png", picture));
  EXPECT_FALSE(png_write_rgba(path.c_str(), RgbaImage{}));
}

TEST(Images, CreateLoadResizeCopyAndFree) {
  const SpriteId made = image_create(kNewSprite, 3, 2, 32, rgb(7, 8, 9));
  ASSERT_GE(made, kFirstSpriteHandle);
  EXPECT_EQ(pixel_at(*image_lookup(made), 2, 1), (Rgba{7, 8, 9, 255}));
  EXPECT_EQ(image_create(26, 0, 5, 32, 0), 0);
  EXPECT_NE(image_create(26, 4, 5, 32, 0), 0);
  image_free(made);
  image_free(26);
  EXPECT_EQ(image_lookup(made), nullptr);
  EXPECT_EQ(image_width(26), 0);
  const char garbage[] = "GIF89a";
  EXPECT_EQ(image_load_png(29, garbage, sizeof garbage), 0);
  RgbaImage picture = solid_image(2, 1, Rgba{0, 0, 0, 255});
  set_pixel(picture, 1, 0, Rgba{200, 100, 40, 255});
  std::vector<uint8_t> png = encode_png(picture);
  const SpriteId image = image_load_png(kNewSprite, png.data(), png.size());
  ASSERT_EQ(image_resize(image, 4, 2, 0), 1);  // bilinear
  const RgbaImage& scaled = *image_lookup(image);
  EXPECT_EQ(scaled.width * 10 + scaled.height, 42);
  EXPECT_EQ(pixel_at(scaled, 0, 0), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(pixel_at(scaled, 1, 0), (Rgba{50, 25, 10, 255}));
  EXPECT_EQ(pixel_at(scaled, 2, 1), (Rgba{150, 75, 30, 255}));
  EXPECT_EQ(pixel_at(scaled, 3, 1), (Rgba{200, 100, 40, 255}));
  EXPECT_EQ(image_resize(image, 0, 2, 0), 0);
  EXPECT_EQ(image_resize(999, 2, 2, 0), 0);
  RgbaImage square = solid_image(4, 4, kRed);
  set_pixel(square, 3, 3, kBlue);
  png = encode_png(square);
  const SpriteId source = image_load_png(kNewSprite, png.data(), png.size());
  const SpriteId part = image_copy_rect(source, kNewSprite, 2, 2, 2, 2);
  ASSERT_NE(part, 0);
  EXPECT_EQ(pixel_at(*image_lookup(part), 1, 1), kBlue);
  EXPECT_EQ(pixel_at(*image_lookup(part), 0, 0), kRed);
  for (const auto& [x, y, w] : {std::tuple{3, 3, 2}, {-1, 0, 2}, {0, 0, 0}}) EXPECT_EQ(image_copy_rect(source, 40, x, y, w, 2), 0);
  EXPECT_EQ(image_copy_rect(12345, 40, 0, 0, 1, 1), 0);
  for (const SpriteId id : {image, source, part}) image_free(id);
}

}  // namespace
