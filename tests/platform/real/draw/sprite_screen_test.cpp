// Sprites drawn on a real full-screen GL screen (Xvfb, Mesa) and read back from the frame.
#include "gfx_support.h"
#include "platform/real/draw/sprite_store.h"

#include <filesystem>

namespace {

TEST_F(FullScreen, SpritesReplaceOrBlendByTheirAlphaOrTheColourKeyClipScaleAndCutAtTheScreenEdges) {
  fill_screen(kWhite);
  const RgbaImage half = solid_image(2, 1, Rgba{200, 100, 50, 128}, {{1, 0, Rgba{10, 20, 30, 0}}}), red = solid_image(2, 1, kRed);
  const RgbaImage ownAlpha = solid_image(2, 1, kBlack, {{1, 0, Rgba{50, 60, 70, 10}}});
  const RgbaImage redKey = solid_image(2, 1, kRed, {{1, 0, Rgba{50, 60, 70, 10}}});
  struct Case {  // intensity < 0: drawn, not blended
    const char* rule; const RgbaImage& picture; int flags, colourType, intensity; uint32_t key; Rgba left, right;
  };
  const Case cases[] = {
      {"drawn: colour times alpha replaces the screen", half, kSpriteKeepAlpha, 6, -1, 0, {100, 50, 25, 255}, kBlack},
      {"blended: alpha over the screen", half, kSpriteKeepAlpha, 6, 255, 0, {227, 177, 152, 255}, kWhite},
      {"blended at an intensity", red, kSpriteKeepAlpha, 6, 128, 0, {255, 127, 127, 255}, {255, 127, 127, 255}},
      {"at intensity 0 nothing", half, kSpriteKeepAlpha, 6, 0, 0, kWhite, kWhite},
      {"plain: black keyed, its own alpha ignored", ownAlpha, kSpritePlain, 6, 255, 0, kWhite, {50, 60, 70, 255}},
      {"no alpha channel: keyed even when kept", ownAlpha, kSpriteKeepAlpha, 2, 255, 0, kWhite, {50, 60, 70, 255}},
      {"a key set recomputes the alpha, kept or not", redKey, kSpriteKeepAlpha, 6, 255, rgb(255, 0, 0), kWhite, {50, 60, 70, 255}},
  };
  for (const Case& c : cases) {
    const int x = 10 + 10 * int(&c - cases);
    const SpriteId sprite = load_sprite(c.picture, c.flags, c.colourType);
    if (c.key != 0) sprite_set_color_key(sprite, c.key);
    c.intensity < 0 ? sprite_draw(sprite, x, 10) : sprite_draw_blended(sprite, x, 10, c.intensity);
    EXPECT_TRUE(near(screen_pixel(x, 10), c.left) && near(screen_pixel(x + 1, 10), c.right))
        << c.rule << ": " << screen_pixel(x, 10) << " " << screen_pixel(x + 1, 10);
  }
  const SpriteId sprite = load_sprite(image_of(4, 4, [](int x, int) { return x < 2 ? kRed : x == 2 ? kBlue : kGreen; }), kSpriteKeepAlpha);
  sprite_clip(sprite, 2, 1, 10, 10);  // cut to the sprite: 2 x 3
  EXPECT_EQ(sprite_width(sprite) * 10 + sprite_height(sprite), 23);
  sprite_draw(sprite, 20, 20), sprite_clip(sprite, 5, 0, 3, 3);
  EXPECT_EQ(sprite_width(sprite), 0);
  sprite_clip(sprite, -1, -1, -1, -1), sprite_scale(sprite, 8, 2);
  EXPECT_EQ(sprite_width(sprite) * 10 + sprite_height(sprite), 82);
  sprite_draw(sprite, 30, 30);
  const SpriteId redSquare = solid_sprite(3, 3, kRed);
  for (const auto& [x, y] : {std::pair{-3, 5}, {5, -3}, {-2, 10}, {10, -2}, {desktop_width() - 1, 20}, {desktop_width(), 20}})
    sprite_draw(redSquare, x, y);
  const std::tuple<int, int, Rgba> expected[] = {
      {20, 20, kBlue}, {21, 22, kGreen}, {22, 20, kWhite}, {20, 23, kWhite}, {33, 31, kRed}, {34, 31, kBlue},
      {0, 5, kWhite},  {5, 0, kWhite},   {0, 10, kRed},    {1, 10, kWhite},  {10, 0, kRed},  {desktop_width() - 1, 20, kRed}};
  for (const auto& [x, y, colour] : expected) EXPECT_EQ(screen_pixel(x, y), colour) << x << "," << y;
  screen_set_sprite_quality(1), sprite_draw(sprite, 30, 40);
  EXPECT_GT(screen_pixel(34, 40).r, 30) << "smooth scaling mixes neighbours";
  EXPECT_EQ((sprite_scale(sprite, -1, -1), sprite_width(sprite)), 4);
}

TEST_F(FullScreen, SpritesLargerThanTheDriversTexturesShowWholeAtTheirSizeAndKeepTheirPixels) {
  fill_screen(kWhite);
  platform_limit_texture_side(64);  // llvmpipe takes 16384 like the sprite store, a GPU may take less
  // Four pixels a texel, the last texel one pixel wide.
  const RgbaImage picture = image_of(201, 90, [](int x, int y) { return x == 7 && y == 7 ? kGreen : x < 100 ? kRed : kBlue; });
  const SpriteId sprite = load_sprite(picture, kSpriteKeepAlpha);
  sprite_draw(sprite, 0, 0), sprite_clip(sprite, 150, 0, 51, 90), sprite_draw(sprite, 300, 0), platform_limit_texture_side(0);
  GLint textureWidth = 0;
  glBindTexture(GL_TEXTURE_2D, sprite_find(sprite)->texture), glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &textureWidth);
  EXPECT_EQ(textureWidth, 51);
  for (const auto& [x, y, colour] : {std::tuple{0, 0, kRed}, {99, 89, kRed}, {100, 0, kBlue}, {200, 89, kBlue}, {201, 0, kWhite},
                                     {0, 90, kWhite}, {300, 0, kBlue}, {350, 89, kBlue}, {351, 0, kWhite}})
    EXPECT_EQ(screen_pixel(x, y), colour) << x << "," << y;
  EXPECT_EQ(saved_pixels(sprite).pixels, picture.pixels) << "the pixels stay as loaded";
}

