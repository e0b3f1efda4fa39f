#include "artwork/cards.h"

#include "artwork/palette.h"

#include <array>
#include <tuple>
#include <utility>
#include <cmath>

namespace artwork {

namespace {

constexpr double cornerRadius = 26.0;
constexpr double inset = 2.0;

struct FaceDesign {
  Symbol symbol;
  int colourIndex;  // into the set's colour table
};

// Twelve hues in two tones each: neighbours differ in hue or in lightness.
constexpr std::array<double, 12> hues{2, 26, 46, 84, 132, 168, 192, 214, 238, 268, 300, 334};

Colour ivoryColour(int index) {
  const double hue = hues[index % 12];
  return index < 12 ? palette::hsl(hue, 0.78, 0.5) : palette::hsl(hue, 0.62, 0.3);
}

Colour midnightColour(int index) {
  const double hue = hues[index % 12];
  return index < 12 ? palette::hsl(hue, 0.9, 0.62) : palette::hsl(hue, 0.7, 0.8);
}

constexpr std::array<FaceDesign, facesPerSet> ivoryFaces{{
    {Symbol::Disc, 1},       {Symbol::Square, 7},     {Symbol::Triangle, 4},   {Symbol::Diamond, 10},
    {Symbol::Star, 2},       {Symbol::Heart, 0},      {Symbol::Crescent, 8},   {Symbol::Cross, 12},
    {Symbol::Hexagon, 5},    {Symbol::Ring, 9},       {Symbol::Drop, 6},       {Symbol::Spade, 20},
    {Symbol::Club, 16},      {Symbol::Arrow, 11},     {Symbol::Hourglass, 13}, {Symbol::Compass, 19},
    {Symbol::HalfDisc, 23},  {Symbol::Quatrefoil, 15}, {Symbol::Bolt, 14},     {Symbol::Cloud, 18},
    {Symbol::Sun, 3},        {Symbol::Chevron, 22},   {Symbol::Shield, 21},    {Symbol::Flower, 17},
}};

constexpr std::array<FaceDesign, facesPerSet> midnightFaces{{
    {Symbol::Leaf, 4},       {Symbol::Bell, 2},       {Symbol::House, 0},      {Symbol::Fish, 7},
    {Symbol::Tree, 16},      {Symbol::Mushroom, 12},  {Symbol::Key, 14},       {Symbol::Crown, 13},
    {Symbol::Shell, 11},     {Symbol::Cat, 8},       {Symbol::Bird, 6},       {Symbol::Anchor, 19},
    {Symbol::Feather, 9},    {Symbol::Lantern, 1},    {Symbol::Acorn, 15},     {Symbol::Butterfly, 10},
    {Symbol::Teacup, 23},    {Symbol::Snowflake, 18}, {Symbol::Pear, 3},       {Symbol::Candle, 21},
    {Symbol::Umbrella, 5},   {Symbol::Note, 20},      {Symbol::Mountain, 17},  {Symbol::Kite, 22},
}};

const FaceDesign& design(int set, int face) {
  return (set == 1 ? ivoryFaces : midnightFaces).at(static_cast<std::size_t>(face - 1));
}

void cardOutline(cairo_t* cr) {
  roundedRectangle(cr, inset, inset, cardPixels - 2 * inset, cardPixels - 2 * inset, cornerRadius);
}

// The emblem's path placed in a square of half-size `radius` around (cx, cy).
void placeSymbol(cairo_t* cr, Symbol symbol, double cx, double cy, double radius) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, radius, radius);
  cairo_new_path(cr);
  symbolPath(cr, symbol);
  cairo_restore(cr);
}

void paintIvoryFace(cairo_t* cr, const FaceDesign& face) {
  const Colour colour = ivoryColour(face.colourIndex);
  cairo_pattern_t* paper = cairo_pattern_create_linear(0, 0, 0, cardPixels);
  addColourStop(paper, 0.0, rgb255(253, 246, 230));
  addColourStop(paper, 1.0, rgb255(240, 222, 190));
  cardOutline(cr);
  cairo_set_source(cr, paper);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(paper);
  setColour(cr, rgb255(128, 78, 36));
  cairo_set_line_width(cr, 5.0);
  cairo_stroke(cr);
  roundedRectangle(cr, 13, 13, cardPixels - 26, cardPixels - 26, cornerRadius - 10);
  setColour(cr, rgb255(205, 158, 80));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  for (const auto& [x, y] : {std::pair{24.0, 24.0}, {232.0, 24.0}, {24.0, 232.0}, {232.0, 232.0}}) {
    starPath(cr, x, y, 7.0, 0.35, 4, 0.0);
  }
  setColour(cr, rgb255(205, 158, 80));
  cairo_fill(cr);

  const double cx = cardPixels / 2.0;
  const double cy = cardPixels / 2.0;
  const double radius = 84.0;
  // A soft warm halo lifts the emblem off the paper.
  cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, 10, cx, cy, 112);
  addColourStop(halo, 0.0, withAlpha(mix(colour, rgb255(255, 255, 255), 0.75), 0.55));
  addColourStop(halo, 1.0, withAlpha(rgb255(255, 255, 255), 0.0));
  cairo_set_source(cr, halo);
  cairo_arc(cr, cx, cy, 112, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(halo);

  placeSymbol(cr, face.symbol, cx, cy, radius);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 9.0);
  setColour(cr, mix(colour, rgb255(30, 12, 8), 0.6));
  cairo_stroke_preserve(cr);
  cairo_pattern_t* enamel = cairo_pattern_create_linear(0, cy - radius, 0, cy + radius);
  addColourStop(enamel, 0.0, mix(colour, rgb255(255, 255, 255), 0.3));
  addColourStop(enamel, 1.0, mix(colour, rgb255(0, 0, 0), 0.12));
  cairo_set_source(cr, enamel);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(enamel);
  // Gloss: a pale ellipse across the upper left of the emblem only.
  cairo_save(cr);
  cairo_clip(cr);
  cairo_translate(cr, cx - 30, cy - 48);
  cairo_scale(cr, 80, 46);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
  cairo_fill(cr);
  cairo_reset_clip(cr);
}

