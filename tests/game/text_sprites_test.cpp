// Text sprites: entries measured and clipped, click areas, questions, language strip, credits, dimming.

#include "game_fixture.h"

namespace {

class TextSpritesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (const char* key : {"tMenuSTART", "tMenuCONTINUE", "tMenuOK", "tMenuYES", "tMenuNO", "tMenuCANCEL"})
      game.translations.set(key, std::string(key).substr(5));
    fake::state().textWidth = [](const std::string& text, int) {
      if (text == "START") return 150.5;     // rounds to 150 (half to even)
      if (text == "CONTINUE") return 261.5;  // rounds to 262
      return text == "CANCEL" ? 99.4 : 10.0 * static_cast<double>(text.size());
    };
    OpenScreen(1280, 720);  // a 680 x 640 panel at (300, 40)
  }
};

TEST_F(TextSpritesTest, ItemsFollowTheMeasuredWidthsTooWideEntriesAreCutAt500AndMissingKeysGiveWidthZero) {
  EXPECT_EQ(std::make_tuple(sprite_width(kSpriteStart), sprite_height(kSpriteStart), sprite_width(kSpriteContinue)),
            std::make_tuple(150, 80, 262));
  const std::tuple<int, int64_t, int64_t, int64_t> areas[] = {  // record, x, y, width
      {ItemStart, (1280 - 150) / 2, 40 + 150, 150}, {ItemContinue, (1280 - 262) / 2, 40 + 230, 262}, {ItemQuit, -1, 40 + 480, -1},
      {ItemCreditsOk, (1280 - 20) / 2, 40 + 540, 20}, {ItemSettingsOk, 300 + 100, -1, -1}, {ItemYes, (1280 - 540) / 2 + 20, -1, -1},
      {ItemNo, (1280 - 540) / 2 + 540 - 20 - 20, 40 + 300, 20}, {ItemLeftArrow, 300 + 269, 40 + 230, -1},
      {ItemRightArrow, 300 + 569, -1, -1}, {ItemMusicBox, -1, 40 + 270, 20}, {ItemSoundsBox, 300 + 269, 40 + 310, 20},
      {ItemCancel, 300 + 680 - 99 - 100, -1, -1}, {ItemScreenLeft, 300 + 269, 40 + 350, 20}, {ItemScreenRight, 300 + 569, 40 + 350, 20}};
  for (const auto& [record, x, y, width] : areas) {  // -1: not checked
    const HitArea& a = game.items[record];
    EXPECT_EQ(std::make_tuple(x < 0 ? -1 : a.x, y < 0 ? -1 : a.y, width < 0 ? -1 : a.width), std::make_tuple(x, y, width)) << record;
  }
  fake::state().textWidth = nullptr;  // 10 pixels a byte
  game.translations.set("tMenuSTART", std::string(60, 'W')), game.translations.set("tQuestionsQUIT", "Do you really want to quit?");
  game.translations.set("tMenuMUSIC", "Music"), game.translations.set("tMenuSOUNDS", "Sounds");
  game.translations.set("tMenuSCREEN", "Screen");
  fake::clearCalls(), renderLanguageTexts();
  // The settings labels, 40 pixels apart: language, music, sound effects, screen.
  std::string labels;
  const auto& calls = fake::state().calls;
  for (size_t i = 0; i + 1 < calls.size(); ++i)
    if (calls[i].starts_with("text_move_to 0 ") && calls[i + 1].starts_with("text_draw "))
      labels += calls[i].substr(15) + calls[i + 1].substr(calls[i + 1].find('['));
  EXPECT_EQ(labels, "10[]50[Music]90[Sounds]130[Screen]");
  EXPECT_EQ(std::make_tuple(sprite_width(kSpriteStart), game.items[ItemStart].width), std::make_tuple(500, int64_t{500}));
  EXPECT_EQ(std::make_tuple(sprite_width(kSpriteSettings), game.items[ItemSettings].width), std::make_tuple(0, int64_t{0}));
  // Questions are centred paragraphs, never clipped.
  const auto paragraphs = fake::callsStartingWith("text_draw_paragraph");
  ASSERT_EQ(paragraphs.size(), 2u);
  EXPECT_NE(paragraphs[0].find("[Do you really want to quit?] 4 540 80"), std::string::npos) << paragraphs[0];
  EXPECT_EQ(sprite_width(kSpriteQuitQuestion) + sprite_width(kSpriteNewGameQuestion), 1080);
}

