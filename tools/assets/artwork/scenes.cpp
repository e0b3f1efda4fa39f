#include "artwork/scenes.h"

#include "artwork/palette.h"
#include "artwork/symbols.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace artwork {

namespace {

void verticalGradient(cairo_t* cr, double top, double bottom, std::initializer_list<ColourStop> stops) {
  cairo_rectangle(cr, 0, top, sceneWidth, bottom - top);
  setGradientSource(cr, cairo_pattern_create_linear(0, top, 0, bottom), stops);
  cairo_fill(cr);
}

void radialGlow(cairo_t* cr, double x, double y, double radius, const Colour& colour) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(x, y, 0, x, y, radius);
  addColourStop(pattern, 0.0, colour);
  addColourStop(pattern, 0.35, withAlpha(colour, colour.a * 0.45));
  addColourStop(pattern, 1.0, withAlpha(colour, 0.0));
  cairo_set_source(cr, pattern);
  cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

void stars(cairo_t* cr, Random& random, int count, double yMax) {
  for (int i = 0; i < count; ++i) {
    const double y = random.range(0, yMax);
    const double fade = 1.0 - y / yMax;
    cairo_arc(cr, random.range(0, sceneWidth), y, random.range(0.7, 2.2), 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1.0, 0.96, 0.9, random.range(0.25, 0.9) * fade);
    cairo_fill(cr);
  }
}

void sparkle(cairo_t* cr, double x, double y, double size, double alpha) {
  radialGlow(cr, x, y, size * 3.0, withAlpha(palette::paleGold, alpha * 0.5));
  starPath(cr, x, y, size, 0.18, 4, 0.0);
  cairo_set_source_rgba(cr, 1.0, 0.98, 0.9, alpha);
  cairo_fill(cr);
}

// A ridge of hills: a smooth line made of a few sine waves, filled down to the bottom.
void ridge(cairo_t* cr, double baseY, double seed, double amplitude, const Colour& colour) {
  cairo_move_to(cr, 0, sceneHeight);
  for (int x = 0; x <= sceneWidth; x += 8) {
    const double t = x / static_cast<double>(sceneWidth);
    const double y = baseY + amplitude * (0.55 * std::sin(t * 5.1 + seed) + 0.3 * std::sin(t * 11.3 + seed * 2.7) +
                                          0.15 * std::sin(t * 23.0 + seed * 1.3));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, sceneWidth, sceneHeight);
  cairo_close_path(cr);
  setColour(cr, colour);
  cairo_fill(cr);
}

void pineTrees(cairo_t* cr, Random& random, double baseY, int count, const Colour& colour) {
  for (int i = 0; i < count; ++i) {
    const double x = random.range(0, sceneWidth);
    const double height = random.range(40, 95);
    const double width = height * 0.34;
    const double y = baseY + random.range(-8, 18);
    cairo_move_to(cr, x, y - height);
    cairo_line_to(cr, x + width, y + 4);
    cairo_line_to(cr, x - width, y + 4);
    cairo_close_path(cr);
  }
  setColour(cr, colour);
  cairo_fill(cr);
}

void vignette(cairo_t* cr, double strength) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(sceneWidth / 2.0, sceneHeight / 2.0, sceneHeight * 0.45,
                                                         sceneWidth / 2.0, sceneHeight / 2.0, sceneWidth * 0.62);
  cairo_pattern_add_color_stop_rgba(pattern, 0.0, 0.05, 0.02, 0.08, 0.0);
  cairo_pattern_add_color_stop_rgba(pattern, 1.0, 0.05, 0.02, 0.08, strength);
  cairo_set_source(cr, pattern);
  cairo_paint(cr);
  cairo_pattern_destroy(pattern);
}

