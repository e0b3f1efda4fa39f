#include "artwork/interface.h"

#include "artwork/cards.h"
#include "artwork/palette.h"

#include <cmath>
#include <tuple>
#include <utility>

namespace artwork {

namespace {

void sparkle(cairo_t* cr, double x, double y, double size, double alpha) {
  cairo_pattern_t* halo = cairo_pattern_create_radial(x, y, 0, x, y, size * 2.5);
  addColourStop(halo, 0.0, withAlpha(palette::paleGold, alpha * 0.6));
  addColourStop(halo, 1.0, withAlpha(palette::paleGold, 0.0));
  cairo_set_source(cr, halo);
  cairo_arc(cr, x, y, size * 2.5, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(halo);
  starPath(cr, x, y, size, 0.2, 4, 0.0);
  cairo_set_source_rgba(cr, 1.0, 0.98, 0.9, alpha);
  cairo_fill(cr);
}

// Everything dark of a silhouette, blurred: used for the soft drop shadows.
Surface silhouetteShadow(const Surface& shape, int radius, double alpha) {
  const int width = cairo_image_surface_get_width(shape.get());
  const int height = cairo_image_surface_get_height(shape.get());
  Surface shadow = makeSurface(width, height, true);
  {
    const Context cr = makeContext(shadow);
    cairo_set_source_rgba(cr.get(), 0.03, 0.01, 0.05, alpha);
    cairo_mask_surface(cr.get(), shape.get(), 0, 0);
  }
  blur(shadow, radius);
  return shadow;
}

void amberSquare(cairo_t* cr, int size) {
  cairo_rectangle(cr, 0, 0, size, size);
  setColour(cr, palette::textAmber);
  cairo_fill(cr);
}

void arrowButton(cairo_t* cr, bool left, const Colour& disc, const Colour& rim, const Colour& mark) {
  cairo_arc(cr, 10, 10, 9.0, 0, 2 * M_PI);
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 1, 0, 19);
  addColourStop(shade, 0.0, mix(disc, rgb255(255, 255, 255), 0.25));
  addColourStop(shade, 1.0, disc);
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
  cairo_set_line_width(cr, 1.4);
  setColour(cr, rim);
  cairo_stroke(cr);
  const double tip = left ? 5.0 : 15.0;
  const double back = left ? 13.0 : 7.0;
  cairo_move_to(cr, tip, 10);
  cairo_line_to(cr, back, 5);
  cairo_line_to(cr, back, 15);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 1.2);
  setColour(cr, mark);
  cairo_fill_preserve(cr);
  cairo_stroke(cr);
}

}  // namespace

Surface paintMenuPanel() {
  Surface surface = makeSurface(panelWidth, panelHeight, true);
  const Context context = makeContext(surface);
  cairo_t* cr = context.get();
  const double w = panelWidth;
  const double h = panelHeight;

  // Frame: deep plum with a gold rim.
  roundedRectangle(cr, 2, 2, w - 4, h - 4, 30);
  cairo_pattern_t* frame = cairo_pattern_create_linear(0, 0, 0, h);
  addColourStop(frame, 0.0, rgb255(86, 40, 92));
  addColourStop(frame, 1.0, rgb255(52, 22, 62));
  cairo_set_source(cr, frame);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(frame);
  cairo_set_line_width(cr, 4);
  setColour(cr, rgb255(226, 176, 92));
  cairo_stroke(cr);
  roundedRectangle(cr, 9, 9, w - 18, h - 18, 24);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgba(cr, 0.9, 0.7, 0.4, 0.6);
  cairo_stroke(cr);

  // Header: a strip of evening sky with the evening star and the game's name.
  cairo_save(cr);
  roundedRectangle(cr, 16, 16, w - 32, panelHeaderHeight - 16, 18);
  cairo_clip(cr);
  setGradientSource(cr, cairo_pattern_create_linear(0, 16, 0, panelHeaderHeight),
                    {{0.0, rgb255(34, 26, 72)}, {0.55, rgb255(120, 56, 108)}, {0.85, rgb255(222, 110, 96)},
                     {1.0, rgb255(250, 160, 90)}});
  cairo_paint(cr);
  Random random(3);
  for (int i = 0; i < 60; ++i) {
    cairo_arc(cr, random.range(16, w - 16), random.range(18, 80), random.range(0.6, 1.5), 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 0.97, 0.9, random.range(0.3, 0.9));
    cairo_fill(cr);
  }
  cairo_restore(cr);
  const Lettering name{"Z003", 500, false, 74.0, 1.0};
  textPath(cr, "Vesperine", name, w / 2, 72);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 5);
  setColour(cr, rgb255(60, 20, 44));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* letters = cairo_pattern_create_linear(0, 40, 0, 100);
  addColourStop(letters, 0.0, rgb255(255, 244, 200));
  addColourStop(letters, 1.0, rgb255(246, 170, 80));
  cairo_set_source(cr, letters);
  cairo_fill(cr);
  cairo_pattern_destroy(letters);
  sparkle(cr, 110, 62, 14, 0.95);
  sparkle(cr, w - 110, 62, 14, 0.95);

  // The amber area that carries every dialog's texts: flat, exactly the text background.
  const double left = 26;
  const double top = panelHeaderHeight;
  roundedRectangle(cr, left - 3, top - 3, w - 2 * left + 6, h - top - 26 + 6, 17);
  setColour(cr, rgb255(150, 70, 34));
  cairo_fill(cr);
  roundedRectangle(cr, left, top, w - 2 * left, h - top - 26, 14);
  setColour(cr, palette::textAmber);
  cairo_fill(cr);
  roundedRectangle(cr, left + 7, top + 7, w - 2 * left - 14, h - top - 26 - 14, 9);
  cairo_set_line_width(cr, 1.5);
  setColour(cr, rgb255(222, 136, 58));
  cairo_stroke(cr);
  for (const auto& [x, y] : {std::pair{left + 18.0, top + 18.0}, {w - left - 18.0, top + 18.0},
                             {left + 18.0, h - 44.0}, {w - left - 18.0, h - 44.0}}) {
    starPath(cr, x, y, 6, 0.35, 4, 0.0);
  }
  setColour(cr, rgb255(222, 120, 52));
  cairo_fill(cr);
  return surface;
}

