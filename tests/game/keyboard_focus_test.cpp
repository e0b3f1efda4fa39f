// Keyboard play through the fake: the arrows move the focus in reading order, Return acts as a
// click on the focused item, a mouse click hides the focus, and nothing of it shows without arrows.
#include <functional>

#include "game/board.h"
#include "game/main_loop.h"
#include "game/sprite_numbers.h"
#include "game/window_events.h"
#include "game_fixture.h"

namespace {
constexpr int U = kKeyUp, D = kKeyDown, L = kKeyLeft, R = kKeyRight, RET = kKeyReturn, ENTER = kKeyKeypadEnter;

class KeyboardFocusTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UseMenuTexts();
    UseThreeLanguages();  // English, Magyar, Deutsch
    OpenScreen(1280, 720);
    game.prefs.languageCode = "en_GB";
    game.gameState = Menu;
    fresh = game;
  }
  GameGlobals fresh;
  // One key released per pass, as a player presses them one after the other.
  void keys(const std::vector<int>& codes) {
    for (int code : codes) {
      fake::state().releasedKeys.insert(code);
      RunOnePass();
    }
  }
  int waits() const { return static_cast<int>(fake::state().waits.size()); }
  // Where one more pass draws the ring: {x, y}, or {-1, -1} when it draws none.
  std::pair<int, int> ringDrawn() {
    const size_t before = fake::state().calls.size();
    RunOnePass();
    int x = -1, y = -1;
    for (size_t i = before; i < fake::state().calls.size(); ++i)
      sscanf(fake::state().calls[i].c_str(), "sprite_draw_blended 33 %d %d", &x, &y);
    return {x, y};
  }
};

struct DialogCase {
  const char* name;
  int64_t state;
  std::vector<int> keys;
  int64_t expectedState;
  int expectedWaits;
  std::function<void()> check;  // further expectations, or empty
};

TEST_F(KeyboardFocusTest, ArrowsMoveInReadingOrderAndReturnClicksTheFocusedItem) {
  const std::vector<DialogCase> cases = {
      {"first press shows START", Menu, {D, RET}, Playing, 1, nullptr},
      {"Enter of the keypad", Menu, {D, ENTER}, Playing, 1, nullptr},
      {"CONTINUE without a game only waits", Menu, {D, D, RET}, Menu, 1, nullptr},
      {"Up wraps to QUIT", Menu, {U, U, RET}, AskQuit, 1, nullptr},
      {"Up twice from START reaches CREDITS", Menu, {D, U, U, RET}, Credits, 1, nullptr},
      {"back from the credits the menu starts on START", Menu, {D, U, U, RET, RET, RET}, Playing, 3, nullptr},
      {"Left and Right stay in a column", Menu, {D, R, L, D, D, RET}, Settings, 1, nullptr},
      {"Return before any arrow does nothing", Menu, {RET}, Menu, 0, nullptr},
      {"YES of the quit question", AskQuit, {R, RET}, AskQuit, 0, [] { EXPECT_EQ(game.quitRequested, 1); }},
      {"NO beside YES", AskQuit, {R, R, RET}, Menu, 1, nullptr},
      {"Left wraps along the row", AskQuit, {R, L, RET}, Menu, 1, nullptr},
      {"Down also steps to NO", AskNewGame, {D, D, RET}, Menu, 1, nullptr},
      {"OK of the credits", Credits, {D, D, U, RET}, Menu, 1, nullptr},
      {"left arrow at the list's start: not even the wait", Settings, {D, RET}, Settings, 0,
       [] { EXPECT_EQ(game.setLangIdx, 0); }},
      {"right arrow beside it", Settings, {D, R, RET, RET}, Settings, 2, [] {
         EXPECT_EQ(game.setLangIdx, 2);
         EXPECT_EQ(game.setLangCode, "de_DE");
       }},
      {"check box below the arrows", Settings, {D, D, D, RET}, Settings, 1, [] { EXPECT_EQ(game.setMusic, 0); }},
      {"Right alone on its row stays", Settings, {D, D, D, R, RET}, Settings, 1,
       [] { EXPECT_EQ(game.setMusic, 0); }},
      {"Up wraps to CANCEL", Settings, {D, R, RET, U, U, RET}, Menu, 2,
       [] { EXPECT_EQ(game.setLangCode, "en_GB"); }},
      {"OK left of CANCEL applies", Settings, {U, U, R, D, U, R, RET}, Menu, 1,
       [] { EXPECT_EQ(game.prefs.languageCode, "en_GB"); }},
      {"well done takes Return as a click anywhere", WellDone, {L, RET}, Menu, 1, nullptr},
      {"no focus over the logo", Logo, {D, RET}, Logo, 0, nullptr},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.name);
    game = fresh;
    fake::state().releasedKeys.clear();
    if (c.state == Settings) ClickFullScreen(ItemCentreX(ItemSettings), ItemCentreY(ItemSettings, 80));
    if (c.state == AskNewGame) {
      dealNewGame();
      game.gameState = Menu;
      ClickFullScreen(ItemCentreX(ItemStart), ItemCentreY(ItemStart, 80));
    }
    if (c.state != Settings && c.state != AskNewGame) game.gameState = c.state;
    fake::state().waits.clear();
    keys(c.keys);
    EXPECT_EQ(game.gameState, c.expectedState);
    EXPECT_EQ(waits(), c.expectedWaits);
    if (c.check) c.check();
  }
}

