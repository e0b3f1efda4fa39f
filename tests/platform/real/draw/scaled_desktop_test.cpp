// A desktop at 200 % (GDK's window scale 2, as GDK_SCALE=2 gives it): the game measures in its own
// pixels, the images and sprites it makes hold two pixels a side to each, and full screen shows them
// at twice the size in the screen's pixels. (The window kinds at this scale: the window tests.) On a
// screen of 2560x1440 (their own run), where full screen at 200 % is laid out at 1280x720.
#include "gfx_support.h"
#include <gdk/gdkx.h>

namespace {

void set_scale(int scale) { gdk_x11_display_set_window_scale(gdk_display_get_default(), scale), platform_init(0, nullptr); }

class ScaledDesktop : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr), set_scale(2);
    ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
  }
  void TearDown() override { screen_close(), set_scale(1); }
};

// The word drawn at each scale into a 200x40 canvas: its ink, and its width measured.
std::pair<InkBox, double> start_drawn() {
  font_load(0, "DejaVu Sans", 20, kFontBold);
  const SpriteId canvas = image_create(kNewSprite, 200, 40, 32, rgb(241, 172, 71));
  const double width = (image_begin_text_drawing(canvas), text_set_font(0), text_width("START"));
  text_draw("START"), text_drawing_end();
  const InkBox ink = ink_box(*image_lookup(canvas));
  return image_free(canvas), std::pair(ink, width);
}

// What the game makes is measured in game pixels and holds twice the pixels a side: a canvas and its
// words (twice as large, measured as at scale 1), a picture resized from all its pixels, a cut, boxes,
// a picture of its own density copied and a decoded one enlarged into a sprite, a clip.
TEST_F(ScaledDesktop, WhatTheGameMakesHoldsTwiceThePixelsASideMeasuredInGamePixels) {
  const auto [ink, width] = start_drawn();
  set_scale(1);
  const auto [inkAtScale1, widthAtScale1] = start_drawn();
  set_scale(2);
  EXPECT_EQ(width, widthAtScale1) << "laid out as at scale 1";
  EXPECT_TRUE(std::abs(ink.left - 2 * inkAtScale1.left) <= 2 && std::abs(ink.right - 2 * inkAtScale1.right) <= 2 &&
              std::abs(ink.bottom - 2 * inkAtScale1.bottom) <= 2) << "twice as large: " << ink.right << " against " << inkAtScale1.right;
  const RgbaImage stripes = image_of(8, 2, [](int x, int) { return x % 2 ? kRed : kBlue; });
  const std::vector<uint8_t> png = encode_png(stripes);
  ASSERT_TRUE(image_load_png(40, png.data(), png.size()) && image_load_png(42, png.data(), png.size()));
  EXPECT_EQ(image_width(40), 8) << "a decoded picture: a pixel a game pixel";
  ASSERT_EQ(image_resize(40, 4, 1, 0), 1);
  EXPECT_EQ(std::tuple(image_width(40), image_height(40), image_lookup(40)->pixels == stripes.pixels), std::tuple(4, 1, true))
      << "halved in game pixels, every stripe kept";
  ASSERT_NE(image_copy_rect(40, 41, 1, 0, 2, 1), 0);
  EXPECT_EQ(std::tuple(image_width(41), image_lookup(41)->width, pixel_at(*image_lookup(41), 0, 0)), std::tuple(2, 4, kBlue))
      << "cut from game pixel 1: picture pixel 2";
  const SpriteId sprite = sprite_create(kNewSprite, 6, 3, kSpritePlain);
  ASSERT_EQ(sprite_begin_drawing(sprite), 1);
  draw_box(0, 0, 6, 3, rgb(0, 255, 0)), draw_box(1, 1, 2, 1, rgb(255, 255, 255));
  image_draw(41, 4, 0), image_draw(42, 0, 2);  // copied; enlarged twice
  drawing_end();
  const RgbaImage pixels = saved_pixels(sprite);
  EXPECT_EQ(std::tuple(pixels.width, pixels.height, sprite_width(sprite), sprite_height(sprite)), std::tuple(12, 6, 6, 3));
  for (const auto& [x, y, colour] : {std::tuple{0, 0, kGreen}, {1, 3, kGreen}, {2, 2, kWhite}, {5, 3, kWhite}, {6, 2, kGreen},
                                     {8, 0, kBlue}, {9, 1, kRed}, {0, 5, kBlue}})
    EXPECT_TRUE(near(pixel_at(pixels, x, y), colour, 40)) << x << "," << y << " " << pixel_at(pixels, x, y);
  sprite_clip(sprite, 4, 1, 10, 10);
  EXPECT_EQ(std::tuple(sprite_width(sprite), sprite_height(sprite)), std::tuple(2, 2)) << "clipped in game pixels";
  for (const SpriteId image : {40, 41, 42}) image_free(image);
}

