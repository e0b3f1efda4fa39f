#include <algorithm>

#include "game/sprite_numbers.h"
#include "game/text_sprites.h"
#include "game_fixture.h"

namespace {
class TextSpritesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game.translations.set("tMenuSTART", "START");
    game.translations.set("tMenuCONTINUE", "CONTINUE");
    game.translations.set("tMenuOK", "OK");
    game.translations.set("tMenuYES", "YES");
    game.translations.set("tMenuNO", "NO");
    game.translations.set("tMenuCANCEL", "CANCEL");
    fake::state().textWidth = [](const std::string& text, int font) {
      if (text == "START") return 150.5;    // rounds to 150 (half to even)
      if (text == "CONTINUE") return 261.5;  // rounds to 262
      if (text == "CANCEL") return 99.4;
      return 10.0 * static_cast<double>(text.size());
    };
    OpenScreen(1280, 720);
  }
};

TEST_F(TextSpritesTest, ItemsFollowTheMeasuredWidths) {
  EXPECT_EQ(sprite_width(kSpriteStart), 150);
  EXPECT_EQ(sprite_width(kSpriteContinue), 262);
  EXPECT_EQ(sprite_height(kSpriteStart), 80);
  const HitArea& start = game.items[ItemStart];
  EXPECT_EQ(start.sprite, kSpriteStart);
  EXPECT_EQ(start.x, (1280 - 150) / 2);
  EXPECT_EQ(start.y, 40 + 150);
  EXPECT_EQ(start.width, 150);
  EXPECT_EQ(game.items[ItemContinue].x, (1280 - 262) / 2);
  EXPECT_EQ(game.items[ItemQuit].y, 40 + 480);
  EXPECT_EQ(game.items[ItemCreditsOk].x, (1280 - 20) / 2);
  EXPECT_EQ(game.items[ItemCreditsOk].y, 40 + 540);
  EXPECT_EQ(game.items[ItemSettingsOk].x, 300 + 100);
  EXPECT_EQ(game.items[ItemYes].x, (1280 - 540) / 2 + 20);
  EXPECT_EQ(game.items[ItemNo].x, (1280 - 540) / 2 + 540 - 20 - 20);
  EXPECT_EQ(game.items[ItemNo].y, 40 + 300);
  EXPECT_EQ(game.items[ItemLeftArrow].x, 300 + 269);
  EXPECT_EQ(game.items[ItemRightArrow].x, 300 + 569);
  EXPECT_EQ(game.items[ItemLeftArrow].y, 40 + 230);
  EXPECT_EQ(game.items[ItemMusicBox].y, 40 + 270);
  EXPECT_EQ(game.items[ItemMusicBox].width, 20);
  EXPECT_EQ(game.items[ItemCancel].x, 300 + 680 - 99 - 100);
  for (int unused = 11; unused <= 14; ++unused) {
    EXPECT_EQ(game.items[unused].width, 0);
    EXPECT_EQ(game.items[unused].sprite, 0);
  }
}

TEST_F(TextSpritesTest, TooWideEntryIsCutAt500AndMissingKeyGivesWidthZero) {
  fake::state().textWidth = nullptr;  // 10 pixels a byte
  game.translations.set("tMenuSTART", std::string(60, 'W'));
  renderLanguageTexts();
  EXPECT_EQ(sprite_width(kSpriteStart), 500);
  EXPECT_EQ(game.items[ItemStart].width, 500);
  EXPECT_EQ(sprite_width(kSpriteSettings), 0);  // tMenuSETTINGS was never given
  EXPECT_EQ(game.items[ItemSettings].width, 0);
  EXPECT_TRUE(game.translations.contains("tMenuSETTINGS"));
}

TEST_F(TextSpritesTest, QuestionsAreCentredParagraphsNeverClipped) {
  game.translations.set("tQuestionsQUIT", "Do you really want to quit?");
  fake::clearCalls();
  renderLanguageTexts();
  const auto p = fake::callsStartingWith("text_draw_paragraph");
  ASSERT_EQ(p.size(), 2u);
  EXPECT_NE(p[0].find("[Do you really want to quit?] 4 540 80"), std::string::npos);
  EXPECT_EQ(sprite_width(kSpriteQuitQuestion), 540);
  EXPECT_EQ(sprite_width(kSpriteNewGameQuestion), 540);
}

TEST_F(TextSpritesTest, LanguageStripForThreeLanguages) {
  UseThreeLanguages();
  game.prefs.languageCode = "hu_HU";
  renderAllTexts();
  // English, Magyar, Deutsch: Magyar is the second row.
  EXPECT_EQ(sprite_width(kSpriteLanguageStrip), 280);
  EXPECT_EQ(sprite_height(kSpriteLanguageStrip), 30);
  const auto clips = fake::callsStartingWith("sprite_clip 32 ");
  ASSERT_FALSE(clips.empty());
  EXPECT_EQ(clips.back(), "sprite_clip 32 0 30 280 30");
  EXPECT_EQ(fake::state().sprites[kSpriteLanguageStrip].height, 90);
  const auto names = fake::callsStartingWith("text_draw ");
  const auto english = std::find_if(names.begin(), names.end(), [](auto& s) { return s.find("[English]") != s.npos; });
  const auto deutsch = std::find_if(names.begin(), names.end(), [](auto& s) { return s.find("[Deutsch]") != s.npos; });
  EXPECT_LT(english, deutsch);
  // A code that is not in the list shows the first row.
  game.prefs.languageCode = "xx_XX";
  renderAllTexts();
  EXPECT_EQ(fake::callsStartingWith("sprite_clip 32 ").back(), "sprite_clip 32 0 0 280 30");
}

TEST_F(TextSpritesTest, CreditsRowsCentredInDoublePrecision) {
  fake::state().textWidth = [](const std::string& text, int) { return text == "Quenmarsh" ? 101.5 : 200.0; };
  fake::clearCalls();
  renderLanguageTexts();
  const auto moves = fake::callsStartingWith("text_move_to ");
  EXPECT_NE(std::find(moves.begin(), moves.end(), "text_move_to 214.25 92"), moves.end());
}

TEST_F(TextSpritesTest, DimmingLayerIsScreenSizedBlackWithAWhiteKey) {
  const auto& dim = fake::state().sprites[kSpriteDimming];
  EXPECT_EQ(dim.width, 1280);
  EXPECT_EQ(dim.height, 720);
  EXPECT_EQ(dim.flags, kSpriteKeepAlpha);
  EXPECT_EQ(dim.colourKey, rgb(255, 255, 255));
}

TEST_F(TextSpritesTest, FailedImageLeavesTheSpriteEmptyAndNothingLeaks) {
  fake::state().failImageCreateAfter = 0;
  renderLanguageTexts();
  EXPECT_EQ(sprite_width(kSpriteStart), 0);
  EXPECT_EQ(fake::state().images.size(), 2u);  // only the two arrow pictures remain
}
}  // namespace
