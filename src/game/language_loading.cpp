#include "game/language_loading.h"

#include "game/game_state.h"
#include "services/languages.h"
#include "services/log.h"

std::string LanguagePackPath() { return game.gameDir + "VesperineLanguages.pack"; }

int LoadLanguageLogged(const std::string& code) {
  const int result = LoadLanguage(LanguagePackPath(), code, game.translations);
  WriteLogLine(LoadLanguageLogLine(code, result));
  return result;
}