// 1: violet hills under an amber sunset.
void duskHills(cairo_t* cr) {
  verticalGradient(cr, 0, sceneHeight,
                   {{0.0, rgb255(26, 22, 62)}, {0.38, rgb255(74, 44, 106)}, {0.6, rgb255(176, 84, 120)},
                    {0.74, rgb255(240, 138, 92)}, {0.8, rgb255(255, 196, 122)}, {1.0, rgb255(255, 214, 150)}});
  Random random(11);
  stars(cr, random, 260, 430);
  radialGlow(cr, 1720, 820, 520, withAlpha(rgb255(255, 190, 110), 0.55));
  cairo_arc(cr, 1720, 830, 78, 0, 2 * M_PI);
  setColour(cr, rgb255(255, 226, 160));
  cairo_fill(cr);
  sparkle(cr, 300, 210, 14, 0.95);
  ridge(cr, 830, 0.4, 60, rgb255(176, 96, 120));
  ridge(cr, 880, 2.1, 70, rgb255(122, 62, 104));
  pineTrees(cr, random, 930, 26, rgb255(78, 38, 80));
  ridge(cr, 940, 4.0, 60, rgb255(78, 38, 80));
  ridge(cr, 1010, 5.3, 40, rgb255(46, 22, 54));
  vignette(cr, 0.35);
}

// 2: a calm sea at the last light, the moon already up.
void eveningSea(cairo_t* cr) {
  const double horizon = 690;
  verticalGradient(cr, 0, horizon,
                   {{0.0, rgb255(20, 38, 78)}, {0.45, rgb255(70, 76, 132)}, {0.8, rgb255(206, 122, 132)},
                    {1.0, rgb255(255, 188, 130)}});
  Random random(22);
  stars(cr, random, 200, 380);
  for (int i = 0; i < 9; ++i) {
    const double y = random.range(330, 620);
    const double x = random.range(-100, sceneWidth);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, random.range(260, 520), random.range(14, 26));
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.95, 0.62, 0.62, random.range(0.15, 0.35));
    cairo_fill(cr);
  }
  radialGlow(cr, 230, 190, 190, withAlpha(rgb255(230, 236, 255), 0.35));
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, 230, 190);
  cairo_scale(cr, 60, 60);
  symbolPath(cr, Symbol::Crescent);
  cairo_restore(cr);
  setColour(cr, rgb255(250, 244, 226));
  cairo_fill(cr);
  radialGlow(cr, 1500, horizon, 460, withAlpha(rgb255(255, 200, 120), 0.6));
  verticalGradient(cr, horizon, sceneHeight,
                   {{0.0, rgb255(150, 92, 128)}, {0.25, rgb255(70, 54, 110)}, {1.0, rgb255(18, 22, 54)}});
  // Glints on the water in a widening column under the sun.
  for (int i = 0; i < 420; ++i) {
    const double depth = random.next();
    const double y = horizon + 6 + depth * depth * (sceneHeight - horizon);
    const double spread = 60 + depth * 340;
    const double x = 1500 + random.range(-spread, spread);
    const double length = 10 + depth * 60 * random.next();
    cairo_rectangle(cr, x - length / 2, y, length, 1.5 + depth * 2.5);
    cairo_set_source_rgba(cr, 1.0, 0.82, 0.6, (1.0 - depth) * 0.5 + 0.06);
    cairo_fill(cr);
  }
  vignette(cr, 0.35);
}

// 3: an art-deco wallpaper of gold-lined fans on plum.
void fanWallpaper(cairo_t* cr) {
  verticalGradient(cr, 0, sceneHeight, {{0.0, rgb255(64, 28, 70)}, {1.0, rgb255(40, 18, 52)}});
  const double radius = 80;
  const double rowStep = radius * 0.55;
  int row = 0;
  for (double y = -radius; y < sceneHeight + 2 * radius; y += rowStep, ++row) {
    const double shift = (row % 2) * radius;
    for (double x = -2 * radius + shift; x < sceneWidth + 2 * radius; x += 2 * radius) {
      cairo_new_path(cr);
      cairo_arc(cr, x, y, radius, M_PI, 2 * M_PI);
      cairo_close_path(cr);
      cairo_pattern_t* fan = cairo_pattern_create_linear(0, y - radius, 0, y);
      addColourStop(fan, 0.0, rgb255(92, 42, 92));
      addColourStop(fan, 1.0, rgb255(58, 24, 66));
      cairo_set_source(cr, fan);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(fan);
      cairo_set_source_rgba(cr, 0.91, 0.7, 0.36, 0.55);
      cairo_set_line_width(cr, 2.0);
      cairo_stroke(cr);
      for (double r = radius * 0.3; r < radius; r += radius * 0.23) {
        cairo_arc(cr, x, y, r, M_PI, 2 * M_PI);
      }
      cairo_set_source_rgba(cr, 0.91, 0.7, 0.36, 0.22);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
    }
  }
  radialGlow(cr, sceneWidth / 2.0, sceneHeight * 0.45, 1100, withAlpha(rgb255(240, 140, 90), 0.16));
  vignette(cr, 0.55);
}

