// The game's whole process-wide state, in one place, grouped by who changes it and when.
// Created with its defaults at start-up (ResetGameState) and kept until the program ends.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "display/asset_loading.h"
#include "platform/platform.h"
#include "services/languages.h"
#include "services/preferences.h"

enum GameStateCode : int64_t {
  Logo = 0,
  Title = 1,
  Playing = 2,
  Menu = 3,
  AskNewGame = 4,
  Settings = 5,
  Credits = 6,
  AskQuit = 7,
  WellDone = 8,
};

enum CellState : int8_t { Removed = 0, FaceDown = 1, FaceUp = 2, Vanishing = 3 };

constexpr int kBoardColumns = 8;
constexpr int kBoardRows = 6;
constexpr int kCardCount = kBoardColumns * kBoardRows;
constexpr int kItemCount = 17;

// A window just opened: waiting for its first focus, then for its size to settle, then placed.
enum class WindowPlacing { AwaitingFocus, Settling, Placed };

struct BoardCell {
  SpriteId face = 0;
  int64_t x = 0;
  int64_t y = 0;
  int8_t state = FaceDown;
};

// A clickable area; its height depends on the kind of item and is not stored.
struct HitArea {
  int64_t sprite = 0;
  int64_t x = 0;
  int64_t y = 0;
  int64_t width = 0;
};

// The keyboard focus: hidden until the first arrow key press, hidden again by a mouse click, so a
// player who only uses the mouse never sees it.
struct KeyboardFocus {
  int64_t shown = 0;
  int64_t col = 0, row = 0;  // the focused board cell in Playing
  int64_t screen = Logo;     // the dialog state that `item` belongs to; another one starts on its first item
  int64_t item = 0;          // position among that dialog's items in reading order
  int64_t ringWidth = 0, ringHeight = 0;  // size the ring sprite was last made at
};

struct GameGlobals {
  // Preferences: read at start-up, changed by the settings screen and the M key, saved at exit.
  Preferences prefs;

  // Directories: fixed during start-up.
  std::string gameDir;
  std::string userDir;
  std::string saveDir;
  std::string startStamp;  // set only when logging was asked for
  bool soundDevice = false;  // the sound service started; without a device the game plays silently

  // Languages: scanned at start-up; translations grow with every language load and are never cleared.
  Translations translations;
  LanguageTable languageInfo;
  LanguageList languageList;

  // Loop.
  int64_t gameState = Logo;
  int64_t quitRequested = 0;
  int64_t endedByError = 0;  // a fatal error box ended the loop: nothing is saved
  int64_t frameCounter = 0;  // logo and title timers, and the showing time of a wrong pair
  bool pointerDrawn = false;  // full screen: the last frame drawn carries the game's pointer

  // Board and play: dealt by dealNewGame, changed by picks, the pair step and the board drawing.
  std::array<std::array<BoardCell, kBoardRows>, kBoardColumns> board{};
  int64_t cardsLeft = kCardCount;
  int64_t selCount = 0;
  int64_t pick1Col = 0, pick1Row = 0, pick2Col = 0, pick2Row = 0;
  int64_t pairFade = 255;
  int64_t gameRunning = 0;
  int64_t wellDoneFade = 0;
  int64_t backgroundIndex = 0;
  int64_t cardSetIndex = 0;

  // Screen: the window kind F11 goes back to (the windowed one unless the player chose borderless),
  // and the window's size as the game last laid out for it, with the size it has been seen at since
  // that moment (the game lays out anew once a new size has held for half a second). A window just
  // opened is being placed until its size has settled after its first focus: the size the window
  // manager gives it then (a work area, a tile) is laid out, never saved as the player's.
  int64_t windowKind = 1;
  int64_t windowLaidOutWidth = 0, windowLaidOutHeight = 0;
  int64_t windowSeenWidth = 0, windowSeenHeight = 0, windowSeenSinceMs = 0;
  WindowPlacing windowPlacing = WindowPlacing::Placed;

  // Layout: made again whenever the screen opens.
  int64_t screenWidth = 0;
  int64_t screenHeight = 0;
  int64_t cardSize = 0;
  int64_t boardLeft = 0;
  int64_t boardTop = 0;

  // Pictures: made by the asset loading and the text rendering, alive while the screen is open.
  std::array<SpriteId, 4> backgroundSprites{};
  std::array<CardSet, 2> cardSets{};
  std::array<HitArea, kItemCount> items{};

  // Settings screen working copies: taken on entering it, consumed by OK.
  std::string setLangCode;
  int64_t setMusic = 1;
  int64_t setSounds = 1;
  int64_t setLangIdx = 0;
  int64_t setScreenKind = 0;

  // Keyboard play: changed by the arrow keys, Return and mouse clicks.
  KeyboardFocus focus;
};

extern GameGlobals game;

// Back to the start-up defaults (also used by the tests between cases).
void ResetGameState();
