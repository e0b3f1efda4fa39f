// Arbitrary bytes as a language pack (zip): the scan and the load never crash, and a failed load leaves
// the translations as they were. Inputs starting with an odd byte are wrapped into a well-formed zip
// (entry name up to the first LF, then the file text), to reach the entry names and the file reading.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "services/languages.h"
#include "zip_bytes.h"

namespace {

std::string WrapInZip(std::string_view input) {
  const size_t lineEnd = input.find('\n');
  const std::string name(input.substr(0, lineEnd == std::string_view::npos ? input.size() : lineEnd));
  const std::string text(lineEnd == std::string_view::npos ? std::string_view() : input.substr(lineEnd + 1));
  return BuildZip({{name, text}, {"en_GB.language", text}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string pack(reinterpret_cast<const char*>(data), size);
  if (size > 0 && (data[0] & 1) != 0) pack = WrapInZip(std::string_view(pack).substr(1));

  LanguageTable info;
  LanguageList list;
  Translations translations;
  translations.set("tMenuSTART", "kept");

  const int scanned = ScanLanguagePackMemory(pack.data(), pack.size(), info, list);
  if ((!scanned && (info.size() != 0 || !list.empty())) || list.size() != info.size()) __builtin_trap();

  std::vector<std::string> codes = {"en_GB", "", "../en_GB"};
  for (const LanguageEntry& entry : list.entries()) codes.push_back(entry.code);
  for (const std::string& code : codes) {
    const size_t before = translations.size();
    const std::string start = translations["tMenuSTART"];
    const bool loaded = LoadLanguageFromMemory(pack.data(), pack.size(), code, translations);
    if (!loaded && (translations.size() != before || translations["tMenuSTART"] != start)) __builtin_trap();
    const int64_t index = LanguageIndex(list, code);
    if (index < 0 || (index > 0 && static_cast<size_t>(index) >= list.size())) __builtin_trap();
  }
  return 0;
}
