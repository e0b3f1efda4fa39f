// Fixed numbers of the game's sprites and images. Pictures that need no fixed number (backgrounds,
// card backs and faces) get handles instead.
#pragma once

#include "platform/platform.h"

constexpr SpriteId kSpritePointer = 0;
constexpr SpriteId kSpriteCardShadow = 1;
constexpr SpriteId kSpriteScreenshot = 3;
constexpr SpriteId kSpriteDimming = 4;
constexpr SpriteId kSpriteMenuPanel = 5;
constexpr SpriteId kSpriteMenuShadow = 6;
constexpr SpriteId kSpriteWellDone = 7;
constexpr SpriteId kSpriteWellDoneShadow = 8;
constexpr SpriteId kSpriteGradient = 9;
constexpr SpriteId kSpriteTitle = 10;
constexpr SpriteId kSpriteLogo = 11;
constexpr SpriteId kSpriteStart = 12;
constexpr SpriteId kSpriteContinue = 13;
constexpr SpriteId kSpriteContinueDimmed = 14;
constexpr SpriteId kSpriteSettings = 15;
constexpr SpriteId kSpriteCredits = 16;
constexpr SpriteId kSpriteQuit = 17;
constexpr SpriteId kSpriteCreditsText = 18;
constexpr SpriteId kSpriteSettingsLabels = 19;
constexpr SpriteId kSpriteOk = 20;
constexpr SpriteId kSpriteCancel = 21;
constexpr SpriteId kSpriteYes = 22;
constexpr SpriteId kSpriteNo = 23;
constexpr SpriteId kSpriteQuitQuestion = 24;
constexpr SpriteId kSpriteNewGameQuestion = 25;
constexpr SpriteId kImageLeftArrow = 26;
constexpr SpriteId kSpriteLeftArrowOff = 27;
constexpr SpriteId kImageRightArrow = 28;
constexpr SpriteId kSpriteRightArrowOff = 29;
constexpr SpriteId kSpriteBox = 30;
constexpr SpriteId kSpriteBoxTicked = 31;
constexpr SpriteId kSpriteLanguageStrip = 32;
// Made in code the first time the keyboard focus shows, and again when its size changes.
constexpr SpriteId kSpriteFocusRing = 33;
// The names of the three screen kinds, one 30-pixel row each, clipped to the chosen one.
constexpr SpriteId kSpriteScreenKindStrip = 34;

// Records of the clickable-area table.
enum ItemRecord {
  ItemStart = 0,
  ItemContinue = 1,
  ItemSettings = 2,
  ItemCredits = 3,
  ItemQuit = 4,
  ItemCreditsOk = 5,
  ItemYes = 6,
  ItemNo = 7,
  ItemLeftArrow = 8,
  ItemRightArrow = 9,
  ItemMusicBox = 10,
  ItemSoundsBox = 11,  // the sound effects' check box, right below the music's
  ItemScreenLeft = 12,
  ItemScreenRight = 13,
  ItemSettingsOk = 15,
  ItemCancel = 16,
};
