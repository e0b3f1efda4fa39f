#include <sys/stat.h>

#include "game/apply_settings.h"
#include "game/sprite_numbers.h"
#include "game_fixture.h"

namespace {
// A game directory whose language pack is a directory with a complete English file and a German
// file that lacks the music credit heading.
class ApplySettingsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game.gameDir = MakeTempDir();
    const std::string pack = game.gameDir + "VesperineLanguages.pack";
    mkdir(pack.c_str(), 0700);
    WriteLanguageFile(pack + "/en_GB.language", "English",
                      {{"tMenuSTART", "START"}, {"tCreditsMUSIC", "Music"}, {"tMenuOK", "OK"}});
    WriteLanguageFile(pack + "/de_DE.language", "Deutsch", {{"tMenuSTART", "NEUES SPIEL"}, {"tMenuOK", "OK"}});
    ScanLanguages(pack, game.languageInfo, game.languageList);
    game.prefs.languageCode = "en_GB";
    LoadLanguage(pack, "en_GB", game.translations);
    OpenScreen(1280, 720);
    game.gameState = Settings;
    game.setLangCode = "en_GB";
    game.setMusic = 1;
  }
};

TEST_F(ApplySettingsTest, LanguageChangeReloadsAndRendersKeepingMissingKeys) {
  game.setLangCode = "de_DE";
  applySettings();
  EXPECT_EQ(game.prefs.languageCode, "de_DE");
  EXPECT_EQ(game.translations["tMenuSTART"], "NEUES SPIEL");
  EXPECT_EQ(game.translations["tCreditsMUSIC"], "Music");  // the previous language's heading stays
  EXPECT_EQ(game.gameState, Menu);
  const auto texts = fake::callsStartingWith("text_draw ");
  bool drewNewStart = false;
  for (const auto& t : texts) drewNewStart |= t.find("[NEUES SPIEL]") != std::string::npos;
  EXPECT_TRUE(drewNewStart);
  EXPECT_EQ(sprite_width(kSpriteStart), 110);
}

TEST_F(ApplySettingsTest, FailedLoadStillRendersAndKeepsTheNewCode) {
  game.setLangCode = "fr_FR";
  applySettings();
  EXPECT_EQ(game.prefs.languageCode, "fr_FR");
  EXPECT_EQ(game.translations["tMenuSTART"], "START");
  EXPECT_FALSE(fake::callsStartingWith("image_create").empty());
}

TEST_F(ApplySettingsTest, LanguageThenMusicInThatOrder) {
  fake::state().sounds[0] = SoundPlaying;
  game.setLangCode = "de_DE";
  game.setMusic = 0;
  applySettings();
  const auto& calls = fake::state().calls;
  size_t lastText = 0, stop = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind("text_", 0) == 0) lastText = i;
    if (calls[i] == "sound_stop 0") stop = i;
  }
  EXPECT_GT(stop, lastText);
  EXPECT_EQ(game.prefs.musicOn, 0);
}
}  // namespace