Surface paintMenuPanelShadow() {
  Surface surface = makeSurface(panelWidth, panelHeight, true);
  {
    const Context cr = makeContext(surface);
    roundedRectangle(cr.get(), 8, 8, panelWidth - 16, panelHeight - 16, 30);
    cairo_set_source_rgba(cr.get(), 0.03, 0.01, 0.05, 0.95);
    cairo_fill(cr.get());
  }
  blur(surface, 12);
  return surface;
}

Surface paintSeparator() {
  constexpr int width = 500;
  constexpr int height = 6;
  Surface surface = makeSurface(width, height, false);
  const Context cr = makeContext(surface);
  cairo_pattern_t* across = cairo_pattern_create_linear(0, 0, width, 0);
  addColourStop(across, 0.0, palette::textAmber);
  addColourStop(across, 0.3, palette::textRed);
  addColourStop(across, 0.7, palette::textRed);
  addColourStop(across, 1.0, palette::textAmber);
  cairo_set_source(cr.get(), across);
  cairo_paint(cr.get());
  cairo_pattern_destroy(across);
  // Soften the top and bottom rows into the amber around the strip.
  for (const int row : {0, height - 1}) {
    cairo_rectangle(cr.get(), 0, row, width, 1);
    setColour(cr.get(), withAlpha(palette::textAmber, 0.6));
    cairo_fill(cr.get());
  }
  return surface;
}

