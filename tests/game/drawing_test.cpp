// What each state draws, in order, read from the fake platform's recording.

#include "game/frame_drawing.h"
#include "game_fixture.h"

namespace {

class DrawingTest : public GameTest {
 protected:
  void SetUp() override { GameTest::SetUp(); OpenScreen(1280, 720); }
  std::vector<std::string> frame(int64_t state) {
    game.gameState = state, fake::clearCalls(), DrawFrame();
    return fake::callsStartingWith("sprite_draw");
  }
  static bool has(const std::vector<std::string>& d, const std::string& call) { return std::find(d.begin(), d.end(), call) != d.end(); }
  static std::string id(SpriteId s) { return std::to_string(s); }
};

TEST_F(DrawingTest, LogoTitleAndTheMenuOverTheBoard) {  // (the logo and the title: the main loop's)
  // Entries of odd widths (CONTINUE 81 pixels, QUIT 41) stand half a pixel left of the middle.
  UseMenuTexts();
  fake::state().textWidth = [](const std::string& text, int) { return 10.0 * static_cast<double>(text.size()) + 1; };
  renderAllTexts();
  // Before the first game: backs of the first set over background 0, a shadow under each card.
  auto d = frame(Menu);
  ASSERT_GE(d.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(d.begin(), d.begin() + 3),
            (std::vector<std::string>{"sprite_draw " + id(game.backgroundSprites[0]) + " 0 0", "sprite_draw_blended 1 168 8 128",
                                      "sprite_draw_blended " + id(game.cardSets[0].back) + " 165 5 255"}));
  EXPECT_EQ(fake::callsStartingWith("sprite_scale 1 ")[0], "sprite_scale 1 110 110");
  // The dimming, the panel's shadow, the panel, then the five entries; CONTINUE dimmed without a game.
  const auto at = std::find(d.begin(), d.end(), "sprite_draw_blended 4 0 0 128");
  ASSERT_EQ(d.end() - at, 8);
  EXPECT_EQ(std::vector<std::string>(at + 1, at + 3),
            (std::vector<std::string>{"sprite_draw_blended 6 303 43 128", "sprite_draw_blended 5 300 40 255"}));
  EXPECT_EQ(at[4] + ", " + d.back(), "sprite_draw 14 599 270, sprite_draw 17 619 520");
  dealNewGame();
  EXPECT_TRUE(has(frame(Menu), "sprite_draw 13 599 270"));
}

TEST_F(DrawingTest, BoardSkipsRemovedCardsAndFadesVanishingOnes) {
  dealNewGame();
  game.board[0][0].state = Removed, game.board[1][0].state = FaceUp, game.board[2][0].state = game.board[3][0].state = Vanishing;
  const auto d = frame(Playing);
  EXPECT_EQ(std::vector<std::string>(d.begin() + 1, d.begin() + 7),
            (std::vector<std::string>{"sprite_draw_blended 1 288 8 128", "sprite_draw_blended " + id(game.board[1][0].face) + " 285 5 255",
                                      "sprite_draw_blended 1 408 8 127", "sprite_draw_blended " + id(game.board[2][0].face) + " 405 5 255",
                                      "sprite_draw_blended 1 528 8 125", "sprite_draw_blended " + id(game.board[3][0].face) + " 525 5 251"}));
  EXPECT_EQ(std::make_tuple(game.pairFade, d.size()), std::make_tuple(int64_t{247}, 1u + 2 * 47));  // four steps a vanishing card
}

TEST_F(DrawingTest, QuestionsAndSettings) {
  auto d = frame(AskNewGame);
  ASSERT_EQ(sprite_width(kSpriteQuitQuestion), 540);  // YES and NO are placed by the quit question
  EXPECT_EQ(std::vector<std::string>(d.end() - 3, d.end()),
            (std::vector<std::string>{"sprite_draw 25 370 260", "sprite_draw 22 390 340",
                                      "sprite_draw 23 " + std::to_string(370 + 540 - sprite_width(kSpriteNo) - 20) + " 340"}));
  UseThreeLanguages();
  // The left arrows are off at their list's start, the right ones at its end (languages, then the three
  // screen kinds); the boxes (30, 31 ticked) show the music and, below it, the sound effects.
  const std::tuple<int, int, int, int, std::string> cases[] = {
      {0, 1, 0, 0, "1010 31 30"}, {2, 0, 1, 2, "0101 30 31"}, {1, 1, 1, 1, "0000 31 31"}, {0, 0, 0, 2, "1001 30 30"}};
  for (const auto& [index, music, sounds, kind, shown] : cases) {
    game.setLangIdx = index, game.setMusic = music, game.setSounds = sounds, game.setScreenKind = kind, d = frame(Settings);
    std::string arrows;
    for (const char* arrow : {"27 574 275", "29 874 275", "27 574 395", "29 874 395"}) arrows += has(d, std::string("sprite_draw ") + arrow) ? "1" : "0";
    const std::string music_box = d[d.size() - 2], sounds_box = d.back();
    EXPECT_EQ(arrows + " " + music_box.substr(12, 2) + " " + sounds_box.substr(12, 2) + music_box.substr(14) + sounds_box.substr(14),
              shown + " 574 315 574 355") << index << kind;
  }
  EXPECT_TRUE(has(d, "sprite_draw 32 594 270") && has(d, "sprite_draw 19 374 260") && has(d, "sprite_draw 34 594 390"));
}

TEST_F(DrawingTest, WellDoneFadesInOver33FramesThenHolds) {
  for (auto& column : game.board) for (auto& cell : column) cell.state = Removed;
  std::vector<std::string> banners;
  for (int i = 0; i < 35; ++i) banners.push_back(frame(WellDone).back());
  for (const auto& [i, alpha] : {std::pair{0, 0}, {1, 8}, {31, 248}, {32, 255}, {34, 255}})
    EXPECT_EQ(banners[i], "sprite_draw_blended 7 630 350 " + std::to_string(alpha)) << "frame " << i;
  EXPECT_EQ(game.wellDoneFade, 128);
}

}  // namespace
