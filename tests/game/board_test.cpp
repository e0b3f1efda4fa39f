// The board rules through the main loop: layout, deals, picking cards, pairs and the end of a game.
#include <map>
#include <set>

#include "game/random.h"
#include "game_fixture.h"

namespace {

TEST(BoardLayout, CardSizeAndOriginPerScreen) {
  // Card size, the board's origin, and the last cell's origin seven and five card pitches away.
  const std::tuple<int, int, int64_t, int64_t, int64_t, int64_t, int64_t> cases[] = {
      {1280, 720, 110, 165, 5, 1005, 605}, {1280, 1024, 150, 5, 37, 1125, 837},
      {1024, 1280, 118, 5, 261, 901, 901}, {40, 30, 0, -15, -10, 55, 40}};
  for (const auto& [width, height, size, left, top, lastX, lastY] : cases) {
    ResetGameState(), game.screenWidth = width, game.screenHeight = height, layoutBoard();
    EXPECT_EQ(std::make_tuple(game.cardSize, game.boardLeft, game.boardTop, game.board[7][5].x, game.board[7][5].y),
              std::make_tuple(size, left, top, lastX, lastY)) << width;
  }
}

class BoardTest : public GameTest {
 protected:
  void SetUp() override { GameTest::SetUp(); OpenScreen(1280, 720); SeedRandom(7); dealNewGame(); }
};

TEST_F(BoardTest, DealsHoldEveryFaceTwiceShuffledPerSeedAndAlternateTheSets) {
  const std::vector<int64_t> seven = DealtFaces();  // the first deal takes the second set
  std::map<int64_t, int> counts, twice;
  int pairsOneAboveTheOther = 0;  // unshuffled, each face would lie at (c, r) and (c, r + 3)
  for (int i = 0; i < kCardCount; ++i) {
    ++counts[seven[i]], twice[101 + i / 2] = 2;
    pairsOneAboveTheOther += i % kBoardRows < 3 && seven[i] == seven[i + 3];
  }
  EXPECT_EQ(counts, twice);
  EXPECT_EQ(std::make_tuple(pairsOneAboveTheOther < 8, game.gameState, game.cardsLeft, game.gameRunning),
            std::make_tuple(true, int64_t{Playing}, int64_t{48}, int64_t{1}));
  SeedRandom(8), game.cardSetIndex = 0, dealNewGame();
  EXPECT_NE(DealtFaces(), seven) << "another seed, another deal";
  std::set<int64_t> backgrounds;
  std::vector<std::set<int64_t>> facesOfCell(kCardCount);  // over many deals every cell holds most faces
  for (int i = 0; i < 200; ++i) {
    const int64_t set = game.cardSetIndex;
    dealNewGame();
    ASSERT_NE(game.cardSetIndex, set) << "the sets alternate";
    backgrounds.insert(game.backgroundIndex);
    for (int cell = 0; cell < kCardCount; ++cell) facesOfCell[cell].insert(DealtFaces()[cell] % 100);
  }
  EXPECT_EQ(backgrounds, (std::set<int64_t>{0, 1, 2, 3}));
  EXPECT_GE(std::ranges::min(facesOfCell, {}, &std::set<int64_t>::size).size(), 18u);
}

TEST_F(BoardTest, PickIsStrictOnTheCardEdgesAndStopsAtTwo) {
  const std::tuple<int64_t, int64_t, int64_t> picks[] = {
      {165, 50, 0}, {200, 5, 0}, {275, 50, 0}, {200, 115, 0}, {280, 50, 0},  // edges and the gap
      {166, 6, 1},  {170, 10, 1},                                           // a card, then the same again
      {286, 114, 2}, {410, 10, 2},                                          // the second card; a third is ignored
  };
  for (const auto& [x, y, selected] : picks) EXPECT_EQ((PickCardAt(x, y), game.selCount), selected) << x << "," << y;
  EXPECT_EQ(std::make_tuple(game.pick1Col, game.pick1Row, game.pick2Col, game.pick2Row), std::make_tuple(0, 0, 1, 0));
  EXPECT_EQ(game.board[2][0].state, FaceDown);
}

// Both go on under the menu, and dragging over the second card turns it too. (The last pair ending
// the game is played end to end: the automated player wins whole games.)
TEST_F(BoardTest, WrongPairStaysUp81FramesMatchingPairFadesOver32) {
  const auto [sc, sr] = OtherCell(false);
  ClickCell(0, 0), ClickCell(sc, sr), game.gameState = Menu;  // turned in this pass; the pass of the click drew it face down
  EXPECT_EQ(PassesWhile(sc, sr, FaceUp), 81);
  EXPECT_EQ(std::make_tuple(game.board[0][0].state, game.selCount, game.frameCounter), std::make_tuple(int8_t{FaceDown}, int64_t{0}, int64_t{0}));
  const auto [pc, pr] = OtherCell(true);
  game.gameState = Playing, ClickCell(0, 0), fake::state().buttons[1] = true;
  fake::state().mouseX += static_cast<int>(game.board[pc][pr].x - game.board[0][0].x);
  fake::state().mouseY += static_cast<int>(game.board[pc][pr].y - game.board[0][0].y), RunOnePass();
  EXPECT_EQ(game.board[0][0].state, Vanishing);
  fake::state().buttons[1] = false, game.gameState = Menu;
  EXPECT_EQ(PassesWhile(0, 0, Vanishing), 32);
  EXPECT_EQ(std::make_tuple(game.board[pc][pr].state, game.cardsLeft, game.pairFade, game.selCount),
            std::make_tuple(int8_t{Removed}, int64_t{46}, int64_t{255}, int64_t{0}));
}

}  // namespace
