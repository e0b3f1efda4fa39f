// The player settings and their file "Vesperine.prefs": read once at start-up, written once when the
// player quits. The four of the first version, then the sound effects' switch, written only while it
// is off, so a file of the game with its effects on is the first version's to the byte.
#pragma once

#include <cstdint>
#include <string>

struct Preferences {
  std::string languageCode;                   // base name of a language file, e.g. "en_GB"
  int64_t musicOn = 1;                        // 1 music plays, 0 silent
  int64_t screenKind = 0;                     // 0 full screen, 1 window, 2 borderless window
  std::string screenModeText = "1280x720";    // width "x" height
  int64_t soundsOn = 1;                       // 1 the effects play, 0 silent; a missing line reads as 1, a number but 0 as 1, anything else (as Music does) as 0
};

inline constexpr const char* kPreferencesFileName = "Vesperine.prefs";

// Reads dir + "Vesperine.prefs" (dir ends in "/" or is ""). 1 when the file could be read: every value
// is then replaced by its key in group "Settings" or its default (GameScreen keeps the current
// value). 0 when it could not be read; `prefs` is then unchanged.
int LoadPreferences(const std::string& dir, Preferences& prefs);

// Writes the file in `dir` through SaveFileBytes: atomically, through a symbolic link, never over a
// file the player made read-only. 1 on success.
int SavePreferences(const std::string& dir, const Preferences& prefs);

// The exact bytes SavePreferences writes.
std::string PreferencesFileBytes(const Preferences& prefs);
