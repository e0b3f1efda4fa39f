// The pre-rendered text sprites (menu entries, questions, buttons, credits, settings labels, the
// language strip, the screen kinds' names), the black dimming layer, and the clickable areas that go with them.
#pragma once

#include <cstdint>

// Everything, once at start-up after the assets are loaded.
void renderAllTexts();
// Only what depends on the language, after a language change.
void renderLanguageTexts();
// Shows the row of language `index` of the language strip.
void ClipLanguageStrip(int64_t index);
// Shows the row of screen kind `kind` (0 full screen, 1 window, 2 borderless) of its strip.
void ClipScreenKindStrip(int64_t kind);
