// Sprites drawn on a real full-screen GL screen (Xvfb, Mesa) and read back from the frame.
#include <gtest/gtest.h>

#include "gfx_support.h"

namespace {

constexpr Rgba kWhite{255, 255, 255, 255}, kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kBlack{0, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255}, kClear{0, 0, 0, 0};

void ExpectNear(Rgba actual, Rgba expected, int tolerance = 2) {
  EXPECT_TRUE(std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
              std::abs(actual.b - expected.b) <= tolerance)
      << actual << " vs " << expected;
}

class SpriteScreen : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    ASSERT_EQ(sprite_init(), 1);
    ASSERT_EQ(screen_open_fullscreen(desktop_width(), desktop_height(), 32, "sprites", kFlipVsync), 1);
    screen_set_sprite_quality(0);
    fill_screen(kWhite);
  }
  void TearDown() override { screen_close(); }
  void fill_screen(Rgba colour) {
    const SpriteId background = load_sprite(solid_image(1, 1, colour), kSpriteKeepAlpha);
    sprite_scale(background, desktop_width(), desktop_height());
    sprite_draw(background, 0, 0);
  }
};

TEST_F(SpriteScreen, DrawReplacesAndBlendedDrawMixes) {
  RgbaImage picture = solid_image(2, 1, Rgba{200, 100, 50, 128});
  set_pixel(picture, 1, 0, Rgba{10, 20, 30, 0});
  const SpriteId sprite = load_sprite(picture, kSpriteKeepAlpha);
  sprite_draw(sprite, 10, 10);  // colour times alpha replaces the screen
  ExpectNear(screen_pixel(10, 10), Rgba{100, 50, 25, 255});
  ExpectNear(screen_pixel(11, 10), kBlack, 0);
  ExpectNear(screen_pixel(12, 10), kWhite, 0);
  sprite_draw_blended(sprite, 20, 10);  // alpha times intensity over the screen
  ExpectNear(screen_pixel(20, 10), Rgba{227, 177, 152, 255});
  const SpriteId red = load_sprite(solid_image(1, 1, kRed), kSpriteKeepAlpha);
  sprite_draw_blended(red, 30, 10, 128);
  ExpectNear(screen_pixel(30, 10), Rgba{255, 127, 127, 255});
  sprite_draw_blended(red, 40, 10, 0);
  ExpectNear(screen_pixel(40, 10), kWhite, 0);
}

TEST_F(SpriteScreen, ColourKeyDecidesTheAlpha) {
  RgbaImage picture = solid_image(2, 1, kBlack);
  set_pixel(picture, 1, 0, Rgba{50, 60, 70, 10});  // its own alpha is ignored without flag 8
  sprite_draw_blended(load_sprite(picture, kSpritePlain), 10, 10);
  ExpectNear(screen_pixel(10, 10), kWhite, 0);
  ExpectNear(screen_pixel(11, 10), Rgba{50, 60, 70, 255}, 0);
  sprite_draw_blended(load_sprite(solid_image(1, 1, kBlack), kSpriteKeepAlpha, 2), 20, 10);  // no alpha channel
  ExpectNear(screen_pixel(20, 10), kWhite, 0);
  set_pixel(picture, 0, 0, kRed);
  const SpriteId keyed = load_sprite(picture, kSpriteKeepAlpha);
  sprite_set_color_key(keyed, rgb(255, 0, 0));  // recomputes the alpha even with flag 8
  sprite_draw_blended(keyed, 30, 10);
  ExpectNear(screen_pixel(30, 10), kWhite, 0);
  ExpectNear(screen_pixel(31, 10), Rgba{50, 60, 70, 255}, 0);
}

TEST_F(SpriteScreen, ClipScaleAndEdges) {
  RgbaImage picture = solid_image(4, 4, kRed);
  for (int y = 0; y < 4; ++y) {
    set_pixel(picture, 2, y, kBlue);
    set_pixel(picture, 3, y, kGreen);
  }
  const SpriteId sprite = load_sprite(picture, kSpriteKeepAlpha);
  sprite_clip(sprite, 2, 1, 10, 10);
  EXPECT_EQ(sprite_width(sprite) * 10 + sprite_height(sprite), 23);
  sprite_draw(sprite, 20, 20);
  ExpectNear(screen_pixel(20, 20), kBlue, 0);
  ExpectNear(screen_pixel(21, 22), kGreen, 0);
  ExpectNear(screen_pixel(22, 20), kWhite, 0);
  ExpectNear(screen_pixel(20, 23), kWhite, 0);
  sprite_clip(sprite, 5, 0, 3, 3);
  EXPECT_EQ(sprite_width(sprite), 0);
  sprite_clip(sprite, -1, -1, -1, -1);
  sprite_scale(sprite, 8, 2);
  EXPECT_EQ(sprite_width(sprite) * 10 + sprite_height(sprite), 82);
  sprite_draw(sprite, 30, 30);
  ExpectNear(screen_pixel(33, 31), kRed, 0);
  ExpectNear(screen_pixel(34, 31), kBlue, 0);
  screen_set_sprite_quality(1);
  sprite_draw(sprite, 30, 40);
  EXPECT_GT(screen_pixel(34, 40).r, 30) << "smooth scaling mixes neighbours";
  sprite_scale(sprite, -1, -1);
  EXPECT_EQ(sprite_width(sprite), 4);
  const SpriteId red = load_sprite(solid_image(3, 3, kRed), kSpriteKeepAlpha);
  for (const auto& [x, y] : {std::pair{-3, 5}, {5, -3}, {-2, 10}, {10, -2}, {desktop_width() - 1, 20}, {desktop_width(), 20}})
    sprite_draw(red, x, y);
  ExpectNear(screen_pixel(0, 5), kWhite, 0);
  ExpectNear(screen_pixel(5, 0), kWhite, 0);
  ExpectNear(screen_pixel(0, 10), kRed, 0);
  ExpectNear(screen_pixel(1, 10), kWhite, 0);
  ExpectNear(screen_pixel(10, 0), kRed, 0);
  ExpectNear(screen_pixel(desktop_width() - 1, 20), kRed, 0);
}

