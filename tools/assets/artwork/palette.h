// The dusk colours the whole game is painted with, and a small seeded random source so every
// build draws exactly the same pictures.
#pragma once

#include "artwork/canvas.h"

#include <cstdint>

namespace artwork::palette {

inline constexpr Colour night = rgb255(24, 20, 52);
inline constexpr Colour indigo = rgb255(46, 36, 92);
inline constexpr Colour plum = rgb255(92, 44, 98);
inline constexpr Colour mauve = rgb255(150, 72, 112);
inline constexpr Colour rose = rgb255(214, 104, 96);
inline constexpr Colour apricot = rgb255(246, 150, 84);
inline constexpr Colour glow = rgb255(255, 214, 140);
inline constexpr Colour gold = rgb255(232, 180, 84);
inline constexpr Colour paleGold = rgb255(255, 232, 170);
inline constexpr Colour bronze = rgb255(120, 70, 30);
// The text sprites are opaque rectangles of exactly this amber with red-orange lettering.
inline constexpr Colour textAmber = rgb255(241, 172, 71);
inline constexpr Colour textRed = rgb255(224, 80, 40);
// The darkest outline colour of pictures loaded with black as their transparent colour.
inline constexpr Colour keyedDark = rgb255(20, 10, 5);

// Hue 0..360, saturation and lightness 0..1.
Colour hsl(double hue, double saturation, double lightness);

}  // namespace artwork::palette

namespace artwork {

// xorshift64*: deterministic, good enough for scattering stars.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ULL) {}
  double next();                           // 0..1
  double range(double low, double high) { return low + (high - low) * next(); }

 private:
  std::uint64_t state_;
};

}  // namespace artwork
