// Languages: the scan of the language pack, the loading of one language's texts into the
// translation table, and the position of a language in the chooser.
// Called by the start-up and by the apply step of the settings screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "services/language_table.h"

inline constexpr const char* kLanguagePackName = "VesperineLanguages.pack";

// Adds a record per language file of the pack (a zip file, or a directory of *.language files) to
// `info`, keyed by the file's tLangFileNAME, and rebuilds `list`. 1 when the pack could be opened and
// listed; 0 otherwise (nothing is changed then).
int ScanLanguages(const std::string& packPath, LanguageTable& info, LanguageList& list);
// The same over a zip pack held in memory.
int ScanLanguagePackMemory(const void* data, size_t size, LanguageTable& info, LanguageList& list);

// Clears `list` and appends {code, name} for every record of `info` in its iteration order.
void RebuildLanguageList(const LanguageTable& info, LanguageList& list);

// Puts every key of every group of code + ".language" into `translations`. 1 on success; on failure 0
// and `translations` is unchanged.
int LoadLanguage(const std::string& packPath, const std::string& code, Translations& translations);
// The same from a zip pack held in memory.
int LoadLanguageFromMemory(const void* data, size_t size, const std::string& code, Translations& translations);

// The log line the callers write after each LoadLanguage.
std::string LoadLanguageLogLine(const std::string& code, int result);

// Position of the first element whose code equals `code`, 0 when there is none. Walks the list with
// its own cursor and leaves it on the element found, or on the last element when none matched.
int64_t LanguageIndex(LanguageList& list, const std::string& code);