TEST_F(KeyboardFocusTest, WindowKindsActWithoutTheWaits) {
  game.prefs.screenKind = 1;
  keys({D, D, D, RET, D, D, RET});  // SETTINGS, then the check box: a new screen starts on its first item
  EXPECT_EQ(game.gameState, Settings);
  EXPECT_EQ(game.setMusic, 0);
  EXPECT_EQ(waits(), 0);
}

struct BoardCase {
  const char* name;
  std::vector<int> keys;
  int col, row;  // the card expected face up, -1 for none
  std::function<void()> prepare;
};

TEST_F(KeyboardFocusTest, BoardFocusWrapsAndReturnPicksLikeAClick) {
  const std::vector<BoardCase> cases = {
      {"first press shows the top-left card", {R, RET}, 0, 0, nullptr},
      {"Left wraps to the end of the row", {D, L, RET}, 7, 0, nullptr},
      {"Up wraps to the bottom row", {D, U, RET}, 0, 5, nullptr},
      {"Down six times comes round again", {R, D, D, D, D, D, D, RET}, 0, 0, nullptr},
      {"moves combine", {R, R, D, R, RET}, 2, 1, nullptr},
      {"a removed cell holds the focus but turns nothing", {R, RET}, -1, -1,
       [] { game.board[0][0].state = Removed; }},
      {"a turned card stays as it is", {R, RET}, -1, -1, [] {
         game.board[0][0].state = FaceUp;
         game.selCount = 1;
         game.pick1Col = game.pick1Row = 0;
       }},
  };
  for (const BoardCase& c : cases) {
    SCOPED_TRACE(c.name);
    game = fresh;
    dealNewGame();
    // Faces all different, so no turned pair resolves while the keys are pressed.
    for (int col = 0; col < kBoardColumns; ++col)
      for (int row = 0; row < kBoardRows; ++row) game.board[col][row].face = 1 + col * kBoardRows + row;
    if (c.prepare) c.prepare();
    const int64_t picksBefore = game.selCount;
    keys(c.keys);
    int up = 0;
    for (int col = 0; col < kBoardColumns; ++col)
      for (int row = 0; row < kBoardRows; ++row)
        if (game.board[col][row].state == FaceUp && !(picksBefore == 1 && col == 0 && row == 0)) {
          EXPECT_EQ(col, c.col);
          EXPECT_EQ(row, c.row);
          ++up;
        }
    EXPECT_EQ(up, c.col < 0 ? 0 : 1);
    EXPECT_EQ(game.selCount, picksBefore + (c.col < 0 ? 0 : 1));
  }
  // A third card: two are up, Return on another one turns nothing.
  keys({R, RET, R, RET, R, RET});
  EXPECT_EQ(game.selCount, 2);
  EXPECT_EQ(game.board[2][0].state, FaceDown);
}

TEST_F(KeyboardFocusTest, RingShowsAroundTheFocusUntilAMouseClick) {
  // Mouse play: nothing of the focus is made or drawn.
  ClickFullScreen(ItemCentreX(ItemCredits), ItemCentreY(ItemCredits, 80));
  ClickFullScreen(ItemCentreX(ItemCreditsOk), ItemCentreY(ItemCreditsOk, 40));
  ClickFullScreen(5, 5);
  EXPECT_TRUE(fake::callsStartingWith("sprite_create 33").empty());
  EXPECT_EQ(ringDrawn().first, -1);

  // The ring encloses the focused entry, then the card, each time the same ring for the same size.
  keys({D});
  const auto [x, y] = ringDrawn();
  const HitArea& start = game.items[ItemStart];
  EXPECT_LT(x, start.x);
  EXPECT_GT(x + sprite_width(kSpriteFocusRing), start.x + start.width);
  EXPECT_LE(y, start.y);
  keys({RET, R});
  fake::clearCalls();
  keys({R});
  const auto [cx, cy] = ringDrawn();
  const BoardCell& cell = game.board[2][0];
  EXPECT_LT(cx, cell.x);
  EXPECT_GT(cx + sprite_width(kSpriteFocusRing), cell.x + game.cardSize);
  EXPECT_LT(cy, cell.y);
  EXPECT_GT(cy + sprite_height(kSpriteFocusRing), cell.y + game.cardSize);
  EXPECT_TRUE(fake::callsStartingWith("sprite_create 33").empty());  // moving between cards keeps it

  // Either button, in full screen or as window events, hides it; the next arrow starts over.
  const std::vector<std::function<void()>> mouseUses = {
      [this] { ClickFullScreen(1, 1); },
      [] {
        fake::state().buttons[2] = true;
        RunOnePass();
        fake::state().buttons[2] = false;
      },
      [] { HandleWindowEvent(EventLeftClick); },
      [] { HandleWindowEvent(EventRightClick); },
  };
  for (size_t i = 0; i < mouseUses.size(); ++i) {
    SCOPED_TRACE(i);
    game.gameState = Menu;
    keys({D, D});
    ASSERT_NE(ringDrawn().first, -1);
    mouseUses[i]();
    game.gameState = Menu;
    EXPECT_EQ(ringDrawn().first, -1);
    keys({RET});
    EXPECT_EQ(game.gameState, Menu);
  }
  keys({U, RET});  // shown again on START, which asks since a game runs
  EXPECT_EQ(game.gameState, AskNewGame);
}

}  // namespace
