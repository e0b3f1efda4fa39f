// The sound effects: which one plays at which moment of a game, and never else; the settings' switch
// for them and its working copy. (Heard on the real game, the pack without them: end to end.)
#include <functional>

#include "display/effect_sounds.h"
#include "display/screen_setup.h"
#include "game/clicks.h"
#include "game/frame_drawing.h"
#include "game/random.h"
#include "game/window_events.h"
#include "game_fixture.h"

namespace {

class SoundEffectsTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp(), OpenMenu(), SeedRandom(7), dealNewGame();
    for (int sound = kSoundCardTurned1; sound <= kSoundWellDone; ++sound) fake::state().sounds[sound] = SoundIdle;
  }
  // The effects played since the last look, by number ("1 2 3"); the music (sound 0) is not one.
  static std::string played() {
    std::string numbers;
    for (const std::string& call : fake::callsStartingWith("sound_play ")) {
      const std::string sound = call.substr(11, call.find(' ', 11) - 11);
      if (sound != "0") numbers += (numbers.empty() ? "" : " ") + sound + (call.ends_with(" 0") ? "" : "?flags");
    }
    return fake::clearCalls(), numbers;
  }
};

// The first card and the second of a turn each sound (each its own take); a found pair chimes as its
// fade starts, in the pass of the second card; a wrong pair sounds as it turns back, in menus too;
// the last pair's banner plays the phrase. A card that is not face down, a pick while two are up
// (the fade, the wrong pair showing), the menu's, the questions' and the settings' clicks: nothing.
// The switch off silences every one; the window path plays the same.
TEST_F(SoundEffectsTest, EachEffectAtItsMomentOnlyWhileSwitchedOn) {
  const auto [wc, wr] = OtherCell(false);
  const auto [pc, pr] = OtherCell(true);
  const auto [tc, tr] = OtherCell(false, {{wc, wr}});
  struct Step { const char* what; std::function<void()> act; const char* heard; };
  const Step steps[] = {
      {"the first card", [&] { ClickCell(0, 0); }, "1"},
      {"the same card again, a button held on it", [&] { ClickCell(0, 0), fake::state().buttons[1] = true, Passes(3), fake::state().buttons[1] = false; }, ""},
      {"the second card, no pair", [&] { ClickCell(wc, wr); }, "2"},
      {"a third card while the wrong pair shows", [&] { ClickCell(tc, tr); }, ""},
      {"the wrong pair showing", [&] { Passes(79); }, ""},
      {"the wrong pair turning back, under the menu", [&] { game.gameState = Menu, PassesWhile(wc, wr, FaceUp); }, "4"},
      {"the menu's clicks: settings, its boxes and arrow, cancel; credits and OK", [&] {
         ClickItem(ItemSettings, 80), ClickItem(ItemMusicBox, 20), ClickItem(ItemSoundsBox, 20), ClickItem(ItemRightArrow, 20);
         ClickItem(ItemCancel, 40), ClickItem(ItemCredits, 80), ClickItem(ItemCreditsOk, 40);
       }, ""},
      {"START asks, NO and CONTINUE", [&] { ClickItem(ItemStart, 80), ClickItem(ItemNo, 40), ClickItem(ItemContinue, 80); }, ""},
      {"a found pair: its cards, the fade starting with the second", [&] { ClickCell(0, 0), ClickCell(pc, pr); }, "1 2 3"},
      {"a pick during the fade", [&] { ClickCell(tc, tr); }, ""},
      {"the fade to its end", [&] { PassesWhile(pc, pr, Vanishing); }, ""},
      {"a card by a window's click", [&] {
         game.prefs.screenKind = ScreenWindowed, fake::state().windowMouseX = static_cast<int>(game.board[tc][tr].x + 5);
         fake::state().windowMouseY = static_cast<int>(game.board[tc][tr].y + 5), HandleWindowEvent(EventLeftClick);
         game.prefs.screenKind = ScreenFull;
       }, "1"},
      {"the last pair: the chime, then the banner's phrase", [&] {
         for (auto& column : game.board) for (auto& cell : column) cell.state = Removed;
         game.board[0][0].state = game.board[pc][pr].state = FaceDown, game.selCount = 0;
         game.cardsLeft = 2, ClickCell(0, 0), ClickCell(pc, pr), PassesWhile(pc, pr, Vanishing);
       }, "1 2 3 5"},
      {"the banner's click", [&] { ClickFullScreen(10, 10); }, ""},
  };
  for (const int64_t soundsOn : {1, 0}) {
    SeedRandom(7), game.cardSetIndex = 0, dealNewGame(), game.frameCounter = 0, game.prefs.soundsOn = soundsOn, played();
    for (const Step& step : steps) {
      step.act();
      EXPECT_EQ(played(), soundsOn ? step.heard : "") << step.what << ", sounds " << soundsOn;
    }
    EXPECT_EQ(game.gameState, Menu);
  }
}

