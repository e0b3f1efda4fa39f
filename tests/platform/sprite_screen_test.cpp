// Sprites drawn on a real full-screen GL screen (Xvfb, Mesa) and read back from the frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "gfx_support.h"
#include "platform/real/platform_testing.h"

namespace {

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};

void expect_near(Rgba actual, Rgba expected, int tolerance = 2) {
  EXPECT_NEAR(actual.r, expected.r, tolerance) << actual << " vs " << expected;
  EXPECT_NEAR(actual.g, expected.g, tolerance) << actual << " vs " << expected;
  EXPECT_NEAR(actual.b, expected.b, tolerance) << actual << " vs " << expected;
}

SpriteId load(const RgbaImage& picture, int flags, int colourType = 6, SpriteId number = kNewSprite) {
  const std::vector<uint8_t> png = encode_png(picture, colourType);
  return sprite_load_png(number, png.data(), png.size(), flags);
}

class SpriteScreen : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    ASSERT_EQ(sprite_init(), 1);
    width_ = desktop_width();
    height_ = desktop_height();
    ASSERT_EQ(screen_open_fullscreen(width_, height_, 32, "sprites", kFlipVsync), 1);
    screen_set_sprite_quality(0);
    fill_screen(kWhite);
  }
  void TearDown() override { screen_close(); }

  // Covers the frame with one colour: a 1 x 1 sprite stretched over the screen.
  void fill_screen(Rgba colour) {
    const SpriteId background = load(solid_image(1, 1, colour), kSpriteKeepAlpha);
    sprite_scale(background, width_, height_);
    sprite_draw(background, 0, 0);
  }

  int width_ = 0;
  int height_ = 0;
};

TEST_F(SpriteScreen, OpaqueDrawReplacesTheScreenWithColourTimesAlpha) {
  RgbaImage picture = solid_image(2, 1, Rgba{200, 100, 50, 128});
  set_pixel(picture, 1, 0, Rgba{10, 20, 30, 0});
  const SpriteId sprite = load(picture, kSpriteKeepAlpha);
  sprite_draw(sprite, 10, 10);
  expect_near(screen_pixel(10, 10), Rgba{100, 50, 25, 255});
  expect_near(screen_pixel(11, 10), kBlack, 0);
  expect_near(screen_pixel(12, 10), kWhite, 0);
}

TEST_F(SpriteScreen, BlendedDrawUsesAlphaTimesIntensity) {
  const SpriteId halfRed = load(solid_image(1, 1, Rgba{200, 100, 50, 128}), kSpriteKeepAlpha);
  sprite_draw_blended(halfRed, 10, 10);
  expect_near(screen_pixel(10, 10), Rgba{227, 177, 152, 255});

  const SpriteId red = load(solid_image(1, 1, kRed), kSpriteKeepAlpha);
  sprite_draw_blended(red, 20, 10, 128);
  expect_near(screen_pixel(20, 10), Rgba{255, 127, 127, 255});
  sprite_draw_blended(red, 30, 10, 0);
  expect_near(screen_pixel(30, 10), kWhite, 0);
}

TEST_F(SpriteScreen, PlainSpritesTakeTheirAlphaFromTheBlackColourKey) {
  RgbaImage picture = solid_image(2, 1, kBlack);
  set_pixel(picture, 1, 0, Rgba{50, 60, 70, 10});  // its own alpha is ignored without flag 8
  const SpriteId plain = load(picture, kSpritePlain);
  sprite_draw_blended(plain, 10, 10);
  expect_near(screen_pixel(10, 10), kWhite, 0);
  expect_near(screen_pixel(11, 10), Rgba{50, 60, 70, 255}, 0);

  // Flag 8 on a picture without an alpha channel: the colour key still decides.
  const SpriteId rgbOnly = load(solid_image(1, 1, kBlack), kSpriteKeepAlpha, 2);
  sprite_draw_blended(rgbOnly, 20, 10);
  expect_near(screen_pixel(20, 10), kWhite, 0);
}

