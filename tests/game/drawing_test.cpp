#include <algorithm>

#include "game/board.h"
#include "game/frame_drawing.h"
#include "game/sprite_numbers.h"
#include "game_fixture.h"

namespace {
class DrawingTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenScreen(1280, 720);
  }
  std::vector<std::string> draws() {
    std::vector<std::string> out;
    for (const auto& c : fake::state().calls)
      if (c.rfind("sprite_draw", 0) == 0) out.push_back(c);
    return out;
  }
  static std::string id(SpriteId s) { return std::to_string(s); }
};

TEST_F(DrawingTest, LogoAndTitleAreOnePictureEach) {
  game.gameState = Logo;
  DrawFrame();
  EXPECT_EQ(draws(), std::vector<std::string>{"sprite_draw 11 0 0"});
  fake::clearCalls();
  game.gameState = Title;
  DrawFrame();
  EXPECT_EQ(draws(), std::vector<std::string>{"sprite_draw 10 0 0"});
}

TEST_F(DrawingTest, MenuBeforeTheFirstGameShowsBacksOfTheFirstSetOverBackgroundZero) {
  game.gameState = Menu;
  DrawFrame();
  const auto d = draws();
  ASSERT_GE(d.size(), 2u);
  EXPECT_EQ(d[0], "sprite_draw " + id(game.backgroundSprites[0]) + " 0 0");
  EXPECT_EQ(d[1], "sprite_draw_blended 1 168 8 128");
  EXPECT_EQ(d[2], "sprite_draw_blended " + id(game.cardSets[0].back) + " 165 5 255");
  const auto scales = fake::callsStartingWith("sprite_scale 1 ");
  ASSERT_FALSE(scales.empty());
  EXPECT_EQ(scales[0], "sprite_scale 1 110 110");
  // The dialog frame, then the five entries; CONTINUE in its dimmed look without a game.
  const auto frame = std::find(d.begin(), d.end(), "sprite_draw_blended 4 0 0 128");
  ASSERT_NE(frame, d.end());
  EXPECT_EQ(*(frame + 1), "sprite_draw_blended 6 303 43 128");
  EXPECT_EQ(*(frame + 2), "sprite_draw_blended 5 300 40 255");
  const int64_t w14 = sprite_width(kSpriteContinueDimmed);
  EXPECT_EQ(*(frame + 4), "sprite_draw 14 " + std::to_string((1280 - w14) / 2) + " 270");
  EXPECT_EQ(d.back(), "sprite_draw 17 " + std::to_string((1280 - sprite_width(kSpriteQuit)) / 2) + " 520");
}

TEST_F(DrawingTest, RunningGameShowsTheUsableContinue) {
  dealNewGame();
  game.gameState = Menu;
  DrawFrame();
  const auto d = draws();
  EXPECT_TRUE(std::any_of(d.begin(), d.end(), [](const std::string& s) { return s.rfind("sprite_draw 13 ", 0) == 0; }));
  EXPECT_FALSE(std::any_of(d.begin(), d.end(), [](const std::string& s) { return s.rfind("sprite_draw 14 ", 0) == 0; }));
}

TEST_F(DrawingTest, BoardSkipsRemovedAndShowsFacesAndFades) {
  dealNewGame();
  fake::clearCalls();
  game.board[0][0].state = Removed;
  game.board[1][0].state = FaceUp;
  game.board[2][0].state = Vanishing;
  game.board[3][0].state = Vanishing;
  game.pairFade = 255;
  DrawFrame();
  const auto d = draws();
  // background, then cell (1,0): shadow and face
  EXPECT_EQ(d[1], "sprite_draw_blended 1 288 8 128");
  EXPECT_EQ(d[2], "sprite_draw_blended " + id(game.board[1][0].face) + " 285 5 255");
  EXPECT_EQ(d[3], "sprite_draw_blended 1 408 8 127");
  EXPECT_EQ(d[4], "sprite_draw_blended " + id(game.board[2][0].face) + " 405 5 255");
  EXPECT_EQ(d[5], "sprite_draw_blended 1 528 8 125");
  EXPECT_EQ(d[6], "sprite_draw_blended " + id(game.board[3][0].face) + " 525 5 251");
  EXPECT_EQ(game.pairFade, 247);
  EXPECT_EQ(d.size(), 1u + 2 * 47);
}

TEST_F(DrawingTest, QuestionsPlaceYesAndNoByTheQuitQuestionWidth) {
  game.gameState = AskNewGame;
  DrawFrame();
  const auto d = draws();
  const int64_t area = sprite_width(kSpriteQuitQuestion);
  ASSERT_EQ(area, 540);
  const int64_t left = (1280 - 540) / 2;
  EXPECT_EQ(d[d.size() - 2], "sprite_draw 22 " + std::to_string(left + 20) + " 340");
  EXPECT_EQ(d.back(), "sprite_draw 23 " + std::to_string(left + 540 - sprite_width(kSpriteNo) - 20) + " 340");
  EXPECT_EQ(d[d.size() - 3], "sprite_draw 25 370 260");
}

TEST_F(DrawingTest, SettingsShowArrowsOffAtTheEndsAndTheBox) {
  UseThreeLanguages();
  game.gameState = Settings;
  game.setLangIdx = 0;
  game.setMusic = 1;
  DrawFrame();
  auto d = draws();
  EXPECT_NE(std::find(d.begin(), d.end(), "sprite_draw 27 574 275"), d.end());
  EXPECT_EQ(std::find(d.begin(), d.end(), "sprite_draw 29 874 275"), d.end());
  EXPECT_EQ(d.back(), "sprite_draw 31 574 315");
  EXPECT_NE(std::find(d.begin(), d.end(), "sprite_draw 32 594 270"), d.end());
  EXPECT_NE(std::find(d.begin(), d.end(), "sprite_draw 19 374 260"), d.end());
  fake::clearCalls();
  game.setLangIdx = 2;
  game.setMusic = 0;
  DrawFrame();
  d = draws();
  EXPECT_EQ(std::find(d.begin(), d.end(), "sprite_draw 27 574 275"), d.end());
  EXPECT_NE(std::find(d.begin(), d.end(), "sprite_draw 29 874 275"), d.end());
  EXPECT_EQ(d.back(), "sprite_draw 30 574 315");
}

TEST_F(DrawingTest, WellDoneFadesInOver33FramesThenHolds) {
  game.gameState = WellDone;
  for (auto& column : game.board)
    for (auto& cell : column) cell.state = Removed;
  std::vector<std::string> banners;
  for (int i = 0; i < 35; ++i) {
    fake::clearCalls();
    DrawFrame();
    banners.push_back(draws().back());
  }
  EXPECT_EQ(banners[0], "sprite_draw_blended 7 630 350 0");
  EXPECT_EQ(banners[1], "sprite_draw_blended 7 630 350 8");
  EXPECT_EQ(banners[31], "sprite_draw_blended 7 630 350 248");
  EXPECT_EQ(banners[32], "sprite_draw_blended 7 630 350 255");
  EXPECT_EQ(banners[34], "sprite_draw_blended 7 630 350 255");
  EXPECT_EQ(game.wellDoneFade, 128);
}
}  // namespace