namespace {

Surface wellDoneBanner(bool withLight) {
  constexpr int width = 600;
  constexpr int height = 440;
  Surface surface = makeSurface(width, height, true);
  const Context context = makeContext(surface);
  cairo_t* cr = context.get();
  const double cx = width / 2.0;
  const double cy = 180;

  // Rays of light behind the wreath (left out of the shadow's silhouette).
  cairo_save(cr);
  for (int i = 0; i < 16; ++i) {
    const double a = i * M_PI / 8.0;
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, 200, a - 0.09, a + 0.09);
    cairo_close_path(cr);
  }
  cairo_pattern_t* rays = cairo_pattern_create_radial(cx, cy, 40, cx, cy, 200);
  addColourStop(rays, 0.0, withAlpha(palette::paleGold, 0.55));
  addColourStop(rays, 1.0, withAlpha(palette::paleGold, 0.0));
  cairo_set_source(cr, rays);
  if (withLight) {
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_pattern_destroy(rays);
  cairo_restore(cr);

  // Laurel wreath: pointed leaves in pairs along two stems rising from under the star.
  for (const double side : {-1.0, 1.0}) {
    const double first = M_PI / 2.0 + side * 0.3;
    const double last = M_PI / 2.0 + side * 2.55;
    cairo_new_path(cr);
    if (side > 0) {
      cairo_arc(cr, cx, cy, 140, first, last);
    } else {
      cairo_arc_negative(cr, cx, cy, 140, first, last);
    }
    cairo_set_line_width(cr, 4);
    setColour(cr, rgb255(70, 110, 50));
    cairo_stroke(cr);
  }
  for (const double side : {-1.0, 1.0}) {
    const double first = M_PI / 2.0 + side * 0.3;
    for (int i = 0; i < 10; ++i) {
      const double a = first + side * i * 0.25;
      const double px = cx + 140 * std::cos(a);
      const double py = cy + 140 * std::sin(a);
      const double up = std::atan2(side * std::cos(a), -side * std::sin(a));
      for (const double spread : {-0.55, 0.55}) {
        const double theta = up + spread;
        const double length = 40 - i * 1.2;
        const double dx = std::cos(theta);
        const double dy = std::sin(theta);
        const double nx = -dy * 11;
        const double ny = dx * 11;
        cairo_new_sub_path(cr);
        cairo_move_to(cr, px, py);
        cairo_curve_to(cr, px + 0.3 * length * dx + nx, py + 0.3 * length * dy + ny, px + 0.75 * length * dx + nx * 0.6,
                       py + 0.75 * length * dy + ny * 0.6, px + length * dx, py + length * dy);
        cairo_curve_to(cr, px + 0.75 * length * dx - nx * 0.6, py + 0.75 * length * dy - ny * 0.6,
                       px + 0.3 * length * dx - nx, py + 0.3 * length * dy - ny, px, py);
        cairo_close_path(cr);
      }
    }
  }
  cairo_pattern_t* leaves = cairo_pattern_create_linear(0, cy - 150, 0, cy + 150);
  addColourStop(leaves, 0.0, rgb255(190, 214, 110));
  addColourStop(leaves, 1.0, rgb255(70, 130, 60));
  cairo_set_source(cr, leaves);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(leaves);
  cairo_set_line_width(cr, 2.5);
  setColour(cr, rgb255(30, 70, 30));
  cairo_stroke(cr);

  // The big star.
  starPath(cr, cx, cy + 6, 112, 0.46, 5, 0.0);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 9);
  setColour(cr, rgb255(150, 64, 24));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* star = cairo_pattern_create_radial(cx - 20, cy - 30, 5, cx, cy, 120);
  addColourStop(star, 0.0, rgb255(255, 250, 214));
  addColourStop(star, 0.5, rgb255(255, 204, 90));
  addColourStop(star, 1.0, rgb255(232, 130, 40));
  cairo_set_source(cr, star);
  cairo_fill(cr);
  cairo_pattern_destroy(star);
  starPath(cr, cx, cy + 6, 70, 0.46, 5, 0.0);
  cairo_set_line_width(cr, 2.5);
  cairo_set_source_rgba(cr, 1, 0.97, 0.85, 0.8);
  cairo_stroke(cr);

  // Ribbon across the bottom with folded tails.
  const double ribbonTop = 318;
  const double ribbonHeight = 64;
  for (const double side : {-1.0, 1.0}) {
    const double inner = cx + side * 210;
    const double outer = cx + side * 290;
    cairo_move_to(cr, inner, ribbonTop + 22);
    cairo_line_to(cr, outer, ribbonTop + 22);
    cairo_line_to(cr, outer - side * 26, ribbonTop + 22 + ribbonHeight / 2);
    cairo_line_to(cr, outer, ribbonTop + 22 + ribbonHeight);
    cairo_line_to(cr, inner, ribbonTop + 22 + ribbonHeight);
    cairo_close_path(cr);
    setColour(cr, rgb255(132, 26, 50));
    cairo_fill_preserve(cr);
    setColour(cr, rgb255(232, 180, 90));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, cx - 240, ribbonTop);
  cairo_curve_to(cr, cx - 120, ribbonTop - 22, cx + 120, ribbonTop - 22, cx + 240, ribbonTop);
  cairo_line_to(cr, cx + 240, ribbonTop + ribbonHeight);
  cairo_curve_to(cr, cx + 120, ribbonTop + ribbonHeight - 22, cx - 120, ribbonTop + ribbonHeight - 22,
                 cx - 240, ribbonTop + ribbonHeight);
  cairo_close_path(cr);
  cairo_pattern_t* ribbon = cairo_pattern_create_linear(0, ribbonTop - 20, 0, ribbonTop + ribbonHeight);
  addColourStop(ribbon, 0.0, rgb255(226, 70, 80));
  addColourStop(ribbon, 1.0, rgb255(164, 34, 60));
  cairo_set_source(cr, ribbon);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(ribbon);
  setColour(cr, rgb255(240, 190, 100));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  for (int i = -2; i <= 2; ++i) {
    const double x = cx + i * 70;
    const double y = ribbonTop + ribbonHeight / 2 - 14 + std::abs(i) * std::abs(i) * 2.2;
    starPath(cr, x, y, i == 0 ? 20 : 14, 0.45, 5, 0.0);
  }
  setColour(cr, rgb255(255, 220, 120));
  cairo_fill(cr);

