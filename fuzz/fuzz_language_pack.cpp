// Arbitrary bytes as a language pack (zip): the scan and the load must never crash, and a failed load
// must leave the translation table as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "services/languages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LanguageTable info;
  LanguageList list;
  Translations translations;
  translations.set("tMenuSTART", "kept");

  const int scanned = ScanLanguagePackMemory(data, size, info, list);
  if (!scanned && (info.size() != 0 || !list.empty())) __builtin_trap();
  if (list.size() != info.size()) __builtin_trap();

  std::vector<std::string> codes = {"en_GB", "", "../en_GB"};
  for (const LanguageEntry& entry : list.entries()) codes.push_back(entry.code);
  for (const std::string& code : codes) {
    const size_t before = translations.size();
    const std::string start = translations["tMenuSTART"];
    if (!LoadLanguageFromMemory(data, size, code, translations)) {
      if (translations.size() != before || translations["tMenuSTART"] != start) __builtin_trap();
    }
    const int64_t index = LanguageIndex(list, code);
    if (index < 0 || (index > 0 && static_cast<size_t>(index) >= list.size())) __builtin_trap();
  }
  return 0;
}
