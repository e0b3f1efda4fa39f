// Pictures decoded ahead on the other core give exactly what a plain load gives, whatever the order
// they are taken in, taken or not, and past the budget of decoded pictures waiting to be taken.
#include <gtest/gtest.h>

#include <cstdio>

#include "gfx_support.h"

namespace {

struct AheadCase {
  const char* name;
  RgbaImage picture;
  int colourType;
  int flags;
  bool asImage;  // image_load_png instead of sprite_load_png
};

std::vector<uint8_t> file_bytes(const std::string& path) {
  std::vector<uint8_t> bytes(64 << 20);
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

// What a load left: the sprite's pixels as saved, or the image's size; "failed" when it did not load.
std::string loaded(const AheadCase& c, const std::vector<uint8_t>& png) {
  if (c.asImage) {
    const SpriteId image = image_load_png(kNewSprite, png.data(), png.size());
    const std::string result = image ? std::to_string(image_width(image)) + "x" + std::to_string(image_height(image)) : "failed";
    image_free(image);
    return result;
  }
  const SpriteId sprite = sprite_load_png(kNewSprite, png.data(), png.size(), c.flags);
  const std::string path = testing::TempDir() + "ahead.png";
  if (!sprite || sprite_save_png(sprite, path, kPng) != 1) return "failed";
  const std::vector<uint8_t> saved = file_bytes(path);
  return std::string(saved.begin(), saved.end());
}

TEST(PictureAhead, TakenInAnyOrderOrNeverTheLoadsMatchPlainOnes) {
  platform_init(0, nullptr);
  ASSERT_EQ(sprite_init(), 1);
  ASSERT_EQ(screen_open_fullscreen(desktop_width(), desktop_height(), 32, "ahead", kFlipVsync), 1);

  RgbaImage edged = solid_image(40, 30, Rgba{200, 100, 50, 255});
  set_pixel(edged, 0, 0, Rgba{250, 7, 3, 128});  // premultiplying rounds this colour
  set_pixel(edged, 1, 0, Rgba{9, 8, 7, 0});      // and loses this one
  RgbaImage keyed = solid_image(16, 16, Rgba{0, 0, 0, 255});
  set_pixel(keyed, 3, 3, Rgba{90, 60, 30, 255});
  // Three pictures of 16 MB decoded, together past the budget: the decoding ahead has to wait.
  std::vector<AheadCase> cases = {
      {"own alpha", edged, 6, kSpriteKeepAlpha, false},
      {"keyed without alpha", keyed, 2, kSpriteKeepAlpha, false},
      {"keyed", edged, 6, kSpritePlain, false},
      {"image", edged, 6, 0, true},
      {"large 1", solid_image(2000, 2000, Rgba{1, 2, 3, 255}), 2, kSpritePlain, false},
      {"large 2", solid_image(2000, 2000, Rgba{4, 5, 6, 255}), 2, kSpritePlain, false},
      {"large 3", solid_image(2000, 2000, Rgba{7, 8, 9, 255}), 2, kSpritePlain, false},
      {"never taken", edged, 6, kSpritePlain, false},
  };
  std::vector<std::vector<uint8_t>> pngs;
  for (const AheadCase& c : cases) pngs.push_back(encode_png(c.picture, c.colourType));
  std::vector<uint8_t> broken = pngs[0];
  broken.resize(broken.size() / 2);

  std::vector<std::string> plain;
  for (size_t i = 0; i < cases.size(); ++i) plain.push_back(loaded(cases[i], pngs[i]));
  ASSERT_EQ(loaded(cases[0], broken), "failed");

  for (int round = 0; round < 2; ++round) {  // the second round starts the decoding afresh
    for (const std::vector<uint8_t>& png : pngs) picture_decode_ahead(png.data(), png.size());
    picture_decode_ahead(broken.data(), broken.size());
    for (const size_t i : {size_t(3), size_t(0), size_t(4), size_t(1), size_t(6), size_t(5), size_t(2)}) {
      EXPECT_EQ(loaded(cases[i], pngs[i]), plain[i]) << cases[i].name << ", round " << round;
    }
    EXPECT_EQ(loaded(cases[0], broken), "failed");
    picture_decode_ahead_stop();
  }
  screen_close();
  platform_shutdown();
}

}  // namespace
