#include "artwork/previews.h"

#include "artwork/palette.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace artwork {

namespace {

cairo_surface_t* find(const std::vector<NamedSurface>& pictures, const std::string& name) {
  for (const NamedSurface& picture : pictures) {
    if (picture.first == name) return picture.second.get();
  }
  throw std::runtime_error("no picture " + name);
}

int widthOf(cairo_surface_t* surface) { return cairo_image_surface_get_width(surface); }
int heightOf(cairo_surface_t* surface) { return cairo_image_surface_get_height(surface); }

void drawScaled(cairo_t* cr, cairo_surface_t* surface, double x, double y, double w, double h, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, w / widthOf(surface), h / heightOf(surface));
  cairo_set_source_surface(cr, surface, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
}

// Writes `text` with its top-left at (x, y); returns its advance width.
double label(cairo_t* cr, const std::string& text, const char* family, int weight, double points, double x,
             double y, const Colour& colour) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, family);
  pango_font_description_set_weight(description, static_cast<PangoWeight>(weight));
  pango_font_description_set_size(description, static_cast<int>(points * PANGO_SCALE));
  pango_layout_set_font_description(layout, description);
  pango_layout_set_text(layout, text.c_str(), -1);
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  setColour(cr, colour);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  pango_font_description_free(description);
  g_object_unref(layout);
  return width;
}

// A menu entry the way the game renders it: an opaque amber rectangle as wide as its text.
void textSprite(cairo_t* cr, const std::string& text, double points, double centreX, double y, double height) {
  Surface measure = makeSurface(1, 1, true);
  const Context probe = makeContext(measure);
  const double width = label(probe.get(), text, "Arial Black", 900, points, 0, 0, palette::textRed);
  cairo_rectangle(cr, std::floor(centreX - width / 2), y, std::round(width), height);
  setColour(cr, palette::textAmber);
  cairo_fill(cr);
  label(cr, text, "Arial Black", 900, points, std::floor(centreX - width / 2), y, palette::textRed);
}

}  // namespace

Surface makeContactSheet(const std::vector<NamedSurface>& pictures) {
  constexpr int columns = 10;
  constexpr int cellWidth = 150;
  constexpr int cellHeight = 124;
  const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
  Surface sheet = makeSurface(columns * cellWidth, rows * cellHeight, false);
  const Context context = makeContext(sheet);
  cairo_t* cr = context.get();
  setColour(cr, rgb255(96, 84, 104));
  cairo_paint(cr);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    cairo_surface_t* picture = pictures[i].second.get();
    const int x = static_cast<int>(i % columns) * cellWidth;
    const int y = static_cast<int>(i / columns) * cellHeight;
    const double scale = std::min({136.0 / widthOf(picture), 96.0 / heightOf(picture), 2.0});
    const double w = widthOf(picture) * scale;
    const double h = heightOf(picture) * scale;
    drawScaled(cr, picture, x + (cellWidth - w) / 2, y + 4 + (96 - h) / 2, w, h, 1.0);
    label(cr, pictures[i].first, "DejaVu Sans", 400, 7.5, x + 6, y + 104, rgb255(240, 232, 220));
  }
  return sheet;
}

Surface makeBoardMockup(const std::vector<NamedSurface>& pictures) {
  constexpr int width = 1280;
  constexpr int height = 720;
  constexpr int cardSize = 110;
  Surface board = makeSurface(width, height, false);
  const Context context = makeContext(board);
  cairo_t* cr = context.get();
  drawScaled(cr, find(pictures, "background 1.png"), 0, 0, width, height, 1.0);
  for (int row = 0; row < 6; ++row) {
    for (int column = 0; column < 8; ++column) {
      const int cell = row * 8 + column;
      if (cell % 11 == 3 || cell % 13 == 7) continue;  // a few pairs already found
      const double x = 165 + (cardSize + 10) * column;
      const double y = 5 + (cardSize + 10) * row;
      drawScaled(cr, find(pictures, "shadow.png"), x + 3, y + 3, cardSize, cardSize, 0.5);
      const bool faceUp = cell % 5 == 1 || row == 5;
      const std::string set = column < 4 ? "1" : "2";
      const std::string name = faceUp ? set + "-card" + (cell % 24 + 1 < 10 ? "0" : "") + std::to_string(cell % 24 + 1) + ".png"
                                      : set + "-back.png";
      drawScaled(cr, find(pictures, name), x, y, cardSize, cardSize, 1.0);
    }
  }
  // The menu over the dimmed board.
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_paint(cr);
  cairo_surface_t* panel = find(pictures, "menu.png");
  const int menuLeft = (width - widthOf(panel)) / 2;
  const int menuTop = (height - heightOf(panel)) / 2;
  drawScaled(cr, find(pictures, "menushadow.png"), menuLeft + 3, menuTop + 3, widthOf(panel), heightOf(panel), 0.5);
  drawScaled(cr, panel, menuLeft, menuTop, widthOf(panel), heightOf(panel), 1.0);
  const char* entries[] = {"START", "CONTINUE", "SETTINGS", "CREDITS", "QUIT"};
  const int tops[] = {150, 230, 310, 390, 480};
  for (int i = 0; i < 5; ++i) {
    textSprite(cr, entries[i], 40, width / 2.0, menuTop + tops[i], 80);
  }
  return board;
}

}  // namespace artwork
