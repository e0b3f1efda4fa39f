#include "display/asset_loading.h"
#include "display/screen_setup.h"
#include "game_fixture.h"

namespace {
class ScreenFillingTest : public GameTest {
 protected:
  void open(int w, int h) {
    fake::state().desktopWidth = w;
    fake::state().desktopHeight = h;
    screen_open_fullscreen(w, h, 32, "t", kFlipVsync);
    fake::clearCalls();
  }
  SpriteId make(int iw, int ih, int w, int h) {
    const std::string png = FakePng(iw, ih);
    return MakeScreenFillingSprite(kNewSprite, png.data(), png.size(), w, h);
  }
};

TEST_F(ScreenFillingTest, SameProportionQuotientResizesStraight) {
  open(1280, 1024);
  const SpriteId s = make(1920, 1080, 1280, 1024);
  EXPECT_EQ(fake::callsStartingWith("image_resize"), std::vector<std::string>{"image_resize 0 1280 1024 0"});
  EXPECT_EQ(fake::callsStartingWith("image_copy_rect"), std::vector<std::string>{"image_copy_rect 0 1 0 0 1280 1024"});
  EXPECT_EQ(sprite_width(s), 1280);
  EXPECT_EQ(fake::callsStartingWith("image_draw"), std::vector<std::string>{"image_draw 1 0 0"});
  EXPECT_TRUE(fake::state().images.empty());
}

TEST_F(ScreenFillingTest, ExactSizeIsCopiedUnscaled) {
  open(1280, 720);
  make(1280, 720, 1280, 720);
  EXPECT_TRUE(fake::callsStartingWith("image_resize").empty());
  EXPECT_EQ(fake::callsStartingWith("image_copy_rect"), std::vector<std::string>{"image_copy_rect 0 1 0 0 1280 720"});
}

TEST_F(ScreenFillingTest, WiderPictureIsFittedByHeightAndCroppedInTheMiddle) {
  open(1024, 1280);
  // 1920 x 1080 on a tall screen: fitted height 10 * (1024 / 19) = 530 < 1080, so the width-fitted
  // crop would reach outside; the picture covers the screen instead.
  make(1920, 1080, 1024, 1280);
  const auto resize = fake::callsStartingWith("image_resize");
  ASSERT_EQ(resize.size(), 1u);
  EXPECT_EQ(resize[0], "image_resize 0 2276 1280 0");
  EXPECT_EQ(fake::callsStartingWith("image_copy_rect"), std::vector<std::string>{"image_copy_rect 0 1 626 0 1024 1280"});
}

TEST_F(ScreenFillingTest, CropReachingOutsideIsClampedToStillFillTheScreen) {
  open(1024, 1280);
  // Fitted to 1024 x 1020 the crop would start at y = -130: covering gives 1024 x 1280 instead.
  make(1280, 1024, 1024, 1280);
  EXPECT_EQ(fake::callsStartingWith("image_resize"), std::vector<std::string>{"image_resize 0 1600 1280 0"});
  EXPECT_EQ(fake::callsStartingWith("image_copy_rect"), std::vector<std::string>{"image_copy_rect 0 1 288 0 1024 1280"});
}

TEST_F(ScreenFillingTest, TallerPictureIsFittedByWidth) {
  open(1280, 720);
  make(1500, 2000, 1280, 720);  // quotients 0 and 1; fitted height 20 * (1280 / 15) = 1700
  EXPECT_EQ(fake::callsStartingWith("image_resize"), std::vector<std::string>{"image_resize 0 1280 1700 0"});
  EXPECT_EQ(fake::callsStartingWith("image_copy_rect"), std::vector<std::string>{"image_copy_rect 0 1 0 490 1280 720"});
}

TEST_F(ScreenFillingTest, UndecodablePictureLeavesAnEmptySprite) {
  open(1280, 720);
  const std::string junk = "not a picture";
  const SpriteId s = MakeScreenFillingSprite(10, junk.data(), junk.size(), 1280, 720);
  EXPECT_NE(s, 0);
  EXPECT_EQ(sprite_width(10), 1280);
  EXPECT_TRUE(fake::callsStartingWith("image_draw").empty());
  EXPECT_TRUE(fake::state().images.empty());
}

// Pictures under 100 pixels on a side: the proportion quotient still decides a straight resize;
// otherwise, with no whole hundreds to fit by, they cover the screen and the centre is cropped.
TEST_F(ScreenFillingTest, SmallPicturesStillFillTheScreen) {
  struct Case {
    int iw, ih;
    const char* resize;
    const char* copy;
  };
  const Case cases[] = {
      {160, 90, "image_resize 0 1280 720 0", "image_copy_rect 0 1 0 0 1280 720"},
      {99, 60, "image_resize 0 1280 720 0", "image_copy_rect 0 1 0 0 1280 720"},
      {50, 1080, "image_resize 0 1280 27648 0", "image_copy_rect 0 1 0 13464 1280 720"},
      {1920, 99, "image_resize 0 13964 720 0", "image_copy_rect 0 1 6342 0 1280 720"},
  };
  open(1280, 720);
  for (const Case& c : cases) {
    fake::clearCalls();
    make(c.iw, c.ih, 1280, 720);
    EXPECT_EQ(fake::callsStartingWith("image_resize"), std::vector<std::string>{c.resize}) << c.iw << "x" << c.ih;
    EXPECT_EQ(fake::callsStartingWith("image_copy_rect"), std::vector<std::string>{c.copy}) << c.iw << "x" << c.ih;
    EXPECT_EQ(fake::callsStartingWith("image_draw"), std::vector<std::string>{"image_draw 1 0 0"});
  }
}

TEST(ScreenModeTest, ParsesFieldsAndTreatsJunkAsZero) {
  int64_t w = -1, h = -1;
  ParseScreenMode("1024x768", &w, &h);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  ParseScreenMode("800x600x32", &w, &h);
  EXPECT_EQ(h, 600);
  ParseScreenMode("big", &w, &h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  ParseScreenMode("640", &w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 0);
  ParseScreenMode("99999999999x5", &w, &h);
  EXPECT_EQ(w, 0);
}
}  // namespace
