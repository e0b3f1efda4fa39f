// A desktop at 200 % (GDK's window scale 2, as GDK_SCALE=2 gives it): the game measures in its own
// pixels, the images and sprites it makes hold two pixels a side to each, and every screen shows
// them at twice the size in the screen's pixels.
#include "gfx_support.h"
#include <gdk/gdkx.h>

namespace {

class ScaledDesktop : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    gdk_x11_display_set_window_scale(gdk_display_get_default(), 2);
    platform_init(0, nullptr);  // the scale, as a start on this desktop takes it
    ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
    font_load(0, "DejaVu Sans", 20, kFontBold);
  }
  void TearDown() override {
    screen_close(), window_close(0);
    gdk_x11_display_set_window_scale(gdk_display_get_default(), 1);
    platform_init(0, nullptr);
  }
  // The pixels a sprite holds: what it saves.
  static RgbaImage held(SpriteId sprite) { return saved_pixels(sprite); }
};

// What the game makes is measured in game pixels and holds twice the pixels a side: a canvas, its
// words (drawn twice as large, measured as at scale 1), a picture resized from all its pixels, a cut,
// a box, a decoded picture drawn into a sprite, a clip.
TEST_F(ScaledDesktop, WhatTheGameMakesHoldsTwiceThePixelsASideMeasuredInGamePixels) {
  gdk_x11_display_set_window_scale(gdk_display_get_default(), 1), platform_init(0, nullptr);
  const SpriteId plain = image_create(kNewSprite, 200, 40, 32, rgb(241, 172, 71));
  ASSERT_EQ(image_begin_text_drawing(plain), 1);
  text_set_font(0);
  const double widthAtScale1 = text_width("START");
  text_draw("START"), text_drawing_end();
  const InkBox inkAtScale1 = ink_box(*image_lookup(plain));
  gdk_x11_display_set_window_scale(gdk_display_get_default(), 2), platform_init(0, nullptr);

  const SpriteId canvas = image_create(kNewSprite, 200, 40, 32, rgb(241, 172, 71));
  EXPECT_EQ(std::tuple(image_width(canvas), image_height(canvas), image_lookup(canvas)->width, image_lookup(canvas)->height),
            std::tuple(200, 40, 400, 80));
  ASSERT_EQ(image_begin_text_drawing(canvas), 1);
  text_set_font(0);
  EXPECT_EQ(text_width("START"), widthAtScale1) << "laid out as at scale 1";
  text_draw("START"), text_drawing_end();
  const InkBox ink = ink_box(*image_lookup(canvas));
  EXPECT_TRUE(std::abs(ink.left - 2 * inkAtScale1.left) <= 2 && std::abs(ink.right - 2 * inkAtScale1.right) <= 2 &&
              std::abs(ink.bottom - 2 * inkAtScale1.bottom) <= 2)
      << "the words drawn twice as large: " << ink.left << "-" << ink.right << " against " << inkAtScale1.left << "-" << inkAtScale1.right;

  // A decoded picture is one pixel a game pixel; resized to its own size it keeps every pixel.
  const RgbaImage stripes = image_of(8, 2, [](int x, int) { return x % 2 ? kRed : kBlue; });
  const std::vector<uint8_t> png = encode_png(stripes);
  ASSERT_NE(image_load_png(40, png.data(), png.size()), 0);
  EXPECT_EQ(image_width(40), 8);
  ASSERT_EQ(image_resize(40, 4, 1, 0), 1);
  EXPECT_EQ(std::tuple(image_width(40), image_height(40)), std::tuple(4, 1));
  EXPECT_TRUE(image_lookup(40)->pixels == stripes.pixels) << "halved in game pixels, every stripe kept";
  ASSERT_NE(image_copy_rect(40, 41, 1, 0, 2, 1), 0);
  EXPECT_EQ(pixel_at(*image_lookup(41), 0, 0), kBlue) << "the cut from game pixel 1: picture pixel 2";
  EXPECT_EQ(std::tuple(image_width(41), image_lookup(41)->width), std::tuple(2, 4));

  const SpriteId sprite = sprite_create(kNewSprite, 6, 3, kSpritePlain);
  ASSERT_EQ(sprite_begin_drawing(sprite), 1);
  draw_box(0, 0, 6, 3, rgb(0, 255, 0));
  draw_box(1, 1, 2, 1, rgb(255, 255, 255));
  image_draw(41, 4, 0);                             // same density: copied
  ASSERT_NE(image_load_png(42, png.data(), png.size()), 0);
  image_draw(42, 0, 2);                             // a decoded picture: enlarged twice
  drawing_end();
  const RgbaImage pixels = held(sprite);
  ASSERT_EQ(std::pair(pixels.width, pixels.height), std::pair(12, 6));
  EXPECT_EQ(std::tuple(sprite_width(sprite), sprite_height(sprite)), std::tuple(6, 3));
  const std::tuple<int, int, Rgba> expected[] = {{0, 0, kGreen}, {1, 3, kGreen}, {2, 2, kWhite}, {5, 3, kWhite}, {6, 2, kGreen},
                                                 {8, 0, kBlue},  {9, 1, kRed},   {0, 5, kBlue}};
  for (const auto& [x, y, colour] : expected) EXPECT_TRUE(near(pixel_at(pixels, x, y), colour, 40)) << x << "," << y << " " << pixel_at(pixels, x, y);
  sprite_clip(sprite, 4, 1, 10, 10);
  EXPECT_EQ(std::tuple(sprite_width(sprite), sprite_height(sprite)), std::tuple(2, 2)) << "clipped in game pixels";
  for (const SpriteId image : {plain, canvas, SpriteId{40}, SpriteId{41}, SpriteId{42}}) image_free(image);
}

