// Arbitrary bytes as a preferences or language file: reading must never crash, every lookup must
// answer, and what the writer makes of a parsed document must read back to the same lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "services/language_table.h"
#include "services/prefs_syntax.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PrefsDocument document = PrefsDocument::Parse(bytes);

  LanguageTable names;
  for (const PrefsDocument::Group& group : document.groups()) {  // each key of each group, and one maybe missing
    document.selectGroup(group.name), (void)document.readInt("Music", 1);
    for (const PrefsDocument::KeyValue& key : group.keys) {
      (void)document.readText(key.name, "");
      (void)document.readInt(key.name, 0);
      names[TrimBlanks(key.value)].code = key.name;
    }
  }
  if (names.inOrder().size() != names.size()) __builtin_trap();

  const PrefsDocument reread = PrefsDocument::Parse(document.serialise());
  if (reread.lines() != document.lines()) __builtin_trap();
  if (reread.serialise() != document.serialise()) __builtin_trap();

  // The writer on top of whatever was read.
  document.selectGroup("Settings");
  document.writeText("Language", std::string(bytes.substr(0, 16)));
  document.writeInt("Music", static_cast<int64_t>(size) * 1000003);
  PrefsDocument written = PrefsDocument::Parse(document.serialise());
  written.selectGroup("Settings");
  if (written.readInt("Music", 0) != static_cast<int32_t>(static_cast<uint32_t>(size * 1000003))) __builtin_trap();
  return 0;
}
