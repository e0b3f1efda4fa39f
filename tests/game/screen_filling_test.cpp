// Fitting pictures to the screen (resize and crop), applying the settings, the full screen's layout.
#include "display/asset_loading.h"
#include "display/screen_setup.h"
#include "game/apply_settings.h"
#include "game_fixture.h"

namespace {

TEST_F(GameTest, ScreenFillingPicturesAreFittedAndCroppedInTheMiddle) {
  struct Case { int sw, sh, iw, ih; const char *resize, *copy; };  // resize "" for none
  const Case cases[] = {
      {1280, 1024, 1920, 1080, "image_resize 0 1280 1024 0", "image_copy_rect 0 1 0 0 1280 1024"},  // same quotient
      {1280, 720, 1280, 720, "", "image_copy_rect 0 1 0 0 1280 720"},                               // exact size
      {1024, 1280, 1920, 1080, "image_resize 0 2276 1280 0", "image_copy_rect 0 1 626 0 1024 1280"},  // wider: by height
      {1024, 1280, 1280, 1024, "image_resize 0 1600 1280 0", "image_copy_rect 0 1 288 0 1024 1280"},  // crop clamped
      {1280, 720, 1500, 2000, "image_resize 0 1280 1700 0", "image_copy_rect 0 1 0 490 1280 720"},   // taller: by width
      // Under 100 pixels a side: the quotient still decides, otherwise they cover the screen.
      {1280, 720, 160, 90, "image_resize 0 1280 720 0", "image_copy_rect 0 1 0 0 1280 720"},
      {1280, 720, 99, 60, "image_resize 0 1280 720 0", "image_copy_rect 0 1 0 0 1280 720"},
      {1280, 720, 50, 1080, "image_resize 0 1280 27648 0", "image_copy_rect 0 1 0 13464 1280 720"},
      {1280, 720, 1920, 99, "image_resize 0 13964 720 0", "image_copy_rect 0 1 6342 0 1280 720"},
  };
  for (const Case& c : cases) {
    fake::reset(), fake::state().desktopWidth = c.sw, fake::state().desktopHeight = c.sh;
    screen_open_fullscreen(c.sw, c.sh, 32, "t", kFlipVsync), fake::clearCalls();
    const std::string png = FakePng(c.iw, c.ih);
    const SpriteId s = MakeScreenFillingSprite(kNewSprite, png.data(), png.size(), c.sw, c.sh);
    const std::string where = std::to_string(c.iw) + "x" + std::to_string(c.ih) + " on " + std::to_string(c.sw);
    EXPECT_EQ(fake::callsStartingWith("image_resize"), *c.resize ? std::vector<std::string>{c.resize} : std::vector<std::string>{}) << where;
    EXPECT_EQ(fake::callsStartingWith("image_copy_rect"), std::vector<std::string>{c.copy}) << where;
    EXPECT_EQ(fake::callsStartingWith("image_draw"), std::vector<std::string>{"image_draw 1 0 0"}) << where;
    EXPECT_EQ(sprite_width(s), c.sw);
    EXPECT_TRUE(fake::state().images.empty()) << "images left after " << where;
  }
  fake::clearCalls();
  const std::string junk = "not a picture";  // leaves an empty sprite of the screen's size
  EXPECT_NE(MakeScreenFillingSprite(10, junk.data(), junk.size(), 1280, 720), 0);
  EXPECT_EQ(sprite_width(10), 1280);
  EXPECT_TRUE(fake::callsStartingWith("image_draw").empty() && fake::state().images.empty());
}

// Full screen on a scaled desktop lays out at the desktop divided by the scale, never below 1280x720:
// the density drops (to 1 at most) where the desktop is too small for the scale. Scale 1 changes nothing.
TEST(ScreenMode, FullScreenOnAScaledDesktopLaysOutAt1280x720OrMore) {
  struct Case { int desktopWidth, desktopHeight, scale; std::string layout; int density; };
  const Case cases[] = {{3840, 2160, 2, "1920x1080", 2}, {1920, 1080, 2, "1920x1080", 1}, {2560, 1440, 2, "1280x720", 2},
                        {3840, 2160, 3, "1280x720", 3}, {2880, 1620, 3, "1440x810", 2}, {2560, 1080, 2, "2560x1080", 1},
                        {1280, 720, 1, "1280x720", 1}, {1024, 768, 1, "1024x768", 1}, {1024, 768, 2, "1024x768", 1}};
  for (const Case& c : cases) {
    fake::reset(), fake::state().desktopWidth = c.desktopWidth, fake::state().desktopHeight = c.desktopHeight;
    fake::state().desktopScale = c.scale;
    std::string mode = "1280x720";
    int64_t width = 0, height = 0;
    ChooseScreenSize(ScreenFull, &mode, &width, &height);
    const std::string where = std::to_string(c.desktopWidth) + "x" + std::to_string(c.desktopHeight) + " at " + std::to_string(c.scale);
    EXPECT_EQ(std::to_string(width) + "x" + std::to_string(height), c.layout) << where;
    EXPECT_EQ(OpenGameScreen(ScreenFull, width, height, "t") * fake::state().screenDensity, c.density) << where;
  }
}

// Applying the settings with a language pack (a directory) of a complete English file and a German
// one lacking the music credit: the language first, then the music; a failed load keeps the new code.
TEST_F(GameTest, ApplySettingsReloadsTheLanguageKeepingMissingKeysThenTheMusic) {
  const ScratchDir dir;
  const std::string pack = (game.gameDir = dir.path()) + "VesperineLanguages.pack";
  std::filesystem::create_directory(pack);
  WriteWholeFile(pack + "/en_GB.language", LanguageFileText("English", "[M]\ntMenuSTART = START\ntCreditsMUSIC = Music\n"));
  WriteWholeFile(pack + "/de_DE.language", LanguageFileText("Deutsch", "[M]\ntMenuSTART = NEUES SPIEL\n"));
  ScanLanguages(pack, game.languageInfo, game.languageList), LoadLanguage(pack, "en_GB", game.translations), OpenScreen(1280, 720);
  fake::state().sounds[0] = SoundPlaying, game.gameState = Settings, game.setLangCode = "de_DE", game.setMusic = 0, applySettings();
  EXPECT_EQ(std::make_tuple(game.prefs.languageCode, game.prefs.musicOn, game.gameState), std::make_tuple("de_DE", int64_t{0}, int64_t{Menu}));
  EXPECT_EQ(game.translations["tMenuSTART"] + "/" + game.translations["tCreditsMUSIC"], "NEUES SPIEL/Music");
  EXPECT_EQ(sprite_width(kSpriteStart), 110);
  const auto& calls = fake::state().calls;
  const auto drawn = std::find_if(calls.begin(), calls.end(), [](auto& c) { return c.find("[NEUES SPIEL]") != c.npos; });
  const auto stop = std::find(calls.begin(), calls.end(), "sound_stop 0");
  EXPECT_TRUE(drawn != calls.end() && drawn < stop && stop != calls.end()) << "the language first, then the music";
  game.setLangCode = "fr_FR", fake::clearCalls(), applySettings();
  EXPECT_EQ(std::make_tuple(game.prefs.languageCode, game.translations["tMenuSTART"]), std::make_tuple("fr_FR", "NEUES SPIEL"));
  EXPECT_FALSE(fake::callsStartingWith("image_create").empty());
}

}  // namespace
