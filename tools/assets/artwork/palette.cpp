#include "artwork/palette.h"

#include <cmath>

namespace artwork::palette {

Colour hsl(double hue, double saturation, double lightness) {
  const double c = (1.0 - std::abs(2.0 * lightness - 1.0)) * saturation;
  const double h = std::fmod(hue, 360.0) / 60.0;
  const double x = c * (1.0 - std::abs(std::fmod(h, 2.0) - 1.0));
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
  if (h < 1.0) {
    r = c; g = x;
  } else if (h < 2.0) {
    r = x; g = c;
  } else if (h < 3.0) {
    g = c; b = x;
  } else if (h < 4.0) {
    g = x; b = c;
  } else if (h < 5.0) {
    r = x; b = c;
  } else {
    r = c; b = x;
  }
  const double m = lightness - c / 2.0;
  return Colour{r + m, g + m, b + m, 1.0};
}

}  // namespace artwork::palette

namespace artwork {

double Random::next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return static_cast<double>((state_ * 0x2545F4914F6CDD1DULL) >> 11) / static_cast<double>(1ULL << 53);
}

}  // namespace artwork
