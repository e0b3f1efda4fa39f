#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "game/startup.h"
#include "game/sprite_numbers.h"
#include "game_fixture.h"
#include "services/log.h"

namespace {
std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> filesIn(const std::string& dir, const std::string& prefix) {
  std::vector<std::string> out;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name).rfind(prefix, 0) == 0) out.push_back(e->d_name);
    closedir(d);
  }
  return out;
}

// A game directory with a two-language pack (as a directory) and a user home of its own.
class StartUpTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    gameDir = MakeTempDir();
    home = MakeTempDir();
    setenv("HOME", home.c_str(), 1);
    setenv("LANG", "de_DE.UTF-8", 1);
    const std::string pack = gameDir + "VesperineLanguages.pack";
    mkdir(pack.c_str(), 0700);
    WriteLanguageFile(pack + "/en_GB.language", "English",
                      {{"tErrorERROR", "Error"}, {"tErrorSUBSYSTEM", "Could not start"}, {"tErrorASSET", "Missing"},
                       {"tErrorSCREEN", "No screen"}});
    WriteLanguageFile(pack + "/de_DE.language", "Deutsch", {{"tErrorERROR", "Fehler"}, {"tErrorSUBSYSTEM", "Start"}});
  }
  void TearDown() override { CloseLogForTests(); }
  bool start(std::vector<std::string> params) {
    args = {"vesperine"};
    for (auto& p : params) args.push_back(p);
    argv.clear();
    for (auto& a : args) argv.push_back(a.data());
    return StartUp(static_cast<int>(argv.size()), argv.data(), gameDir);
  }
  std::string userDir() const { return home + ".Quenmarsh/Vesperine/"; }
  std::string onlyLog(const std::string& dir) {
    const auto logs = filesIn(dir, "Log ");
    return logs.size() == 1 ? readFile(dir + logs[0]) : std::string();
  }
  void writeGamePrefs(const std::string& body) {
    std::ofstream(gameDir + "Vesperine.prefs") << body;
  }
  std::string gameDir, home;
  std::vector<std::string> args;
  std::vector<char*> argv;
};

