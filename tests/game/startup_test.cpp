// Start-up through the fake: directories, preferences, languages, the log, the fatal boxes, the display
// from a data pack. (GTK's options, "/LOG" later or absent, missing entries, no audio: end to end.)
#include <filesystem>

#include "display/screen_setup.h"
#include "game/random.h"
#include "game/startup.h"
#include "game_fixture.h"

namespace {

// A game directory with a two-language pack (as a directory) and a user home of its own.
class StartUpTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp(), setenv("HOME", home.c_str(), 1), setenv("LANG", "de_DE.UTF-8", 1);
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) unsetenv(name);
    const std::string pack = gameDir + "VesperineLanguages.pack/";
    std::filesystem::create_directories(pack + "fr_FR.language");  // a directory: no language
    WriteWholeFile(pack + "en_GB.language",
                   LanguageFileText("English", "[E]\ntErrorERROR = Error\ntErrorSUBSYSTEM = Could not start\ntErrorSCREEN = No screen\n"));
    WriteWholeFile(pack + "de_DE.language", LanguageFileText("Deutsch", "[E]\ntErrorERROR = Fehler\ntErrorSUBSYSTEM = Start\n"));
  }
  void restart() { GameTest::SetUp(); }  // back to a process that has not started yet
  bool start(std::vector<std::string> params, const std::string& prefs = "") {
    if (!prefs.empty()) std::ofstream(gameDir + "Vesperine.prefs") << prefs;
    args = {"vesperine"}, args.insert(args.end(), params.begin(), params.end()), argv.clear();
    for (auto& a : args) argv.push_back(a.data());
    return StartUp(static_cast<int>(argv.size()), argv.data(), ReadCommandLine(params), gameDir);
  }
  // This start's log file in `dir`.
  std::string log(const std::string& dir) { return ReadWholeFile(dir + "Log " + game.startStamp + ".log"); }
  static void expectLines(const std::string& log, std::initializer_list<std::string> parts) {
    for (const std::string& part : parts) EXPECT_NE(log.find(part), std::string::npos) << part << "\nin:\n" << log;
  }
  void writePack() { WriteFakeDataPack(gameDir); }
  void writePack(const std::vector<std::pair<std::string, std::string>>& effects) { WriteFakeDataPack(gameDir, effects); }
  const ScratchDir gameScratch, homeScratch;
  const std::string gameDir = gameScratch.path(), home = homeScratch.path(), userDir = home + ".Quenmarsh/Vesperine/";
  std::vector<std::string> args;
  std::vector<char*> argv;
};

// The preferences' language, else the locale's first shipped one, else English.
TEST_F(StartUpTest, LanguageFromThePreferencesOrTheLocaleElseEnglish) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      {"", "POSIX", "", "en_GB"}, {"", "de_DE.UTF-8", "[Settings]\nLanguage = fr_FR\n", "en_GB"},
      {"fr:de_CH", "en_GB.UTF-8", "", "de_DE"}, {"", "de_AT.UTF-8", "[Settings]\nLanguage = en_GB\n", "en_GB"}};
  for (const auto& [language, lang, prefs, chosen] : cases) {
    restart(), std::filesystem::remove(gameDir + "Vesperine.prefs");
    const ScopedEnv languageList("LANGUAGE", language), locale("LANG", lang);
    ASSERT_TRUE(start({}, prefs));
    EXPECT_EQ(std::make_tuple(game.prefs.languageCode, game.translations["tErrorERROR"]),
              std::make_tuple(chosen, std::string(chosen) == "de_DE" ? "Fehler" : "Error")) << language << " " << lang;
  }
}

