// Off-screen images and the PNG codec: formats, sizes, bad input. No display needed.
#include <gtest/gtest.h>

#include "gfx_support.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

RgbaImage decode(const std::vector<uint8_t>& png, bool* hasAlpha = nullptr) {
  RgbaImage image;
  bool alpha = false;
  EXPECT_TRUE(png_decode_rgba(png.data(), png.size(), &image, &alpha));
  if (hasAlpha != nullptr) {
    *hasAlpha = alpha;
  }
  return image;
}

TEST(PngCodec, EveryFormatComesOutAsEightBitRgba) {
  RgbaImage picture = solid_image(3, 2, Rgba{10, 20, 30, 255});
  set_pixel(picture, 2, 1, Rgba{200, 150, 100, 255});
  bool hasAlpha = true;
  RgbaImage rgb8 = decode(encode_png(picture, 2), &hasAlpha);
  EXPECT_FALSE(hasAlpha);
  EXPECT_EQ(pixel_at(rgb8, 2, 1), (Rgba{200, 150, 100, 255}));
  EXPECT_EQ(rgb8.width, 3);
  EXPECT_EQ(rgb8.height, 2);

  EXPECT_EQ(pixel_at(decode(encode_png(picture, 2, 16)), 2, 1), (Rgba{200, 150, 100, 255}));
  EXPECT_EQ(pixel_at(decode(encode_png(picture, 3)), 2, 1), (Rgba{200, 150, 100, 255}));
  EXPECT_EQ(pixel_at(decode(encode_png(picture, 3)), 0, 0), (Rgba{10, 20, 30, 255}));

  RgbaImage grey = decode(encode_png(picture, 0));
  EXPECT_EQ(pixel_at(grey, 2, 1), (Rgba{200, 200, 200, 255}));

  set_pixel(picture, 0, 0, Rgba{90, 0, 0, 77});
  RgbaImage withAlpha = decode(encode_png(picture, 6), &hasAlpha);
  EXPECT_TRUE(hasAlpha);
  EXPECT_EQ(pixel_at(withAlpha, 0, 0), (Rgba{90, 0, 0, 77}));
  EXPECT_EQ(pixel_at(decode(encode_png(picture, 6, 16)), 0, 0), (Rgba{90, 0, 0, 77}));
  RgbaImage greyAlpha = decode(encode_png(picture, 4), &hasAlpha);
  EXPECT_TRUE(hasAlpha);
  EXPECT_EQ(pixel_at(greyAlpha, 0, 0), (Rgba{90, 90, 90, 77}));
}

TEST(PngCodec, BadDataIsRefusedWithoutCrashing) {
  RgbaImage out;
  const std::vector<uint8_t> good = encode_png(solid_image(40, 40, kRed));
  EXPECT_FALSE(png_decode_rgba(nullptr, 100, &out, nullptr));
  EXPECT_FALSE(png_decode_rgba(good.data(), 7, &out, nullptr));
  for (const size_t cut : {size_t{8}, size_t{20}, size_t{33}, good.size() - 13}) {
    EXPECT_FALSE(png_decode_rgba(good.data(), cut, &out, nullptr)) << cut;
  }
  std::vector<uint8_t> flipped = good;
  for (size_t i = 40; i < flipped.size(); i += 7) {
    flipped[i] ^= 0x5a;
  }
  EXPECT_FALSE(png_decode_rgba(flipped.data(), flipped.size(), &out, nullptr));
  // A header claiming a huge picture is refused before anything is allocated.
  std::vector<uint8_t> huge = good;
  huge[16] = 0x7f;  // width's top byte
  EXPECT_FALSE(png_decode_rgba(huge.data(), huge.size(), &out, nullptr));
}

TEST(PngCodec, RandomlyDamagedPicturesNeverCrash) {
  RgbaImage picture = solid_image(24, 16, Rgba{10, 200, 30, 128});
  set_pixel(picture, 5, 5, kBlue);
  for (const int colourType : {2, 3, 6}) {
    const std::vector<uint8_t> good = encode_png(picture, colourType);
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245 + 12345; };
    for (int round = 0; round < 1500; ++round) {
      std::vector<uint8_t> damaged = good;
      for (int flips = 1 + next() % 4; flips > 0; --flips) {
        damaged[8 + next() % (damaged.size() - 8)] = static_cast<uint8_t>(next() >> 16);
      }
      damaged.resize(damaged.size() - next() % 3);
      RgbaImage out;
      if (png_decode_rgba(damaged.data(), damaged.size(), &out, nullptr)) {
        ASSERT_EQ(out.pixels.size(), static_cast<size_t>(out.width) * out.height * 4);
      }
    }
  }
}

