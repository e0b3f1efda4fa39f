// Texts: measuring (the widths the menu clipping and the centring of the credits use) and drawing onto
// off-screen images, whose exact colours also check the trip through cairo's premultiplied pixels.
#include <cmath>

#include "gfx_support.h"
#include "platform/real/text/text.h"

namespace {

constexpr int kMenuFont = 0, kLabelFont = 1, kQuestionFont = 3, kReferenceFont = 9;  // DejaVu Sans Bold 40 pt
constexpr Rgba kBackground{241, 172, 71, 255};

class Text : public testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [font, family, points, style] : {std::tuple{kMenuFont, "Arial Black", 40, kFontBold}, {kLabelFont, "Arial Black", 14, 0},
                                                      {kQuestionFont, "Arial Black", 20, 0}, {kReferenceFont, "DejaVu Sans", 40, kFontBold}})
      font_load(font, family, points, style);
  }
  void TearDown() override {
    text_drawing_end();
    if (image_ != 0) image_free(image_);
  }
  static double width(int font, const char* text) { return text_set_font(font), text_width(text); }
  // A new opaque image of the text background, ready for text in `font` and `colour`.
  const RgbaImage& begin(int w, int h, int font, uint32_t colour = rgba(224, 80, 40, 255)) {
    if (image_ != 0) image_free(image_);
    image_ = image_create(kNewSprite, w, h, 32, rgb(241, 172, 71));
    EXPECT_EQ(image_begin_text_drawing(image_), 1);
    text_set_font(font);
    text_set_color(colour);
    return *image_lookup(image_);
  }
  // The ink of `text` drawn as a paragraph with `alignment` on a new image.
  InkBox paragraph(const std::string& text, int alignment, int w, int h) {
    const RgbaImage& image = begin(w, h, kQuestionFont);
    text_draw_paragraph(text, alignment, w, h);
    text_drawing_end();
    return ink_box(image);
  }
  SpriteId image_ = 0;
};

TEST_F(Text, WidthsAt96DpiWithAHeavyStandInForArialBlackAndOpaqueOrTranslucentColours) {
  EXPECT_NEAR(width(kReferenceFont, "CONTINUE"), 309, 6);
  EXPECT_EQ(width(kMenuFont, ""), 0.0);
  EXPECT_GT(width(kQuestionFont, " OK "), width(kQuestionFont, "OK") + 5);
  EXPECT_GT(width(kQuestionFont, "caf\xe9 \xff"), width(kQuestionFont, "caf")) << "invalid UTF-8 is measured";
  int fractional = 0;
  for (const char* text : {"Quenmarsh", "Orvandel Ltd.", "Vesperine 1.0.0.1", "i", "English"})
    fractional += std::fabs(width(kLabelFont, text) - std::round(width(kLabelFont, text))) > 0.01;
  EXPECT_GE(fractional, 3) << "fractions are kept";
  font_load(7, "Arial Black", 20, kFontBold);  // loaded again, a font replaces the old one
  EXPECT_NEAR(width(7, "QUIT"), width(kMenuFont, "QUIT") / 2, 2);
  for (const int alpha : {255, 179}) {
    const RgbaImage& image = begin(200, 80, kMenuFont, rgba(224, 80, 40, alpha));
    text_draw("MW");
    text_drawing_end();
    Rgba inked = kBackground;  // the pixel of strongest coverage
    for (int i = 0; i < image.width * image.height; ++i) inked = std::min(inked, pixel_at(image, i % image.width, i / image.width), [](Rgba a, Rgba b) { return a.g < b.g; });
    const double a = alpha / 255.0;
    EXPECT_TRUE(near(inked, Rgba(224 * a + 241 * (1 - a) + 0.5, 80 * a + 172 * (1 - a) + 0.5, 40 * a + 71 * (1 - a) + 0.5)))
        << inked << " at alpha " << alpha;
    for (size_t i = 3; i < image.pixels.size(); i += 4) ASSERT_EQ(image.pixels[i], 255);
    EXPECT_EQ(pixel_at(image, 199, 79), kBackground);
  }
  if (output("fc-list 'Arial Black' family").find("Arial Black") != std::string::npos) return;  // the real font
  EXPECT_NEAR(width(kMenuFont, "CONTINUE"), 261, 25);  // Roboto Black 261, Open Sans ExtraBold 284, DejaVu 309
  for (const int font : {kMenuFont, kLabelFont}) {  // a heavy face, with the bold flag or without
    PangoFont* const loaded = pango_context_load_font(text_context(), text_font(font));
    PangoFontDescription* const used = pango_font_describe(loaded);
    EXPECT_GE(pango_font_description_get_weight(used), PANGO_WEIGHT_ULTRABOLD) << "font " << font;
    pango_font_description_free(used);
    g_object_unref(loaded);
  }
}

TEST_F(Text, PlacedAtTheCurrentPointOrInParagraphsAlignedWrappedBetweenWordsAndEndingInAnEllipsis) {
  const RgbaImage& image = begin(300, 150, kMenuFont);
  text_move_to(60.0, 30.0), text_draw("I"), text_draw("I");
  EXPECT_TRUE(ink_box(image).empty()) << "pixels reach the image only when the drawing ends";
  text_drawing_end();
  const InkBox box = ink_box(image);
  EXPECT_TRUE(box.left >= 60 && box.left < 70 && box.top >= 30 && box.top < 50 && box.bottom < 90) << box.left << "," << box.top;
  EXPECT_LT(box.right - box.left, 25) << "the second I was drawn beside the first";
  const RgbaImage& atOrigin = begin(200, 80, kMenuFont);
  text_draw("H"), text_drawing_end();
  EXPECT_TRUE(ink_box(atOrigin).left < 10 && ink_box(atOrigin).top < 20) << "beginning again starts at the origin";
  EXPECT_TRUE(paragraph("", kParagraphCentre, 200, 80).empty());
  begin(100, 40, kMenuFont);
  text_draw("A");
  image_free(std::exchange(image_, 0));  // freed while drawing: left alone
  text_drawing_end();
  EXPECT_EQ(image_begin_text_drawing(987654), 0);
  text_draw("START");  // ignored, not a crash
  const std::string longQuestion =
      "Do you really want to leave the board you are playing now and start a completely new game with all "
      "of the cards shuffled again from the very beginning?";
  const InkBox cut = paragraph(longQuestion, kParagraphCentre, 540, 80);
  EXPECT_TRUE(cut.bottom < 80 && cut.bottom > 40) << "two lines, not one or three";
  PangoLayout* layout = text_paragraph_layout(longQuestion, text_font(kQuestionFont), kParagraphCentre, 540, 80);
  EXPECT_TRUE(pango_layout_is_ellipsized(layout));
  g_object_unref(layout);
  layout = text_paragraph_layout("Start a new game", text_font(kQuestionFont), kParagraphLeft, 150, 200);
  PangoLayoutLine* const first = pango_layout_get_line_readonly(layout, 0);
  EXPECT_EQ(pango_layout_get_text(layout)[first->start_index + first->length - 1], ' ') << "broken inside a word";
  g_object_unref(layout);
  for (const auto& [alignment, low, high] : {std::tuple{kParagraphCentre, 264, 276}, {kParagraphRight, 495, 540}, {kParagraphLeft, 0, 45}}) {
    const InkBox box = paragraph("Quit?", alignment, 540, 80);
    EXPECT_TRUE((box.left + box.right) / 2 >= low && (box.left + box.right) / 2 <= high) << alignment << ": " << box.left;
  }
}

}  // namespace