// Without preferences: the private user directory and the locale's language (logged as asked).
TEST_F(StartUpTest, LogHeaderAndStartUpLines) {
  ASSERT_TRUE((setenv("LANG", "de_AT.UTF-8", 1), start({"/LOG"})));
  EXPECT_EQ(std::make_tuple(game.gameDir, game.userDir, game.saveDir, game.prefs.languageCode),
            std::make_tuple(gameDir, userDir, userDir, "de_DE"));
  EXPECT_TRUE(std::filesystem::is_directory(userDir));  // private, as the paths tests check
  const std::string text = log(userDir);
  EXPECT_EQ(text.rfind("Vesperine\n" + game.startStamp + "\n\n[SYSTEM DETAILS]\nCPU Name:\t\t", 0), 0u) << text;
  expectLines(text, {"\nNumber of desktops:\t\t1\n", "\n[GAME DETAILS]\nTitle:\t\tVesperine\nFamily:\t\tDuskline\n",
                     "\nBit:\t\t(x64)\n\n[CODE SUBSYSTEMS]\nLanguage:\t\t2.0\nCursor: \t\t0.1\nLog:\t\t1.2\n",
                     "\nGameDir:\t\t" + gameDir + "\nUserDir:\t\t" + userDir + "\nSaveTo:\t\t" + userDir + "\n",
                     "[INITIAL SETTINGS]\nLanguage:\t\tde_AT\nGameScreen:\t\tFullscreen\nMusic:\t\tOn\nScreenMode:\t\t1280x720\n",
                     "\n[AVAILABLE LANGUAGES]\nLanguage:\t\tEnglish\nLanguage:\t\tDeutsch\n\n[STARTING GAME]\n",
                     "Load language (de_DE):\t\tOK\nInitSprite:\t\tOK\nInitKeyboard:\t\tOK\nInitMouse:\t\tOK\nInitSound:\t\tOK\n"});
}

TEST_F(StartUpTest, GamePreferencesMakeTheGameDirectoryTheSaveDirectory) {
  ASSERT_TRUE(start({"/log"}, "[Settings]\nMusic = 0\nGameScreen = 5\n"));
  EXPECT_EQ(game.saveDir, gameDir);
  EXPECT_FALSE(std::filesystem::exists(userDir));  // neither created nor read
  // No Language key: empty until the choice; a screen kind out of range writes no GameScreen line.
  expectLines(log(gameDir), {"[INITIAL SETTINGS]\nLanguage:\t\t\nMusic:\t\tOff\nScreenMode:\t\t1280x720\n"});
}

TEST_F(StartUpTest, SubsystemsThatCannotStartAreFatalWithTheirLineAndBox) {
  std::filesystem::remove_all(gameDir + "VesperineLanguages.pack"), fake::state().failSpriteInit = true;  // on with empty texts
  EXPECT_FALSE(start({"/LOG"}));
  expectLines(log(userDir), {"[AVAILABLE LANGUAGES]\n\n[STARTING GAME]\nLoad language (en_GB):\t\tFAILED\nInitSprite:\t\tFAILED\n"});
  EXPECT_EQ(fake::state().messageBoxes[0], std::make_pair(std::string("Vesperine::"), std::string("  : Sprite")));
}

TEST_F(StartUpTest, CompletePackOpensLoadsRendersStartsTheMusicAndSeedsTheDealsAndPlaysOnWithoutSound) {
  writePack();
  ASSERT_TRUE(start({"/LOG"}) && SetUpDisplay());
  expectLines(log(userDir),
              {"ScreenWidth:\t\t1280\nScreenHeight:\t\t720\nLoad asset (music.ogg):\t\tOK\nOpening screen (Fullscreen):\t\tOK\n"
               "Screenwidth:\t\t1280\nScreenheight:\t\t720\nLoad asset (background 1.png):\t\tOK\n",
               "Load asset left off.png:\t\tOK\n", "Load asset (title.png):\t\tOK\nLoad asset (zelt.png):\t\tOK\n"});
  EXPECT_EQ(sound_status(0), SoundPlaying);
  EXPECT_EQ(fake::callsStartingWith("sound_load_ogg_decoded").size(), 5u) << "the effects, without a line of the log";
  EXPECT_EQ(std::make_tuple(sprite_width(game.backgroundSprites[3]), sprite_width(kSpriteLogo), sprite_height(kSpriteTitle)),
            std::make_tuple(1280, 1280, 720));
  EXPECT_NE(game.cardSets[1].faces[24], 0);
  // Each set-up seeds the deals from the clock: after one seed, two set-ups deal two boards.
  const auto deal = [] { SeedRandom(7), game.cardSetIndex = 0; EXPECT_TRUE(SetUpDisplay()); dealNewGame(); return DealtFaces(); };
  EXPECT_NE(deal(), deal());
  // Effects missing or damaged: a line each, no box, the game plays on without them.
  std::filesystem::remove_all(userDir), restart(), writePack({{"card turned 1.ogg", "OggS 1"}, {"pair found.ogg", "damaged"}, {"wrong pair.ogg", ""}, {"well done.ogg", "OggS 5"}});
  ASSERT_TRUE(start({"/LOG"}) && SetUpDisplay());
  expectLines(log(userDir), {"Load asset (music.ogg):\t\tOK\nLoad asset (card turned 2.ogg):\t\tMISSING, PLAYING WITHOUT IT\n"
                             "Load asset (pair found.ogg):\t\tUNUSABLE, PLAYING WITHOUT IT\n"
                             "Load asset (wrong pair.ogg):\t\tUNUSABLE, PLAYING WITHOUT IT\nOpening screen (Fullscreen):\t\tOK\n"});
  EXPECT_EQ(std::make_tuple(fake::state().messageBoxes.size(), sound_status(1), sound_status(2), sound_status(3), sound_status(5)),
            std::make_tuple(0u, SoundIdle, SoundMissing, SoundMissing, SoundIdle));
  // No sound device: no box, the music neither loaded nor played, M still switches it (its log line: end to end).
  restart(), fake::state().failSoundInit = true;
  ASSERT_TRUE(start({}) && SetUpDisplay());
  fake::state().releasedKeys = {kKeyM}, HandleKeys();
  EXPECT_EQ(std::make_tuple(fake::state().messageBoxes.size(), fake::callsStartingWith("sound_load").size(), game.prefs.musicOn),
            std::make_tuple(0u, 0u, int64_t{0}));
}

