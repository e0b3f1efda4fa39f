#include "game/text_sprites.h"

#include <cmath>
#include <string>
#include <vector>

#include "game/credits.h"
#include "game/frame_drawing.h"
#include "game/game_state.h"
#include "game/sprite_numbers.h"
#include "game/texts.h"

namespace {
constexpr uint32_t kTextBackground = rgb(241, 172, 71);
constexpr uint32_t kTextColour = rgba(224, 80, 40, 255);
constexpr uint32_t kDimmedTextColour = rgba(224, 80, 40, 179);
constexpr int kFontMenu = 0, kFontSmall = 1, kFontTiny = 2, kFontButton = 3;

int64_t shownWidth(SpriteId s) { return sprite_width(s); }

void setItem(int record, SpriteId sprite, int64_t x, int64_t y, int64_t width) {
  game.items[record] = HitArea{sprite, x, y, width};
}

// The clickable records that a freshly rendered sprite fills.
void fillItemsOf(SpriteId sprite) {
  const int64_t sw = game.screenWidth, left = MenuLeft(), top = MenuTop();
  const int64_t w = shownWidth(sprite);
  const int64_t questionWidth = shownWidth(kSpriteQuitQuestion);
  const int64_t questionLeft = (sw - questionWidth) / 2;
  switch (sprite) {
    case kSpriteStart: setItem(ItemStart, sprite, (sw - w) / 2, top + 150, w); break;
    case kSpriteContinue: setItem(ItemContinue, sprite, (sw - w) / 2, top + 230, w); break;
    case kSpriteSettings: setItem(ItemSettings, sprite, (sw - w) / 2, top + 310, w); break;
    case kSpriteCredits: setItem(ItemCredits, sprite, (sw - w) / 2, top + 390, w); break;
    case kSpriteQuit: setItem(ItemQuit, sprite, (sw - w) / 2, top + 480, w); break;
    case kSpriteOk:
      setItem(ItemCreditsOk, sprite, (sw - w) / 2, top + 540, w);
      setItem(ItemSettingsOk, sprite, left + 100, top + 540, w);
      break;
    case kSpriteYes: setItem(ItemYes, sprite, questionLeft + 20, top + 300, w); break;
    case kSpriteNo: setItem(ItemNo, sprite, questionLeft + questionWidth - w - 20, top + 300, w); break;
    case kSpriteSettingsLabels:
      setItem(ItemLeftArrow, kImageLeftArrow, left + 269, top + 230, 20);
      setItem(ItemRightArrow, kImageRightArrow, left + 569, top + 230, 20);
      setItem(ItemMusicBox, kSpriteBox, left + 269, top + 270, 20);
      setItem(ItemSoundsBox, kSpriteBox, left + 269, top + 310, 20);
      setItem(ItemScreenLeft, kImageLeftArrow, left + 269, top + 350, 20);
      setItem(ItemScreenRight, kImageRightArrow, left + 569, top + 350, 20);
      break;
    case kSpriteCancel:
      setItem(ItemCancel, sprite, left + shownWidth(kSpriteMenuPanel) - w - 100, top + 540, w);
      break;
    default: break;
  }
}

// Copies a finished text image into sprite n (freeing the image); extra pictures are drawn after
// it. Returns false when the sprite could not be made or drawn into.
bool imageToSprite(SpriteId n, SpriteId image, int width, int height, void (*extras)() = nullptr) {
  const bool ready = sprite_create(n, width, height, kSpritePlain) && sprite_begin_drawing(n);
  if (ready) {
    if (image) image_draw(image, 0, 0);
    if (extras) extras();
    drawing_end();
  }
  if (image) image_free(image);
  return ready;
}

// One line of text at the top-left of a W x H picture, clipped to the text's advance.
void renderLabel(SpriteId n, const char* key, int font, int width, int height, uint32_t colour) {
  const std::string& text = Tr(key);
  const SpriteId image = image_create(kNewSprite, width, height, 32, kTextBackground);
  int64_t measured = 0;
  if (image && image_begin_text_drawing(image)) {
    text_set_font(font);
    text_set_color(colour);
    text_draw(text);
    measured = static_cast<int64_t>(std::nearbyint(text_width(text)));  // halves go to the even neighbour
    text_drawing_end();
  }
  if (!imageToSprite(n, image, width, height)) return;
  if (measured > width) measured = width;
  sprite_clip(n, 0, 0, static_cast<int>(measured), height);
  fillItemsOf(n);
}

void renderQuestion(SpriteId n, const char* key) {
  const SpriteId image = image_create(kNewSprite, 540, 80, 32, kTextBackground);
  if (image && image_begin_text_drawing(image)) {
    text_set_font(kFontButton);
    text_set_color(kTextColour);
    text_draw_paragraph(Tr(key), kParagraphCentre, 540, 80);
    text_drawing_end();
  }
  imageToSprite(n, image, 540, 80);
}

struct CreditsRow {
  int y;
  int font;
  const char* text;
  bool translated;
};

void renderCredits() {
  static const CreditsRow rows[] = {
      {0, kFontSmall, kGameVersionLine, false},     {26, kFontSmall, "tCreditsCODEDESIGN", true},
      {46, kFontSmall, kDesignerName, false},       {72, kFontSmall, kRightsNotice, false},
      {92, kFontSmall, kStudioName, false},         {112, kFontSmall, kCompanyName, false},
      {132, kFontSmall, kStudioWebAddress, false},  {179, kFontTiny, "tCreditsPOINTER", true},
      {197, kFontTiny, kPointerCredit, false},      {224, kFontTiny, "tCreditsMUSIC", true},
      {242, kFontTiny, kMusicCredit, false},        {268, kFontTiny, "tCreditsGFX", true},
      {284, kFontTiny, kGraphicsCredit, false},
  };
  const SpriteId image = image_create(kNewSprite, 530, 320, 32, kTextBackground);
  if (image && image_begin_text_drawing(image)) {
    text_set_color(kTextColour);
    for (const CreditsRow& row : rows) {
      const std::string text = row.translated ? Tr(row.text) : std::string(row.text);
      text_set_font(row.font);
      text_move_to((530.0 - text_width(text)) / 2.0, row.y);
      text_draw(text);
    }
    text_drawing_end();
  }
  imageToSprite(kSpriteCreditsText, image, 530, 320);
}

// The language's arrows and, 120 pixels lower, the screen kind's.
void drawArrowsIntoLabels() {
  for (const int y : {15, 135}) {
    image_draw(kImageLeftArrow, 200, y);
    image_draw(kImageRightArrow, 500, y);
  }
}

void renderSettingsLabels() {
  const SpriteId image = image_create(kNewSprite, 530, 320, 32, kTextBackground);
  if (image && image_begin_text_drawing(image)) {
    text_set_font(kFontSmall);
    text_set_color(kTextColour);
    text_move_to(0, 10);
    text_draw(Tr("tMenuLANGUAGE"));
    text_move_to(0, 50);
    text_draw(Tr("tMenuMUSIC"));
    text_move_to(0, 90);
    text_draw(Tr("tMenuSOUNDS"));
    text_move_to(0, 130);
    text_draw(Tr("tMenuSCREEN"));
    text_drawing_end();
  }
  if (imageToSprite(kSpriteSettingsLabels, image, 530, 320, drawArrowsIntoLabels)) fillItemsOf(kSpriteSettingsLabels);
}

// One 30-pixel row per name, in chooser order, each name centred in 280 pixels.
bool renderStrip(SpriteId n, const std::vector<std::string>& names) {
  const int count = static_cast<int>(names.size());
  const SpriteId image = image_create(kNewSprite, 280, 30 * count, 32, kTextBackground);
  if (image && image_begin_text_drawing(image)) {
    text_set_font(kFontSmall);
    text_set_color(kTextColour);
    for (int i = 0; i < count; ++i) {
      text_move_to(140.0 - text_width(names[i]) / 2.0, 30.0 * i);
      text_draw(names[i]);
    }
    text_drawing_end();
  }
  return imageToSprite(n, image, 280, 30 * count);
}

void renderLanguageStrip() {
  std::vector<std::string> names;
  for (size_t i = 0; i < game.languageList.size(); ++i) names.push_back(game.languageList[i].name);
  if (renderStrip(kSpriteLanguageStrip, names))
    ClipLanguageStrip(LanguageIndex(game.languageList, game.prefs.languageCode));
}

// Full screen, window, borderless window: in the order of the preference's values.
void renderScreenKindStrip() {
  if (renderStrip(kSpriteScreenKindStrip, {Tr("tMenuFULLSCREEN"), Tr("tMenuWINDOW"), Tr("tMenuBORDERLESS")}))
    ClipScreenKindStrip(game.gameState == Settings ? game.setScreenKind : game.prefs.screenKind);
}

void renderDimmingLayer() {
  const int sw = static_cast<int>(game.screenWidth), sh = static_cast<int>(game.screenHeight);
  if (!sprite_create(kSpriteDimming, sw, sh, kSpriteKeepAlpha)) return;
  if (sprite_begin_drawing(kSpriteDimming)) {
    draw_box(0, 0, sw, sh, rgb(0, 0, 0));
    drawing_end();
  }
  sprite_set_color_key(kSpriteDimming, rgb(255, 255, 255));
}
}  // namespace

