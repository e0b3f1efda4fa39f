#include <map>

#include "game/board.h"
#include "game/main_loop.h"
#include "game/random.h"
#include "game_fixture.h"

namespace {
class BoardTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenScreen(1280, 720);
    SeedRandom(7);
  }
  // Column and row of the other card with the same face as (c, r).
  std::pair<int, int> partnerOf(int c, int r) {
    for (int cc = 0; cc < kBoardColumns; ++cc)
      for (int rr = 0; rr < kBoardRows; ++rr)
        if ((cc != c || rr != r) && game.board[cc][rr].face == game.board[c][r].face) return {cc, rr};
    return {-1, -1};
  }
  // A cell whose face differs from (c, r)'s.
  std::pair<int, int> strangerOf(int c, int r) {
    for (int cc = 0; cc < kBoardColumns; ++cc)
      for (int rr = 0; rr < kBoardRows; ++rr)
        if (game.board[cc][rr].face != game.board[c][r].face) return {cc, rr};
    return {-1, -1};
  }
  void clickCell(int c, int r) { ClickFullScreen(game.board[c][r].x + 5, game.board[c][r].y + 5); }
  // Passes run while cell (c, r) stays in `state` (at most 500).
  int passesWhile(int c, int r, int8_t state) {
    int passes = 0;
    while (game.board[c][r].state == state && passes < 500) {
      RunOnePass();
      ++passes;
    }
    return passes;
  }
};

TEST_F(BoardTest, LayoutAt1280x720And1280x1024) {
  EXPECT_EQ(game.cardSize, 110);
  EXPECT_EQ(game.boardLeft, 165);
  EXPECT_EQ(game.boardTop, 5);
  EXPECT_EQ(game.board[7][5].x, 165 + 120 * 7);
  EXPECT_EQ(game.board[7][5].y, 5 + 120 * 5);
  game.screenWidth = 1280;
  game.screenHeight = 1024;
  layoutBoard();
  EXPECT_EQ(game.cardSize, 150);
  EXPECT_EQ(game.boardLeft, 5);
  EXPECT_EQ(game.boardTop, 37);
}

TEST_F(BoardTest, TinyScreenGivesNoNegativeCardSize) {
  game.screenWidth = 40;
  game.screenHeight = 30;
  layoutBoard();
  EXPECT_EQ(game.cardSize, 0);
}

TEST_F(BoardTest, DealHoldsEveryFaceTwiceAllFaceDown) {
  game.board[2][2].state = Removed;
  dealNewGame();
  std::map<SpriteId, int> counts;
  for (auto& column : game.board)
    for (auto& cell : column) {
      EXPECT_EQ(cell.state, FaceDown);
      ++counts[cell.face];
    }
  ASSERT_EQ(counts.size(), 24u);
  for (int f = 1; f <= 24; ++f) EXPECT_EQ(counts[game.cardSets[1].faces[f]], 2) << "face " << f;
  EXPECT_EQ(game.gameState, Playing);
  EXPECT_EQ(game.cardsLeft, 48);
  EXPECT_EQ(game.gameRunning, 1);
  EXPECT_EQ(game.board[3][4].x, 165 + 120 * 3);  // positions follow the grid, not the shuffled cell
}

TEST_F(BoardTest, CardSetsAlternateStartingWithTheSecond) {
  dealNewGame();
  EXPECT_EQ(game.cardSetIndex, 1);
  dealNewGame();
  EXPECT_EQ(game.cardSetIndex, 0);
  std::map<int64_t, int> backgrounds;
  for (int i = 0; i < 200; ++i) {
    dealNewGame();
    ++backgrounds[game.backgroundIndex];
  }
  EXPECT_EQ(backgrounds.size(), 4u);
  EXPECT_EQ(backgrounds.begin()->first, 0);
  EXPECT_EQ(backgrounds.rbegin()->first, 3);
}