TEST_F(FullScreen, GrabbedFramesAndSpritesDrawnIntoAreKeyedAndSavedAsRgbaPngAndSpriteNumbersHandlesAndBadArguments) {
  fill_screen(kBlack);
  const SpriteId red = solid_sprite(1, 1, kRed);
  sprite_scale(red, 2, 2), sprite_draw(red, 5, 5);
  ASSERT_EQ(sprite_grab_screen(3, 0, 0, 10, 10), 1);
  const RgbaImage saved = saved_pixels(3);
  ASSERT_EQ(saved.width * 100 + saved.height, 1010);
  EXPECT_EQ(std::tuple(pixel_at(saved, 6, 6), pixel_at(saved, 0, 0), pixel_at(saved, 7, 5)), std::tuple(kRed, kClear, kClear));
  EXPECT_EQ(sprite_save_png(3, "/nonexistent-dir/x.png", kPng) + sprite_save_png(3, "", kPng) +
            sprite_save_png(99, testing::TempDir() + "x.png", kPng), 0);
  // Drawn into: images copied or blended, boxes, and the colour key again unless the alpha is kept.
  ASSERT_EQ(sprite_create(8, 4, 1, kSpritePlain) != 0 && sprite_begin_drawing(8), 1);
  const SpriteId background = image_create(kNewSprite, 4, 1, 32, rgb(10, 20, 30));
  image_draw(background, 0, 0);
  const std::vector<uint8_t> halfRed = encode_png(solid_image(1, 1, Rgba{250, 0, 0, 128}));
  const SpriteId overlay = image_load_png(kNewSprite, halfRed.data(), halfRed.size());
  image_draw(overlay, 1, 0), draw_box(3, 0, 5, 5, rgb(0, 0, 0)), drawing_end();
  const RgbaImage pixels = saved_pixels(8);
  ASSERT_EQ(pixels.width, 4);
  EXPECT_TRUE(near(pixel_at(pixels, 1, 0), Rgba{130, 10, 15, 255}) && pixel_at(pixels, 1, 0).a == 255) << pixel_at(pixels, 1, 0);
  EXPECT_EQ(std::pair(pixel_at(pixels, 0, 0), pixel_at(pixels, 3, 0)), std::pair(Rgba{10, 20, 30, 255}, kClear)) << "the black box is keyed away";
  const SpriteId keeping = sprite_create(kNewSprite, 2, 1, kSpriteKeepAlpha);
  ASSERT_EQ(sprite_begin_drawing(keeping), 1);
  image_draw(overlay, 0, 0), drawing_end();
  EXPECT_EQ(pixel_at(saved_pixels(keeping), 0, 0), (Rgba{250, 0, 0, 128})) << "kept alpha stays as drawn";
  EXPECT_EQ(sprite_begin_drawing(4242), 0);
  const SpriteId first = sprite_create(kNewSprite, 3, 2, kSpritePlain), second = sprite_create(kNewSprite, 3, 2, kSpritePlain);
  EXPECT_TRUE(first >= kFirstSpriteHandle && second >= kFirstSpriteHandle && second != first) << first << " " << second;
  EXPECT_TRUE(sprite_create(5, 7, 9, kSpritePlain) && sprite_create(5, 11, 12, kSpritePlain) && sprite_width(5) * 100 + sprite_height(5) == 1112)
      << "a number given again replaces its sprite";
  EXPECT_EQ(saved_pixels(first).pixels, std::vector<uint8_t>(3 * 2 * 4, 0)) << "new sprites are transparent black";
  EXPECT_EQ(sprite_create(-7, 3, 3, 0) + sprite_create(6, 0, 3, 0) + sprite_load_png(20, nullptr, 0, 0) + sprite_width(20), 0);
  fill_screen(kWhite), sprite_draw(77, 0, 0);  // no such sprite: nothing drawn
  EXPECT_EQ(screen_pixel(0, 0), kWhite);
  EXPECT_EQ((screen_close(), sprite_width(first) + sprite_width(5)), 0);
}