TEST_F(TextSpritesTest, LanguageStripShowsTheLanguageInUse) {
  UseThreeLanguages(), game.prefs.languageCode = "hu_HU", renderAllTexts();
  EXPECT_EQ(fake::state().sprites[kSpriteLanguageStrip].height, 90);
  EXPECT_EQ(fake::callsStartingWith("sprite_clip 32 ").back(), "sprite_clip 32 0 30 280 30");  // Magyar, the second row
  std::string names;
  for (const std::string& call : fake::callsStartingWith("text_draw ")) names += call;
  EXPECT_LT(names.find("[English]"), names.find("[Deutsch]"));
  game.prefs.languageCode = "xx_XX", renderAllTexts();  // not in the list: the first row
  EXPECT_EQ(fake::callsStartingWith("sprite_clip 32 ").back(), "sprite_clip 32 0 0 280 30");
}

// The SCREEN label 130 down the labels, its arrows 120 below the language's, the kinds' names in the
// preference's order, shown at the kind in use (the working copy's on the settings screen).
TEST_F(TextSpritesTest, ScreenKindRowFollowsTheLanguageRow) {
  for (const auto& [key, text] : {std::pair{"tMenuSCREEN", "Screen"}, {"tMenuFULLSCREEN", "Full"}, {"tMenuWINDOW", "Window"}, {"tMenuBORDERLESS", "Bare"}})
    game.translations.set(key, text);
  std::string texts;
  for (const auto& [state, kind, setKind, clip] : {std::tuple{Menu, 2, 0, "60"}, {Settings, 2, 1, "30"}}) {
    game.gameState = state, game.prefs.screenKind = kind, game.setScreenKind = setKind, fake::clearCalls(), renderLanguageTexts();
    EXPECT_EQ(fake::callsStartingWith("sprite_clip 34 ").back(), std::string("sprite_clip 34 0 ") + clip + " 280 30");
  }
  for (const std::string& call : fake::state().calls)  // the texts without the image they go into
    if (call.rfind("text_", 0) == 0 || call.rfind("image_draw 2", 0) == 0) texts += call.substr(0, call.rfind("text_draw", 0) == 0 ? 9 : call.npos) + (call.find('[') != call.npos ? call.substr(call.find('[')) : "") + ";";
  for (const char* part : {"text_move_to 0 130;text_draw[Screen]", "image_draw 26 200 135;image_draw 28 500 135",
                           "text_move_to 120 0;text_draw[Full];text_move_to 110 30;text_draw[Window];text_move_to 120 60;text_draw[Bare]"})
    EXPECT_NE(texts.find(part), std::string::npos) << part << " in " << texts;
  EXPECT_EQ(std::make_tuple(fake::state().sprites[kSpriteScreenKindStrip].height, sprite_width(kSpriteScreenKindStrip)), std::make_tuple(90, 280));
}

TEST_F(TextSpritesTest, CreditsDimmingAndFailedImages) {
  fake::state().textWidth = [](const std::string& text, int) { return text == "Quenmarsh" ? 101.5 : 200.0; };
  fake::clearCalls(), renderLanguageTexts();
  const auto moves = fake::callsStartingWith("text_move_to ");
  EXPECT_NE(std::find(moves.begin(), moves.end(), "text_move_to 214.25 92"), moves.end()) << "centred in double precision";
  EXPECT_EQ(std::make_tuple(sprite_width(kSpriteDimming), sprite_height(kSpriteDimming)), std::make_tuple(1280, 720));
  fake::state().failImageCreateAfter = 0, renderLanguageTexts();
  EXPECT_EQ(std::make_tuple(sprite_width(kSpriteStart), fake::state().images.size()), std::make_tuple(0, 2u));  // the arrows' two
}

}  // namespace