// 4: soft out-of-focus lanterns in a blue night.
void lanternLights(cairo_t* cr) {
  setGradientSource(cr,
                    cairo_pattern_create_radial(sceneWidth * 0.5, sceneHeight * 0.7, 50, sceneWidth * 0.5,
                                                sceneHeight * 0.5, 1300),
                    {{0.0, rgb255(82, 46, 100)}, {0.5, rgb255(38, 30, 78)}, {1.0, rgb255(14, 14, 40)}});
  cairo_paint(cr);
  Random random(44);
  const Colour lights[] = {rgb255(255, 184, 92), rgb255(255, 140, 110), rgb255(255, 214, 140),
                           rgb255(230, 120, 160), rgb255(160, 150, 255)};
  for (int i = 0; i < 150; ++i) {
    const double x = random.range(-60, sceneWidth + 60);
    const double y = random.range(-60, sceneHeight + 60);
    const double r = random.range(18, 90);
    const Colour colour = lights[static_cast<int>(random.next() * 5) % 5];
    const double alpha = random.range(0.08, 0.3);
    cairo_pattern_t* disc = cairo_pattern_create_radial(x, y, 0, x, y, r);
    addColourStop(disc, 0.0, withAlpha(colour, alpha * 0.7));
    addColourStop(disc, 0.8, withAlpha(colour, alpha));
    addColourStop(disc, 1.0, withAlpha(colour, 0.0));
    cairo_set_source(cr, disc);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(disc);
  }
  // A string of small sharp lights swinging across the top.
  for (int i = 0; i <= 24; ++i) {
    const double t = i / 24.0;
    const double x = t * sceneWidth;
    const double y = 70 + 90 * std::sin(t * M_PI) + 25 * std::sin(t * 3 * M_PI);
    radialGlow(cr, x, y, 26, withAlpha(rgb255(255, 210, 130), 0.7));
    cairo_arc(cr, x, y, 4, 0, 2 * M_PI);
    setColour(cr, rgb255(255, 236, 190));
    cairo_fill(cr);
  }
  vignette(cr, 0.45);
}

void goldLettering(cairo_t* cr, const std::string& text, const Lettering& font, double cx, double cy) {
  // Glow behind, dark outline, then a gold gradient fill with a light rim.
  Surface glowLayer = makeSurface(sceneWidth, sceneHeight, true);
  {
    const Context glow = makeContext(glowLayer);
    textPath(glow.get(), text, font, cx, cy);
    cairo_set_line_width(glow.get(), 24);
    cairo_set_source_rgba(glow.get(), 1.0, 0.62, 0.3, 0.7);
    cairo_stroke_preserve(glow.get());
    cairo_fill(glow.get());
  }
  blur(glowLayer, 40);
  cairo_set_source_surface(cr, glowLayer.get(), 0, 0);
  cairo_paint(cr);
  textPath(cr, text, font, cx, cy);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 10);
  setColour(cr, rgb255(70, 22, 40));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* fill = cairo_pattern_create_linear(0, cy - font.pixelSize * 0.45, 0, cy + font.pixelSize * 0.4);
  addColourStop(fill, 0.0, rgb255(255, 246, 200));
  addColourStop(fill, 0.45, rgb255(255, 196, 96));
  addColourStop(fill, 1.0, rgb255(214, 96, 44));
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 1.0, 0.95, 0.8, 0.8);
  cairo_stroke(cr);
}

}  // namespace

Surface paintBackground(int number) {
  Surface surface = makeSurface(sceneWidth, sceneHeight, false);
  const Context cr = makeContext(surface);
  switch (number) {
    case 1: duskHills(cr.get()); break;
    case 2: eveningSea(cr.get()); break;
    case 3: fanWallpaper(cr.get()); break;
    default: lanternLights(cr.get()); break;
  }
  return surface;
}

