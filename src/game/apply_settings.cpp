#include "game/apply_settings.h"

#include "game/game_state.h"
#include "game/language_loading.h"
#include "game/screen_switch.h"
#include "game/text_sprites.h"

void applySettings() {
  if (game.setLangCode != game.prefs.languageCode) {
    game.prefs.languageCode = game.setLangCode;
    LoadLanguageLogged(game.prefs.languageCode);
    renderLanguageTexts();
  }
  if (game.prefs.musicOn == 1 && game.setMusic == 0) {
    sound_stop(0);
    game.prefs.musicOn = 0;
  }
  if (game.prefs.musicOn == 0 && game.setMusic == 1) {
    sound_play(0, kSoundLoop);
    game.prefs.musicOn = 1;
  }
  game.prefs.soundsOn = game.setSounds;  // effects that already sound play to their end
  game.gameState = Menu;
  // The screen kind last: opened anew, with the texts in the language just chosen, on the menu.
  if (game.setScreenKind != game.prefs.screenKind) SwitchScreenKind(game.setScreenKind);
}
