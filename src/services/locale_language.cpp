#include "services/locale_language.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

// The codeset and the modifier name no language of ours.
std::string languageAndTerritory(const std::string& locale) { return locale.substr(0, locale.find_first_of(".@")); }

std::string languageAlone(const std::string& code) { return code.substr(0, code.find('_')); }

// C.UTF-8 is the C locale with another codeset.
bool meansNoLanguage(const std::string& locale) {
  const std::string name = languageAndTerritory(locale);
  return name.empty() || name == "C" || name == "POSIX";
}

}  // namespace

std::string ProcessEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::vector<std::string> LocaleLanguages(const EnvironmentReader& environment) {
  std::string locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (!(locale = environment(name)).empty()) break;
  }
  if (meansNoLanguage(locale)) return {};
  const std::string list = environment("LANGUAGE");
  if (list.empty()) return {languageAndTerritory(locale)};
  std::vector<std::string> asked;
  std::istringstream entries(list);
  for (std::string entry; std::getline(entries, entry, ':');) {
    if (entry.empty()) continue;
    if (meansNoLanguage(entry)) break;
    asked.push_back(languageAndTerritory(entry));
  }
  return asked;
}

std::string ShippedLanguageFor(const std::vector<std::string>& asked, const LanguageList& shipped) {
  const std::vector<LanguageEntry>& entries = shipped.entries();
  const auto first = [&](auto matches) {
    const auto found = std::find_if(entries.begin(), entries.end(), matches);
    return found == entries.end() ? std::string() : found->code;
  };
  for (const std::string& language : asked) {
    std::string code = first([&](const LanguageEntry& entry) { return entry.code == language; });
    if (code.empty()) code = first([&](const LanguageEntry& e) { return languageAlone(e.code) == languageAlone(language); });
    if (!code.empty()) return code;
  }
  return "";
}
