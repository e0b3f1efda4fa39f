#include "game/window_events.h"

#include "display/music.h"
#include "display/screen_setup.h"
#include "game/clicks.h"
#include "game/game_state.h"
#include "game/keyboard_focus.h"
#include "game/window_layout.h"

bool HandleWindowEvent(int code) {
  switch (code) {
    case EventRepaint: screen_flip(); break;
    case EventLeftClick: {
      HideFocus();
      const int x = window_mouse_x(0), y = window_mouse_y(0);
      if (LeftButtonAction(x, y, ClickPath::Window)) return false;  // settings applied
      break;
    }
    case EventRightClick:
      HideFocus();
      if (game.gameState == Playing) game.gameState = Menu;
      break;
    case EventMinimized:
      if (game.prefs.screenKind == ScreenWindowed) PauseMusic();
      break;
    case EventRestored: ResumeMusic(); break;
    case EventFocusIn:
      ResumeMusic();
      WindowFocused();
      break;
    case EventFocusOut:
      // A borderless window covering the desktop steps aside when the player turns to another one.
      if (game.prefs.screenKind == ScreenBorderless) {
        PauseMusic();
        window_minimize(0);
      }
      break;
    case EventCloseRequest: game.quitRequested = 1; break;
    default: break;
  }
  return true;
}

void DrainWindowEvents() {
  for (int code = window_event(); code != EventNone; code = window_event())
    if (!HandleWindowEvent(code)) return;
}