void scatterStars(cairo_t* cr, Random& random, int count, double alphaHigh) {
  for (int i = 0; i < count; ++i) {
    const double x = random.range(18, cardPixels - 18);
    const double y = random.range(18, cardPixels - 18);
    cairo_arc(cr, x, y, random.range(0.8, 2.0), 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.85, 0.9, 1.0, random.range(0.15, alphaHigh));
    cairo_fill(cr);
  }
}

void midnightFrame(cairo_t* cr, const Colour& line) {
  cardOutline(cr);
  setColour(cr, rgb255(150, 190, 210));
  cairo_set_line_width(cr, 5.0);
  cairo_stroke(cr);
  roundedRectangle(cr, 12, 12, cardPixels - 24, cardPixels - 24, cornerRadius - 10);
  setColour(cr, line);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
}

void paintMidnightFace(cairo_t* cr, const FaceDesign& face, int faceNumber) {
  const Colour colour = midnightColour(face.colourIndex);
  const double cx = cardPixels / 2.0;
  const double cy = cardPixels / 2.0;
  cairo_pattern_t* sky = cairo_pattern_create_radial(cx, cy * 0.8, 10, cx, cy, 190);
  addColourStop(sky, 0.0, rgb255(52, 58, 112));
  addColourStop(sky, 1.0, rgb255(16, 18, 48));
  cardOutline(cr);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  Random random(1000 + static_cast<std::uint64_t>(faceNumber));
  scatterStars(cr, random, 22, 0.45);
  midnightFrame(cr, withAlpha(rgb255(150, 190, 210), 0.55));

  // Glow: the emblem blurred on its own layer under the sharp one.
  const double radius = 82.0;
  Surface glowLayer = makeSurface(cardPixels, cardPixels, true);
  {
    const Context glowContext = makeContext(glowLayer);
    placeSymbol(glowContext.get(), face.symbol, cx, cy, radius);
    cairo_set_line_width(glowContext.get(), 10.0);
    setColour(glowContext.get(), withAlpha(colour, 0.9));
    cairo_stroke_preserve(glowContext.get());
    cairo_fill(glowContext.get());
  }
  blur(glowLayer, 16);
  cairo_save(cr);
  cardOutline(cr);
  cairo_clip(cr);
  cairo_set_source_surface(cr, glowLayer.get(), 0, 0);
  cairo_paint_with_alpha(cr, 0.8);
  cairo_restore(cr);

  placeSymbol(cr, face.symbol, cx, cy, radius);
  cairo_pattern_t* lacquer = cairo_pattern_create_linear(0, cy - radius, 0, cy + radius);
  addColourStop(lacquer, 0.0, mix(colour, rgb255(255, 255, 255), 0.35));
  addColourStop(lacquer, 1.0, mix(colour, rgb255(20, 10, 40), 0.25));
  cairo_set_source(cr, lacquer);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(lacquer);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 3.5);
  cairo_set_source_rgba(cr, 1.0, 0.98, 0.92, 0.85);
  cairo_stroke(cr);
}

