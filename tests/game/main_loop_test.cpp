#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "game/board.h"
#include "game/main_loop.h"
#include "game/sprite_numbers.h"
#include "game_fixture.h"

namespace {
class MainLoopTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    OpenScreen(1280, 720);
    fake::state().sounds[0] = SoundIdle;
  }
  // How many passes draw `picture` as the whole screen before the state moves on.
  int passesShowing(SpriteId picture) {
    int n = 0;
    while (n < 1000) {
      fake::clearCalls();
      RunOnePass();
      const auto d = fake::callsStartingWith("sprite_draw ");
      if (d.empty() || d[0] != "sprite_draw " + std::to_string(picture) + " 0 0") break;
      ++n;
    }
    return n;
  }
  void release(int key) {
    fake::state().releasedKeys.insert(key);
    RunOnePass();
  }
};

TEST_F(MainLoopTest, LogoFor101FramesThenTitleFor100) {
  EXPECT_EQ(passesShowing(kSpriteLogo), 101);
  // passesShowing already ran the first pass that is no longer the logo: the title's first frame.
  EXPECT_EQ(passesShowing(kSpriteTitle), 99);
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_EQ(game.frameCounter, 0);
}

TEST_F(MainLoopTest, SpaceSkipsTheLogoAndTheTitleShowsFor101Frames) {
  Passes(5);
  release(kKeySpace);
  EXPECT_EQ(game.gameState, Title);
  EXPECT_EQ(passesShowing(kSpriteTitle), 101);
  game.gameState = Title;
  release(kKeyEscape);
  EXPECT_EQ(game.gameState, Menu);
  release(kKeySpace);  // nothing in the menu
  EXPECT_EQ(game.gameState, Menu);
}

TEST_F(MainLoopTest, EscapeLeavesEveryDialogAndQuitsFromTheMenu) {
  for (int64_t state : {Playing, AskNewGame, Settings, Credits, AskQuit, WellDone}) {
    game.gameState = state;
    release(kKeyEscape);
    EXPECT_EQ(game.gameState, Menu) << "from " << state;
  }
  EXPECT_EQ(game.quitRequested, 0);
  release(kKeyEscape);
  EXPECT_EQ(game.quitRequested, 1);
}

TEST_F(MainLoopTest, MTogglesTheMusicExceptInTheSettings) {
  game.gameState = Menu;
  release(kKeyM);
  EXPECT_EQ(game.prefs.musicOn, 0);
  EXPECT_EQ(fake::callsStartingWith("sound_stop").size(), 1u);
  release(kKeyM);
  EXPECT_EQ(game.prefs.musicOn, 1);
  EXPECT_EQ(sound_status(0), SoundPlaying);
  game.gameState = Settings;
  release(kKeyM);
  EXPECT_EQ(game.prefs.musicOn, 1);
}

TEST_F(MainLoopTest, SGrabsAndSavesAScreenshotInTheSaveDirectory) {
  game.saveDir = "/some/dir/";
  game.gameState = Menu;
  release(kKeyS);
  EXPECT_EQ(fake::callsStartingWith("sprite_grab_screen"), std::vector<std::string>{"sprite_grab_screen 3 0 0 1280 720"});
  const auto saves = fake::callsStartingWith("sprite_save_png 3 /some/dir/Vesperine ");
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].size(), std::string("sprite_save_png 3 /some/dir/Vesperine 05-12-2026 13-04-09.png 0").size());
}

TEST_F(MainLoopTest, PointerOnlyFromTheMenuOnAndOnlyInFullScreen) {
  fake::state().mouseX = 40;
  fake::state().mouseY = 50;
  RunOnePass();
  EXPECT_TRUE(fake::callsStartingWith("sprite_draw_blended 0 ").empty());
  game.gameState = Menu;
  RunOnePass();
  EXPECT_EQ(fake::callsStartingWith("sprite_draw_blended 0 ").back(), "sprite_draw_blended 0 40 50 255");
  fake::clearCalls();
  game.prefs.screenKind = 1;
  RunOnePass();
  EXPECT_TRUE(fake::callsStartingWith("sprite_draw_blended 0 ").empty());
}

TEST_F(MainLoopTest, RightButtonOpensTheMenuOnlyFromPlay) {
  dealNewGame();
  fake::state().buttons[2] = true;
  RunOnePass();
  EXPECT_EQ(game.gameState, Menu);
  game.gameState = Credits;
  RunOnePass();
  EXPECT_EQ(game.gameState, Credits);
}

TEST_F(MainLoopTest, InactiveScreenPausesTheMusicAndIdlesWithoutDrawing) {
  game.gameState = Menu;
  sound_play(0, kSoundLoop);
  fake::state().active = 0;
  fake::clearCalls();
  Passes(3);
  EXPECT_EQ(sound_status(0), SoundPaused);
  EXPECT_TRUE(fake::callsStartingWith("sprite_draw").empty());
  EXPECT_EQ(fake::state().waits, (std::vector<int>{100, 100, 100}));
  EXPECT_EQ(fake::state().flips, 6);
  fake::state().active = 1;
  Passes(2);
  EXPECT_EQ(sound_status(0), SoundPaused);  // full screen never resumes it by itself
}

TEST_F(MainLoopTest, NoTextureWorkOrTextRenderingPerFrame) {
  game.gameState = Menu;
  Passes(10);
  for (const char* work : {"image_", "sprite_create", "sprite_load_png", "text_", "sprite_begin_drawing"})
    EXPECT_TRUE(fake::callsStartingWith(work).empty()) << work;
}

TEST_F(MainLoopTest, QuittingSavesPreferencesAndFadesPlayingMusic) {
  game.saveDir = MakeTempDir();
  game.prefs.languageCode = "hu_HU";
  game.gameState = Menu;
  sound_play(0, kSoundLoop);
  fake::clearCalls();
  fake::state().releasedKeys.insert(kKeyEscape);
  RunMainLoop();
  std::ifstream in(game.saveDir + "Vesperine.prefs", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("Language = hu_HU\n"), std::string::npos);
  const auto volumes = fake::callsStartingWith("sound_volume 0 ");
  ASSERT_EQ(volumes.size(), 10u);
  EXPECT_EQ(volumes.front(), "sound_volume 0 100");
  EXPECT_EQ(volumes.back(), "sound_volume 0 10");
  EXPECT_EQ(sound_status(0), SoundIdle);
}

TEST_F(MainLoopTest, QuittingWithPausedMusicSkipsTheFade) {
  game.saveDir = MakeTempDir();
  game.gameState = AskQuit;
  sound_play(0, kSoundLoop);
  sound_pause(0);
  fake::clearCalls();
  game.quitRequested = 1;
  RunMainLoop();
  EXPECT_TRUE(fake::callsStartingWith("sound_volume").empty());
  EXPECT_EQ(sound_status(0), SoundPaused);
}
}  // namespace