// Full screen lays the game out at the desktop's size halved and fills the screen: a sprite the game
// made is drawn texel for pixel, a decoded one twice its size, the pointer moves a game pixel for
// two of the screen's, and a screenshot holds the screen's pixels.
TEST_F(ScaledDesktop, FullScreenLaysOutAtHalfTheDesktopAndShowsItsPixelsAtTheScreens) {
  ASSERT_EQ(std::pair(desktop_width(), desktop_height()), std::pair(640, 360));
  ASSERT_EQ(screen_open_fullscreen(640, 360, 32, "Vesperine test", kFlipVsync), 1);
  Display* display = XOpenDisplay(nullptr);
  EXPECT_EQ(fullscreen_geometry(display), std::vector<int>({0, 0, 1280, 720, IsViewable, 1}));
  const SpriteId made = sprite_create(kNewSprite, 2, 1, kSpritePlain);
  ASSERT_EQ(sprite_begin_drawing(made), 1);
  draw_box(0, 0, 2, 1, rgb(255, 0, 0)), image_draw(-5, 0, 0);
  drawing_end();
  const RgbaImage quarters = solid_image(2, 2, kBlue, {{1, 0, kRed}, {0, 1, kGreen}, {1, 1, kWhite}});
  screen_set_sprite_quality(0);
  sprite_draw(load_sprite(quarters, kSpriteKeepAlpha), 10, 10);
  sprite_draw(made, 20, 10);
  RgbaImage shown;
  ASSERT_TRUE(platform_read_pixels(10, 10, 12, 2, &shown));
  ASSERT_EQ(std::pair(shown.width, shown.height), std::pair(24, 4));
  const std::tuple<int, int, Rgba> expected[] = {{0, 0, kBlue}, {1, 1, kBlue}, {2, 0, kRed}, {3, 1, kRed}, {0, 2, kGreen}, {3, 3, kWhite},
                                                 {20, 0, kRed}, {23, 1, kRed}, {20, 2, kBlack}, {19, 0, kBlack}};
  for (const auto& [x, y, colour] : expected) EXPECT_EQ(pixel_at(shown, x, y), colour) << x << "," << y;
  ASSERT_EQ(sprite_grab_screen(3, 0, 0, 640, 360), 1);
  EXPECT_EQ(std::tuple(sprite_width(3), held(3).width, held(3).height), std::tuple(640, 1280, 720)) << "a screenshot at the screen's pixels";
  screen_flip();
  ASSERT_EQ(run("xdotool mousemove_relative -- 100 40"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_x() == 50 && mouse_y() == 20; })) << mouse_x() << "," << mouse_y();
  XCloseDisplay(display);
}

// The windowed kind opens twice the game's size in the screen's pixels, and the pointer maps to game
// pixels: at its size, and fitted to another.
TEST_F(ScaledDesktop, AWindowOpensTwiceTheGamesSizeAndThePointerMapsToGamePixels) {
  ASSERT_EQ(window_open(0, 0, 0, 400, 300, "Vesperine scaled test", WindowStyleWindowed), 1);
  ASSERT_EQ(screen_open_in_window(window_handle(0), 0, 0, 400, 300, 0, 0, 0, kFlipVsync), 1);
  window_show(0);
  Display* display = XOpenDisplay(nullptr);
  const Window area = platform_drawing_area_window();
  const auto area_size = [&] {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, area, &attributes);
    return std::pair(attributes.width, attributes.height);
  };
  std::vector<int> events;
  const SpriteId quarters = load_sprite(solid_image(2, 2, kBlue, {{1, 0, kRed}, {0, 1, kGreen}, {1, 1, kWhite}}), kSpriteKeepAlpha);
  sprite_scale(quarters, 400, 300);
  const auto frame = [&] { take_window_events(events), sprite_draw(quarters, 0, 0), screen_flip(); };
  for (const auto& [width, height, pointerX, pointerY, gameX, gameY] :
       {std::tuple{800, 600, 101, 51, 50, 25}, {1000, 600, 100 + 101, 51, 50, 25}}) {
    if (width != 800) {
      ASSERT_EQ(run("xdotool windowsize " + std::to_string(window_handle(0)) + " " + std::to_string(width) + " " + std::to_string(height)), 0);
    }
    ASSERT_TRUE(wait_until(frame, [&] { return area_size() == std::pair(width, height); })) << area_size().first;
    for (int i = 0; i < 3; ++i) frame();
    XSync(gdk_x11_get_default_xdisplay(), False);
    const RgbaImage shown = shown_pixels(display, area, width, height);
    const int left = (width - 800) / 2;
    EXPECT_EQ(std::vector<Rgba>({pixel_at(shown, left + 2, 2), pixel_at(shown, left + 797, 2), pixel_at(shown, left + 2, 597), pixel_at(shown, left + 797, 597)}),
              std::vector<Rgba>({kBlue, kRed, kGreen, kWhite})) << width << "x" << height;
    ASSERT_EQ(run("xdotool mousemove --sync --window " + std::to_string(area) + " " + std::to_string(pointerX) + " " + std::to_string(pointerY)), 0);
    EXPECT_EQ(std::pair(window_mouse_x(0), window_mouse_y(0)), std::pair(gameX, gameY)) << width << "x" << height;
  }
  XCloseDisplay(display);
}

}  // namespace