// Full screen lays the game out at the desktop's size halved and fills the screen: a sprite the game
// made is drawn texel for pixel, a decoded one twice its size, frames changing in part (the third on)
// are drawn and shown at the screen's pixels, a screenshot holds them, the pointer moves a game pixel for two.
// (A desktop too small for its scale, at 300 % too: the full-screen tests' run.)
TEST_F(ScaledDesktop, FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens) {
  ASSERT_EQ(std::tuple(desktop_width(), desktop_height(), desktop_density(0)), std::tuple(1280, 720, 2));
  ASSERT_EQ(screen_open_fullscreen(1280, 720, 32, "Vesperine test", kFlipVsync), 1);
  Display* display = XOpenDisplay(nullptr);
  EXPECT_EQ(fullscreen_geometry(display), std::vector<int>({0, 0, 2560, 1440, IsViewable, 1}));
  const SpriteId made = sprite_create(kNewSprite, 2, 1, kSpritePlain);
  ASSERT_EQ(sprite_begin_drawing(made), 1);
  draw_box(0, 0, 1, 1, rgb(255, 0, 0)), draw_box(1, 0, 1, 1, rgb(255, 255, 255)), drawing_end();
  screen_set_sprite_quality(0);
  sprite_draw(load_sprite(solid_image(2, 2, kBlue, {{1, 0, kRed}, {0, 1, kGreen}, {1, 1, kWhite}}), kSpriteKeepAlpha), 10, 10);
  sprite_draw(made, 20, 10);
  RgbaImage shown;
  ASSERT_TRUE(platform_read_pixels(10, 10, 12, 2, &shown));
  ASSERT_EQ(std::pair(shown.width, shown.height), std::pair(24, 4));
  for (const auto& [x, y, colour] : {std::tuple{0, 0, kBlue}, {1, 1, kBlue}, {2, 0, kRed}, {3, 1, kRed}, {0, 2, kGreen}, {3, 3, kWhite},
                                     {20, 0, kRed}, {21, 1, kRed}, {22, 0, kWhite}, {23, 1, kWhite}, {20, 2, kBlack}, {19, 0, kBlack}})
    EXPECT_EQ(pixel_at(shown, x, y), colour) << x << "," << y;
  ASSERT_EQ(sprite_grab_screen(3, 0, 0, 1280, 720), 1);
  EXPECT_EQ(std::tuple(sprite_width(3), saved_pixels(3).width, saved_pixels(3).height), std::tuple(1280, 2560, 1440));
  const SpriteId blue = scaled_sprite(solid_image(1, 1, kBlue), 1280, 720), red = solid_sprite(4, 4, kRed);
  for (const auto& [x, y] : {std::pair{100, 100}, {300, 200}, {500, 300}, {200, 50}}) sprite_draw(blue, 0, 0), sprite_draw(red, x, y), screen_flip();
  XSync(display, False);
  const RgbaImage window = shown_pixels(display, platform_fullscreen_window(), 2560, 1440);
  EXPECT_EQ(std::vector<Rgba>({screen_pixel(501, 301), screen_pixel(201, 51), pixel_at(window, 1002, 602), pixel_at(window, 401, 101),
                               pixel_at(window, 407, 107)}),
            std::vector<Rgba>({kBlue, kRed, kBlue, kRed, kRed})) << "a square's old place and its new, at twice their game pixels";
  EXPECT_TRUE(pointer_comes_to("mousemove_relative -- 100 40", 50, 20)) << mouse_x() << "," << mouse_y();
  XCloseDisplay(display);
}

}  // namespace
