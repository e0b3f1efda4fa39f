#include "game/frame_drawing.h"

#include "game/game_state.h"
#include "game/keyboard_focus.h"
#include "game/sprite_numbers.h"

namespace {
int w(SpriteId s) { return sprite_width(s); }
int h(SpriteId s) { return sprite_height(s); }
int centredX(SpriteId s) { return static_cast<int>((game.screenWidth - w(s)) / 2); }
int at(int64_t v) { return static_cast<int>(v); }

void drawBoard() {
  const int size = at(game.cardSize);
  for (int r = 0; r < kBoardRows; ++r)
    for (int c = 0; c < kBoardColumns; ++c) {
      const BoardCell& cell = game.board[c][r];
      if (cell.state == Removed) continue;
      const int x = at(game.boardLeft + (game.cardSize + 10) * c);
      const int y = at(game.boardTop + (game.cardSize + 10) * r);
      const bool vanishing = cell.state == Vanishing;
      sprite_scale(kSpriteCardShadow, size, size);
      sprite_draw_blended(kSpriteCardShadow, x + 3, y + 3, vanishing ? at(game.pairFade / 2) : 128);
      const SpriteId picture = cell.state == FaceDown ? game.cardSets[game.cardSetIndex].back : cell.face;
      sprite_scale(picture, size, size);
      sprite_draw_blended(picture, x, y, vanishing ? at(game.pairFade) : 255);
      if (vanishing && game.pairFade != 0) game.pairFade -= 4;
    }
}

void drawDialogFrame() {
  sprite_draw_blended(kSpriteDimming, 0, 0, 128);
  sprite_draw_blended(kSpriteMenuShadow, at(MenuLeft() + 3), at(MenuTop() + 3), 128);
  sprite_draw_blended(kSpriteMenuPanel, at(MenuLeft()), at(MenuTop()), 255);
}

void drawMenu() {
  const int top = at(MenuTop());
  sprite_draw(kSpriteStart, centredX(kSpriteStart), top + 150);
  const SpriteId cont = game.gameRunning != 0 ? kSpriteContinue : kSpriteContinueDimmed;
  sprite_draw(cont, centredX(cont), top + 230);
  sprite_draw(kSpriteSettings, centredX(kSpriteSettings), top + 310);
  sprite_draw(kSpriteCredits, centredX(kSpriteCredits), top + 390);
  sprite_draw(kSpriteQuit, centredX(kSpriteQuit), top + 480);
}

// Both questions place YES and NO by the width of the quit question, which is never clipped.
void drawQuestion(SpriteId heading, SpriteId question) {
  const int top = at(MenuTop());
  const int area = w(kSpriteQuitQuestion);
  const int areaLeft = static_cast<int>((game.screenWidth - area) / 2);
  sprite_draw(heading, centredX(heading), top + 140);
  sprite_draw(kSpriteGradient, centredX(kSpriteGradient), top + 216);
  sprite_draw(question, centredX(question), top + 220);
  sprite_draw(kSpriteYes, areaLeft + 20, top + 300);
  sprite_draw(kSpriteNo, areaLeft + area - w(kSpriteNo) - 20, top + 300);
}

void drawSettings() {
  const int left = at(MenuLeft()), top = at(MenuTop());
  sprite_draw(kSpriteSettings, centredX(kSpriteSettings), top + 140);
  sprite_draw(kSpriteGradient, centredX(kSpriteGradient), top + 216);
  sprite_draw(kSpriteSettingsLabels, left + 74, top + 220);
  sprite_draw(kSpriteOk, left + 100, top + 540);
  sprite_draw(kSpriteCancel, left + w(kSpriteMenuPanel) - w(kSpriteCancel) - 100, top + 540);
  sprite_draw(kSpriteLanguageStrip, left + 294, top + 230);
  if (game.setLangIdx == 0) sprite_draw(kSpriteLeftArrowOff, left + 274, top + 235);
  if (game.setLangIdx == static_cast<int64_t>(game.languageList.size()) - 1)
    sprite_draw(kSpriteRightArrowOff, left + 574, top + 235);
  // The screen kind's chooser, two rows below the music, drawn as the language's.
  sprite_draw(kSpriteScreenKindStrip, left + 294, top + 350);
  if (game.setScreenKind == 0) sprite_draw(kSpriteLeftArrowOff, left + 274, top + 355);
  if (game.setScreenKind == 2) sprite_draw(kSpriteRightArrowOff, left + 574, top + 355);
  sprite_draw(game.setMusic != 0 ? kSpriteBoxTicked : kSpriteBox, left + 274, top + 275);
  sprite_draw(game.setSounds != 0 ? kSpriteBoxTicked : kSpriteBox, left + 274, top + 315);
}

void drawCredits() {
  const int left = at(MenuLeft()), top = at(MenuTop());
  sprite_draw(kSpriteCredits, centredX(kSpriteCredits), top + 140);
  sprite_draw(kSpriteGradient, centredX(kSpriteGradient), top + 216);
  sprite_draw(kSpriteCreditsText, left + 74, top + 220);
  sprite_draw(kSpriteOk, centredX(kSpriteOk), top + 540);
}

// The board darkens and the banner fades in over 33 frames, then both stay.
void drawWellDone() {
  const int fade = at(game.wellDoneFade);
  sprite_draw_blended(kSpriteDimming, 0, 0, fade);
  sprite_draw_blended(kSpriteWellDoneShadow, at((game.screenWidth - w(kSpriteWellDoneShadow)) / 2 + 3),
                      at((game.screenHeight - h(kSpriteWellDoneShadow)) / 2 + 3), fade);
  sprite_draw_blended(kSpriteWellDone, at((game.screenWidth - w(kSpriteWellDone)) / 2),
                      at((game.screenHeight - h(kSpriteWellDone)) / 2), fade == 128 ? 255 : 2 * fade);
  if (game.wellDoneFade != 128) game.wellDoneFade += 4;
}
}  // namespace

int64_t MenuLeft() { return (game.screenWidth - w(kSpriteMenuPanel)) / 2; }
int64_t MenuTop() { return (game.screenHeight - h(kSpriteMenuPanel)) / 2; }

void DrawFrame() {
  switch (game.gameState) {
    case Logo:
      sprite_draw(kSpriteLogo, 0, 0);
      return;
    case Title:
      sprite_draw(kSpriteTitle, 0, 0);
      return;
    default:
      break;
  }
  sprite_draw(game.backgroundSprites[game.backgroundIndex], 0, 0);
  drawBoard();
  switch (game.gameState) {
    case Menu:
      drawDialogFrame();
      drawMenu();
      break;
    case AskNewGame:
      drawDialogFrame();
      drawQuestion(kSpriteStart, kSpriteNewGameQuestion);
      break;
    case AskQuit:
      drawDialogFrame();
      drawQuestion(kSpriteQuit, kSpriteQuitQuestion);
      break;
    case Settings:
      drawDialogFrame();
      drawSettings();
      break;
    case Credits:
      drawDialogFrame();
      drawCredits();
      break;
    case WellDone:
      drawWellDone();
      break;
    default:
      break;
  }
  DrawFocusRing();
}
