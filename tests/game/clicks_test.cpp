#include "game/board.h"
#include "game/clicks.h"
#include "game/main_loop.h"
#include "game/sprite_numbers.h"
#include "game_fixture.h"
#include "services/log.h"

namespace {
class ClicksTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UseMenuTexts();
    OpenScreen(1280, 720);
    game.gameState = Menu;
  }
  void click(int record, int64_t height) { ClickFullScreen(ItemCentreX(record), ItemCentreY(record, height)); }
  void clickWindow(int record, int64_t height) {
    LeftButtonAction(ItemCentreX(record), ItemCentreY(record, height), ClickPath::Window);
  }
  int waits() const { return static_cast<int>(fake::state().waits.size()); }
};

TEST_F(ClicksTest, HitTestIsStrictOnEverySide) {
  const HitArea& a = game.items[ItemStart];
  EXPECT_FALSE(HitItem(ItemStart, 80, a.x, a.y + 10));
  EXPECT_FALSE(HitItem(ItemStart, 80, a.x + 10, a.y));
  EXPECT_TRUE(HitItem(ItemStart, 80, a.x + 1, a.y + 1));
  EXPECT_TRUE(HitItem(ItemStart, 80, a.x + a.width - 1, a.y + 79));
  EXPECT_FALSE(HitItem(ItemStart, 80, a.x + a.width, a.y + 10));
  EXPECT_FALSE(HitItem(ItemStart, 80, a.x + 10, a.y + 80));
  EXPECT_FALSE(HitItem(12, 80, 1, 1));  // unfilled records cover nothing
}

TEST_F(ClicksTest, StartDealsAtOnceOrAsksWhenAGameRuns) {
  click(ItemStart, 80);
  EXPECT_EQ(game.gameState, Playing);
  EXPECT_EQ(fake::state().waits, std::vector<int>{100});
  game.gameState = Menu;
  click(ItemStart, 80);
  EXPECT_EQ(game.gameState, AskNewGame);
  const SpriteId firstFace = game.board[0][0].face;
  click(ItemNo, 40);
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_EQ(game.board[0][0].face, firstFace);
  click(ItemContinue, 80);
  EXPECT_EQ(game.gameState, Playing);
  game.gameState = Menu;
  click(ItemStart, 80);
  click(ItemYes, 40);
  EXPECT_EQ(game.gameState, Playing);
  EXPECT_EQ(game.cardSetIndex, 0);  // a second deal: the other set
}

TEST_F(ClicksTest, ContinueWithoutAGameOnlyWaits) {
  click(ItemContinue, 80);
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_EQ(waits(), 1);
}

TEST_F(ClicksTest, CreditsQuitAndWellDone) {
  click(ItemCredits, 80);
  EXPECT_EQ(game.gameState, Credits);
  click(ItemCreditsOk, 40);
  EXPECT_EQ(game.gameState, Menu);
  click(ItemQuit, 80);
  EXPECT_EQ(game.gameState, AskQuit);
  click(ItemNo, 40);
  EXPECT_EQ(game.gameState, Menu);
  click(ItemQuit, 80);
  const int before = waits();
  click(ItemYes, 40);
  EXPECT_EQ(game.quitRequested, 1);
  EXPECT_EQ(waits(), before);  // quitting does not wait
  game.gameState = WellDone;
  ClickFullScreen(5, 5);
  EXPECT_EQ(game.gameState, Menu);
}

class SettingsClicksTest : public ClicksTest {
 protected:
  void SetUp() override {
    ClicksTest::SetUp();
    UseThreeLanguages();  // English, Magyar, Deutsch
    game.prefs.languageCode = "en_GB";
    click(ItemSettings, 80);
    fake::state().waits.clear();
    fake::clearCalls();
  }
};

TEST_F(SettingsClicksTest, EnteringTakesTheWorkingCopiesAndShowsTheLanguageInUse) {
  EXPECT_EQ(game.gameState, Settings);
  EXPECT_EQ(game.setLangIdx, 0);
  EXPECT_EQ(game.setLangCode, "en_GB");
  EXPECT_EQ(game.setMusic, 1);
}

