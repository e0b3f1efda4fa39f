#include "platform/real/text/font_alias.h"

#include <fontconfig/fontconfig.h>

namespace {

// binding "same" gives the stand-ins the strength of the family the game named, so they rank above
// fontconfig's language-based guesses; <accept> inserts them right after "Arial Black" itself.
constexpr char kRule[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>Arial Black</family>
    <accept>
      <family>Roboto Black</family>
      <family>Open Sans Extrabold</family>
    </accept>
  </alias>
</fontconfig>
)";

}  // namespace

const char* font_alias_rule() { return kRule; }

bool font_alias_install() {
  static const bool installed = [] {
    if (!FcInit()) return false;
    // The current configuration is the one every pango font map of this process consults, ours
    // included; the rule is added before our font map makes its first match.
    FcConfig* const config = FcConfigGetCurrent();
    return config != nullptr &&
           FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kRule), FcFalse) == FcTrue;
  }();
  return installed;
}
