#include "game/main_loop.h"

#include "display/music.h"
#include "display/screen_setup.h"
#include "display/screenshot.h"
#include "game/board.h"
#include "game/clicks.h"
#include "game/frame_drawing.h"
#include "game/game_state.h"
#include "game/keyboard_focus.h"
#include "game/screen_switch.h"
#include "game/sprite_numbers.h"
#include "game/window_events.h"
#include "game/window_layout.h"
#include "services/preferences.h"

namespace {
void skipIntro() {
  if (game.gameState == Logo) {
    game.gameState = Title;
    game.frameCounter = 0;
  } else if (game.gameState == Title) {
    game.gameState = Menu;
    game.frameCounter = 0;
  }
}

void handleEscape() {
  switch (game.gameState) {
    case Logo:
    case Title: skipIntro(); break;
    case Menu: game.quitRequested = 1; break;
    default: game.gameState = Menu; break;  // Escape applies nothing and restores nothing
  }
}

// Full screen reads the mouse itself; a held left button repeats its action every frame.
void handleFullScreenMouse() {
  mouse_poll();
  game.pointerDrawn = game.gameState > Title;
  if (game.pointerDrawn) sprite_draw_blended(kSpritePointer, mouse_x(), mouse_y(), 255);
  if (mouse_button(1) || mouse_button(2)) HideFocus();
  if (mouse_button(1)) LeftButtonAction(mouse_x(), mouse_y(), ClickPath::FullScreen);
  if (mouse_button(2) && game.gameState == Playing) game.gameState = Menu;
}

void savePreferences() { SavePreferences(game.saveDir, game.prefs); }
}  // namespace

void AdvanceTimers() {
  if (game.gameState == Logo && ++game.frameCounter > 100) {
    game.gameState = Title;
    game.frameCounter = 0;
  }
  if (game.gameState == Title && ++game.frameCounter > 100) {
    game.gameState = Menu;
    game.frameCounter = 0;
  }
}

void HandleKeys() {
  keyboard_poll();
  if (key_released(kKeyS))
    TakeScreenshot(game.saveDir, static_cast<int>(game.screenWidth), static_cast<int>(game.screenHeight));
  if (key_released(kKeyM) && game.gameState != Settings) ToggleMusic(&game.prefs.musicOn);
  if (key_released(kKeyEscape)) handleEscape();
  if (key_released(kKeySpace)) skipIntro();
  // Return with Alt held is the full-screen switch's, not the keyboard focus's.
  const bool alt = key_down(kKeyLeftAlt) || key_down(kKeyRightAlt);
  if (key_released(kKeyF11) || (alt && key_released(kKeyReturn))) ToggleFullScreen();
  HandleFocusKeys();
}

void RunOnePass() {
  if (game.prefs.screenKind > ScreenFull) DrainWindowEvents();
  FollowWindowSize();
  screen_flip();
  if (screen_is_active()) {
    // Full screen back from another window or from minimised: the music plays on where it was
    // paused. (The window kinds resume it on their focus and restore events.)
    if (game.prefs.screenKind == ScreenFull) ResumeMusic();
    DrawFrame();
    if (game.prefs.screenKind == ScreenFull) handleFullScreenMouse();
    AdvanceTimers();
    if (game.selCount == 2) PairStep();
    HandleKeys();
  } else {
    PauseMusic();
    // Full screen left for another window: the frame it leaves on the screen shows no pointer of
    // the game's, which would stand still beside the desktop's own.
    if (game.pointerDrawn) DrawFrame();
    game.pointerDrawn = false;
    wait_ms(100);
    screen_flip();
  }
  // The desktop's close request to the full-screen window, the window gone, the session ending.
  if (platform_quit_requested()) game.quitRequested = 1;
}

void RunMainLoop() {
  // With the display gone, saving what the player changed is all that is left to do.
  platform_on_display_lost(savePreferences);
  // Asked to end while it was starting (a logout, Ctrl+C): it ends without showing a frame.
  if (platform_quit_requested()) game.quitRequested = 1;
  while (game.quitRequested != 1) RunOnePass();
  if (game.endedByError != 0) return;  // the screen could not be opened again: as at a failed start
  savePreferences();
  FadeOutMusic();
}