TEST(PngCodec, WrittenFilesReadBackIdentically) {
  RgbaImage picture = solid_image(5, 4, Rgba{1, 2, 3, 4});
  set_pixel(picture, 4, 3, Rgba{250, 251, 252, 253});
  const std::string path = testing::TempDir() + "codec.png";
  ASSERT_TRUE(png_write_rgba(path.c_str(), picture));
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::vector<uint8_t> bytes(4096);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  EXPECT_EQ(decode(bytes).pixels, picture.pixels);
  EXPECT_FALSE(png_write_rgba("/nonexistent-dir/codec.png", picture));
  EXPECT_FALSE(png_write_rgba(path.c_str(), RgbaImage{}));
}

TEST(Images, CreateFillsWithAnOpaqueColour) {
  const SpriteId image = image_create(kNewSprite, 3, 2, 32, rgb(7, 8, 9));
  ASSERT_GE(image, kFirstSpriteHandle);
  EXPECT_EQ(image_width(image), 3);
  EXPECT_EQ(image_height(image), 2);
  EXPECT_EQ(pixel_at(*image_lookup(image), 2, 1), (Rgba{7, 8, 9, 255}));
  EXPECT_EQ(image_create(26, 0, 5, 32, 0), 0);
  EXPECT_NE(image_create(26, 4, 5, 32, 0), 0);
  EXPECT_EQ(image_width(26), 4);
  image_free(image);
  image_free(26);
  EXPECT_EQ(image_lookup(image), nullptr);
  EXPECT_EQ(image_width(26), 0);
}

TEST(Images, LoadPngAndRejectGarbage) {
  const std::vector<uint8_t> png = encode_png(solid_image(6, 3, kBlue));
  EXPECT_NE(image_load_png(28, png.data(), png.size()), 0);
  EXPECT_EQ(image_width(28), 6);
  EXPECT_EQ(image_height(28), 3);
  const char garbage[] = "GIF89a";
  EXPECT_EQ(image_load_png(29, garbage, sizeof garbage), 0);
  EXPECT_EQ(image_width(29), 0);
  image_free(28);
}

TEST(Images, ResizeIsBilinear) {
  RgbaImage picture = solid_image(2, 1, Rgba{0, 0, 0, 255});
  set_pixel(picture, 1, 0, Rgba{200, 100, 40, 255});
  const std::vector<uint8_t> png = encode_png(picture);
  const SpriteId image = image_load_png(kNewSprite, png.data(), png.size());
  ASSERT_EQ(image_resize(image, 4, 2, 0), 1);
  EXPECT_EQ(image_width(image), 4);
  EXPECT_EQ(image_height(image), 2);
  const RgbaImage& scaled = *image_lookup(image);
  EXPECT_EQ(pixel_at(scaled, 0, 0), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(pixel_at(scaled, 1, 0), (Rgba{50, 25, 10, 255}));
  EXPECT_EQ(pixel_at(scaled, 2, 1), (Rgba{150, 75, 30, 255}));
  EXPECT_EQ(pixel_at(scaled, 3, 1), (Rgba{200, 100, 40, 255}));
  EXPECT_EQ(image_resize(image, 0, 2, 0), 0);
  EXPECT_EQ(image_resize(999, 2, 2, 0), 0);
  image_free(image);
}

TEST(Images, CopyRectMustLieInsideTheSource) {
  RgbaImage picture = solid_image(4, 4, kRed);
  set_pixel(picture, 3, 3, kBlue);
  const std::vector<uint8_t> png = encode_png(picture);
  const SpriteId source = image_load_png(kNewSprite, png.data(), png.size());
  const SpriteId part = image_copy_rect(source, kNewSprite, 2, 2, 2, 2);
  ASSERT_NE(part, 0);
  EXPECT_EQ(image_width(part), 2);
  EXPECT_EQ(pixel_at(*image_lookup(part), 1, 1), kBlue);
  EXPECT_EQ(pixel_at(*image_lookup(part), 0, 0), kRed);
  EXPECT_EQ(image_copy_rect(source, 40, 3, 3, 2, 2), 0);
  EXPECT_EQ(image_copy_rect(source, 40, -1, 0, 2, 2), 0);
  EXPECT_EQ(image_copy_rect(source, 40, 0, 0, 0, 2), 0);
  EXPECT_EQ(image_copy_rect(12345, 40, 0, 0, 1, 1), 0);
  EXPECT_EQ(image_width(40), 0);
  image_free(source);
  image_free(part);
}

}  // namespace
