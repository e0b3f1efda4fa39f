// The font table: numbered font descriptions the game loads once at start-up (font_load) and picks
// with text_set_font.
#pragma once

#include <pango/pango.h>

// The description loaded under that number; a plain 12-point sans face for a number never loaded.
// Owned by the table; valid until that number is loaded again.
const PangoFontDescription* text_font(int font);