TEST_F(SpriteScreen, SettingTheColourKeyRecomputesAlphaEvenWithFlag8) {
  RgbaImage picture = solid_image(2, 1, kRed);
  set_pixel(picture, 1, 0, kBlack);
  const SpriteId sprite = load(picture, kSpriteKeepAlpha);
  sprite_set_color_key(sprite, rgb(255, 0, 0));
  sprite_draw_blended(sprite, 10, 10);
  expect_near(screen_pixel(10, 10), kWhite, 0);
  expect_near(screen_pixel(11, 10), kBlack, 0);
}

TEST_F(SpriteScreen, ClipDisplaysOnlyThePartInsideTheSprite) {
  RgbaImage picture = solid_image(4, 4, kRed);
  for (int y = 0; y < 4; ++y) {
    set_pixel(picture, 2, y, kBlue);
    set_pixel(picture, 3, y, Rgba{0, 255, 0, 255});
  }
  const SpriteId sprite = load(picture, kSpriteKeepAlpha);
  sprite_clip(sprite, 2, 1, 10, 10);
  EXPECT_EQ(sprite_width(sprite), 2);
  EXPECT_EQ(sprite_height(sprite), 3);
  sprite_draw(sprite, 20, 20);
  expect_near(screen_pixel(20, 20), kBlue, 0);
  expect_near(screen_pixel(21, 22), Rgba{0, 255, 0, 255}, 0);
  expect_near(screen_pixel(22, 20), kWhite, 0);
  expect_near(screen_pixel(20, 23), kWhite, 0);

  sprite_clip(sprite, -1, -1, -1, -1);
  EXPECT_EQ(sprite_width(sprite), 4);
  EXPECT_EQ(sprite_height(sprite), 4);
  sprite_clip(sprite, 5, 0, 3, 3);
  EXPECT_EQ(sprite_width(sprite), 0);
}

TEST_F(SpriteScreen, ScaleStretchesWithTheChosenQuality) {
  RgbaImage picture = solid_image(2, 1, kRed);
  set_pixel(picture, 1, 0, kBlue);
  const SpriteId sprite = load(picture, kSpriteKeepAlpha);
  sprite_scale(sprite, 4, 2);
  EXPECT_EQ(sprite_width(sprite), 4);
  EXPECT_EQ(sprite_height(sprite), 2);

  screen_set_sprite_quality(0);
  sprite_draw(sprite, 10, 10);
  expect_near(screen_pixel(11, 11), kRed, 0);
  expect_near(screen_pixel(12, 11), kBlue, 0);

  screen_set_sprite_quality(1);
  sprite_draw(sprite, 10, 20);
  const Rgba mixed = screen_pixel(11, 20);
  EXPECT_GT(mixed.r, 150);
  EXPECT_GT(mixed.b, 30);

  sprite_scale(sprite, -1, -1);
  EXPECT_EQ(sprite_width(sprite), 2);
  EXPECT_EQ(sprite_height(sprite), 1);
}

TEST_F(SpriteScreen, SpritesAtTheEdgesAreSkippedOrClipped) {
  const SpriteId sprite = load(solid_image(3, 3, kRed), kSpriteKeepAlpha);
  sprite_draw(sprite, -3, 5);
  sprite_draw(sprite, 5, -3);
  expect_near(screen_pixel(0, 5), kWhite, 0);
  expect_near(screen_pixel(5, 0), kWhite, 0);

  sprite_draw(sprite, -2, 10);
  expect_near(screen_pixel(0, 10), kRed, 0);
  expect_near(screen_pixel(1, 10), kWhite, 0);
  sprite_draw(sprite, 10, -2);
  expect_near(screen_pixel(10, 0), kRed, 0);
  expect_near(screen_pixel(10, 1), kWhite, 0);

  sprite_draw(sprite, width_ - 1, 20);
  expect_near(screen_pixel(width_ - 1, 20), kRed, 0);
  sprite_draw(sprite, width_, 20);
  sprite_draw_blended(sprite, 20, height_);
}

