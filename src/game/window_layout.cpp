#include "game/window_layout.h"

#include <string>

#include "display/screen_setup.h"
#include "game/game_state.h"
#include "game/screen_switch.h"
#include "game/sprite_numbers.h"

namespace {
int64_t ceilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }
}  // namespace

void GameSizeForWindow(int64_t width, int64_t height, int64_t* gameWidth, int64_t* gameHeight) {
  const int64_t pw = sprite_width(kSpriteMenuPanel), ph = sprite_height(kSpriteMenuPanel);
  *gameWidth = width, *gameHeight = height;
  if (width <= 0 || height <= 0 || (width >= pw && height >= ph)) return;
  if (pw * height >= ph * width) {  // the panel's width is the tighter
    *gameWidth = pw, *gameHeight = ceilDiv(height * pw, width);
  } else {
    *gameHeight = ph, *gameWidth = ceilDiv(width * ph, height);
  }
}

void WindowLaidOut(bool fresh) {
  int w = 0, h = 0;
  window_size(0, &w, &h);
  game.windowLaidOutWidth = game.windowSeenWidth = w;
  game.windowLaidOutHeight = game.windowSeenHeight = h;
  game.windowSeenSinceMs = platform_clock_ms();
  if (fresh) game.windowPlacing = WindowPlacing::AwaitingFocus;
}

void WindowFocused() {
  if (game.windowPlacing != WindowPlacing::AwaitingFocus) return;
  game.windowPlacing = WindowPlacing::Settling;
  game.windowSeenSinceMs = platform_clock_ms();
}

void FollowWindowSize() {
  int w = 0, h = 0;
  if (game.prefs.screenKind != ScreenWindowed || !window_size(0, &w, &h)) return;
  const int64_t now = platform_clock_ms();
  if (w != game.windowSeenWidth || h != game.windowSeenHeight) {
    game.windowSeenWidth = w, game.windowSeenHeight = h, game.windowSeenSinceMs = now;
    return;
  }
  if (now - game.windowSeenSinceMs < kWindowSettleMs) return;
  const bool placed = game.windowPlacing == WindowPlacing::Placed;
  if (game.windowPlacing == WindowPlacing::Settling) game.windowPlacing = WindowPlacing::Placed;
  const bool resized = w != game.windowLaidOutWidth || h != game.windowLaidOutHeight;
  // A ScreenMode smaller than the panel opens too small for it: the next layout makes room.
  const bool cramped = game.screenWidth < sprite_width(kSpriteMenuPanel) || game.screenHeight < sprite_height(kSpriteMenuPanel);
  if (!resized && !cramped) return;
  if (resized && placed) game.prefs.screenModeText = std::to_string(w) + "x" + std::to_string(h);
  game.windowLaidOutWidth = w, game.windowLaidOutHeight = h;
  int64_t gw = 0, gh = 0;
  GameSizeForWindow(w, h, &gw, &gh);
  if (gw != game.screenWidth || gh != game.screenHeight) LayOutWindowAgain(gw, gh);
}
