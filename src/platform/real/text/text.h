// The text room: pango and cairo rendering the game's words onto off-screen images, once per
// language, never per frame. Owns the process's one pango context and font map (text_context.cpp),
// the font table (text_fonts.cpp) and the drawing in progress (text_drawing.cpp). It uses the
// pictures room for the images it paints on; no other room uses it: the game reaches it through
// the text_* and font_* operations of the platform.
#pragma once

#include <pango/pango.h>

#include <string>

// The pango machinery shared by every text operation: one font map and one context for the whole
// process, made on first use, so rendering the game's texts never reloads fonts.

// The process's text context: 96 dpi, grey anti-aliasing, unhinted outlines and unrounded glyph
// positions (measured widths keep their fractions). Never null; lives until the process ends.
PangoContext* text_context();

// A new layout of `text` in `font`. Invalid UTF-8 is repaired first, so text from data files can
// never upset pango. Caller unrefs.
PangoLayout* text_layout(const std::string& text, const PangoFontDescription* font);
// The same as one line: line breaks in the text do not start new lines.
PangoLayout* text_line_layout(const std::string& text, const PangoFontDescription* font);
// The same broken between words into lines of at most `width` pixels, aligned by the paragraph flags
// (kParagraphCentre, kParagraphRight, kParagraphJustify; otherwise left). With a positive `height`
// only the lines that fit it are kept and the last of them ends with an ellipsis when text was cut.
PangoLayout* text_paragraph_layout(const std::string& text, const PangoFontDescription* font, int flags,
                                   double width, double height);

// The logical width of a layout in pixels, fractions kept.
double text_layout_width(PangoLayout* layout);

// The font table: numbered font descriptions the game loads once at start-up (font_load) and picks
// with text_set_font.

// The description loaded under that number; a plain 12-point sans face for a number never loaded.
// Owned by the table; valid until that number is loaded again.
const PangoFontDescription* text_font(int font);