// The box right below the music's, in record 11, drawn 5 pixels inside it; the working copy taken on
// entering, toggled by the box, put back by CANCEL, kept by Escape, applied by OK (and no effect
// played), while M still switches only the music.
TEST_F(SoundEffectsTest, SwitchOnTheSettingsWithItsWorkingCopy) {
  const HitArea& box = game.items[ItemSoundsBox];
  EXPECT_EQ(std::make_tuple(box.sprite, box.x, box.y, box.width, KindOfItem(ItemSoundsBox)),
            std::make_tuple(kSpriteBox, MenuLeft() + 269, MenuTop() + 310, int64_t{20}, ItemKind::Small));
  game.gameState = Menu;
  struct Step { const char* what; std::function<void()> act; int64_t copy, applied, music; const char* boxDrawn; };
  const Step steps[] = {
      {"entering", [&] { ClickItem(ItemSettings, 80); }, 1, 1, 1, "31"},
      {"the box, on its top edge: nothing", [&] { ClickFullScreen(ItemCentreX(ItemSoundsBox), box.y); }, 1, 1, 1, "31"},
      {"the box", [&] { ClickItem(ItemSoundsBox, 20); }, 0, 1, 1, "30"},
      {"M in the settings", [&] { Keys({kKeyM}); }, 0, 1, 1, "30"},
      {"CANCEL", [&] { ClickItem(ItemCancel, 40); }, 1, 1, 1, ""},
      {"again, the box, Escape", [&] { ClickItem(ItemSettings, 80), ClickItem(ItemSoundsBox, 20), Keys({kKeyEscape}); }, 0, 1, 1, ""},
      {"entering takes the switch again", [&] { ClickItem(ItemSettings, 80); }, 1, 1, 1, "31"},
      {"the box and OK", [&] { ClickItem(ItemSoundsBox, 20), ClickItem(ItemSettingsOk, 40); }, 0, 0, 1, ""},
      {"M in the menu: the music only", [&] { Keys({kKeyM}); }, 0, 0, 0, ""},
      {"on again", [&] { ClickItem(ItemSettings, 80), ClickItem(ItemSoundsBox, 20), ClickItem(ItemSettingsOk, 40); }, 1, 1, 0, ""},
  };
  for (const Step& step : steps) {
    fake::clearCalls(), step.act();
    EXPECT_EQ(played(), "") << step.what;
    RunOnePass();  // the frame after the step
    const auto draws = fake::callsStartingWith("sprite_draw ");
    const std::string boxDrawn = game.gameState == Settings ? draws.back() : "";
    EXPECT_EQ(std::make_tuple(game.setSounds, game.prefs.soundsOn, game.prefs.musicOn, boxDrawn),
              std::make_tuple(step.copy, step.applied, step.music,
                              *step.boxDrawn ? std::string("sprite_draw ") + step.boxDrawn + " 574 355" : ""))
        << step.what;
  }
}

}  // namespace
