#include "game/texts.h"

#include "game/game_state.h"

const std::string& Tr(const std::string& key) { return game.translations[key]; }
