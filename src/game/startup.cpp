#include "game/startup.h"

#include <ctime>
#include <vector>

#include "display/effect_sounds.h"
#include "display/music.h"
#include "display/screen_setup.h"
#include "game/board.h"
#include "game/command_line.h"
#include "game/credits.h"
#include "game/fatal_error.h"
#include "game/game_state.h"
#include "game/language_loading.h"
#include "game/main_loop.h"
#include "game/random.h"
#include "game/screen_opening.h"
#include "game/startup_log.h"
#include "game/text_sprites.h"
#include "game/texts.h"
#include "services/locale_language.h"
#include "services/log.h"
#include "services/paths.h"
#include "services/system_info.h"

namespace {
constexpr const char* kUserSubPath = "Quenmarsh/Vesperine";

void loadFonts() {
  font_load(0, "Arial Black", 40, kFontBold);
  font_load(1, "Arial Black", 14, 0);
  font_load(3, "Arial Black", 20, 0);
  font_load(2, "Arial Black", 11, 0);
}

// The game directory's preferences file makes it the save directory; otherwise the user's own.
// True when no preferences name a language and the locale chooses it: until the languages are known,
// the language is the locale's first (logged as the starting setting).
bool readPreferences(const std::vector<std::string>& localeLanguages) {
  if (LoadPreferences(game.gameDir, game.prefs)) return false;
  if (!IsDirectory(game.userDir)) CreatePath(game.userDir);
  LoadPreferences(game.userDir, game.prefs);
  game.saveDir = game.userDir;
  if (!game.prefs.languageCode.empty()) return false;
  game.prefs.languageCode = localeLanguages.empty() ? "en_GB" : localeLanguages.front();
  return true;
}

void openLogWhenAsked(bool asked) {
  if (!asked) return;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  game.startStamp = FormatStartStamp(local);
  if (OpenLog(game.saveDir + "Log " + game.startStamp + ".log", "Vesperine")) EnableLog();
  WriteLogHeaderUpToLanguage();
}

void chooseLanguage(bool byLocale, const std::vector<std::string>& localeLanguages) {
  if (byLocale) game.prefs.languageCode = ShippedLanguageFor(localeLanguages, game.languageList);
  if (!game.languageInfo.hasCode(game.prefs.languageCode)) game.prefs.languageCode = "en_GB";
  LoadLanguageLogged(game.prefs.languageCode);
  game.setLangIdx = LanguageIndex(game.languageList, game.prefs.languageCode);
}

struct Subsystem {
  int (*start)();
  const char* label;
  const char* suffix;
};

bool startSubsystems() {
  static const Subsystem subsystems[] = {
      {sprite_init, "InitSprite:", "  : Sprite"},
      {keyboard_init, "InitKeyboard:", "  : Keyboard"},
      {mouse_init, "InitMouse:", "  : Mouse"},
  };
  for (const Subsystem& s : subsystems) {
    if (s.start()) {
      WriteLogLine(std::string(s.label) + Tabs(2) + "OK");
      continue;
    }
    WriteLogLine(std::string(s.label) + Tabs(2) + "FAILED");
    ShowFatalBox(Tr("tErrorSUBSYSTEM") + s.suffix);
    return false;
  }
  // A card game plays as well without sound: no device (no sound server, no sound card) only
  // silences it, and every sound call does nothing.
  game.soundDevice = sound_init() != 0;
  WriteLogLine(std::string("InitSound:") + Tabs(2) + (game.soundDevice ? "OK" : "NO DEVICE, PLAYING SILENTLY"));
  return true;
}

}  // namespace

bool SetUpDisplay() {
  ChooseScreenSize(game.prefs.screenKind, &game.prefs.screenModeText, &game.screenWidth, &game.screenHeight);
  layoutBoard();
  // The pictures are decoded on the other core while the music is decoded and the screen opens;
  // they are still made into sprites, and logged, one by one in their order once the screen is open.
  UnpackedPictures pictures = UnpackPictures(DataPackPath());
  const StopDecodingAhead stopOnReturn;  // declared after the blocks, so it runs before they go
  if (game.soundDevice && !LoadMusic(DataPackPath())) {
    ReportFailedAsset("music.ogg");
    return false;
  }
  if (game.soundDevice) LoadEffectSounds(DataPackPath());
  std::string failed;
  switch (OpenScreenWithPictures(game.prefs.screenKind, pictures, &failed)) {
    case Opening::NoScreen: ShowFatalBox(Tr("tErrorSCREEN")); return false;
    case Opening::NoAsset: ReportFailedAsset(failed); return false;
    case Opening::Opened: break;
  }
  if (game.prefs.musicOn == 1) sound_play(kMusicSound, kSoundLoop);
  SeedRandomFromClock();  // every run deals boards of its own
  return true;
}

bool StartUp(int argc, char** argv, const CommandLine& line, const std::string& gameDir) {
  platform_init(argc, argv);
  ResetGameState();
  loadFonts();
  game.gameDir = gameDir;
  game.userDir = UserDirectory(kUserSubPath);
  game.saveDir = game.gameDir;
  const std::vector<std::string> localeLanguages = LocaleLanguages();
  const bool languageByLocale = readPreferences(localeLanguages);
  openLogWhenAsked(line.log);
  WriteStartingSettings();
  ScanLanguages(LanguagePackPath(), game.languageInfo, game.languageList);
  WriteAvailableLanguages();
  chooseLanguage(languageByLocale, localeLanguages);
  return startSubsystems();
}

int RunGame(int argc, char** argv) {
  const std::string gameDir = ExecutableDirectory(argc > 0 ? argv[0] : "");
  const CommandLine line = ReadCommandLine(platform_program_parameters(argc, argv));
  if (line.action != CommandLine::Play) {
    return AnswerCommandLine(line, PathExists(gameDir + kPreferencesFileName) ? gameDir : UserDirectory(kUserSubPath));
  }
  // The session may end the game while it starts: the screen is then never set up.
  const bool started = StartUp(argc, argv, line, gameDir) && (platform_quit_requested() != 0 || SetUpDisplay());
  if (started) RunMainLoop();
  platform_shutdown();
  return started && game.endedByError == 0 ? 0 : 1;
}
