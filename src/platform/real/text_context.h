// The pango machinery shared by every text operation: one font map and one context for the whole
// process, made on first use, so rendering the game's texts never reloads fonts.
#pragma once

#include <pango/pango.h>

#include <string>

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
