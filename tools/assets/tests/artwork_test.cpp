// The drawing code, checked in memory: the card sets, the panel's amber area, the pictures that
// are loaded with black as their transparent colour, and the helpers.
#include "artwork/canvas.h"
#include "artwork/cards.h"
#include "artwork/interface.h"
#include "artwork/palette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

using artwork::Surface;

std::uint32_t pixelAt(const Surface& surface, int x, int y) {
  cairo_surface_flush(surface.get());
  const unsigned char* row = cairo_image_surface_get_data(surface.get()) + y * cairo_image_surface_get_stride(surface.get());
  return reinterpret_cast<const std::uint32_t*>(row)[x];
}

// Mean absolute difference of all channels, 0..255.
double meanDifference(const Surface& a, const Surface& b) {
  const int width = cairo_image_surface_get_width(a.get());
  const int height = cairo_image_surface_get_height(a.get());
  double sum = 0.0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixelAt(a, x, y);
      const std::uint32_t q = pixelAt(b, x, y);
      for (int shift = 0; shift < 32; shift += 8) {
        sum += std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF));
      }
    }
  }
  return sum / (width * height * 4.0);
}

bool hasPureBlack(const Surface& surface) {
  for (int y = 0; y < cairo_image_surface_get_height(surface.get()); ++y) {
    for (int x = 0; x < cairo_image_surface_get_width(surface.get()); ++x) {
      if ((pixelAt(surface, x, y) & 0xFFFFFF) == 0) return true;
    }
  }
  return false;
}

constexpr std::uint32_t opaqueAmber = 0xFF000000u | (241u << 16) | (172u << 8) | 71u;

TEST(CardSets, EveryFaceOfASetHasItsOwnShapeAndColour) {
  for (int set = 1; set <= 2; ++set) {
    std::set<artwork::Symbol> shapes;
    for (int face = 1; face <= artwork::facesPerSet; ++face) shapes.insert(artwork::cardSymbol(set, face));
    EXPECT_EQ(shapes.size(), 24u) << "set " << set;
    for (int a = 1; a <= artwork::facesPerSet; ++a) {
      for (int b = a + 1; b <= artwork::facesPerSet; ++b) {
        const artwork::Colour p = artwork::cardColour(set, a);
        const artwork::Colour q = artwork::cardColour(set, b);
        const double distance = std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        EXPECT_GT(distance, 0.08) << "set " << set << " faces " << a << " and " << b;
      }
    }
  }
}

TEST(CardSets, RenderedFacesArePairwiseDifferent) {
  for (int set = 1; set <= 2; ++set) {
    std::vector<Surface> faces;
    for (int face = 1; face <= artwork::facesPerSet; ++face) faces.push_back(artwork::paintCardFace(set, face));
    for (std::size_t a = 0; a < faces.size(); ++a) {
      for (std::size_t b = a + 1; b < faces.size(); ++b) {
        EXPECT_GT(meanDifference(faces[a], faces[b]), 3.0) << "set " << set << " faces " << a + 1 << ", " << b + 1;
      }
    }
  }
}

TEST(CardSets, TheTwoSetsLookDifferentAndHaveTransparentCorners) {
  const Surface ivory = artwork::paintCardFace(1, 1);
  const Surface midnight = artwork::paintCardFace(2, 1);
  // Ivory faces are light paper, midnight faces dark sky: compare a point near the frame.
  const std::uint32_t paper = pixelAt(ivory, 40, 128);
  const std::uint32_t sky = pixelAt(midnight, 40, 128);
  EXPECT_GT((paper >> 8) & 0xFF, 180u);
  EXPECT_LT((sky >> 8) & 0xFF, 90u);
  EXPECT_GT(meanDifference(artwork::paintCardBack(1), artwork::paintCardBack(2)), 20.0);
  for (const Surface* card : {&ivory, &midnight}) {
    EXPECT_EQ(pixelAt(*card, 0, 0) >> 24, 0u);
    EXPECT_EQ(pixelAt(*card, 128, 128) >> 24, 255u);
  }
}

TEST(MenuPanel, FitsTheSmallestScreenAndHoldsEveryDialog) {
  EXPECT_LE(artwork::panelWidth, 1280);
  EXPECT_LE(artwork::panelHeight, 720);
  EXPECT_GE(artwork::panelWidth, 74 + 530 + 74);  // credits and settings text areas
  EXPECT_GE(artwork::panelHeight, 580 + 20);      // OK and CANCEL end 580 below the top
}