// Frames drawn alike keep the screen under their last full-screen draw and from the third on draw
// that copy; any change under it draws the calls again (a texture changed under it: the frames
// shown by OnlyFramesThatChangeTheScreenAreShown). Whole frames, as window kinds show them.
TEST_F(FullScreen, FramesAlikeUpToTheirLastFullScreenDrawReuseItsPixelsExactly) {
  platform_show_whole_frames(true);
  const int width = desktop_width(), height = desktop_height();
  const SpriteId background = load_sprite(image_of(width, height, [](int x, int y) { return y == 5 && x % 7 == 0 ? kGreen : kBlue; }), kSpriteKeepAlpha);
  const SpriteId card = solid_sprite(16, 16, kRed), veil = solid_sprite(width, height, kBlack), panel = solid_sprite(8, 8, kWhite);
  struct Frame {  // how: 'b' the background blended, 'r' the screen read half-way, 'e' the frame ends after the card
    const char* what; int cardX, cardScale, veil, fromCopy = 0; char how = ' ';
  };
  const Frame frames[] = {
      {"first", 10, 16, 128}, {"second, alike: copied", 10, 16, 128}, {"third draws the copy", 10, 16, 128, 1},
      {"and the fourth", 10, 16, 128, 1}, {"card moved", 30, 16, 128}, {"alike again", 30, 16, 128},
      {"copy of the moved card", 30, 16, 128, 1}, {"card scaled", 30, 24, 128}, {"veil lighter", 30, 24, 60},
      {"no veil: nothing kept", 30, 24, 0}, {"nor now", 30, 24, 0}, {"veil back", 30, 24, 60}, {"alike", 30, 24, 60},
      {"read half-way", 30, 24, 60, 0, 'r'}, {"copy", 30, 24, 60, 1}, {"ends after the card", 30, 24, 60, 0, 'e'},
      {"copy still kept", 30, 24, 60, 1}, {"background blended", 30, 24, 60, 0, 'b'}, {"alike", 30, 24, 60, 0, 'b'},
      {"still nothing kept", 30, 24, 60, 0, 'b'},
  };
  RgbaImage last;
  for (const Frame& f : frames) {
    SCOPED_TRACE(f.what);
    const int before = platform_frames_drawn_from_copy();
    f.how == 'b' ? sprite_draw_blended(background, 0, 0, 255) : sprite_draw(background, 0, 0);
    sprite_scale(card, f.cardScale, f.cardScale);
    sprite_draw_blended(card, f.cardX, 10, 255);
    EXPECT_TRUE((f.how != 'r' && f.how != 'e') || screen_pixel(f.cardX + 1, 11) == kRed) << "the card read half-way";
    if (f.how != 'e') sprite_draw_blended(veil, 0, 0, f.veil), sprite_draw(panel, 100, 10);
    RgbaImage frame;
    ASSERT_TRUE(platform_read_pixels(0, 0, 120, 40, &frame));
    EXPECT_EQ(platform_frames_drawn_from_copy() - before, f.fromCopy) << "counted once the read has the frame drawn";
    EXPECT_TRUE(f.fromCopy == 0 || frame.pixels == last.pixels) << "a copy of the frame before, drawn by its calls";
    if (f.how != 'e') last = frame;
    EXPECT_GT(pixel_at(frame, f.cardX + 1, 11).r, pixel_at(frame, 5, 11).r);
    screen_flip();
  }
}