TEST_F(SettingsClicksTest, ArrowsStepTheListAndDoNothingAtItsEnds) {
  click(ItemLeftArrow, 20);
  EXPECT_EQ(waits(), 0);  // at the start of the list: not even the wait
  EXPECT_EQ(game.setLangIdx, 0);
  click(ItemRightArrow, 20);
  EXPECT_EQ(game.setLangIdx, 1);
  EXPECT_EQ(game.setLangCode, "hu_HU");
  EXPECT_EQ(fake::callsStartingWith("sprite_clip 32").back(), "sprite_clip 32 0 30 280 30");
  click(ItemRightArrow, 20);
  click(ItemRightArrow, 20);
  EXPECT_EQ(game.setLangIdx, 2);
  EXPECT_EQ(game.setLangCode, "de_DE");
  EXPECT_EQ(waits(), 2);
  click(ItemLeftArrow, 20);
  EXPECT_EQ(game.setLangCode, "hu_HU");
  EXPECT_EQ(game.prefs.languageCode, "en_GB");  // nothing applied yet
}

TEST_F(SettingsClicksTest, HeldButtonOnTheBoxTogglesEveryFrameAfterItsWait) {
  fake::state().mouseX = static_cast<int>(ItemCentreX(ItemMusicBox));
  fake::state().mouseY = static_cast<int>(ItemCentreY(ItemMusicBox, 20));
  fake::state().buttons[1] = true;
  Passes(3);
  EXPECT_EQ(game.setMusic, 0);
  EXPECT_EQ(waits(), 3);
  fake::state().buttons[1] = false;
  EXPECT_EQ(game.prefs.musicOn, 1);
}

TEST_F(SettingsClicksTest, CancelRestoresTheCopiesAndTheStrip) {
  click(ItemRightArrow, 20);
  click(ItemMusicBox, 20);
  click(ItemCancel, 40);
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_EQ(game.setLangCode, "en_GB");
  EXPECT_EQ(game.setMusic, 1);
  EXPECT_EQ(fake::callsStartingWith("sprite_clip 32").back(), "sprite_clip 32 0 0 280 30");
}

TEST_F(SettingsClicksTest, EscapeKeepsCopiesButTheNextVisitStartsFromTheLanguageInUse) {
  click(ItemRightArrow, 20);
  fake::state().releasedKeys.insert(kKeyEscape);
  RunOnePass();
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_EQ(game.setLangCode, "hu_HU");
  click(ItemSettings, 80);
  EXPECT_EQ(game.setLangCode, "en_GB");
  EXPECT_EQ(fake::callsStartingWith("sprite_clip 32").back(), "sprite_clip 32 0 0 280 30");
}

TEST_F(SettingsClicksTest, OkWithoutAChangeDoesNothingButReturn) {
  sound_play(0, kSoundLoop);
  sound_pause(0);
  fake::clearCalls();
  click(ItemSettingsOk, 40);
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_TRUE(fake::callsStartingWith("image_create").empty());
  EXPECT_TRUE(fake::callsStartingWith("sound_").empty());
  EXPECT_EQ(sound_status(0), SoundPaused);
  EXPECT_EQ(waits(), 1);
}

TEST_F(SettingsClicksTest, OkSwitchesTheMusicOffAndLaterOnFromTheStart) {
  sound_play(0, kSoundLoop);
  click(ItemMusicBox, 20);
  click(ItemSettingsOk, 40);
  EXPECT_EQ(game.prefs.musicOn, 0);
  EXPECT_EQ(sound_status(0), SoundIdle);
  click(ItemSettings, 80);
  click(ItemMusicBox, 20);
  fake::clearCalls();
  click(ItemSettingsOk, 40);
  EXPECT_EQ(game.prefs.musicOn, 1);
  EXPECT_EQ(fake::callsStartingWith("sound_play"), std::vector<std::string>{"sound_play 0 1"});
}

TEST_F(SettingsClicksTest, WindowPathHasNoWaitsAndStopsAtOk) {
  clickWindow(ItemRightArrow, 20);
  EXPECT_EQ(game.setLangIdx, 1);
  EXPECT_EQ(waits(), 0);
  EXPECT_TRUE(LeftButtonAction(ItemCentreX(ItemSettingsOk), ItemCentreY(ItemSettingsOk, 40), ClickPath::Window));
  EXPECT_EQ(game.gameState, Menu);
  EXPECT_EQ(game.prefs.languageCode, "hu_HU");
}

TEST_F(SettingsClicksTest, OneLanguageMeansNeitherArrowWorks) {
  game.languageInfo.clear();
  game.languageInfo["English"].code = "en_GB";
  RebuildLanguageList(game.languageInfo, game.languageList);
  game.gameState = Menu;
  click(ItemSettings, 80);
  fake::state().waits.clear();
  click(ItemLeftArrow, 20);
  click(ItemRightArrow, 20);
  EXPECT_EQ(waits(), 0);
  EXPECT_EQ(game.setLangCode, "en_GB");
}
}  // namespace
