// Clicks on the menu, the questions and the settings, in full screen with the 100 ms waits.
#include "game/clicks.h"
#include "game_fixture.h"

namespace {

class ClicksTest : public GameTest {
 protected:
  void SetUp() override { GameTest::SetUp(); OpenMenu(); }
  // Clicks each record at its centre (or `dy` below its top) and checks the state and the waits so far after it.
  struct Step { int record; int64_t height; int64_t state; int waits; int64_t dy = -1; };
  void play(std::initializer_list<Step> steps) {
    for (const Step& s : steps) {
      ClickFullScreen(ItemCentreX(s.record), s.dy < 0 ? ItemCentreY(s.record, s.height) : game.items[s.record].y + s.dy);
      EXPECT_EQ(std::make_pair(game.gameState, waits()), std::make_pair(s.state, s.waits)) << "after record " << s.record;
    }
  }
  int waits() const { return static_cast<int>(fake::state().waits.size()); }
  std::string stripClip() const { return fake::callsStartingWith("sprite_clip 32").back(); }
};

TEST_F(ClicksTest, MenuAndQuestions) {
  const HitArea& a = game.items[ItemStart];  // hit strictly inside, on every side
  const std::tuple<int64_t, int64_t, bool> points[] = {
      {a.x, a.y + 10, false},          {a.x + 10, a.y, false},          {a.x + 1, a.y + 1, true},
      {a.x + a.width - 1, a.y + 79, true}, {a.x + a.width, a.y + 10, false}, {a.x + 10, a.y + 80, false}};
  for (const auto& [x, y, hit] : points) EXPECT_EQ(HitItem(ItemStart, 80, x, y), hit) << x - a.x << "," << y - a.y;
  play({{ItemContinue, 80, Menu, 1},                  // no game to continue: only the wait
        {ItemStart, 80, Playing, 2}});                // no game runs: a deal at once
  const SpriteId firstFace = game.board[0][0].face;
  game.gameState = Menu;
  play({{ItemStart, 80, AskNewGame, 3}, {ItemNo, 40, AskNewGame, 3, 41},  // buttons are 40 high
        {ItemNo, 40, Menu, 4}, {ItemContinue, 80, Playing, 5}});
  EXPECT_EQ(game.board[0][0].face, firstFace);
  game.gameState = Menu;
  play({{ItemStart, 80, AskNewGame, 6}, {ItemYes, 40, Playing, 7}});
  EXPECT_EQ(game.cardSetIndex, 0);  // a second deal: the other set
  game.gameState = Menu;
  play({{ItemCredits, 80, Credits, 8}, {ItemCreditsOk, 40, Menu, 9}, {ItemQuit, 80, AskQuit, 10},
        {ItemNo, 40, Menu, 11}, {ItemQuit, 80, AskQuit, 12}, {ItemYes, 40, AskQuit, 12}});  // quitting does not wait
  EXPECT_EQ(game.quitRequested, 1);  // (a click on the banner back to the menu is played end to end)
}

TEST_F(ClicksTest, SettingsArrowsBoxCancelAndEscape) {
  play({{ItemSettings, 80, Settings, 1}});
  EXPECT_EQ(std::make_tuple(game.setLangIdx, game.setLangCode, game.setMusic), std::make_tuple(int64_t{0}, std::string("en_GB"), int64_t{1}));
  play({{ItemLeftArrow, 20, Settings, 1},  // at an end of the list: not even the wait
        {ItemRightArrow, 20, Settings, 2}});
  EXPECT_EQ(game.setLangCode + " " + stripClip(), "hu_HU sprite_clip 32 0 30 280 30");
  play({{ItemRightArrow, 20, Settings, 3}, {ItemRightArrow, 20, Settings, 3}, {ItemMusicBox, 20, Settings, 4}});
  EXPECT_EQ(std::make_tuple(game.setLangIdx, game.setLangCode, game.setMusic), std::make_tuple(int64_t{2}, std::string("de_DE"), int64_t{0}));
  play({{ItemCancel, 40, Menu, 5}});
  EXPECT_EQ(std::make_tuple(game.setLangCode, game.setMusic, game.prefs.languageCode, stripClip()),
            std::make_tuple("en_GB", int64_t{1}, "en_GB", "sprite_clip 32 0 0 280 30"));
  play({{ItemSettings, 80, Settings, 6}, {ItemRightArrow, 20, Settings, 7}});
  Keys({kKeyEscape});  // Escape keeps the copies...
  EXPECT_EQ(std::make_tuple(game.gameState, game.setLangCode), std::make_tuple(int64_t{Menu}, "hu_HU"));
  play({{ItemSettings, 80, Settings, 8}});  // ...but the next visit starts from the language in use
  EXPECT_EQ(game.setLangCode + " " + stripClip(), "en_GB sprite_clip 32 0 0 280 30");
  // A button held on the box toggles it every frame, after its wait.
  ClickItem(ItemMusicBox, 20), fake::state().buttons[1] = true, Passes(2);
  EXPECT_EQ(std::make_tuple(game.setMusic, waits(), game.prefs.musicOn), std::make_tuple(int64_t{0}, 11, int64_t{1}));
}

// The screen kind steps full screen, window, borderless and no further; CANCEL and Escape keep the kind in force.
TEST_F(ClicksTest, ScreenKindChooserStepsAndCancelOrEscapeKeepTheKind) {
  const auto kindClip = [] { return fake::callsStartingWith("sprite_clip 34").back().substr(17, 2); };
  play({{ItemSettings, 80, Settings, 1}, {ItemScreenLeft, 20, Settings, 1}});  // at the start: not even the wait
  const std::tuple<int, int, int64_t, const char*> steps[] = {  // record, waits after it, kind chosen, row shown
      {ItemScreenRight, 2, 1, "30"}, {ItemScreenRight, 3, 2, "60"}, {ItemScreenRight, 3, 2, "60"},
      {ItemScreenLeft, 4, 1, "30"},  {ItemCancel, 5, 0, "0 "}};
  for (const auto& [record, waitsAfter, kind, row] : steps) {
    ClickItem(record, 20);
    EXPECT_EQ(std::make_tuple(waits(), game.setScreenKind, kindClip()), std::make_tuple(waitsAfter, kind, std::string(row))) << record;
  }
  EXPECT_EQ(std::make_tuple(game.gameState, game.prefs.screenKind), std::make_tuple(int64_t{Menu}, int64_t{0}));
  play({{ItemSettings, 80, Settings, 6}, {ItemScreenRight, 20, Settings, 7}}), Keys({kKeyEscape});
  play({{ItemSettings, 80, Settings, 8}});  // the next visit starts from the kind in force
  EXPECT_EQ(std::make_tuple(game.prefs.screenKind, game.setScreenKind, kindClip(), fake::callsStartingWith("screen_close").size()),
            std::make_tuple(int64_t{0}, int64_t{0}, std::string("0 "), 0u));
}

// (The window path, without waits and ending the drain at OK, is checked with the window events.)
TEST_F(ClicksTest, OkAppliesTheMusicOnlyWhenItChanged) {
  sound_play(0, kSoundLoop);
  play({{ItemSettings, 80, Settings, 1}}), fake::clearCalls(), play({{ItemSettingsOk, 40, Menu, 2}});
  EXPECT_TRUE(fake::callsStartingWith("image_create").empty() && fake::callsStartingWith("sound_").empty() &&
              sound_status(0) == SoundPlaying);
  play({{ItemSettings, 80, Settings, 3}, {ItemMusicBox, 20, Settings, 4}, {ItemSettingsOk, 40, Menu, 5}});
  EXPECT_EQ(std::make_tuple(game.prefs.musicOn, sound_status(0)), std::make_tuple(int64_t{0}, SoundIdle));
  play({{ItemSettings, 80, Settings, 6}, {ItemMusicBox, 20, Settings, 7}}), fake::clearCalls(), play({{ItemSettingsOk, 40, Menu, 8}});
  EXPECT_EQ(fake::callsStartingWith("sound_play"), std::vector<std::string>{"sound_play 0 1"});  // from the start
}

}  // namespace
