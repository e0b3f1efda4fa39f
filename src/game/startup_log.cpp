#include "game/startup_log.h"

#include <string>

#include "game/game_state.h"
#include "services/log.h"
#include "services/system_info.h"

namespace {
void line(const std::string& label, const std::string& value) { WriteLogLine(label + Tabs(2) + value); }
void line(const std::string& label, int64_t value) { line(label, std::to_string(value)); }
}  // namespace

void WriteLogHeaderUpToLanguage() {
  const SystemDetails system = ReadSystemDetails();
  WriteLogLine(game.startStamp);
  WriteLogLine("");
  WriteLogLine("[SYSTEM DETAILS]");
  line("CPU Name:", system.cpuName);
  line("Total CPU cores:", system.configuredCores);
  line("Available CPU cores:", system.onlineCores);
  line("Total physical memory:", system.totalMemory);
  line("Free physical memory:", system.freeMemory);
  line("Number of desktops:", desktop_count());
  line("Operating system:", system.osCode);
  WriteLogLine("");
  WriteLogLine("[GAME DETAILS]");
  line("Title:", "Vesperine");
  line("Family:", "Duskline");
  line("Version:", "1.0.0.1");
  line("Directory:", "Quenmarsh/Vesperine");
  line("Bit:", "(x64)");
  WriteLogLine("");
  WriteLogLine("[CODE SUBSYSTEMS]");
  line("Language:", LanguageVersion());
  line("Cursor: ", CursorVersion());
  line("Log:", LogVersion());
  WriteLogLine("");
  WriteLogLine("[PATHS]");
  line("GameDir:", game.gameDir);
  line("UserDir:", game.userDir);
  line("SaveTo:", game.saveDir);
  WriteLogLine("");
  WriteLogLine("[INITIAL SETTINGS]");
  line("Language:", game.prefs.languageCode);
}

void WriteStartingSettings() {
  static const char* const kinds[] = {"Fullscreen", "Windowed", "Borderless"};
  if (game.prefs.screenKind >= 0 && game.prefs.screenKind <= 2) line("GameScreen:", kinds[game.prefs.screenKind]);
  line("Music:", game.prefs.musicOn != 0 ? "On" : "Off");
  line("ScreenMode:", game.prefs.screenModeText);
}

void WriteAvailableLanguages() {
  WriteLogLine("");
  WriteLogLine("[AVAILABLE LANGUAGES]");
  for (size_t i = 0; i < game.languageList.size(); ++i) line("Language:", game.languageList[i].name);
  WriteLogLine("");
  WriteLogLine("[STARTING GAME]");
}