void paintIvoryBack(cairo_t* cr) {
  const double c = cardPixels / 2.0;
  cairo_pattern_t* wine = cairo_pattern_create_radial(c, c, 10, c, c, 180);
  addColourStop(wine, 0.0, rgb255(128, 40, 76));
  addColourStop(wine, 1.0, rgb255(62, 16, 46));
  cardOutline(cr);
  cairo_set_source(cr, wine);
  cairo_fill(cr);
  cairo_pattern_destroy(wine);

  // Gold lattice of diamonds inside the frame.
  cairo_save(cr);
  roundedRectangle(cr, 16, 16, cardPixels - 32, cardPixels - 32, cornerRadius - 12);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1.6);
  cairo_set_source_rgba(cr, 0.95, 0.74, 0.38, 0.38);
  for (int k = -cardPixels; k <= 2 * cardPixels; k += 32) {
    cairo_move_to(cr, k, 0);
    cairo_line_to(cr, k + cardPixels, cardPixels);
    cairo_move_to(cr, k, cardPixels);
    cairo_line_to(cr, k + cardPixels, 0);
  }
  cairo_stroke(cr);
  for (int y = 16; y < cardPixels; y += 32) {
    for (int x = 0; x < cardPixels; x += 32) {
      cairo_arc(cr, x, y, 2.2, 0, 2 * M_PI);
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);

  const Colour goldLine = rgb255(232, 184, 96);
  cardOutline(cr);
  setColour(cr, rgb255(200, 150, 70));
  cairo_set_line_width(cr, 5.0);
  cairo_stroke(cr);
  roundedRectangle(cr, 14, 14, cardPixels - 28, cardPixels - 28, cornerRadius - 10);
  setColour(cr, goldLine);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);

  // Medallion with the evening star.
  cairo_arc(cr, c, c, 62, 0, 2 * M_PI);
  cairo_pattern_t* disc = cairo_pattern_create_radial(c, c - 20, 5, c, c, 62);
  addColourStop(disc, 0.0, rgb255(150, 56, 92));
  addColourStop(disc, 1.0, rgb255(76, 20, 52));
  cairo_set_source(cr, disc);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(disc);
  setColour(cr, goldLine);
  cairo_set_line_width(cr, 4.0);
  cairo_stroke(cr);
  cairo_arc(cr, c, c, 54, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, c, c);
  cairo_scale(cr, 46, 46);
  cairo_new_path(cr);
  symbolPath(cr, Symbol::Compass);
  cairo_restore(cr);
  cairo_pattern_t* star = cairo_pattern_create_radial(c, c, 2, c, c, 46);
  addColourStop(star, 0.0, rgb255(255, 246, 210));
  addColourStop(star, 1.0, rgb255(226, 160, 70));
  cairo_set_source(cr, star);
  cairo_fill(cr);
  cairo_pattern_destroy(star);
}

void paintMidnightBack(cairo_t* cr) {
  const double c = cardPixels / 2.0;
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, cardPixels);
  addColourStop(sky, 0.0, rgb255(14, 34, 70));
  addColourStop(sky, 0.6, rgb255(26, 64, 104));
  addColourStop(sky, 1.0, rgb255(40, 92, 120));
  cardOutline(cr);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  Random random(77);
  scatterStars(cr, random, 60, 0.8);
  for (const auto& [x, y, r] : {std::tuple{52.0, 60.0, 9.0}, {200.0, 48.0, 7.0}, {196.0, 196.0, 8.0},
                                {60.0, 200.0, 6.0}}) {
    starPath(cr, x, y, r, 0.25, 4, 0.0);
    cairo_set_source_rgba(cr, 0.9, 0.95, 1.0, 0.9);
    cairo_fill(cr);
  }
  // Moon with a soft halo.
  cairo_pattern_t* halo = cairo_pattern_create_radial(c, c, 30, c, c, 100);
  addColourStop(halo, 0.0, withAlpha(rgb255(255, 230, 170), 0.35));
  addColourStop(halo, 1.0, withAlpha(rgb255(255, 230, 170), 0.0));
  cairo_set_source(cr, halo);
  cairo_arc(cr, c, c, 100, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(halo);
  placeSymbol(cr, Symbol::Crescent, c + 4, c, 60);
  cairo_pattern_t* moon = cairo_pattern_create_linear(c - 60, c - 60, c + 60, c + 60);
  addColourStop(moon, 0.0, rgb255(255, 244, 206));
  addColourStop(moon, 1.0, rgb255(240, 196, 110));
  cairo_set_source(cr, moon);
  cairo_fill(cr);
  cairo_pattern_destroy(moon);
  midnightFrame(cr, withAlpha(rgb255(190, 220, 235), 0.8));
}

}  // namespace

Symbol cardSymbol(int set, int face) { return design(set, face).symbol; }

Colour cardColour(int set, int face) {
  const int index = design(set, face).colourIndex;
  return set == 1 ? ivoryColour(index) : midnightColour(index);
}

Surface paintCardFace(int set, int face) {
  Surface surface = makeSurface(cardPixels, cardPixels, true);
  const Context cr = makeContext(surface);
  if (set == 1) {
    paintIvoryFace(cr.get(), design(set, face));
  } else {
    paintMidnightFace(cr.get(), design(set, face), face);
  }
  return surface;
}

Surface paintCardBack(int set) {
  Surface surface = makeSurface(cardPixels, cardPixels, true);
  const Context cr = makeContext(surface);
  if (set == 1) {
    paintIvoryBack(cr.get());
  } else {
    paintMidnightBack(cr.get());
  }
  return surface;
}

Surface paintCardShadow() {
  Surface surface = makeSurface(cardPixels, cardPixels, true);
  {
    const Context cr = makeContext(surface);
    roundedRectangle(cr.get(), 10, 10, cardPixels - 20, cardPixels - 20, cornerRadius);
    cairo_set_source_rgba(cr.get(), 0.04, 0.02, 0.06, 0.9);
    cairo_fill(cr.get());
  }
  blur(surface, 14);
  return surface;
}

}  // namespace artwork
