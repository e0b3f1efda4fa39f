// The screen changed while the game goes on: another kind by OK, F11 and Alt+Return, a kind that does
// not open, the window laid out anew at a settled size, and what is saved. (The real screens and
// window managers: end to end.)
#include <filesystem>

#include "game/apply_settings.h"
#include "game/screen_switch.h"
#include "game/startup.h"
#include "game/window_layout.h"
#include "game_fixture.h"
#include "services/preferences.h"

namespace {

// A 1920 x 1080 desktop, a game directory with every picture, the game set up in `kind`, a deal with
// the first card up and the pair of the second removed, the music playing, the log on.
class ScreenSwitchTest : public GameTest {
 protected:
  void setUp(int64_t kind) {
    GameTest::SetUp(), UseMenuTexts(), UseThreeLanguages();
    fake::state().desktopWidth = 1920, fake::state().desktopHeight = 1080;
    game.gameDir = dir.path(), game.prefs.languageCode = "en_GB", game.prefs.screenKind = kind, game.soundDevice = true;
    fake::state().soundStarted = true, fake::state().sounds[0] = SoundPlaying;
    OpenLog(dir.path() + "log" + std::to_string(++logs), "test"), EnableLog();
    ASSERT_TRUE(SetUpDisplay());
    dealNewGame();
    game.board[0][0].state = FaceUp, game.board[1][1].state = game.board[2][2].state = Removed, game.gameState = Menu;
    before = board(), fake::clearCalls(), fake::state().messageBoxes.clear();
  }
  // The deal by the places of the faces in their set and the cells' states, the background and the set.
  std::string board() const {
    std::string text = std::to_string(game.backgroundIndex) + "/" + std::to_string(game.cardSetIndex) + ":";
    for (int64_t face : DealtFaces()) text += std::to_string(face) + ",";
    for (auto& column : game.board) for (auto& cell : column) text += std::to_string(cell.state);
    return text;
  }
  // Every card drawn from a sprite of the screen open now.
  static bool facesAlive() {
    for (auto& column : game.board) for (auto& cell : column) if (!fake::state().sprites.count(cell.face)) return false;
    return true;
  }
  std::string size() const { return std::to_string(game.screenWidth) + "x" + std::to_string(game.screenHeight) + "/" + std::to_string(game.cardSize); }
  std::string log() const { return ReadWholeFile(dir.path() + "log" + std::to_string(logs)); }
  void ok(int64_t kind) {
    game.gameState = Settings, game.setLangCode = game.prefs.languageCode, game.setMusic = game.prefs.musicOn;
    game.setScreenKind = kind, applySettings();
  }
  const ScratchDir dir;
  std::string before;
  int logs = 0;
  void SetUp() override { WriteFakeDataPack(dir.path()); }
};

// OK opens the kind chosen: the board laid out for its size, the game as it was, the window gone or made.
TEST_F(ScreenSwitchTest, OkOpensTheKindChosenAndTheGameGoesOn) {
  const std::tuple<int64_t, int64_t, const char*, const char*, size_t> cases[] = {  // from, to, size, log line, windows closed
      {1, 0, "1920x1080/170", "Opening screen (Fullscreen):\t\tOK\nScreenwidth:\t\t1920", 1},
      {0, 1, "1280x720/110", "Opening screen (Windowed):\t\tOK\nScreenwidth:\t\t1280", 0},
      {0, 2, "1920x1080/170", "Opening screen (Borderless):\t\tOK", 0},
      {2, 1, "1280x720/110", "Opening screen (Windowed):\t\tOK", 1}};
  for (const auto& [from, to, laidOut, line, closed] : cases) {
    setUp(from), ok(to);
    EXPECT_EQ(std::make_tuple(game.prefs.screenKind, game.gameState, size(), board(), facesAlive()),
              std::make_tuple(to, int64_t{Menu}, std::string(laidOut), before, true)) << from << "->" << to;
    EXPECT_EQ(std::make_tuple(fake::callsStartingWith("window_close").size(), fake::callsStartingWith("screen_close").size(),
                              sound_status(0), sprite_width(kSpriteDimming), game.items[ItemStart].y),
              std::make_tuple(closed, 1u, SoundPlaying, static_cast<int>(game.screenWidth), (game.screenHeight - 640) / 2 + 150));
    EXPECT_NE(log().find(line), std::string::npos) << log();
    EXPECT_EQ(fake::state().messageBoxes.size(), 0u);
  }
  fake::clearCalls(), ok(1);  // the kind in force: nothing is opened
  EXPECT_TRUE(fake::callsStartingWith("screen_close").empty());
}

// A kind that does not open: logged, and the kind in force opens again; where nothing opens, the box.
TEST_F(ScreenSwitchTest, AKindThatDoesNotOpenGivesTheOldOneBackOrTheBox) {
  setUp(1), fake::state().failFullScreen = true, ok(0);
  EXPECT_NE(log().find("Opening screen (Fullscreen):\t\tFAILED\nScreenWidth:\t\t1920\nScreenHeight:\t\t1080\nOpening screen (Windowed):\t\tOK"),
            std::string::npos) << log();
  EXPECT_EQ(std::make_tuple(game.prefs.screenKind, board(), facesAlive(), fake::state().messageBoxes.size(), game.quitRequested),
            std::make_tuple(int64_t{1}, before, true, 0u, int64_t{0}));
  fake::state().failWindowOpen = true, ok(2);
  EXPECT_EQ(std::make_tuple(fake::state().messageBoxes.size(), game.quitRequested, game.endedByError), std::make_tuple(1u, int64_t{1}, int64_t{1}));
  game.saveDir = dir.path(), RunMainLoop();  // as after a failed start: no save, no fade
  EXPECT_EQ(std::make_tuple(std::filesystem::exists(dir.path() + kPreferencesFileName), fake::callsStartingWith("sound_volume").size()),
            std::make_tuple(false, 0u));
}

// F11 and Alt+Return in every state: full screen and back to the window kind last used, the state kept.
TEST_F(ScreenSwitchTest, F11AndAltReturnInEveryStateSwitchFullScreenAndBack) {
  for (const int64_t start : {1, 2}) {
    setUp(start);
    for (int64_t state = Logo; state <= WellDone; ++state) {
      game.gameState = state;
      fake::state().releasedKeys = {kKeyF11}, HandleKeys();
      const int64_t full = game.prefs.screenKind;
      fake::state().heldKeys = {state % 2 ? kKeyLeftAlt : kKeyRightAlt}, fake::state().releasedKeys = {kKeyReturn}, HandleKeys();
      fake::state().heldKeys.clear();
      EXPECT_EQ(std::make_tuple(full, game.prefs.screenKind, game.gameState, board(), facesAlive()),
                std::make_tuple(int64_t{0}, start, state, before, true)) << start << " state " << state;
    }
    game.gameState = Settings, game.setScreenKind = start, fake::state().releasedKeys = {kKeyF11}, HandleKeys();
    EXPECT_EQ(std::make_tuple(game.setScreenKind, fake::callsStartingWith("sprite_clip 34").back()), std::make_tuple(int64_t{0}, "sprite_clip 34 0 0 280 30"));
  }
  fake::clearCalls(), fake::state().releasedKeys = {kKeyReturn}, HandleKeys();  // Return alone: no switch
  EXPECT_TRUE(fake::callsStartingWith("screen_close").empty());
}

// The window laid out at its size once it has held for half a second; below the panel at the
// smallest size of its shape holding the panel; the size kept for the save.
// The player's sizes come once the window has had the focus and held still; the window manager's,
// placing the window (a work area, a tile), before: laid out as well, but the ScreenMode asked is kept.
TEST_F(ScreenSwitchTest, TheWindowIsLaidOutAtItsSettledSize) {
  const std::tuple<int, int, bool, const char*> cases[] = {  // window, placed first, game size and card size
      {1600, 900, true, "1600x900/140"}, {1596, 880, true, "1596x880/136"}, {400, 300, true, "854x640/96"},
      {600, 900, true, "680x1020/160"}, {680, 640, true, "680x640/96"}, {1235, 695, false, "1235x695/105"}};
  for (const auto& [w, h, placed, laidOut] : cases) {
    setUp(1);
    if (placed) fake::state().windowEvents = {EventFocusIn}, Passes(static_cast<int>(kWindowSettleMs / 17) + 2);
    fake::state().windowWidth = 1000, Passes(1);  // a size that does not settle is not laid out
    fake::state().windowWidth = w, fake::state().windowHeight = h;
    Passes(static_cast<int>(kWindowSettleMs / 17));
    EXPECT_EQ(size(), "1280x720/110") << w;
    Passes(2);
    EXPECT_EQ(std::make_tuple(size(), game.prefs.screenModeText, board(), facesAlive(), fake::callsStartingWith("window_open").size()),
              std::make_tuple(std::string(laidOut), placed ? std::to_string(w) + "x" + std::to_string(h) : "1280x720", before, true, 0u)) << w;
    fake::clearCalls(), Passes(40);
    EXPECT_TRUE(fake::callsStartingWith("screen_close").empty());
  }
  int64_t gw = 0, gh = 0;
  GameSizeForWindow(320, 200, &gw, &gh);
  EXPECT_EQ(std::make_pair(gw, gh), std::make_pair(int64_t{1024}, int64_t{640}));
}

// A player who changes nothing gets the bytes of today: no window resize, F11 there and back, no
// settled size other than the one opened; a mode too small for the panel is laid out roomier but kept.
TEST_F(ScreenSwitchTest, NothingChangedSavesTheSameBytes) {
  setUp(1);
  const std::string saved = PreferencesFileBytes(game.prefs);
  Passes(60), fake::state().releasedKeys = {kKeyF11}, Passes(1), fake::state().releasedKeys = {kKeyF11}, Passes(60);
  EXPECT_EQ(std::make_tuple(PreferencesFileBytes(game.prefs), game.prefs.screenKind), std::make_tuple(saved, int64_t{1}));
  game.prefs.screenModeText = "400x300", fake::state().windowWidth = 400, fake::state().windowHeight = 300;
  fake::state().releasedKeys = {kKeyF11}, Passes(1), fake::state().releasedKeys = {kKeyF11}, Passes(1);
  EXPECT_EQ(size(), "400x300/40");
  Passes(40);
  EXPECT_EQ(std::make_tuple(size(), game.prefs.screenModeText), std::make_tuple("854x640/96", "400x300"));
}

}  // namespace
