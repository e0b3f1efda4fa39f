#include "services/preferences.h"

#include "services/file_bytes.h"
#include "services/prefs_syntax.h"

namespace {
constexpr const char* kGroup = "Settings";
}

int LoadPreferences(const std::string& dir, Preferences& prefs) {
  std::string bytes;
  if (!ReadFileBytes(dir + kPreferencesFileName, bytes)) return 0;
  PrefsDocument document = PrefsDocument::Parse(bytes);
  document.selectGroup(kGroup);
  prefs.languageCode = document.readText("Language", "");
  prefs.musicOn = document.readInt("Music", 1);
  prefs.screenKind = document.readInt("GameScreen", prefs.screenKind);
  prefs.screenModeText = document.readText("ScreenMode", "1280x720");
  prefs.soundsOn = document.readInt("Sounds", 1) != 0 ? 1 : 0;
  return 1;
}

std::string PreferencesFileBytes(const Preferences& prefs) {
  PrefsDocument document;
  document.writeComment("Vesperine 1.0 Preferences");
  document.selectGroup(kGroup);
  document.writeText("Language", prefs.languageCode);
  document.writeInt("Music", prefs.musicOn);
  document.writeInt("GameScreen", prefs.screenKind);
  document.writeText("ScreenMode", prefs.screenModeText);
  if (prefs.soundsOn == 0) document.writeInt("Sounds", 0);
  return document.serialise();
}

int SavePreferences(const std::string& dir, const Preferences& prefs) {
  return SaveFileBytes(dir + kPreferencesFileName, PreferencesFileBytes(prefs));
}
