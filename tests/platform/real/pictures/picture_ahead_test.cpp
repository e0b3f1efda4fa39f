// Pictures decoded ahead on the other core, within a budget, give exactly what a plain load gives.
#include "gfx_support.h"

namespace {

struct AheadCase {  // asImage: loaded with image_load_png instead of sprite_load_png
  const char* name; RgbaImage picture; int colourType, flags; bool asImage;
};

// The pixels a load left (a sprite's as it saves them); none when it did not load.
std::vector<uint8_t> loaded(const AheadCase& c, const std::vector<uint8_t>& png) {
  if (!c.asImage) return saved_pixels(sprite_load_png(kNewSprite, png.data(), png.size(), c.flags)).pixels;
  const SpriteId image = image_load_png(kNewSprite, png.data(), png.size());
  std::vector<uint8_t> pixels = image != 0 ? image_lookup(image)->pixels : std::vector<uint8_t>();
  image_free(image);
  return pixels;
}

TEST_F(FullScreen, PicturesDecodedAheadTakenInAnyOrderOrNeverLoadAsPlainOnes) {
  // Premultiplying rounds the first odd colour and loses the second.
  const RgbaImage edged = solid_image(40, 30, Rgba{200, 100, 50, 255}, {{0, 0, Rgba{250, 7, 3, 128}}, {1, 0, Rgba{9, 8, 7, 0}}});
  const RgbaImage keyed = solid_image(16, 16, kBlack, {{3, 3, Rgba{90, 60, 30, 255}}});
  // Three pictures of 16 MB decoded, together past the budget: the decoding ahead has to wait.
  const std::vector<AheadCase> cases = {
      {"own alpha", edged, 6, kSpriteKeepAlpha, false}, {"keyed without alpha", keyed, 2, kSpriteKeepAlpha, false},
      {"keyed", edged, 6, kSpritePlain, false}, {"image", edged, 6, 0, true},
      {"large 1", solid_image(2000, 2000, Rgba{1, 2, 3, 255}), 2, kSpritePlain, false},
      {"large 2", solid_image(2000, 2000, Rgba{4, 5, 6, 255}), 2, kSpritePlain, false},
      {"large 3", solid_image(2000, 2000, Rgba{7, 8, 9, 255}), 2, kSpritePlain, false}, {"never taken", edged, 6, kSpritePlain, false},
  };
  std::vector<std::vector<uint8_t>> pngs, plain;
  for (const AheadCase& c : cases) {
    pngs.push_back(encode_png(c.picture, c.colourType));
    plain.push_back(loaded(c, pngs.back()));
    ASSERT_FALSE(plain.back().empty()) << c.name;
  }
  const std::vector<uint8_t> broken(pngs[0].begin(), pngs[0].begin() + pngs[0].size() / 2);
  ASSERT_TRUE(loaded(cases[0], broken).empty());
  for (int round = 0; round < 2; ++round) {  // the second round starts the decoding afresh
    for (const std::vector<uint8_t>& png : pngs) picture_decode_ahead(png.data(), png.size());
    picture_decode_ahead(broken.data(), broken.size());
    // Decoded ahead: the four small ones and "large 1"; "large 2" would pass the budget.
    EXPECT_TRUE(wait_until([] {}, platform_decoding_ahead_held_back)) << "round " << round;
    std::vector<int> taken;  // so far; "large 3" is asked for while "large 2" waits to be taken
    for (const int before = platform_pictures_taken_ahead(); const size_t i : {3, 0, 4, 1, 6, 5, 2}) {
      EXPECT_EQ(loaded(cases[i], pngs[i]), plain[i]) << cases[i].name << ", round " << round;
      taken.push_back(platform_pictures_taken_ahead() - before);
    }
    EXPECT_EQ(taken, std::vector<int>({1, 2, 3, 4, 4, 5, 6})) << "round " << round;
    EXPECT_TRUE(loaded(cases[0], broken).empty());
    picture_decode_ahead_stop();
  }
}

}  // namespace