TEST_F(SpriteScreen, NumbersAndHandles) {
  const SpriteId first = sprite_create(kNewSprite, 3, 2, kSpritePlain);
  const SpriteId second = sprite_create(kNewSprite, 3, 2, kSpritePlain);
  EXPECT_GE(first, kFirstSpriteHandle);
  EXPECT_GE(second, kFirstSpriteHandle);
  EXPECT_NE(first, second);
  EXPECT_NE(sprite_create(5, 7, 9, kSpritePlain), 0);
  EXPECT_EQ(sprite_width(5), 7);
  EXPECT_NE(sprite_create(5, 11, 12, kSpritePlain), 0);  // replaces
  EXPECT_EQ(sprite_width(5), 11);
  EXPECT_EQ(sprite_height(5), 12);
  EXPECT_EQ(sprite_create(-7, 3, 3, 0), 0);
  EXPECT_EQ(sprite_create(6, 0, 3, 0), 0);
  EXPECT_EQ(sprite_width(77), 0);
  EXPECT_EQ(sprite_height(77), 0);
  sprite_draw(77, 0, 0);  // an invalid sprite draws nothing
  expect_near(screen_pixel(0, 0), kWhite, 0);
}

TEST_F(SpriteScreen, ScreenCloseInvalidatesEverySprite) {
  const SpriteId handle = sprite_create(kNewSprite, 4, 4, kSpritePlain);
  ASSERT_NE(sprite_create(12, 4, 4, kSpritePlain), 0);
  screen_close();
  EXPECT_EQ(sprite_width(handle), 0);
  EXPECT_EQ(sprite_width(12), 0);
  EXPECT_EQ(sprite_height(12), 0);
}

TEST_F(SpriteScreen, UndecodablePicturesMakeNoSprite) {
  const char garbage[] = "\x89PNG\r\n\x1a\nthis is no picture at all";
  EXPECT_EQ(sprite_load_png(20, garbage, sizeof garbage, kSpritePlain), 0);
  EXPECT_EQ(sprite_width(20), 0);
  std::vector<uint8_t> png = encode_png(solid_image(16, 16, kRed));
  png.resize(png.size() / 2);
  EXPECT_EQ(sprite_load_png(20, png.data(), png.size(), kSpritePlain), 0);
  EXPECT_EQ(sprite_load_png(20, nullptr, 0, kSpritePlain), 0);
  EXPECT_EQ(sprite_width(20), 0);
}