TEST_F(StartUpTest, ScreenKindsAndModes) {
  writePack(), setenv("LANG", "en_GB.UTF-8", 1);
  const std::pair<const char*, std::string> cases[] = {  // preferences, the screen opened or the box's text
      {"GameScreen = 1\nScreenMode = 1024x768",
       "1024x768 window_open 0 0 0 1024 768 Vesperine 1.0.0.1 - Orvandel (www.quenmarsh.example) 1"},
      {"GameScreen = 0\nScreenMode = 1024x768", "1280x720"},  // full screen ignores the mode, as does borderless
      {"GameScreen = 2\nScreenMode = 1024x768",
       "1280x720 window_open 0 0 0 1280 720 Vesperine 1.0.0.1 - Orvandel (www.quenmarsh.example) 2"},
      {"GameScreen = 3", "No screen"}};
  for (const auto& [prefs, expected] : cases) {
    restart();
    ASSERT_TRUE(start({}, std::string("[Settings]\n") + prefs + "\n"));
    std::string got = SetUpDisplay() ? std::to_string(game.screenWidth) + "x" + std::to_string(game.screenHeight)
                                     : fake::state().messageBoxes.back().second;
    for (const std::string& window : fake::callsStartingWith("window_open")) got += " " + window;
    EXPECT_EQ(got, expected) << prefs;
  }
  // Hand-edited sizes of the windowed kind: blanks and either x; one no window can have (the fake's
  // largest side is set to 8000 here), too small, too long or too large to play becomes 1280x720, in
  // the preferences too. (Its log line and the file kept until the save: end to end.)
  fake::state().largestScreenSide = 8000;
  const std::pair<const char*, const char*> modes[] = {
      {"1024 x 768", "1024x768"}, {"1024X768", "1024x768"}, {"800 X\t600", "800x600"}, {"640x480x2", "640x480"},
      {"320x200", "320x200"},     {"800x200", "800x200"},   {"320x1280", "320x1280"},    {"7680x4320", "7680x4320"},
      {"319x200", "1280x720"},    {"320x199", "1280x720"},  {"801x200", "1280x720"},     {"320x1281", "1280x720"},
      {"7681x4320", "1280x720"},  {"16384x16", "1280x720"}, {"8001x2500", "1280x720"},   {"1024", "1280x720"},
      {"big", "1280x720"},        {"-800x600", "1280x720"}, {"0x0", "1280x720"},         {"99999999999999999999x1", "1280x720"}};
  for (const auto& [mode, size] : modes) {
    std::string text = mode;
    int64_t width = 0, height = 0;
    ChooseScreenSize(ScreenWindowed, &text, &width, &height);
    EXPECT_EQ(std::to_string(width) + "x" + std::to_string(height) + " " + text,
              std::string(size) + " " + (std::string(size) == "1280x720" ? size : mode));
  }
}

}  // namespace