  if (withLight) {
    sparkle(cr, 78, 70, 18, 1.0);
    sparkle(cr, width - 84, 96, 14, 0.9);
    sparkle(cr, 120, 250, 10, 0.8);
    sparkle(cr, width - 110, 236, 12, 0.9);
    sparkle(cr, cx + 150, 28, 9, 0.8);
  }
  return surface;
}

}  // namespace

Surface paintWellDoneBanner() { return wellDoneBanner(true); }

Surface paintWellDoneShadow() { return silhouetteShadow(wellDoneBanner(false), 10, 0.85); }

Surface paintPointer() { return paintPointerAt(1); }

Surface paintPointerAt(int density) {
  const int size = 32 * density;
  Surface shape = makeSurface(size, size, true);
  const auto arrow = [](cairo_t* cr, double dx, double dy) {
    cairo_move_to(cr, 1.5 + dx, 1.5 + dy);
    cairo_line_to(cr, 1.5 + dx, 24 + dy);
    cairo_line_to(cr, 7 + dx, 19 + dy);
    cairo_line_to(cr, 11 + dx, 28 + dy);
    cairo_line_to(cr, 15 + dx, 26.5 + dy);
    cairo_line_to(cr, 11 + dx, 17.5 + dy);
    cairo_line_to(cr, 18.5 + dx, 17.5 + dy);
    cairo_close_path(cr);
  };
  {
    const Context cr = makeContext(shape);
    cairo_scale(cr.get(), density, density);
    arrow(cr.get(), 2, 2);
    cairo_set_source_rgba(cr.get(), 0.05, 0.02, 0.08, 0.55);
    cairo_fill(cr.get());
  }
  blur(shape, 3 * density);
  const Context cr = makeContext(shape);
  cairo_scale(cr.get(), density, density);
  arrow(cr.get(), 0, 0);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 12, 28);
  addColourStop(fill, 0.0, rgb255(255, 250, 232));
  addColourStop(fill, 1.0, rgb255(250, 200, 120));
  cairo_set_source(cr.get(), fill);
  cairo_fill_preserve(cr.get());
  cairo_pattern_destroy(fill);
  cairo_set_line_join(cr.get(), CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr.get(), 1.6);
  setColour(cr.get(), rgb255(70, 26, 50));
  cairo_stroke(cr.get());
  return shape;
}

Surface paintArrow(bool left) {
  Surface surface = makeSurface(20, 20, true);
  const Context cr = makeContext(surface);
  arrowButton(cr.get(), left, palette::textRed, rgb255(140, 40, 20), rgb255(255, 246, 224));
  return surface;
}

Surface paintArrowUnavailable(bool left) {
  Surface surface = makeSurface(20, 20, false);
  const Context cr = makeContext(surface);
  amberSquare(cr.get(), 20);
  arrowButton(cr.get(), left, rgb255(236, 190, 120), rgb255(214, 150, 90), rgb255(248, 222, 176));
  return surface;
}

Surface paintCheckBox(bool ticked) {
  Surface surface = makeSurface(20, 20, false);
  const Context context = makeContext(surface);
  cairo_t* cr = context.get();
  amberSquare(cr, 20);
  roundedRectangle(cr, 1.5, 1.5, 17, 17, 4);
  cairo_pattern_t* paper = cairo_pattern_create_linear(0, 0, 0, 20);
  addColourStop(paper, 0.0, rgb255(255, 248, 230));
  addColourStop(paper, 1.0, rgb255(250, 226, 186));
  cairo_set_source(cr, paper);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(paper);
  cairo_set_line_width(cr, 1.8);
  setColour(cr, rgb255(150, 50, 24));
  cairo_stroke(cr);
  if (ticked) {
    cairo_move_to(cr, 4.5, 10.5);
    cairo_line_to(cr, 8.5, 14.5);
    cairo_line_to(cr, 15.5, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 3.2);
    setColour(cr, palette::textRed);
    cairo_stroke(cr);
  }
  return surface;
}