Surface paintTitle() {
  Surface surface = makeSurface(sceneWidth, sceneHeight, false);
  const Context context = makeContext(surface);
  cairo_t* cr = context.get();
  verticalGradient(cr, 0, sceneHeight,
                   {{0.0, rgb255(16, 14, 44)}, {0.45, rgb255(66, 38, 100)}, {0.7, rgb255(186, 84, 112)},
                    {0.82, rgb255(250, 150, 92)}, {1.0, rgb255(255, 200, 130)}});
  Random random(5);
  stars(cr, random, 340, 600);
  // The evening star itself, high above the name.
  radialGlow(cr, 960, 190, 260, withAlpha(rgb255(255, 236, 200), 0.45));
  sparkle(cr, 960, 190, 46, 1.0);
  ridge(cr, 880, 1.0, 50, rgb255(170, 90, 118));
  ridge(cr, 930, 3.3, 60, rgb255(112, 56, 100));
  ridge(cr, 1000, 0.2, 45, rgb255(52, 24, 60));
  const Lettering name{"Z003", 500, false, 300.0, 4.0};
  goldLettering(cr, "Vesperine", name, 960, 520);
  // Ornament under the name: two fading lines and a diamond.
  for (const double side : {-1.0, 1.0}) {
    cairo_pattern_t* line = cairo_pattern_create_linear(960, 0, 960 + side * 420, 0);
    addColourStop(line, 0.0, withAlpha(palette::paleGold, 0.9));
    addColourStop(line, 1.0, withAlpha(palette::paleGold, 0.0));
    cairo_rectangle(cr, side > 0 ? 990 : 960 - 450, 718, 420, 3);
    cairo_set_source(cr, line);
    cairo_fill(cr);
    cairo_pattern_destroy(line);
  }
  starPath(cr, 960, 719, 16, 0.4, 4, 0.0);
  setColour(cr, palette::paleGold);
  cairo_fill(cr);
  vignette(cr, 0.4);
  return surface;
}

Surface paintStudioLogo() {
  Surface surface = makeSurface(sceneWidth, sceneHeight, false);
  const Context context = makeContext(surface);
  cairo_t* cr = context.get();
  cairo_pattern_t* base = cairo_pattern_create_radial(960, 460, 40, 960, 540, 1200);
  addColourStop(base, 0.0, rgb255(36, 52, 66));
  addColourStop(base, 1.0, rgb255(8, 12, 20));
  cairo_set_source(cr, base);
  cairo_paint(cr);
  cairo_pattern_destroy(base);

  // Emblem: a round window onto a marsh under the moon.
  const double cx = 960;
  const double cy = 420;
  const double r = 210;
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
  addColourStop(sky, 0.0, rgb255(40, 70, 96));
  addColourStop(sky, 0.55, rgb255(214, 150, 110));
  addColourStop(sky, 0.56, rgb255(60, 84, 96));
  addColourStop(sky, 1.0, rgb255(20, 36, 48));
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  cairo_arc(cr, cx + 70, cy - 70, 44, 0, 2 * M_PI);
  setColour(cr, rgb255(255, 236, 196));
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {  // the moon's broken reflection
    const double y = cy + 40 + i * 18;
    const double w = 60 - i * 7;
    cairo_rectangle(cr, cx + 70 - w / 2, y, w, 4);
  }
  cairo_set_source_rgba(cr, 1.0, 0.9, 0.75, 0.6);
  cairo_fill(cr);
  Random random(9);
  for (int i = 0; i < 34; ++i) {  // reeds and their seed heads
    const double x = cx - r + random.range(0, 2 * r * 0.55);
    const double top = cy - random.range(0, 120);
    const double lean = random.range(-18, 18);
    cairo_move_to(cr, x, cy + r);
    cairo_curve_to(cr, x, cy + 40, x + lean * 0.5, top + 60, x + lean, top);
    cairo_set_line_width(cr, random.range(3, 6));
    setColour(cr, rgb255(10, 16, 22));
    cairo_stroke(cr);
    if (i % 3 == 0) {
      cairo_save(cr);
      cairo_translate(cr, x + lean, top - 14);
      cairo_scale(cr, 6, 20);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_set_line_width(cr, 10);
  setColour(cr, rgb255(222, 190, 130));
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, r + 18, 0, 2 * M_PI);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);

  const Lettering studio{"URW Gothic", 600, false, 120.0, 26.0};
  textPath(cr, "QUENMARSH", studio, cx, 790);
  setColour(cr, rgb255(236, 214, 170));
  cairo_fill(cr);
  cairo_rectangle(cr, cx - 300, 880, 600, 2);
  cairo_set_source_rgba(cr, 0.87, 0.75, 0.5, 0.6);
  cairo_fill(cr);
  return surface;
}

}  // namespace artwork