void ClipLanguageStrip(int64_t index) { sprite_clip(kSpriteLanguageStrip, 0, static_cast<int>(30 * index), 280, 30); }
void ClipScreenKindStrip(int64_t kind) { sprite_clip(kSpriteScreenKindStrip, 0, static_cast<int>(30 * kind), 280, 30); }

void renderLanguageTexts() {
  renderLabel(kSpriteStart, "tMenuSTART", kFontMenu, 500, 80, kTextColour);
  renderLabel(kSpriteContinue, "tMenuCONTINUE", kFontMenu, 500, 80, kTextColour);
  renderLabel(kSpriteContinueDimmed, "tMenuCONTINUE", kFontMenu, 500, 80, kDimmedTextColour);
  renderLabel(kSpriteSettings, "tMenuSETTINGS", kFontMenu, 500, 80, kTextColour);
  renderLabel(kSpriteCredits, "tMenuCREDITS", kFontMenu, 500, 80, kTextColour);
  renderLabel(kSpriteQuit, "tMenuQUIT", kFontMenu, 500, 80, kTextColour);
  renderQuestion(kSpriteQuitQuestion, "tQuestionsQUIT");
  renderQuestion(kSpriteNewGameQuestion, "tQuestionsSTART");
  renderLabel(kSpriteOk, "tMenuOK", kFontButton, 300, 40, kTextColour);
  renderLabel(kSpriteYes, "tMenuYES", kFontButton, 300, 40, kTextColour);
  renderLabel(kSpriteNo, "tMenuNO", kFontButton, 300, 40, kTextColour);
  renderCredits();
  renderSettingsLabels();
  renderLabel(kSpriteCancel, "tMenuCANCEL", kFontButton, 300, 40, kTextColour);
  renderScreenKindStrip();
}

void renderAllTexts() {
  renderLanguageTexts();
  renderLanguageStrip();
  renderDimmingLayer();
}