namespace {

// The icon of menus, title bars and window lists, drawn on its own pixel grid: no tilt and no
// sparkle, whole-pixel edges, the two cards and the star still apart at 16 pixels.
struct SmallIcon {
  int pixels, corner;
  int backX, backY, faceX, faceY, cardWidth, cardHeight;
  double star;
};
constexpr SmallIcon smallIcons[] = {
    {16, 3, 2, 2, 6, 4, 8, 10, 3.3},
    {24, 4, 3, 3, 9, 6, 12, 15, 5.0},
    {32, 6, 4, 4, 12, 8, 16, 20, 6.6},
};

// A card of whole pixels: a one-pixel edge around its colour.
void flatCard(cairo_t* cr, int x, int y, int width, int height, const Colour& edge, const Colour& fill) {
  cairo_rectangle(cr, x, y, width, height);
  setColour(cr, edge);
  cairo_fill(cr);
  cairo_rectangle(cr, x + 1, y + 1, width - 2, height - 2);
  setColour(cr, fill);
  cairo_fill(cr);
}

// Every size's ground: the dusk sky in a rounded square.
void iconSky(cairo_t* cr, double inset, double side, double radius) {
  roundedRectangle(cr, inset, inset, side, side, radius);
  setGradientSource(cr, cairo_pattern_create_linear(0, inset, 0, inset + side),
                    {{0.0, rgb255(34, 26, 76)}, {0.55, rgb255(140, 62, 112)}, {1.0, rgb255(252, 160, 88)}});
  cairo_fill(cr);
}

Surface paintSmallIcon(const SmallIcon& icon) {
  Surface surface = makeSurface(icon.pixels, icon.pixels, true);
  const Context context = makeContext(surface);
  cairo_t* cr = context.get();
  iconSky(cr, 0, icon.pixels, icon.corner);
  flatCard(cr, icon.backX, icon.backY, icon.cardWidth, icon.cardHeight, palette::gold, rgb255(96, 30, 56));
  if (icon.pixels >= 24) {  // the back's inner frame, where there is room for it
    cairo_rectangle(cr, icon.backX + 2.5, icon.backY + 2.5, icon.cardWidth - 5, icon.cardHeight - 5);
    cairo_set_line_width(cr, 1);
    setColour(cr, rgb255(176, 96, 92));
    cairo_stroke(cr);
  }
  // The face card's shadow on the back: the two cards stay apart.
  cairo_rectangle(cr, icon.faceX - 1, icon.faceY, 1, icon.cardHeight);
  setColour(cr, withAlpha(palette::night, 0.6));
  cairo_fill(cr);
  flatCard(cr, icon.faceX, icon.faceY, icon.cardWidth, icon.cardHeight, rgb255(120, 70, 30), rgb255(252, 242, 214));
  starPath(cr, icon.faceX + icon.cardWidth / 2.0, icon.faceY + icon.cardHeight / 2.0 + 0.5, icon.star, 0.45, 5, 0.0);
  setColour(cr, rgb255(222, 150, 30));
  cairo_fill(cr);
  return surface;
}

}  // namespace

Surface paintIcon(int pixels) {
  for (const SmallIcon& icon : smallIcons) {
    if (icon.pixels == pixels) return paintSmallIcon(icon);
  }
  // Drawn on a 256-unit square scaled to the wanted size, so every size is drawn, not resampled.
  constexpr int size = 256;
  Surface surface = makeSurface(pixels, pixels, true);
  const Context context = makeContext(surface);
  cairo_t* cr = context.get();
  cairo_scale(cr, pixels / double(size), pixels / double(size));
  iconSky(cr, 8, size - 16, 48);
  const Surface back = paintCardBack(1);
  const Surface face = paintCardFace(1, 5);
  for (const auto& [card, angle, x] : {std::tuple{&back, -0.22, 104.0}, {&face, 0.18, 150.0}}) {
    cairo_save(cr);
    cairo_translate(cr, x, 136);
    cairo_rotate(cr, angle);
    cairo_scale(cr, 0.52, 0.52);
    cairo_translate(cr, -cardPixels / 2.0, -cardPixels / 2.0);
    cairo_set_source_surface(cr, card->get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  sparkle(cr, 60, 56, 16, 1.0);
  return surface;
}

}  // namespace artwork
