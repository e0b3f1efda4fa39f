// Keyboard play: arrows move the focus in reading order, Return clicks it, a mouse click hides it.
#include <functional>

#include "game/window_events.h"
#include "game_fixture.h"

namespace {
constexpr int U = kKeyUp, D = kKeyDown, L = kKeyLeft, R = kKeyRight, RET = kKeyReturn, ENTER = kKeyKeypadEnter;
const char* const kStateNames[] = {"Logo", "Title", "Playing", "Menu", "AskNewGame", "Settings", "Credits", "AskQuit", "WellDone"};

class KeyboardFocusTest : public GameTest {
 protected:
  void SetUp() override { GameTest::SetUp(); OpenMenu(); fresh = game; }
  GameGlobals fresh;
  // What the keys did: state, waits, the settings' choices, a language saved, a quit, the cards up.
  static std::string outcome() {
    std::string s = std::string(kStateNames[game.gameState]) + " waits " + std::to_string(fake::state().waits.size());
    if (game.gameState == Settings)
      s += " " + game.setLangCode + " music " + std::to_string(game.setMusic) + " sounds " + std::to_string(game.setSounds);
    if (game.prefs.languageCode != "en_GB") s += " saved " + game.prefs.languageCode;
    if (game.quitRequested) s += " quit";
    for (int i = 0; game.gameState == Playing && i < kCardCount; ++i)  // by card number in reading order
      if (game.board[i % kBoardColumns][i / kBoardColumns].state == FaceUp) s += " up " + std::to_string(i);
    return game.gameState == Playing ? s + " picks " + std::to_string(game.selCount) : s;
  }
  // Where one more pass draws the ring: {x, y}, or {-1, -1} when it draws none.
  std::pair<int, int> ringDrawn() {
    const size_t before = fake::state().calls.size();
    int x = -1, y = -1;
    RunOnePass();
    for (size_t i = before; i < fake::state().calls.size(); ++i)
      sscanf(fake::state().calls[i].c_str(), "sprite_draw_blended 33 %d %d", &x, &y);
    return {x, y};
  }
  // The ring of one more pass lies around the box (its height 0 for a text, held at its picture's top).
  bool ringEncloses(int64_t x, int64_t y, int64_t w, int64_t h) {
    const auto [rx, ry] = ringDrawn();
    return rx < x && ry <= y && rx + sprite_width(kSpriteFocusRing) > x + w && ry + sprite_height(kSpriteFocusRing) > y + h;
  }
};

// From STATE (Settings reached by a click, Playing a fresh deal), after KEYS: EXPECTED.
struct KeyCase {
  const char* name; int64_t state; std::vector<int> keys; const char* expected; std::function<void()> prepare = {};
};

TEST_F(KeyboardFocusTest, ArrowsMoveInReadingOrderAndReturnClicksTheFocusedItem) {
  const std::vector<KeyCase> cases = {
      {"first press shows START", Menu, {D, RET}, "Playing waits 1 picks 0"},
      {"CONTINUE without a game only waits", Menu, {D, D, RET}, "Menu waits 1"},
      {"Up twice from START reaches CREDITS", Menu, {D, U, U, RET}, "Credits waits 1"},
      {"Left and Right stay in a column", Menu, {D, R, L, D, D, RET}, "Settings waits 1 en_GB music 1 sounds 1"},
      {"Return before any arrow does nothing", Menu, {RET}, "Menu waits 0"},
      {"no focus over the logo", Logo, {D, RET}, "Logo waits 0"},
      {"YES of the quit question", AskQuit, {R, RET}, "AskQuit waits 0 quit"},
      {"NO beside YES", AskQuit, {R, R, RET}, "Menu waits 1"}, {"Left wraps", AskQuit, {R, L, RET}, "Menu waits 1"},
      {"Down also steps to NO", AskNewGame, {D, D, RET}, "Menu waits 1"},
      {"OK of the credits", Credits, {D, D, U, RET}, "Menu waits 1"},
      {"well done takes Return as a click anywhere", WellDone, {L, RET}, "Menu waits 1"},
      {"well done needs no arrow first", WellDone, {ENTER}, "Menu waits 1"},
      {"left arrow at the list's start: not even the wait", Settings, {D, RET}, "Settings waits 0 en_GB music 1 sounds 1"},
      {"right arrow beside it", Settings, {D, R, RET, RET}, "Settings waits 2 de_DE music 1 sounds 1"},
      {"check box below the arrows", Settings, {D, D, D, RET}, "Settings waits 1 en_GB music 0 sounds 1"},
      {"Right alone on its row stays", Settings, {D, D, D, R, RET}, "Settings waits 1 en_GB music 0 sounds 1"},
      {"the sound effects' box below the music's", Settings, {D, D, D, D, RET}, "Settings waits 1 en_GB music 1 sounds 0"},
      {"Up wraps to CANCEL", Settings, {D, R, RET, U, U, RET}, "Menu waits 2"},
      {"OK left of CANCEL applies", Settings, {D, R, RET, U, U, L, RET}, "Menu waits 2 saved hu_HU"},
      {"windows act without the waits; a new screen starts on its first item", Menu, {D, D, D, RET, D, D, RET},
       "Settings waits 0 en_GB music 0 sounds 1", [] { game.prefs.screenKind = 1; }},
      {"first press shows the top-left card", Playing, {R, RET}, "Playing waits 0 up 0 picks 1"},
      {"Left wraps to the row's end", Playing, {D, L, RET}, "Playing waits 0 up 7 picks 1"},
      {"Up wraps to the bottom row", Playing, {D, U, RET}, "Playing waits 0 up 40 picks 1"},
      {"Down six times comes round again", Playing, {R, D, D, D, D, D, D, RET}, "Playing waits 0 up 0 picks 1"},
      {"moves combine", Playing, {R, R, D, R, RET}, "Playing waits 0 up 10 picks 1"},
      {"a turned card stays as it is; a third card is not turned", Playing, {R, RET, RET, R, RET, R, RET},
       "Playing waits 0 up 0 up 1 picks 2"},
      {"a removed cell holds the focus but turns nothing", Playing, {R, RET, R, RET}, "Playing waits 0 up 1 picks 1",
       [] { game.board[0][0].state = Removed; }},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    game = fresh;
    if (c.state == Playing) dealNewGame();
    int face = 0;  // all different, so no turned pair resolves while the keys are pressed
    for (auto& column : game.board) for (BoardCell& cell : column) cell.face = ++face;
    if (c.state == Settings) ClickItem(ItemSettings, 80);
    else game.gameState = c.state;
    if (c.prepare) c.prepare();
    fake::state().releasedKeys.clear(), fake::state().waits.clear(), Keys(c.keys);
    EXPECT_EQ(outcome(), c.expected);
  }
}

TEST_F(KeyboardFocusTest, RingShowsAroundTheFocusUntilAMouseClick) {
  // Mouse play: nothing of the focus is made or drawn.
  ClickItem(ItemCredits, 80), ClickItem(ItemCreditsOk, 40);
  EXPECT_TRUE(fake::callsStartingWith("sprite_create 33").empty());
  EXPECT_EQ(ringDrawn().first, -1);

  // The ring encloses the focused entry, then the card, each time the same ring for the same size.
  Keys({D});
  EXPECT_TRUE(ringEncloses(game.items[ItemStart].x, game.items[ItemStart].y, game.items[ItemStart].width, 0));
  Keys({RET, R}), fake::clearCalls(), Keys({R});
  EXPECT_TRUE(ringEncloses(game.board[2][0].x, game.board[2][0].y, game.cardSize, game.cardSize));
  EXPECT_TRUE(fake::callsStartingWith("sprite_create 33").empty());  // moving between cards keeps it
  // Either button, in full screen or as window events, hides it; the next arrow starts over.
  for (int use = 0; use < 4; ++use) {
    SCOPED_TRACE(use);
    game.gameState = Menu, Keys({D, D});
    ASSERT_NE(ringDrawn().first, -1);
    fake::state().buttons[2] = use == 1;  // the right button held for one pass
    if (use < 2) use == 0 ? ClickFullScreen(1, 1) : RunOnePass();
    if (use >= 2) HandleWindowEvent(use == 2 ? EventLeftClick : EventRightClick);
    fake::state().buttons[2] = false, game.gameState = Menu;
    EXPECT_EQ(ringDrawn().first, -1);
    EXPECT_EQ((Keys({RET}), game.gameState), Menu);
  }
  Keys({U, RET});  // shown again on START, which asks since a game runs
  EXPECT_EQ(game.gameState, AskNewGame);
}

}  // namespace
