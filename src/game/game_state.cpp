#include "game/game_state.h"

GameGlobals game;

void ResetGameState() {
  game = GameGlobals();
  game.setLangCode = game.prefs.languageCode;
  game.setMusic = game.prefs.musicOn;
}
