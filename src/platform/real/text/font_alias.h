// Stand-in faces for the game's font family.
#pragma once

// The game asks for "Arial Black", which free systems rarely have; fontconfig would then hand out its
// regular default face, far lighter and wider than the look the layouts were made for. This adds an
// alias to the process's fontconfig configuration that puts a heavy free face right behind
// "Arial Black" (so a real Arial Black still wins where it is installed): Roboto Black first, then
// Open Sans ExtraBold. Called once by the text context before the first layout; later calls do nothing.
// Returns false when the rule could not be added (the text then falls back to fontconfig's defaults).
bool font_alias_install();

// The fontconfig rule font_alias_install adds, as XML (exposed for the tests).
const char* font_alias_rule();
