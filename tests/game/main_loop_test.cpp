// The main loop's passes: logo and title timers, keys, inactive screens, quitting, window events.
#include <filesystem>
#include <set>

#include "display/screenshot.h"
#include "game/window_events.h"
#include "game_fixture.h"
#include "services/new_file.h"

namespace {

class MainLoopTest : public GameTest {
 protected:
  void SetUp() override { GameTest::SetUp(); UseMenuTexts(); OpenScreen(1280, 720); }
  // How many passes draw `picture` as the whole screen before the state moves on.
  int passesShowing(SpriteId picture) {
    for (int n = 0;; ++n) {
      fake::clearCalls();
      RunOnePass();
      const auto d = fake::callsStartingWith("sprite_draw ");
      if (n == 1000 || d.empty() || d[0] != "sprite_draw " + std::to_string(picture) + " 0 0") return n;
    }
  }
};

TEST_F(MainLoopTest, LogoFor101FramesTitleFor100SpaceOrEscapeSkipAndEscapeLeavesEveryDialogAndQuitsFromTheMenu) {
  EXPECT_EQ(passesShowing(kSpriteLogo), 101);
  EXPECT_EQ(passesShowing(kSpriteTitle), 99);  // its first frame was the pass that left the logo
  EXPECT_EQ(std::make_tuple(game.gameState, game.frameCounter), std::make_tuple(int64_t{Menu}, int64_t{0}));
  game.gameState = Logo, Passes(5), Keys({kKeySpace});
  EXPECT_EQ(game.gameState, Title);
  EXPECT_EQ(passesShowing(kSpriteTitle), 101);
  game.gameState = Title, Keys({kKeyEscape, kKeySpace});  // Space does nothing in the menu
  EXPECT_EQ(game.gameState, Menu);
  for (int64_t state : {Playing, AskNewGame, Settings, Credits, AskQuit, WellDone}) {
    game.gameState = state, Keys({kKeyEscape});
    EXPECT_EQ(game.gameState, Menu) << "from " << state;
  }
  EXPECT_EQ(game.quitRequested, 0);
  Keys({kKeyEscape});
  EXPECT_EQ(game.quitRequested, 1);
}

// (The S key's screenshots are taken and read back end to end; here the name they get.)
TEST_F(MainLoopTest, MTogglesTheMusicExceptInTheSettingsAndScreenshotsAreNamedByTheDay) {
  sound_play(0, kSoundLoop);
  const std::tuple<int64_t, int64_t, int> presses[] = {{Menu, 0, SoundIdle}, {Menu, 1, SoundPlaying}, {Settings, 1, SoundPlaying}};
  for (const auto& [state, music, status] : presses) {
    game.gameState = state, Keys({kKeyM});
    EXPECT_EQ(std::make_tuple(game.prefs.musicOn, int{sound_status(0)}), std::make_tuple(music, status)) << "in " << state;
  }
  std::tm t{};
  t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 5, t.tm_hour = 13, t.tm_min = 4, t.tm_sec = 9;
  EXPECT_EQ(ScreenshotFileName("/d/", t), "/d/Vesperine 05-12-2026 13-04-09.png");
}

// Each screenshot gets a file of its own beside the older ones (this second's name and the next two's
// taken already); a picture that could not be written leaves no file.
TEST_F(MainLoopTest, ScreenshotsOfOneSecondKeepEachFileAndAFailedOneLeavesNone) {
  const ScratchDir dir;
  game.saveDir = dir.path();
  std::set<std::string> numbered, written, files;
  for (std::time_t now = std::time(nullptr), s = now; s < now + 3; ++s) {
    std::tm t{};
    const std::string name = ScreenshotFileName(game.saveDir, *localtime_r(&s, &t));
    std::ofstream(name) << "older";
    for (const int n : {2, 3, 4}) numbered.insert(NumberedName(name, n));
  }
  Keys({kKeyS, kKeyS}), fake::state().failPngSave = true, Keys({kKeyS});
  for (const std::string& call : fake::callsStartingWith("sprite_save_png 3 ")) written.insert(call.substr(18, call.size() - 20));
  for (const auto& entry : std::filesystem::directory_iterator(game.saveDir)) files.insert(entry.path().string());
  EXPECT_EQ(written.size(), 3u) << "three screenshots, each under a name of its own";
  for (const std::string& name : written) EXPECT_TRUE(numbered.count(name)) << name;
  EXPECT_EQ(files.size(), 5u) << "the older three and the two written";
}

// (The full-screen pointer drawn where the mouse is, the automated player follows end to end.)
TEST_F(MainLoopTest, RightButtonTheInactiveScreenAndNoPointerInAWindow) {
  dealNewGame(), fake::state().buttons[2] = true;
  RunOnePass();  // the right button opens the menu from play only
  EXPECT_EQ(game.gameState, Menu);
  game.gameState = Credits, RunOnePass();
  EXPECT_EQ(game.gameState, Credits);
  fake::state().buttons[2] = false, game.gameState = Menu, sound_play(0, kSoundLoop);
  fake::state().active = 0, fake::clearCalls(), fake::state().waits.clear();
  Passes(3);  // inactive: the music pauses, the frame left on the screen loses the pointer, the loop idles
  EXPECT_EQ(sound_status(0), SoundPaused);
  const auto drawn = fake::callsStartingWith("sprite_draw");
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(fake::callsStartingWith(drawn[0]).size(), 1u) << "one frame drawn again, then none";
  EXPECT_TRUE(fake::callsStartingWith("sprite_draw_blended 0 ").empty()) << "the frame away shows no pointer";
  EXPECT_EQ(fake::state().waits, (std::vector<int>{100, 100, 100}));
  fake::state().active = 1, Passes(10);  // back, full screen plays it on, M's state as it was
  EXPECT_EQ(std::make_tuple(int{sound_status(0)}, game.prefs.musicOn), std::make_tuple(int{SoundPlaying}, int64_t{1}));
  for (const char* work : {"image_", "sprite_create", "sprite_load_png", "text_", "sprite_begin_drawing"})
    EXPECT_TRUE(fake::callsStartingWith(work).empty()) << work << " in a frame";
  game.prefs.screenKind = 1, fake::clearCalls(), RunOnePass();
  EXPECT_TRUE(fake::callsStartingWith("sprite_draw_blended 0 ").empty()) << "no drawn pointer in a window";
}

// The loop ends after the pass in which QUIT or the desktop asked it to (a close request to the
// full screen, its window gone, the session ending), in every kind, active or away; it saves the
// preferences and fades the music only while it plays. A lost display's last words, left by the
// loop, save what changed since.
TEST_F(MainLoopTest, QuitOrTheDesktopEndsTheLoopSavingAndFadingPlayingMusicOnlyAndALostDisplayStillSaves) {
  const ScratchDir dir;
  game.saveDir = dir.path();
  const auto savedMusic = [&] { Preferences saved{"", -1}; return LoadPreferences(game.saveDir, saved), saved.musicOn; };
  for (const int kind : {0, 1, 2}) {
    for (const int away : {0, 1}) {  // away: the inactive pass pauses the music
      game.prefs.screenKind = kind, game.prefs.musicOn = away, fake::state().active = 1 - away;
      sound_stop(0), sound_play(0, kSoundLoop);
      fake::state().quitAsked = kind != 1 || away;  // or QUIT
      game.quitRequested = fake::state().quitAsked ? 0 : 1;
      RunOnePass();
      ASSERT_EQ(game.quitRequested, 1) << "kind " << kind << ", away " << away;
      fake::clearCalls(), RunMainLoop();  // one more pass, then the way out
      const auto volumes = fake::callsStartingWith("sound_volume 0 ");
      EXPECT_EQ(std::make_tuple(savedMusic(), volumes.size(), int{sound_status(0)}),
                std::make_tuple(int64_t{away}, away ? 0u : 10u, away ? SoundPaused : SoundIdle)) << kind << away;
      if (!away) { EXPECT_EQ(volumes.front() + " " + volumes.back(), "sound_volume 0 100 sound_volume 0 10"); }
    }
  }
  ASSERT_NE(fake::state().lastWords, nullptr);
  game.prefs.musicOn = 0, fake::state().lastWords();
  EXPECT_EQ(savedMusic(), 0);
  // Asked while starting: not one frame shown, the preferences saved all the same.
  game.quitRequested = 0, game.prefs.musicOn = 1, fake::clearCalls(), RunMainLoop();
  EXPECT_EQ(std::make_tuple(fake::callsStartingWith("screen_flip").size(), savedMusic()), std::make_tuple(0u, int64_t{1}));
}

class WindowEventsTest : public MainLoopTest {
 protected:
  void SetUp() override { MainLoopTest::SetUp(); game.prefs.screenKind = 1; game.gameState = Menu; }
  void moveTo(int64_t x, int64_t y) { fake::state().windowMouseX = static_cast<int>(x), fake::state().windowMouseY = static_cast<int>(y); }
  void pointAt(int record, int64_t height) { moveTo(ItemCentreX(record), ItemCentreY(record, height)); }
  void queue(std::initializer_list<int> codes) { fake::state().windowEvents.insert(fake::state().windowEvents.end(), codes); }
  void drain(std::initializer_list<int> codes) { queue(codes), DrainWindowEvents(); }
};

TEST_F(WindowEventsTest, ClicksActInTheStateTheLastOneLeftAndOkEndsTheDrain) {
  pointAt(ItemStart, 80);
  drain({EventLeftClick, EventLeftDoubleClick, EventLeftClick});  // a deal, then a click on the board
  EXPECT_EQ(std::make_tuple(game.gameState, game.gameRunning), std::make_tuple(int64_t{Playing}, int64_t{1}));
  dealNewGame(), moveTo(170, 10), queue({EventMouseMove, EventLeftClick});
  fake::clearCalls(), RunOnePass();  // turned and drawn in the same pass, without waiting
  EXPECT_EQ(fake::callsStartingWith("sprite_draw_blended " + std::to_string(game.board[0][0].face) + " 165 5").size(), 1u);
  game.gameState = Settings;  // (the right button's menu in a window is played end to end)
  pointAt(ItemMusicBox, 20);
  drain({EventLeftClick, EventLeftDoubleClick, EventLeftClick});
  EXPECT_EQ(game.setMusic, 1) << "a double click toggles twice";
  game.setMusic = game.prefs.musicOn, pointAt(ItemSettingsOk, 40);
  drain({EventLeftClick, EventLeftClick, EventRepaint});
  EXPECT_EQ(std::make_tuple(game.gameState, fake::state().windowEvents.size()), std::make_tuple(int64_t{Menu}, size_t{2}));
  fake::state().windowEvents.clear(), fake::state().flips = 0;
  drain({EventRepaint, EventMoved, EventRepaint});
  EXPECT_EQ(std::make_tuple(fake::state().flips, fake::state().waits.size()), std::make_tuple(2, size_t{0}));
}

// (Minimising a window and a borderless one's focus are played end to end; here what they leave alone.)
TEST_F(WindowEventsTest, MusicPausesOnlyForTheEventOfTheWindowKind) {
  const std::tuple<int, int, std::vector<int>, int> cases[] = {  // kind, music, events, status
      {1, 1, {EventMinimized, EventFocusIn}, SoundPlaying}, {1, 1, {EventFocusOut}, SoundPlaying},
      {2, 1, {EventMinimized}, SoundPlaying},               {1, 0, {EventMinimized, EventRestored, EventFocusIn}, SoundIdle}};
  for (const auto& [kind, music, events, status] : cases) {
    game.prefs.screenKind = kind, game.prefs.musicOn = music, sound_stop(0);
    if (music) sound_play(0, kSoundLoop);
    fake::clearCalls();
    for (const int event : events) drain({event});
    EXPECT_EQ(sound_status(0), status) << "kind " << kind << ", " << events.size() << " events";
    EXPECT_TRUE(fake::callsStartingWith("window_minimize").empty()) << "kind " << kind;
    if (!music) { EXPECT_TRUE(fake::callsStartingWith("sound_").empty()); }
  }
}

}  // namespace