TEST(MenuPanel, ContentAreaIsExactlyTheTextBackground) {
  const Surface panel = artwork::paintMenuPanel();
  ASSERT_EQ(cairo_image_surface_get_width(panel.get()), artwork::panelWidth);
  ASSERT_EQ(cairo_image_surface_get_height(panel.get()), artwork::panelHeight);
  for (int y = 140; y < 580; y += 7) {
    for (int x = 74; x < 604; x += 5) {
      ASSERT_EQ(pixelAt(panel, x, y), opaqueAmber) << "at " << x << "," << y;
    }
  }
  // Transparent outside its rounded corners, opaque frame elsewhere.
  EXPECT_EQ(pixelAt(panel, 0, 0) >> 24, 0u);
  EXPECT_EQ(pixelAt(panel, 12, 300) >> 24, 255u);
}

TEST(KeyedPictures, UnavailableArrowsCoverTheUsableOnesCompletely) {
  for (const bool left : {true, false}) {
    const Surface off = artwork::paintArrowUnavailable(left);
    EXPECT_EQ(cairo_image_surface_get_format(off.get()), CAIRO_FORMAT_RGB24);
    EXPECT_EQ(cairo_image_surface_get_width(off.get()), 20);
    EXPECT_FALSE(hasPureBlack(off)) << "black would let the usable arrow show through";
    EXPECT_EQ(pixelAt(off, 0, 0) & 0xFFFFFF, opaqueAmber & 0xFFFFFF);
    const Surface on = artwork::paintArrow(left);
    EXPECT_EQ(pixelAt(on, 0, 0) >> 24, 0u);
    EXPECT_EQ(pixelAt(on, 10, 10) >> 24, 255u);
  }
  EXPECT_GT(meanDifference(artwork::paintArrow(true), artwork::paintArrow(false)), 5.0);
}

TEST(KeyedPictures, CheckBoxesAndSeparatorHaveNoTransparentHoles) {
  const Surface empty = artwork::paintCheckBox(false);
  const Surface ticked = artwork::paintCheckBox(true);
  const Surface separator = artwork::paintSeparator();
  for (const Surface* picture : {&empty, &ticked, &separator}) EXPECT_FALSE(hasPureBlack(*picture));
  EXPECT_GT(meanDifference(empty, ticked), 5.0);
  EXPECT_EQ(cairo_image_surface_get_width(separator.get()), 500);
}

TEST(Canvas, BlurSpreadsWithoutLosingCoverage) {
  Surface surface = artwork::makeSurface(64, 64, true);
  {
    const artwork::Context cr = artwork::makeContext(surface);
    cairo_rectangle(cr.get(), 24, 24, 16, 16);
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
    cairo_fill(cr.get());
  }
  auto coverage = [&surface] {
    double sum = 0.0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) sum += pixelAt(surface, x, y) >> 24;
    return sum;
  };
  const double before = coverage();
  artwork::blur(surface, 6);
  EXPECT_NEAR(coverage(), before, before * 0.03);
  EXPECT_GT(pixelAt(surface, 22, 32) >> 24, 0u);   // spread outside the square
  EXPECT_LT(pixelAt(surface, 24, 32) >> 24, 255u); // edge softened
}

TEST(Canvas, WritingAPictureLargerThanItsBlockFails) {
  Surface noisy = artwork::makeSurface(128, 128, false);
  {
    const artwork::Context cr = artwork::makeContext(noisy);
    artwork::Random random(1);
    for (int i = 0; i < 4000; ++i) {
      cairo_rectangle(cr.get(), random.range(0, 128), random.range(0, 128), 2, 2);
      cairo_set_source_rgb(cr.get(), random.next(), random.next(), random.next());
      cairo_fill(cr.get());
    }
  }
  const std::string path = (std::filesystem::temp_directory_path() / "vesperine-artwork-test.png").string();
  EXPECT_THROW(artwork::writePng(noisy, path, 1000), std::runtime_error);
  EXPECT_GT(artwork::writePng(noisy, path, 1'000'000), 1000u);
  std::filesystem::remove(path);
}

}  // namespace
