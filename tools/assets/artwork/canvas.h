// Small drawing helpers shared by every painter of the asset generator: surfaces, rounded shapes,
// soft blur for shadows, lettering through pango, and PNG output checked against its memory block.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace artwork {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

struct Colour {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
  double a = 1.0;
};

// 0..255 channels, the way the game's own colours are written down.
constexpr Colour rgb255(int r, int g, int b, double a = 1.0) {
  return Colour{r / 255.0, g / 255.0, b / 255.0, a};
}
Colour mix(const Colour& from, const Colour& to, double t);
Colour withAlpha(const Colour& colour, double alpha);

// Transparent ARGB32 for pictures with their own alpha, opaque RGB24 for screen-filling ones.
Surface makeSurface(int width, int height, bool withAlphaChannel);
Context makeContext(const Surface& surface);

void setColour(cairo_t* cr, const Colour& colour);
void roundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius);
// Star with `points` tips around (cx, cy); inner radius as a fraction of the outer one.
void starPath(cairo_t* cr, double cx, double cy, double outer, double innerFraction, int points,
              double rotation);
void addColourStop(cairo_pattern_t* pattern, double offset, const Colour& colour);
using ColourStop = std::pair<double, Colour>;
// Gives the gradient its stops and makes it the source; the context keeps the pattern from then on.
void setGradientSource(cairo_t* cr, cairo_pattern_t* gradient, std::initializer_list<ColourStop> stops);

// Box blur run three times over all four channels: close to a gaussian of the given radius.
void blur(const Surface& surface, int radius);

// Horizontally centred lettering with the given font family (falls back through fontconfig).
struct Lettering {
  std::string family;
  int weight = 400;  // PangoWeight values
  bool italic = false;
  double pixelSize = 40.0;
  double letterSpacing = 0.0;  // in pixels
};
// Adds the outline of `text` to the current path, centred on cx with its ink box vertically
// centred on cy. Returns the ink width.
double textPath(cairo_t* cr, const std::string& text, const Lettering& font, double cx, double cy);

// Writes the surface as an 8-bit PNG; throws if the file is larger than `limitBytes`.
// Returns the file size.
std::size_t writePng(const Surface& surface, const std::string& path, std::size_t limitBytes);

// Bilinear scaled copy (used for thumbnails and mock-ups).
Surface scaled(const Surface& source, int width, int height);

}  // namespace artwork
