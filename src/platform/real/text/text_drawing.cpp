// Drawing text onto off-screen images: the image is copied into a premultiplied cairo surface when a
// drawing starts, pango paints onto it, and the result goes back into the image when it ends. The game
// renders its texts once per language (never per frame), one image at a time, on the game thread.
#include <pango/pangocairo.h>

#include "platform/platform.h"
#include "platform/real/pictures/pictures.h"
#include "platform/real/text/text.h"
#include "platform/real/text/text_pixels.h"

namespace {

struct TextDrawing {
  SpriteId image = 0;
  cairo_surface_t* surface = nullptr;
  cairo_t* cairo = nullptr;
  double x = 0;
  double y = 0;
};

TextDrawing drawing;
// Font and colour outlive a drawing so text_width can measure between drawings too.
int currentFont = 0;
uint32_t currentColour = rgba(0, 0, 0, 255);

bool drawing_open() { return drawing.cairo != nullptr; }

void paint_layout(PangoLayout* layout) {
  const double part = 1.0 / 255.0;
  cairo_set_source_rgba(drawing.cairo, (currentColour & 255) * part, (currentColour >> 8 & 255) * part,
                        (currentColour >> 16 & 255) * part, (currentColour >> 24 & 255) * part);
  cairo_move_to(drawing.cairo, drawing.x, drawing.y);  // the layout box's top-left corner
  pango_cairo_show_layout(drawing.cairo, layout);
}

void close_surface() {
  cairo_destroy(drawing.cairo);
  cairo_surface_destroy(drawing.surface);
  drawing = TextDrawing{};
}

}  // namespace

int image_begin_text_drawing(SpriteId image) {
  if (drawing_open()) text_drawing_end();
  const RgbaImage* const target = image_lookup(image);
  if (target == nullptr || target->pixels.size() < static_cast<size_t>(target->width) * target->height * 4) return 0;

  cairo_surface_t* const surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, target->width, target->height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return 0;
  }
  cairo_surface_flush(surface);
  pixels_to_premultiplied(*target, cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface));
  cairo_surface_mark_dirty(surface);

  cairo_t* const cairo = cairo_create(surface);
  cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
  // Positions and sizes stay in game pixels; an image of N pixels a game pixel gets its words drawn
  // N times as large, laid out as at scale 1 (text_width measures them so), their edges sharp.
  cairo_scale(cairo, target->density, target->density);
  drawing = TextDrawing{image, surface, cairo, 0, 0};
  return 1;
}

void text_set_font(int font) { currentFont = font; }

void text_set_color(uint32_t rgbaColour) { currentColour = rgbaColour; }

void text_move_to(double x, double y) {
  drawing.x = x;
  drawing.y = y;
}

void text_draw(const std::string& text) {
  if (!drawing_open() || text.empty()) return;
  PangoLayout* const layout = text_line_layout(text, text_font(currentFont));
  paint_layout(layout);
  g_object_unref(layout);
}

void text_draw_paragraph(const std::string& text, int flags, double width, double height) {
  if (!drawing_open() || text.empty()) return;
  PangoLayout* const layout = text_paragraph_layout(text, text_font(currentFont), flags, width, height);
  paint_layout(layout);
  g_object_unref(layout);
}

double text_width(const std::string& text) {
  if (text.empty()) return 0;
  PangoLayout* const layout = text_line_layout(text, text_font(currentFont));
  const double width = text_layout_width(layout);
  g_object_unref(layout);
  return width;
}

void text_drawing_end() {
  if (!drawing_open()) return;
  cairo_surface_flush(drawing.surface);
  RgbaImage* const target = image_lookup(drawing.image);
  // The image could have been freed or replaced meanwhile: only a same-sized one takes the pixels.
  if (target != nullptr && target->width == cairo_image_surface_get_width(drawing.surface) &&
      target->height == cairo_image_surface_get_height(drawing.surface)) {
    pixels_from_premultiplied(cairo_image_surface_get_data(drawing.surface),
                              cairo_image_surface_get_stride(drawing.surface), target);
  }
  close_surface();
}