TEST_F(SpriteScreen, NumbersHandlesAndClosing) {
  const SpriteId first = sprite_create(kNewSprite, 3, 2, kSpritePlain);
  EXPECT_GE(first, kFirstSpriteHandle);
  EXPECT_NE(sprite_create(kNewSprite, 3, 2, kSpritePlain), first);
  EXPECT_NE(sprite_create(5, 7, 9, kSpritePlain), 0);
  EXPECT_NE(sprite_create(5, 11, 12, kSpritePlain), 0);  // replaces
  EXPECT_EQ(sprite_width(5) * 100 + sprite_height(5), 1112);
  EXPECT_EQ(sprite_create(-7, 3, 3, 0), 0);
  EXPECT_EQ(sprite_create(6, 0, 3, 0), 0);
  EXPECT_EQ(sprite_width(77), 0);
  sprite_draw(77, 0, 0);
  ExpectNear(screen_pixel(0, 0), kWhite, 0);
  EXPECT_EQ(saved_pixels(first).pixels, std::vector<uint8_t>(3 * 2 * 4, 0)) << "new sprites are transparent black";
  const char garbage[] = "\x89PNG\r\n\x1a\nthis is no picture at all";
  EXPECT_EQ(sprite_load_png(20, garbage, sizeof garbage, kSpritePlain), 0);
  EXPECT_EQ(sprite_load_png(20, nullptr, 0, kSpritePlain), 0);
  EXPECT_EQ(sprite_width(20), 0);
  screen_close();
  EXPECT_EQ(sprite_width(first) + sprite_width(5), 0);
}

TEST_F(SpriteScreen, GrabbedFrameIsKeyedAndSavedAsRgbaPng) {
  fill_screen(kBlack);
  const SpriteId red = load_sprite(solid_image(1, 1, kRed), kSpriteKeepAlpha);
  sprite_scale(red, 2, 2);
  sprite_draw(red, 5, 5);
  ASSERT_EQ(sprite_grab_screen(3, 0, 0, 10, 10), 1);
  const RgbaImage saved = saved_pixels(3);
  ASSERT_EQ(saved.width * 100 + saved.height, 1010);
  EXPECT_EQ(pixel_at(saved, 6, 6), kRed);
  EXPECT_EQ(pixel_at(saved, 0, 0), kClear);
  EXPECT_EQ(pixel_at(saved, 7, 5), kClear);
  EXPECT_EQ(sprite_save_png(3, "/nonexistent-dir/x.png", kPng), 0);
  EXPECT_EQ(sprite_save_png(3, "", kPng), 0);
  EXPECT_EQ(sprite_save_png(99, testing::TempDir() + "x.png", kPng), 0);
}

TEST_F(SpriteScreen, DrawingIntoSpritesCopiesBlendsAndKeys) {
  ASSERT_NE(sprite_create(8, 4, 1, kSpritePlain), 0);
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
  ExpectNear(pixel_at(pixels, 1, 0), Rgba{130, 10, 15, 255});
  EXPECT_EQ(pixel_at(pixels, 1, 0).a, 255);
  EXPECT_EQ(pixel_at(pixels, 3, 0), kClear);  // the black box is keyed away
  const SpriteId keeping = sprite_create(kNewSprite, 2, 1, kSpriteKeepAlpha);  // flag 8 keeps the drawn alpha
  ASSERT_EQ(sprite_begin_drawing(keeping), 1);
  image_draw(overlay, 0, 0);
  drawing_end();
  EXPECT_EQ(pixel_at(saved_pixels(keeping), 0, 0), (Rgba{250, 0, 0, 128}));
  EXPECT_EQ(sprite_begin_drawing(4242), 0);
  image_free(background);
  image_free(overlay);
}

}  // namespace