TEST_F(SpriteScreen, GrabbedFrameIsKeyedAndSavedAsRgbaPng) {
  fill_screen(Rgba{0, 0, 0, 255});
  const SpriteId red = load(solid_image(1, 1, kRed), kSpriteKeepAlpha);
  sprite_scale(red, 2, 2);
  sprite_draw(red, 5, 5);
  ASSERT_EQ(sprite_grab_screen(3, 0, 0, 10, 10), 1);
  EXPECT_EQ(sprite_width(3), 10);

  const std::string path = testing::TempDir() + "grab.png";
  ASSERT_EQ(sprite_save_png(3, path, kPng), 1);
  FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  std::vector<uint8_t> bytes(1 << 16);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  RgbaImage saved;
  bool hasAlpha = false;
  ASSERT_TRUE(png_decode_rgba(bytes.data(), bytes.size(), &saved, &hasAlpha));
  EXPECT_TRUE(hasAlpha);
  EXPECT_EQ(saved.width, 10);
  EXPECT_EQ(saved.height, 10);
  EXPECT_EQ(pixel_at(saved, 5, 5), kRed);
  EXPECT_EQ(pixel_at(saved, 6, 6), kRed);
  EXPECT_EQ(pixel_at(saved, 0, 0), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(pixel_at(saved, 7, 5), (Rgba{0, 0, 0, 0}));

  EXPECT_EQ(sprite_save_png(3, "/nonexistent-dir/x.png", kPng), 0);
  EXPECT_EQ(sprite_save_png(3, "", kPng), 0);
  EXPECT_EQ(sprite_save_png(99, path, kPng), 0);
}

// Reads a sprite's whole pixel area back through its PNG.
RgbaImage saved_pixels(SpriteId sprite) {
  const std::string path = testing::TempDir() + "sprite.png";
  RgbaImage image;
  if (sprite_save_png(sprite, path, kPng) != 1) {
    return image;
  }
  FILE* file = std::fopen(path.c_str(), "rb");
  std::vector<uint8_t> bytes(1 << 20);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  png_decode_rgba(bytes.data(), bytes.size(), &image, nullptr);
  return image;
}

TEST_F(SpriteScreen, NewSpritesAreTransparentBlack) {
  const SpriteId sprite = sprite_create(kNewSprite, 3, 2, kSpritePlain);
  const RgbaImage pixels = saved_pixels(sprite);
  ASSERT_EQ(pixels.width, 3);
  for (const uint8_t byte : pixels.pixels) {
    ASSERT_EQ(byte, 0);
  }
}

TEST_F(SpriteScreen, DrawingIntoAPlainSpriteCopiesBlendsAndKeys) {
  const SpriteId sprite = sprite_create(8, 4, 1, kSpritePlain);
  ASSERT_NE(sprite, 0);
  ASSERT_EQ(sprite_begin_drawing(8), 1);
  const SpriteId background = image_create(kNewSprite, 4, 1, 32, rgb(10, 20, 30));
  image_draw(background, 0, 0);
  const std::vector<uint8_t> halfRed = encode_png(solid_image(1, 1, Rgba{250, 0, 0, 128}));
  const SpriteId overlay = image_load_png(kNewSprite, halfRed.data(), halfRed.size());
  image_draw(overlay, 1, 0);
  draw_box(3, 0, 5, 5, rgb(0, 0, 0));
  drawing_end();
  const RgbaImage pixels = saved_pixels(8);
  ASSERT_EQ(pixels.width, 4);
  EXPECT_EQ(pixel_at(pixels, 0, 0), (Rgba{10, 20, 30, 255}));
  expect_near(pixel_at(pixels, 1, 0), Rgba{130, 10, 15, 255});
  EXPECT_EQ(pixel_at(pixels, 1, 0).a, 255);
  EXPECT_EQ(pixel_at(pixels, 3, 0), (Rgba{0, 0, 0, 0}));
  image_free(background);
  image_free(overlay);

  // Flag 8 keeps the alpha the drawing left.
  const SpriteId keeping = sprite_create(kNewSprite, 2, 1, kSpriteKeepAlpha);
  const SpriteId again = image_load_png(kNewSprite, halfRed.data(), halfRed.size());
  ASSERT_EQ(sprite_begin_drawing(keeping), 1);
  image_draw(again, 0, 0);
  drawing_end();
  const RgbaImage kept = saved_pixels(keeping);
  EXPECT_EQ(pixel_at(kept, 0, 0), (Rgba{250, 0, 0, 128}));
  EXPECT_EQ(pixel_at(kept, 1, 0), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(sprite_begin_drawing(4242), 0);
}

TEST_F(SpriteScreen, DrawnSceneLooksRight) {
  // A scene to look at by eye: the saved file stays in the temporary directory.
  fill_screen(Rgba{30, 90, 60, 255});
  RgbaImage card = solid_image(80, 110, Rgba{240, 240, 230, 255});
  for (int y = 0; y < 110; ++y) {
    for (int x = 0; x < 80; ++x) {
      if (x < 3 || y < 3 || x > 76 || y > 106) set_pixel(card, x, y, Rgba{0, 0, 0, 255});
    }
  }
  const SpriteId sprite = load(card, kSpritePlain);
  const SpriteId shadow = load(solid_image(1, 1, Rgba{0, 0, 0, 255}), kSpriteKeepAlpha, 6);
  sprite_set_color_key(shadow, rgb(1, 1, 1));
  sprite_scale(shadow, 80, 110);
  for (int i = 0; i < 5; ++i) {
    sprite_draw_blended(shadow, 40 + i * 100 + 6, 40 + 6, 100);
    sprite_draw_blended(sprite, 40 + i * 100, 40, 255 - i * 50);
  }
  sprite_draw(sprite, -40, 200);
  ASSERT_EQ(sprite_grab_screen(3, 0, 0, 600, 320), 1);
  ASSERT_EQ(sprite_save_png(3, testing::TempDir() + "vesperine-scene.png", kPng), 1);
  expect_near(screen_pixel(40 + 40, 40 + 50), Rgba{240, 240, 230, 255});
  expect_near(screen_pixel(0, 250), Rgba{240, 240, 230, 255});
}

}  // namespace
