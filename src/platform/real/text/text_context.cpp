#include "platform/real/text/text.h"

#include <pango/pangocairo.h>

#include "platform/platform.h"
#include "platform/real/text/font_alias.h"

PangoContext* text_context() {
  static PangoContext* const context = [] {
    font_alias_install();
    PangoFontMap* const fontMap = pango_cairo_font_map_new();
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(fontMap), 96.0);
    PangoContext* const made = pango_font_map_create_context(fontMap);
    g_object_unref(fontMap);  // the context keeps it alive

    cairo_font_options_t* const options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(made, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(made, FALSE);
    return made;
  }();
  return context;
}

PangoLayout* text_layout(const std::string& text, const PangoFontDescription* font) {
  PangoLayout* const layout = pango_layout_new(text_context());
  pango_layout_set_font_description(layout, font);
  gchar* const valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  pango_layout_set_text(layout, valid, -1);
  g_free(valid);
  return layout;
}

PangoLayout* text_line_layout(const std::string& text, const PangoFontDescription* font) {
  PangoLayout* const layout = text_layout(text, font);
  pango_layout_set_single_paragraph_mode(layout, TRUE);
  return layout;
}

PangoLayout* text_paragraph_layout(const std::string& text, const PangoFontDescription* font, int flags,
                                   double width, double height) {
  PangoLayout* const layout = text_layout(text, font);
  pango_layout_set_width(layout, width > 0 ? static_cast<int>(width * PANGO_SCALE) : -1);
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
  if (height > 0) {
    pango_layout_set_height(layout, static_cast<int>(height * PANGO_SCALE));
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
  }
  if ((flags & kParagraphJustify) != 0) {
    pango_layout_set_justify(layout, TRUE);
  } else if ((flags & kParagraphCentre) != 0) {
    pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
  } else if ((flags & kParagraphRight) != 0) {
    pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
  }
  return layout;
}

double text_layout_width(PangoLayout* layout) {
  PangoRectangle logical{};
  pango_layout_get_extents(layout, nullptr, &logical);
  return static_cast<double>(logical.width) / PANGO_SCALE;
}