TEST_F(StartUpTest, NoPreferencesUsesTheUserDirectoryAndTheSystemLanguage) {
  ASSERT_TRUE(start({}));
  EXPECT_EQ(game.gameDir, gameDir);
  EXPECT_EQ(game.userDir, userDir());
  EXPECT_EQ(game.saveDir, userDir());
  struct stat st {};
  ASSERT_EQ(stat(userDir().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(game.prefs.languageCode, "de_DE");
  EXPECT_EQ(game.translations["tErrorERROR"], "Fehler");
  EXPECT_TRUE(filesIn(userDir(), "Log ").empty());
  EXPECT_TRUE(filesIn(gameDir, "Log ").empty());
  // the fonts, in their loading order
  EXPECT_EQ(fake::callsStartingWith("font_load"),
            (std::vector<std::string>{"font_load 0 Arial Black 40 1", "font_load 1 Arial Black 14 0",
                                      "font_load 3 Arial Black 20 0", "font_load 2 Arial Black 11 0"}));
}

TEST_F(StartUpTest, UnavailableSystemLanguageFallsBackToEnglish) {
  setenv("LANG", "POSIX", 1);
  ASSERT_TRUE(start({}));
  EXPECT_EQ(game.prefs.languageCode, "en_GB");
  EXPECT_EQ(game.setLangIdx, 0);  // English (bucket 112) comes before Deutsch (472)
}

TEST_F(StartUpTest, GamePreferencesMakeTheGameDirectoryTheSaveDirectory) {
  writeGamePrefs("[Settings]\nMusic = 0\n");
  ASSERT_TRUE(start({"/log"}));
  EXPECT_EQ(game.saveDir, gameDir);
  struct stat st {};
  EXPECT_NE(stat(userDir().c_str(), &st), 0);  // neither created nor read
  EXPECT_EQ(game.prefs.musicOn, 0);
  EXPECT_EQ(game.prefs.languageCode, "en_GB");  // no Language key: stays "" until the choice
  FlushLog();
  const std::string log = onlyLog(gameDir);
  EXPECT_NE(log.find("[INITIAL SETTINGS]\nLanguage:\t\t\nGameScreen:\t\tFullscreen\nMusic:\t\tOff\n"),
            std::string::npos);
}

TEST_F(StartUpTest, LogHeaderAndStartUpLines) {
  ASSERT_TRUE(start({"/LOG", "ignored"}));
  FlushLog();
  const std::string log = onlyLog(userDir());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.rfind("Vesperine\n" + game.startStamp + "\n\n[SYSTEM DETAILS]\nCPU Name:\t\t", 0), 0u);
  for (const char* expected :
       {"\nNumber of desktops:\t\t1\n", "\n[GAME DETAILS]\nTitle:\t\tVesperine\nFamily:\t\tDuskline\n",
        "\nBit:\t\t(x64)\n\n[CODE SUBSYSTEMS]\nLanguage:\t\t2.0\nCursor: \t\t0.1\nLog:\t\t1.2\n",
        "\n[AVAILABLE LANGUAGES]\nLanguage:\t\tEnglish\nLanguage:\t\tDeutsch\n\n[STARTING GAME]\n",
        "Load language (de_DE):\t\tOK\nInitSprite:\t\tOK\nInitKeyboard:\t\tOK\nInitMouse:\t\tOK\nInitSound:\t\tOK\n"})
    EXPECT_NE(log.find(expected), std::string::npos) << expected;
  EXPECT_NE(log.find("\nGameDir:\t\t" + gameDir + "\nUserDir:\t\t" + userDir() + "\nSaveTo:\t\t" + userDir() + "\n"),
            std::string::npos);
}

TEST_F(StartUpTest, OnlyTheFirstParameterSwitchesTheLogOn) {
  ASSERT_TRUE(start({"x", "/LOG"}));
  FlushLog();
  EXPECT_TRUE(filesIn(userDir(), "Log ").empty());
}

TEST_F(StartUpTest, OutOfRangeScreenKindWritesNoGameScreenLine) {
  writeGamePrefs("[Settings]\nGameScreen = 5\n");
  ASSERT_TRUE(start({"/Log"}));
  FlushLog();
  const std::string log = onlyLog(gameDir);
  EXPECT_EQ(log.find("GameScreen:"), std::string::npos);
  EXPECT_NE(log.find("Language:\t\t\nMusic:\t\tOn\nScreenMode:\t\t1280x720\n"), std::string::npos);
}

TEST_F(StartUpTest, SoundThatCannotStartIsFatal) {
  fake::state().failSoundInit = true;
  EXPECT_FALSE(start({"/LOG"}));
  FlushLog();
  const std::string log = onlyLog(userDir());
  EXPECT_NE(log.find("InitMouse:\t\tOK\nInitSound:\t\tFAILED\n"), std::string::npos);
  ASSERT_EQ(fake::state().messageBoxes.size(), 1u);
  EXPECT_EQ(fake::state().messageBoxes[0].first, "Vesperine::Fehler");
  EXPECT_EQ(fake::state().messageBoxes[0].second, "Start  : Sound");
}

TEST_F(StartUpTest, MissingLanguagePackRunsOnWithEmptyTexts) {
  const std::string pack = gameDir + "VesperineLanguages.pack";
  system(("rm -rf '" + pack + "'").c_str());
  fake::state().failSpriteInit = true;
  EXPECT_FALSE(start({"/LOG"}));
  FlushLog();
  const std::string log = onlyLog(userDir());
  EXPECT_NE(log.find("[AVAILABLE LANGUAGES]\n\n[STARTING GAME]\nLoad language (en_GB):\t\tFAILED\nInitSprite:\t\tFAILED\n"),
            std::string::npos);
  EXPECT_EQ(fake::state().messageBoxes[0].first, "Vesperine::");
  EXPECT_EQ(fake::state().messageBoxes[0].second, "  : Sprite");
}

class DisplaySetUpTest : public StartUpTest {
 protected:
  void writePack(const std::vector<std::pair<std::string, std::string>>& entries) {
    WriteStoredPack(gameDir + "VesperineData.pack", entries);
  }
};

TEST_F(DisplaySetUpTest, CompletePackOpensLoadsRendersAndStartsTheMusic) {
  writePack(CompleteAssetEntries());
  ASSERT_TRUE(start({"/LOG"}));
  ASSERT_TRUE(SetUpDisplay());
  FlushLog();
  const std::string log = onlyLog(userDir());
  for (const char* expected :
       {"ScreenWidth:\t\t1280\nScreenHeight:\t\t720\nLoad asset (music.ogg):\t\tOK\nOpening screen (Fullscreen):\t\tOK\n"
        "Screenwidth:\t\t1280\nScreenheight:\t\t720\nLoad asset (background 1.png):\t\tOK\n",
        "Load asset (2-back.png):\t\tOK\nLoad asset (1-card01.png):\t\tOK\n",
        "Load asset (right.png):\t\tOK\n", "Load asset left off.png:\t\tOK\n",
        "Load asset (title.png):\t\tOK\nLoad asset (zelt.png):\t\tOK\n"})
    EXPECT_NE(log.find(expected), std::string::npos) << expected;
  EXPECT_EQ(sound_status(0), SoundPlaying);
  EXPECT_EQ(sprite_width(game.backgroundSprites[3]), 1280);
  EXPECT_EQ(sprite_width(kSpriteLogo), 1280);
  EXPECT_EQ(sprite_height(kSpriteTitle), 720);
  EXPECT_NE(game.cardSets[1].faces[24], 0);
  EXPECT_EQ(fake::callsStartingWith("screen_set_frame_rate"), std::vector<std::string>{"screen_set_frame_rate 60"});
}

TEST_F(DisplaySetUpTest, MissingLastCardStopsWithItsLineAndBox) {
  auto entries = CompleteAssetEntries();
  std::erase_if(entries, [](auto& e) { return e.first == "2-card24.png"; });
  writePack(entries);
  ASSERT_TRUE(start({"/LOG"}));
  EXPECT_FALSE(SetUpDisplay());
  FlushLog();
  const std::string log = onlyLog(userDir());
  EXPECT_NE(log.find("Load asset (2-card23.png):\t\tOK\nLoad asset (2-card24.png):\t\tFAILED\n"), std::string::npos);
  EXPECT_EQ(log.find("shadow.png"), std::string::npos);
  EXPECT_FALSE(fake::state().screenOpen);
  ASSERT_EQ(fake::state().messageBoxes.size(), 1u);
  EXPECT_EQ(fake::state().messageBoxes[0], std::make_pair(std::string("Vesperine::Fehler"), std::string("")));
}

TEST_F(DisplaySetUpTest, PackThatIsNoPackFailsWithTheMusic) {
  std::ofstream(gameDir + "VesperineData.pack") << "PK\x03\x04 not ours";
  ASSERT_TRUE(start({"/LOG"}));
  EXPECT_FALSE(SetUpDisplay());
  FlushLog();
  EXPECT_NE(onlyLog(userDir()).find("Load asset (music.ogg):\t\tFAILED\n"), std::string::npos);
}

TEST_F(DisplaySetUpTest, ScreenKindOutOfRangeOrZeroSizeShowsTheScreenBox) {
  writePack(CompleteAssetEntries());
  setenv("LANG", "en_GB.UTF-8", 1);
  writeGamePrefs("[Settings]\nGameScreen = 3\n");
  ASSERT_TRUE(start({"/LOG"}));
  EXPECT_FALSE(SetUpDisplay());
  FlushLog();
  EXPECT_EQ(onlyLog(gameDir).find("Opening screen"), std::string::npos);
  EXPECT_EQ(fake::state().messageBoxes.back().second, "No screen");
  CloseLogForTests();
  writeGamePrefs("[Settings]\nGameScreen = 1\nScreenMode = 0x600\n");
  fake::reset();
  ASSERT_TRUE(start({}));
  EXPECT_FALSE(SetUpDisplay());
  EXPECT_EQ(fake::state().messageBoxes.back().second, "No screen");
}

TEST_F(DisplaySetUpTest, WindowedKindUsesTheScreenModeAndShowsTheWindow) {
  writePack(CompleteAssetEntries());
  writeGamePrefs("[Settings]\nGameScreen = 1\nScreenMode = 1024x768\n");
  ASSERT_TRUE(start({}));
  ASSERT_TRUE(SetUpDisplay());
  EXPECT_EQ(game.screenWidth, 1024);
  EXPECT_EQ(game.screenHeight, 768);
  EXPECT_EQ(fake::callsStartingWith("window_open"),
            std::vector<std::string>{"window_open 0 0 0 1024 768 Vesperine 1.0.0.1 - Orvandel (www.quenmarsh.example) 1"});
  EXPECT_EQ(fake::callsStartingWith("window_show").size(), 1u);
  EXPECT_EQ(fake::callsStartingWith("window_activate").size(), 1u);
}

TEST_F(DisplaySetUpTest, FullScreenIgnoresTheScreenMode) {
  writePack(CompleteAssetEntries());
  writeGamePrefs("[Settings]\nGameScreen = 0\nScreenMode = 1024x768\n");
  ASSERT_TRUE(start({}));
  ASSERT_TRUE(SetUpDisplay());
  EXPECT_EQ(game.screenWidth, 1280);
  EXPECT_EQ(game.cardSize, 110);
}
}  // namespace
