#include "game/startup.h"

#include <strings.h>

#include <ctime>

#include "display/music.h"
#include "display/screen_setup.h"
#include "game/board.h"
#include "game/credits.h"
#include "game/fatal_error.h"
#include "game/game_state.h"
#include "game/language_loading.h"
#include "game/main_loop.h"
#include "game/random.h"
#include "game/startup_log.h"
#include "game/text_sprites.h"
#include "game/texts.h"
#include "services/log.h"
#include "services/paths.h"
#include "services/system_info.h"

namespace {
void loadFonts() {
  font_load(0, "Arial Black", 40, kFontBold);
  font_load(1, "Arial Black", 14, 0);
  font_load(3, "Arial Black", 20, 0);
  font_load(2, "Arial Black", 11, 0);
}

// The game directory's preferences file makes it the save directory; otherwise the user's own.
void readPreferences() {
  if (LoadPreferences(game.gameDir, game.prefs)) return;
  if (!IsDirectory(game.userDir)) CreatePath(game.userDir);
  LoadPreferences(game.userDir, game.prefs);
  game.saveDir = game.userDir;
  if (game.prefs.languageCode.empty()) game.prefs.languageCode = SystemLanguage(0);
  if (game.prefs.languageCode.empty()) game.prefs.languageCode = "en_GB";
}

void openLogWhenAsked(const std::string& firstParam) {
  if (game.paramCount < 1 || strcasecmp(firstParam.c_str(), "/LOG") != 0) return;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  game.startStamp = FormatStartStamp(local);
  if (OpenLog(game.saveDir + "Log " + game.startStamp + ".log", "Vesperine")) EnableLog();
  WriteLogHeaderUpToLanguage();
}

void chooseLanguage() {
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
      {sound_init, "InitSound:", "  : Sound"},
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
  return true;
}

std::string dataPackPath() { return game.gameDir + "VesperineData.pack"; }

// Every way out of the display set-up stops the decoding ahead, whether all was loaded or not.
struct StopDecodingAhead {
  ~StopDecodingAhead() { picture_decode_ahead_stop(); }
};

}  // namespace

bool SetUpDisplay() {
  ChooseScreenSize(game.prefs.screenKind, game.prefs.screenModeText, &game.screenWidth, &game.screenHeight);
  layoutBoard();
  // The pictures are decoded on the other core while the music is decoded and the screen opens;
  // they are still made into sprites, and logged, one by one in their order once the screen is open.
  UnpackedPictures pictures = UnpackPictures(dataPackPath());
  const StopDecodingAhead stopOnReturn;  // declared after the blocks, so it runs before they go
  if (!LoadMusic(dataPackPath())) {
    ReportFailedAsset("music.ogg");
    return false;
  }
  if (!OpenGameScreen(game.prefs.screenKind, game.screenWidth, game.screenHeight, kWindowTitle)) {
    ShowFatalBox(Tr("tErrorSCREEN"));
    return false;
  }
  LoadedAssets assets;
  std::string failed;
  const bool loaded = LoadAssets(pictures, static_cast<int>(game.screenWidth), static_cast<int>(game.screenHeight),
                                 &assets, &failed);
  game.backgroundSprites = assets.backgrounds;
  game.cardSets = assets.cardSets;
  if (!loaded) {
    ReportFailedAsset(failed);
    return false;
  }
  renderAllTexts();
  FinishScreenSetup(game.prefs.screenKind);
  if (game.prefs.musicOn == 1) sound_play(kMusicSound, kSoundLoop);
  SeedRandomFromClock();  // every run deals boards of its own
  return true;
}

bool StartUp(int argc, char** argv, const std::string& gameDir) {
  // The display library takes its own options out of argv; the game's parameters are the ones
  // the player typed, so they are read first.
  const int paramCount = argc > 0 ? argc - 1 : 0;
  const std::string firstParam = paramCount > 0 && argv[1] != nullptr ? argv[1] : "";
  platform_init(argc, argv);
  ResetGameState();
  loadFonts();
  game.gameDir = gameDir;
  game.userDir = UserDirectory("Quenmarsh/Vesperine");
  game.saveDir = game.gameDir;
  readPreferences();
  game.paramCount = paramCount;
  openLogWhenAsked(firstParam);
  WriteStartingSettings();
  ScanLanguages(LanguagePackPath(), game.languageInfo, game.languageList);
  WriteAvailableLanguages();
  chooseLanguage();
  return startSubsystems();
}

int RunGame(int argc, char** argv) {
  const bool started = StartUp(argc, argv, ExecutableDirectory(argc > 0 ? argv[0] : "")) && SetUpDisplay();
  if (started) RunMainLoop();
  platform_shutdown();
  return started ? 0 : 1;
}