// On a GL 1.4 context (indirect GLX, old drivers) sprites blend through the texture environment to
// the shaders' pixels at every intensity: the test runs itself again there and compares the charts.
TEST_F(FullScreen, WithoutShadersBlendsGiveTheShadersPixels) {
  sprite_draw(load_sprite(image_of(256, 64, [](int x, int y) { return Rgba{uint8_t(x), uint8_t(y * 4 + x / 64), uint8_t(x * 7), 255}; }), kSpriteKeepAlpha), 0, 0);
  const auto texel = [](int x, int y) { return Rgba{uint8_t(y * 64 + x * 4), uint8_t(255 - y * 48 - x * 3), 200, uint8_t(y * 64 + x * 4 + 3)}; };
  const SpriteId sprite = load_sprite(image_of(16, 4, texel), kSpriteKeepAlpha);
  for (int intensity = 1; intensity < 256; ++intensity) sprite_draw_blended(sprite, intensity % 16 * 16, intensity / 16 * 4, intensity);
  sprite_draw(sprite, 0, 0);
  RgbaImage chart;
  ASSERT_TRUE(platform_read_pixels(0, 0, 256, 64, &chart));
  const std::string withoutShaders = testing::TempDir() + "blends-without-shaders.png";
  if (std::getenv("VESPERINE_WITHOUT_SHADERS") != nullptr) {  // the run on a context without them
    EXPECT_FALSE(platform_draws_with_shaders());
    ASSERT_TRUE(png_write_rgba(withoutShaders.c_str(), chart));
    return;
  }
  EXPECT_TRUE(platform_draws_with_shaders());
  screen_close();  // the other run takes the keyboard and pointer
  ASSERT_EQ(run("VESPERINE_WITHOUT_SHADERS=1 MESA_GL_VERSION_OVERRIDE=1.4 MESA_EXTENSION_OVERRIDE='-GL_ARB_fragment_shader "
                "-GL_ARB_vertex_shader' " + std::filesystem::read_symlink("/proc/self/exe").string() +
                " --gtest_filter=FullScreen.WithoutShadersBlendsGiveTheShadersPixels >/dev/null 2>&1"), 0);
  const std::vector<uint8_t> png = file_bytes(withoutShaders);
  RgbaImage other;
  ASSERT_TRUE(png_decode_rgba(png.data(), png.size(), &other, nullptr));
  EXPECT_TRUE(other.pixels == chart.pixels) << "the texture environment blends unlike the shaders";
}

}  // namespace
