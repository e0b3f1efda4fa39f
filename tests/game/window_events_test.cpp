#include <fstream>

#include "game/board.h"
#include "game/main_loop.h"
#include "game/sprite_numbers.h"
#include "game/window_events.h"
#include "game_fixture.h"

namespace {
class WindowEventsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UseMenuTexts();
    OpenScreen(1280, 720);
    game.prefs.screenKind = 1;
    game.gameState = Menu;
  }
  void pointAt(int record, int64_t height) {
    fake::state().windowMouseX = static_cast<int>(ItemCentreX(record));
    fake::state().windowMouseY = static_cast<int>(ItemCentreY(record, height));
  }
  void queue(std::initializer_list<int> codes) {
    for (int c : codes) fake::state().windowEvents.push_back(c);
  }
};

TEST_F(WindowEventsTest, ClickOutsideTheDrawingAreaHitsNothing) {
  dealNewGame();
  fake::state().windowMouseX = -1;
  fake::state().windowMouseY = -1;
  queue({EventLeftClick});
  DrainWindowEvents();
  EXPECT_EQ(game.selCount, 0);
}

TEST_F(WindowEventsTest, ClickTurnsACardAndIsDrawnInTheSamePass) {
  dealNewGame();
  fake::state().windowMouseX = 170;
  fake::state().windowMouseY = 10;
  queue({EventMouseMove, EventLeftClick});
  fake::clearCalls();
  RunOnePass();
  EXPECT_EQ(game.board[0][0].state, FaceUp);
  const auto faces = fake::callsStartingWith("sprite_draw_blended " + std::to_string(game.board[0][0].face) + " 165 5");
  EXPECT_EQ(faces.size(), 1u);
  EXPECT_TRUE(fake::state().waits.empty());
}

TEST_F(WindowEventsTest, DoubleClickOnTheBoxTogglesTwice) {
  game.gameState = Settings;
  game.setMusic = 1;
  pointAt(ItemMusicBox, 20);
  queue({EventLeftClick, EventLeftDoubleClick, EventLeftClick});
  DrainWindowEvents();
  EXPECT_EQ(game.setMusic, 1);
  EXPECT_TRUE(fake::state().waits.empty());
}

TEST_F(WindowEventsTest, DoubleClickOnAMenuEntryActsTwiceInTheStateTheFirstMade) {
  pointAt(ItemStart, 80);
  queue({EventLeftClick, EventLeftDoubleClick, EventLeftClick});
  DrainWindowEvents();
  // The first release dealt a game; the second landed on the board in Playing.
  EXPECT_EQ(game.gameState, Playing);
  EXPECT_EQ(game.gameRunning, 1);
  EXPECT_LE(game.selCount, 1);
}

TEST_F(WindowEventsTest, OkInTheSettingsLeavesLaterEventsForTheNextPass) {
  game.gameState = Settings;
  game.setMusic = game.prefs.musicOn;
  pointAt(ItemSettingsOk, 40);
  queue({EventLeftClick, EventLeftClick, EventRepaint});
  DrainWindowEvents();
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_EQ(fake::state().windowEvents.size(), 2u);
}

TEST_F(WindowEventsTest, EachRepaintFlipsOnce) {
  queue({EventRepaint, EventMoved, EventRepaint});
  DrainWindowEvents();
  EXPECT_EQ(fake::state().flips, 2);
}

TEST_F(WindowEventsTest, RightClickOpensTheMenuOnlyFromPlay) {
  queue({EventRightClick});
  DrainWindowEvents();
  EXPECT_EQ(game.gameState, Menu);
  dealNewGame();
  queue({EventRightClick});
  DrainWindowEvents();
  EXPECT_EQ(game.gameState, Menu);
}

TEST_F(WindowEventsTest, MinimiseAndRestoreInAWindow) {
  sound_play(0, kSoundLoop);
  queue({EventMinimized});
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundPaused);
  queue({EventRestored});
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundPlaying);
  queue({EventMinimized, EventFocusIn});
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundPlaying);
  queue({EventFocusOut});  // a window only steps aside when it is borderless
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundPlaying);
  EXPECT_TRUE(fake::callsStartingWith("window_minimize").empty());
}

TEST_F(WindowEventsTest, BorderlessMinimisesItselfOnLosingTheFocus) {
  game.prefs.screenKind = 2;
  sound_play(0, kSoundLoop);
  queue({EventMinimized});
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundPlaying);  // minimising alone pauses only in a window
  queue({EventFocusOut});
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundPaused);
  EXPECT_EQ(fake::callsStartingWith("window_minimize"), std::vector<std::string>{"window_minimize 0"});
  queue({EventFocusIn});
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundPlaying);
}

TEST_F(WindowEventsTest, MusicSwitchedOffIsNeitherPausedNorResumed) {
  game.prefs.musicOn = 0;
  queue({EventMinimized, EventRestored, EventFocusIn});
  DrainWindowEvents();
  EXPECT_EQ(sound_status(0), SoundIdle);
  EXPECT_TRUE(fake::callsStartingWith("sound_").empty());
}

TEST_F(WindowEventsTest, CloseRequestQuitsAfterThePassWithPreferencesSaved) {
  game.saveDir = MakeTempDir();
  queue({EventCloseRequest, EventRepaint});
  RunMainLoop();
  EXPECT_EQ(game.quitRequested, 1);
  EXPECT_EQ(fake::state().flips, 2);  // the repaint after the request was still handled, then one flip
  std::ifstream prefs(game.saveDir + "Vesperine.prefs");
  EXPECT_TRUE(prefs.good());
}
}  // namespace
