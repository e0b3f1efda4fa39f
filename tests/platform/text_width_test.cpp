// Measuring texts: the widths the menu clipping and the centring of the credits are computed from.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/platform.h"
#include "platform/real/text_context.h"
#include "platform/real/text_fonts.h"

namespace {

constexpr int kMenuFont = 0;      // the game's fonts: 40 pt bold, 14, 11, 20 pt, all "Arial Black"
constexpr int kButtonFont = 3;
constexpr int kLabelFont = 1;
constexpr int kReferenceFont = 9;  // DejaVu Sans Bold 40 pt, fontconfig's usual default

bool arial_black_installed() {
  FcPattern* const pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Arial Black"));
  FcObjectSet* const objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* const fonts = FcFontList(nullptr, pattern, objects);
  const bool found = fonts != nullptr && fonts->nfont > 0;
  if (fonts != nullptr) FcFontSetDestroy(fonts);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return found;
}

class TextWidth : public testing::Test {
 protected:
  void SetUp() override {
    font_load(kMenuFont, "Arial Black", 40, kFontBold);
    font_load(kLabelFont, "Arial Black", 14, 0);
    font_load(kButtonFont, "Arial Black", 20, 0);
    font_load(kReferenceFont, "DejaVu Sans", 40, kFontBold);
  }
};

TEST_F(TextWidth, EmptyTextIsZero) {
  text_set_font(kMenuFont);
  EXPECT_EQ(text_width(""), 0.0);
}

TEST_F(TextWidth, PointsAreRenderedAt96Dpi) {
  text_set_font(kReferenceFont);
  EXPECT_NEAR(text_width("CONTINUE"), 309, 6);
}

TEST_F(TextWidth, MissingArialBlackGetsAHeavyStandIn) {
  if (arial_black_installed()) GTEST_SKIP() << "Arial Black itself is installed";
  text_set_font(kReferenceFont);
  const double fallbackWidth = text_width("CONTINUE");
  text_set_font(kMenuFont);
  const double standInWidth = text_width("CONTINUE");
  EXPECT_LT(standInWidth, fallbackWidth - 15) << "the regular default face was used";
  EXPECT_NEAR(standInWidth, 261, 25);  // Roboto Black 261, Open Sans ExtraBold 284
}

TEST_F(TextWidth, StandInFaceIsHeavyAtEveryWeightAsked) {
  if (arial_black_installed()) GTEST_SKIP() << "Arial Black itself is installed";
  for (const int font : {kMenuFont, kLabelFont}) {
    PangoFont* const loaded = pango_context_load_font(text_context(), text_font(font));
    ASSERT_NE(loaded, nullptr);
    PangoFontDescription* const used = pango_font_describe(loaded);
    EXPECT_GE(pango_font_description_get_weight(used), PANGO_WEIGHT_ULTRABOLD) << "font " << font;
    pango_font_description_free(used);
    g_object_unref(loaded);
  }
}

TEST_F(TextWidth, SizeFollowsThePoints) {
  font_load(8, "DejaVu Sans", 20, kFontBold);
  text_set_font(kReferenceFont);
  const double large = text_width("SETTINGS");
  text_set_font(8);
  EXPECT_NEAR(text_width("SETTINGS") / large, 0.5, 0.01);
}

TEST_F(TextWidth, SpacesCountAsAdvance) {
  text_set_font(kButtonFont);
  const double word = text_width("OK");
  EXPECT_GT(text_width("   "), 0);
  EXPECT_GT(text_width(" OK "), word + 5);
}

TEST_F(TextWidth, FractionsAreKept) {
  text_set_font(kLabelFont);
  int fractional = 0;
  for (const char* text : {"Quenmarsh", "Orvandel Ltd.", "Vesperine 1.0.0.1", "i", "English"}) {
    const double width = text_width(text);
    if (std::fabs(width - std::round(width)) > 0.01) ++fractional;
  }
  EXPECT_GE(fractional, 3);
}

TEST_F(TextWidth, FontLoadedAgainReplacesTheOld) {
  font_load(7, "Arial Black", 40, kFontBold);
  text_set_font(7);
  const double before = text_width("QUIT");
  font_load(7, "Arial Black", 20, kFontBold);
  EXPECT_NEAR(text_width("QUIT"), before / 2, 2);
}

TEST_F(TextWidth, SameWhileDrawing) {
  text_set_font(kMenuFont);
  const double outside = text_width("START");
  const SpriteId image = image_create(kNewSprite, 100, 40, 32, rgb(1, 2, 3));
  ASSERT_EQ(image_begin_text_drawing(image), 1);
  text_set_font(kMenuFont);
  EXPECT_EQ(text_width("START"), outside);
  EXPECT_EQ(text_width(""), 0.0);
  text_drawing_end();
  image_free(image);
}

TEST_F(TextWidth, InvalidUtf8IsMeasuredNotRefused) {
  text_set_font(kButtonFont);
  EXPECT_GT(text_width("caf\xe9 \xff"), text_width("caf"));
}

}  // namespace