TEST_F(BoardTest, PickIsStrictOnTheCardEdges) {
  dealNewGame();
  PickCardAt(165, 5);  // the exact top-left pixel
  EXPECT_EQ(game.selCount, 0);
  PickCardAt(165 + 110, 50);  // the right edge is already outside
  PickCardAt(280, 50);        // the gap between two cards
  EXPECT_EQ(game.selCount, 0);
  PickCardAt(166, 6);
  EXPECT_EQ(game.selCount, 1);
  EXPECT_EQ(game.board[0][0].state, FaceUp);
  PickCardAt(170, 10);  // the same card again
  EXPECT_EQ(game.selCount, 1);
}

TEST_F(BoardTest, ThirdCardIgnoredWhileAPairIsUp) {
  dealNewGame();
  PickCardAt(170, 10);
  PickCardAt(290, 10);
  PickCardAt(410, 10);
  EXPECT_EQ(game.selCount, 2);
  EXPECT_EQ(game.board[2][0].state, FaceDown);
  EXPECT_EQ(game.pick1Col, 0);
  EXPECT_EQ(game.pick2Col, 1);
}

TEST_F(BoardTest, WrongPairStaysUp81FramesInFullScreen) {
  dealNewGame();
  auto [c2, r2] = strangerOf(0, 0);
  clickCell(0, 0);
  clickCell(c2, r2);  // turned in this pass; its pair step already counts
  // The pass of the click drew it face down; the next 81 draws show it face up.
  EXPECT_EQ(passesWhile(c2, r2, FaceUp), 81);
  EXPECT_EQ(game.board[0][0].state, FaceDown);
  EXPECT_EQ(game.selCount, 0);
  EXPECT_EQ(game.frameCounter, 0);
}

TEST_F(BoardTest, MatchingPairFadesOver32DrawnFramesThenGoes) {
  dealNewGame();
  auto [c2, r2] = partnerOf(0, 0);
  clickCell(0, 0);
  clickCell(c2, r2);
  EXPECT_EQ(game.board[0][0].state, Vanishing);
  EXPECT_EQ(passesWhile(0, 0, Vanishing), 32);
  EXPECT_EQ(game.board[c2][r2].state, Removed);
  EXPECT_EQ(game.cardsLeft, 46);
  EXPECT_EQ(game.pairFade, 255);
  EXPECT_EQ(game.selCount, 0);
}

TEST_F(BoardTest, LastPairEndsTheGameEvenUnderTheMenu) {
  dealNewGame();
  for (auto& column : game.board)
    for (auto& cell : column) cell.state = Removed;
  auto [c2, r2] = partnerOf(0, 0);
  game.board[0][0].state = FaceDown;
  game.board[c2][r2].state = FaceDown;
  game.cardsLeft = 2;
  clickCell(0, 0);
  clickCell(c2, r2);
  game.gameState = Menu;
  Passes(40);
  EXPECT_EQ(game.gameState, WellDone);
  EXPECT_EQ(game.gameRunning, 0);
  EXPECT_EQ(game.cardsLeft, 0);
}

TEST_F(BoardTest, WrongPairTurnsBackWhileTheMenuIsOpen) {
  dealNewGame();
  auto [c2, r2] = strangerOf(0, 0);
  clickCell(0, 0);
  clickCell(c2, r2);
  fake::state().buttons[2] = true;
  RunOnePass();
  fake::state().buttons[2] = false;
  EXPECT_EQ(game.gameState, Menu);
  Passes(85);
  EXPECT_EQ(game.board[c2][r2].state, FaceDown);
  EXPECT_EQ(game.selCount, 0);
}

TEST_F(BoardTest, DraggingOverTwoCardsTurnsBoth) {
  dealNewGame();
  fake::state().buttons[1] = true;
  fake::state().mouseX = 170;
  fake::state().mouseY = 10;
  RunOnePass();
  fake::state().mouseX = 290;
  RunOnePass();
  EXPECT_EQ(game.selCount, 2);
}
}  // namespace
