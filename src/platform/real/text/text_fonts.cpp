#include "platform/real/text/text.h"

#include <map>
#include <memory>

#include "platform/platform.h"

namespace {

struct DescriptionFree {
  void operator()(PangoFontDescription* description) const { pango_font_description_free(description); }
};
using Description = std::unique_ptr<PangoFontDescription, DescriptionFree>;

// Points are rendered at 96 dpi: one point is 4/3 pixel, so 40 points is an em of 53 1/3 pixels.
double points_to_pango_pixels(int points) { return points * 4.0 / 3.0 * PANGO_SCALE; }

Description make_description(const std::string& family, int points, int style) {
  Description description(pango_font_description_new());
  // Set as a family, never parsed from "family size": "Arial Black 40" would parse as Arial, weight Black.
  pango_font_description_set_family(description.get(), family.c_str());
  pango_font_description_set_absolute_size(description.get(), points_to_pango_pixels(points));
  pango_font_description_set_weight(description.get(),
                                    (style & kFontBold) != 0 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description.get(),
                                   (style & kFontItalic) != 0 ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return description;
}

std::map<int, Description>& font_table() {
  static std::map<int, Description> table;
  return table;
}

}  // namespace

void font_load(int font, const std::string& family, int points, int style) {
  font_table()[font] = make_description(family, points, style);
}

const PangoFontDescription* text_font(int font) {
  const auto found = font_table().find(font);
  if (found != font_table().end()) return found->second.get();
  static const Description fallback = make_description("Sans", 12, 0);
  return fallback.get();
}
