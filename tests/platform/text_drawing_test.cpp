// Drawing texts onto off-screen images: placement, colours, blending and paragraphs.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/real/real_internal.h"
#include "platform/real/text_context.h"
#include "platform/real/text_fonts.h"
#include "text_test_images.h"

namespace {

constexpr int kMenuFont = 0;
constexpr int kQuestionFont = 3;

const std::string kLongQuestion =
    "Do you really want to leave the board you are playing now and start a completely new game with all "
    "of the cards shuffled again from the very beginning?";

class TextDrawing : public testing::Test {
 protected:
  void SetUp() override {
    font_load(kMenuFont, "Arial Black", 40, kFontBold);
    font_load(kQuestionFont, "Arial Black", 20, 0);
  }
  void TearDown() override {
    text_drawing_end();
    if (image_ != 0) image_free(image_);
  }
  // A new opaque image of the text background, ready for text in `font` and `colour`.
  const RgbaImage& begin(int width, int height, int font, uint32_t colour, uint32_t fill = kTextBackground) {
    image_ = image_create(kNewSprite, width, height, 32, fill);
    EXPECT_NE(image_, 0);
    EXPECT_EQ(image_begin_text_drawing(image_), 1);
    text_set_font(font);
    text_set_color(colour);
    return *image_lookup(image_);
  }
  SpriteId image_ = 0;
};

// The pixel of strongest text coverage: the one whose green is farthest below the background's.
Pixel most_covered(const RgbaImage& image) {
  Pixel best = pixel_at(image, 0, 0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Pixel p = pixel_at(image, x, y);
      if (p.g < best.g) best = p;
    }
  }
  return best;
}

bool all_opaque(const RgbaImage& image) {
  for (size_t i = 3; i < image.pixels.size(); i += 4) {
    if (image.pixels[i] != 255) return false;
  }
  return true;
}

TEST_F(TextDrawing, MissingImageCannotBeDrawnOn) {
  EXPECT_EQ(image_begin_text_drawing(987654), 0);
  text_set_font(kMenuFont);
  text_draw("START");  // ignored, not a crash
  text_drawing_end();
}

TEST_F(TextDrawing, OpaqueTextTakesItsColourExactly) {
  const RgbaImage& image = begin(200, 80, kMenuFont, kTextColour);
  text_draw("MW");
  text_drawing_end();
  const Pixel inked = most_covered(image);
  EXPECT_NEAR(inked.r, 224, 1);
  EXPECT_NEAR(inked.g, 80, 1);
  EXPECT_NEAR(inked.b, 40, 1);
  EXPECT_TRUE(all_opaque(image));
  EXPECT_EQ(pixel_at(image, 199, 79).r, 241);  // background untouched far from the text
}

TEST_F(TextDrawing, TranslucentTextBlendsSeventyThirty) {
  const RgbaImage& image = begin(200, 80, kMenuFont, rgba(224, 80, 40, 179));
  text_draw("MW");
  text_drawing_end();
  const double a = 179.0 / 255;
  const Pixel inked = most_covered(image);
  EXPECT_NEAR(inked.r, 224 * a + 241 * (1 - a), 2);
  EXPECT_NEAR(inked.g, 80 * a + 172 * (1 - a), 2);
  EXPECT_NEAR(inked.b, 40 * a + 71 * (1 - a), 2);
  EXPECT_TRUE(all_opaque(image));
}

TEST_F(TextDrawing, LayoutBoxStartsAtTheCurrentPoint) {
  const RgbaImage& image = begin(300, 150, kMenuFont, kTextColour);
  text_move_to(60.0, 30.0);
  text_draw("H");
  EXPECT_TRUE(ink_box(image).empty()) << "pixels reach the image only when the drawing ends";
  text_drawing_end();
  const InkBox box = ink_box(image);
  ASSERT_FALSE(box.empty());
  EXPECT_GE(box.left, 60);
  EXPECT_LT(box.left, 60 + 10);   // the side bearing of H
  EXPECT_GE(box.top, 30);
  EXPECT_LT(box.top, 30 + 20);    // the space above capitals in the line box
  EXPECT_LT(box.bottom, 30 + 60);
}

TEST_F(TextDrawing, DrawingDoesNotMoveTheCurrentPoint) {
  const RgbaImage& image = begin(300, 80, kMenuFont, kTextColour);
  text_move_to(10, 0);
  text_draw("I");
  text_draw("I");
  text_drawing_end();
  const InkBox box = ink_box(image);
  ASSERT_FALSE(box.empty());
  EXPECT_LT(box.right - box.left, 25) << "the second I was drawn beside the first";
}

