#include "artwork/canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace artwork {

Colour mix(const Colour& from, const Colour& to, double t) {
  return Colour{from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
                from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Colour withAlpha(const Colour& colour, double alpha) {
  return Colour{colour.r, colour.g, colour.b, alpha};
}

Surface makeSurface(int width, int height, bool withAlphaChannel) {
  Surface surface(cairo_image_surface_create(withAlphaChannel ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24,
                                             width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot make a " + std::to_string(width) + "x" + std::to_string(height) +
                             " surface");
  }
  return surface;
}

Context makeContext(const Surface& surface) {
  Context cr(cairo_create(surface.get()));
  cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_BEST);
  return cr;
}

void setColour(cairo_t* cr, const Colour& colour) {
  cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
}

void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
  const double r = std::min(radius, std::min(width, height) / 2.0);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - r, y + r, r, -M_PI / 2.0, 0.0);
  cairo_arc(cr, x + width - r, y + height - r, r, 0.0, M_PI / 2.0);
  cairo_arc(cr, x + r, y + height - r, r, M_PI / 2.0, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double innerFraction, int points,
              double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    const double radius = (i % 2 == 0) ? outer : outer * innerFraction;
    const double angle = rotation - M_PI / 2.0 + i * M_PI / points;
    cairo_line_to(cr, cx + radius * std::cos(angle), cy + radius * std::sin(angle));
  }
  cairo_close_path(cr);
}

void addColourStop(cairo_pattern_t* pattern, double offset, const Colour& colour) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, colour.r, colour.g, colour.b, colour.a);
}

void setGradientSource(cairo_t* cr, cairo_pattern_t* gradient, std::initializer_list<ColourStop> stops) {
  for (const ColourStop& stop : stops) addColourStop(gradient, stop.first, stop.second);
  cairo_set_source(cr, gradient);
  cairo_pattern_destroy(gradient);
}

namespace {

// One pass of a running-sum box filter over `count` samples spaced `stride` apart.
void boxPass(std::vector<double>& line, std::vector<double>& scratch, int radius) {
  const int count = static_cast<int>(line.size());
  double sum = 0.0;
  for (int i = -radius; i <= radius; ++i) {
    sum += line[std::clamp(i, 0, count - 1)];
  }
  const double scale = 1.0 / (2 * radius + 1);
  for (int i = 0; i < count; ++i) {
    scratch[i] = sum * scale;
    sum += line[std::min(i + radius + 1, count - 1)] - line[std::max(i - radius, 0)];
  }
  line.swap(scratch);
}

}  // namespace

void blur(const Surface& surface, int radius) {
  if (radius <= 0) {
    return;
  }
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int width = cairo_image_surface_get_width(surface.get());
  const int height = cairo_image_surface_get_height(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  const int passRadius = std::max(1, radius / 2);
  for (int channel = 0; channel < 4; ++channel) {
    std::vector<double> line;
    std::vector<double> scratch;
    line.resize(width);
    scratch.resize(width);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) line[x] = data[y * stride + x * 4 + channel];
      for (int pass = 0; pass < 3; ++pass) boxPass(line, scratch, passRadius);
      for (int x = 0; x < width; ++x) data[y * stride + x * 4 + channel] = static_cast<unsigned char>(std::lround(line[x]));
    }
    line.resize(height);
    scratch.resize(height);
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) line[y] = data[y * stride + x * 4 + channel];
      for (int pass = 0; pass < 3; ++pass) boxPass(line, scratch, passRadius);
      for (int y = 0; y < height; ++y) data[y * stride + x * 4 + channel] = static_cast<unsigned char>(std::lround(line[y]));
    }
  }
  cairo_surface_mark_dirty(surface.get());
}

double textPath(cairo_t* cr, const std::string& text, const Lettering& font, double cx, double cy) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, font.family.c_str());
  pango_font_description_set_weight(description, static_cast<PangoWeight>(font.weight));
  pango_font_description_set_style(description, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_font_description_set_absolute_size(description, font.pixelSize * PANGO_SCALE);
  pango_layout_set_font_description(layout, description);
  if (font.letterSpacing != 0.0) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes,
                           pango_attr_letter_spacing_new(static_cast<int>(font.letterSpacing * PANGO_SCALE)));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  }
  pango_layout_set_text(layout, text.c_str(), -1);
  PangoRectangle ink{};
  pango_layout_get_pixel_extents(layout, &ink, nullptr);
  cairo_move_to(cr, cx - ink.x - ink.width / 2.0, cy - ink.y - ink.height / 2.0);
  pango_cairo_layout_path(cr, layout);
  pango_font_description_free(description);
  g_object_unref(layout);
  return ink.width;
}

std::size_t writePng(const Surface& surface, const std::string& path, std::size_t limitBytes) {
  cairo_surface_flush(surface.get());
  if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + path);
  }
  const std::size_t size = std::filesystem::file_size(path);
  if (size > limitBytes) {
    throw std::runtime_error(path + " is " + std::to_string(size) + " bytes, more than its block of " +
                             std::to_string(limitBytes));
  }
  return size;
}

Surface scaled(const Surface& source, int width, int height) {
  const bool alpha = cairo_image_surface_get_format(source.get()) == CAIRO_FORMAT_ARGB32;
  Surface target = makeSurface(width, height, alpha);
  const Context cr = makeContext(target);
  cairo_scale(cr.get(), static_cast<double>(width) / cairo_image_surface_get_width(source.get()),
              static_cast<double>(height) / cairo_image_surface_get_height(source.get()));
  cairo_set_source_surface(cr.get(), source.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(cairo_get_source(cr.get()), CAIRO_EXTEND_PAD);
  cairo_paint(cr.get());
  return target;
}

}  // namespace artwork
