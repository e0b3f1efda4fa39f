// The drawing code in memory: card sets, the panel's amber area, pictures keyed on black, the small
// icons, the blur.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>

#include "artwork/canvas.h"
#include "artwork/cards.h"
#include "artwork/interface.h"
#include "artwork/palette.h"

namespace {

using artwork::Surface;
constexpr std::uint32_t kAmber = 0xFF000000u | (241u << 16) | (172u << 8) | 71u;

std::uint32_t PixelAt(const Surface& surface, int x, int y) {
  cairo_surface_flush(surface.get());
  const unsigned char* row = cairo_image_surface_get_data(surface.get()) + y * cairo_image_surface_get_stride(surface.get());
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}

template <typename Each>
void ForEachPixel(const Surface& s, Each each) {
  for (int y = 0; y < cairo_image_surface_get_height(s.get()); ++y)
    for (int x = 0; x < cairo_image_surface_get_width(s.get()); ++x) each(x, y, PixelAt(s, x, y));
}

// Mean absolute difference of all channels, 0..255.
double MeanDifference(const Surface& a, const Surface& b) {
  double sum = 0.0, count = 0.0;
  ForEachPixel(a, [&](int x, int y, std::uint32_t p) {
    for (int shift = 0; shift < 32; shift += 8, ++count)
      sum += std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((PixelAt(b, x, y) >> shift) & 0xFF));
  });
  return sum / count;
}

bool HasPureBlack(const Surface& s) {
  bool black = false;
  ForEachPixel(s, [&](int, int, std::uint32_t p) { black |= (p & 0xFFFFFF) == 0; });
  return black;
}

std::uint32_t Alpha(const Surface& s, int x, int y) { return PixelAt(s, x, y) >> 24; }

TEST(CardSets, EveryFaceHasItsOwnShapeColourAndLookAndTheSetsDiffer) {
  for (int set = 1; set <= 2; ++set) {
    std::set<artwork::Symbol> shapes;
    std::vector<Surface> faces;
    for (int face = 1; face <= artwork::facesPerSet; ++face) {
      shapes.insert(artwork::cardSymbol(set, face));
      faces.push_back(artwork::paintCardFace(set, face));
    }
    EXPECT_EQ(shapes.size(), 24u) << "set " << set;
    for (int a = 1; a <= artwork::facesPerSet; ++a)
      for (int b = a + 1; b <= artwork::facesPerSet; ++b) {
        const artwork::Colour p = artwork::cardColour(set, a), q = artwork::cardColour(set, b);
        EXPECT_GT(std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b), 0.08) << set << ": " << a << ", " << b;
        EXPECT_GT(MeanDifference(faces[a - 1], faces[b - 1]), 3.0) << set << ": " << a << ", " << b;
      }
    EXPECT_EQ(Alpha(faces[0], 0, 0) + Alpha(faces[0], 128, 128), 255u) << "transparent corners, opaque middle";
  }
  // Ivory faces are light paper, midnight faces dark sky near the frame.
  EXPECT_GT((PixelAt(artwork::paintCardFace(1, 1), 40, 128) >> 8) & 0xFF, 180u);
  EXPECT_LT((PixelAt(artwork::paintCardFace(2, 1), 40, 128) >> 8) & 0xFF, 90u);
  EXPECT_GT(MeanDifference(artwork::paintCardBack(1), artwork::paintCardBack(2)), 20.0);
}

TEST(MenuPanel, FitsTheSmallestScreenAndItsContentAreaIsExactlyTheTextBackground) {
  const Surface panel = artwork::paintMenuPanel();
  const int width = cairo_image_surface_get_width(panel.get()), height = cairo_image_surface_get_height(panel.get());
  EXPECT_TRUE(width <= 1280 && height <= 720 && width >= 74 + 530 + 74 && height >= 580 + 20);  // the dialogs' areas
  for (int y = 140; y < 580; y += 7)
    for (int x = 74; x < 604; x += 5) ASSERT_EQ(PixelAt(panel, x, y), kAmber) << "at " << x << "," << y;
  EXPECT_EQ(Alpha(panel, 0, 0) + Alpha(panel, 12, 300), 255u);
}

TEST(KeyedPictures, NoTransparentHolesAndUnavailableArrowsCoverTheUsableOnes) {
  for (const bool left : {true, false}) {
    const Surface off = artwork::paintArrowUnavailable(left);
    EXPECT_EQ(cairo_image_surface_get_format(off.get()), CAIRO_FORMAT_RGB24);
    EXPECT_FALSE(HasPureBlack(off)) << "black would let the usable arrow show through";
    EXPECT_EQ(PixelAt(off, 0, 0) & 0xFFFFFF, kAmber & 0xFFFFFF);
    EXPECT_EQ(Alpha(artwork::paintArrow(left), 0, 0), 0u);
  }
  EXPECT_GT(MeanDifference(artwork::paintArrow(true), artwork::paintArrow(false)), 5.0);
  for (const Surface& picture : {artwork::paintCheckBox(false), artwork::paintCheckBox(true), artwork::paintSeparator()})
    EXPECT_FALSE(HasPureBlack(picture));
  EXPECT_GT(MeanDifference(artwork::paintCheckBox(false), artwork::paintCheckBox(true)), 5.0);
}

// Menus, title bars and window lists take the icon at 16, 24 and 32 pixels: drawn for those sizes,
// far from the 48-pixel icon scaled down, in which the cards blur into the sky.
TEST(Icon, TheSmallSizesAreDrawnForTheirSize) {
  const Surface large = artwork::paintIcon(48);
  for (const int pixels : {16, 24, 32}) {
    const Surface icon = artwork::paintIcon(pixels);
    ASSERT_EQ(cairo_image_surface_get_width(icon.get()), pixels);
    // (The large design drawn at these sizes differs from the scaled one by 1.5 to 5.)
    EXPECT_GT(MeanDifference(icon, artwork::scaled(large, pixels, pixels)), 20.0) << pixels;
  }
}

TEST(Canvas, BlurKeepsCoverage) {
  Surface surface = artwork::makeSurface(64, 64, true);
  {
    const artwork::Context cr = artwork::makeContext(surface);
    cairo_rectangle(cr.get(), 24, 24, 16, 16);
    cairo_fill(cr.get());
  }
  const auto coverage = [&] {
    double sum = 0.0;
    ForEachPixel(surface, [&](int, int, std::uint32_t p) { sum += p >> 24; });
    return sum;
  };
  const double before = coverage();
  artwork::blur(surface, 6);
  EXPECT_NEAR(coverage(), before, before * 0.03);
  EXPECT_GT(Alpha(surface, 22, 32), 0u);    // spread outside the square
  EXPECT_LT(Alpha(surface, 24, 32), 255u);  // edge softened
}

}  // namespace