TEST_F(TextDrawing, EmptyTextDrawsNothing) {
  const RgbaImage& image = begin(100, 40, kMenuFont, kTextColour);
  text_draw("");
  text_draw_paragraph("", kParagraphCentre, 100, 40);
  text_drawing_end();
  EXPECT_TRUE(ink_box(image).empty());
}

TEST_F(TextDrawing, BeginningAgainStartsAtTheOrigin) {
  begin(100, 80, kMenuFont, kTextColour);
  text_move_to(50, 50);
  text_drawing_end();
  image_free(image_);
  const RgbaImage& image = begin(200, 80, kMenuFont, kTextColour);
  text_draw("H");
  text_drawing_end();
  EXPECT_LT(ink_box(image).left, 10);
  EXPECT_LT(ink_box(image).top, 20);
}

TEST_F(TextDrawing, ImageFreedWhileDrawingIsLeftAlone) {
  begin(100, 40, kMenuFont, kTextColour);
  text_draw("A");
  image_free(image_);
  image_ = 0;
  text_drawing_end();  // nothing to write back into
}

TEST_F(TextDrawing, LongQuestionIsCutWithAnEllipsis) {
  PangoLayout* const layout =
      text_paragraph_layout(kLongQuestion, text_font(kQuestionFont), kParagraphCentre, 540, 80);
  EXPECT_TRUE(pango_layout_is_ellipsized(layout));
  EXPECT_EQ(pango_layout_get_line_count(layout), 2);
  PangoRectangle logical{};
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  EXPECT_LE(logical.width, 540);
  EXPECT_LE(logical.height, 80);
  const std::string shown = pango_layout_get_text(layout);
  EXPECT_EQ(shown, kLongQuestion);  // pango keeps the text; the cut shows only in the lines
  g_object_unref(layout);

  const RgbaImage& image = begin(540, 160, kQuestionFont, kTextColour);
  text_draw_paragraph(kLongQuestion, kParagraphCentre, 540, 80);
  text_drawing_end();
  const InkBox box = ink_box(image);
  ASSERT_FALSE(box.empty());
  EXPECT_LT(box.bottom, 80) << "a third line was drawn";
  EXPECT_GT(box.bottom, 40) << "only one line was drawn";
}

TEST_F(TextDrawing, ShortQuestionIsCentredAndWhole) {
  PangoLayout* const layout = text_paragraph_layout("Quit?", text_font(kQuestionFont), kParagraphCentre, 540, 80);
  EXPECT_FALSE(pango_layout_is_ellipsized(layout));
  EXPECT_EQ(pango_layout_get_line_count(layout), 1);
  g_object_unref(layout);

  const RgbaImage& image = begin(540, 80, kQuestionFont, kTextColour);
  text_draw_paragraph("Quit?", kParagraphCentre, 540, 80);
  text_drawing_end();
  const InkBox box = ink_box(image);
  ASSERT_FALSE(box.empty());
  EXPECT_NEAR((box.left + box.right) / 2.0, 270, 6);
}

TEST_F(TextDrawing, ParagraphAlignments) {
  const RgbaImage& image = begin(540, 80, kQuestionFont, kTextColour);
  text_draw_paragraph("Yes", kParagraphRight, 540, 80);
  text_drawing_end();
  EXPECT_GT(ink_box(image).right, 530);
  image_free(image_);

  const RgbaImage& left = begin(540, 80, kQuestionFont, kTextColour);
  text_draw_paragraph("Yes", kParagraphLeft, 540, 80);
  text_drawing_end();
  EXPECT_LT(ink_box(left).left, 10);
}

TEST_F(TextDrawing, ParagraphWrapsBetweenWords) {
  PangoLayout* const layout =
      text_paragraph_layout("Start a new game", text_font(kQuestionFont), kParagraphLeft, 150, 200);
  EXPECT_GE(pango_layout_get_line_count(layout), 2);
  PangoLayoutLine* const first = pango_layout_get_line_readonly(layout, 0);
  const std::string firstLine(pango_layout_get_text(layout) + first->start_index, first->length);
  EXPECT_EQ(firstLine.back(), ' ') << "broken inside a word: " << firstLine;
  g_object_unref(layout);
}

}  // namespace
