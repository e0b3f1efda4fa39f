#include "game/main_loop.h"

#include "display/music.h"
#include "display/screen_setup.h"
#include "display/screenshot.h"
#include "game/board.h"
#include "game/clicks.h"
#include "game/frame_drawing.h"
#include "game/game_state.h"
#include "game/keyboard_focus.h"
#include "game/sprite_numbers.h"
#include "game/window_events.h"
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
  if (game.gameState > Title) sprite_draw_blended(kSpritePointer, mouse_x(), mouse_y(), 255);
  if (mouse_button(1) || mouse_button(2)) HideFocus();
  if (mouse_button(1)) LeftButtonAction(mouse_x(), mouse_y(), ClickPath::FullScreen);
  if (mouse_button(2) && game.gameState == Playing) game.gameState = Menu;
}
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
  HandleFocusKeys();
}

void RunOnePass() {
  if (game.prefs.screenKind > ScreenFull) DrainWindowEvents();
  screen_flip();
  if (screen_is_active()) {
    DrawFrame();
    if (game.prefs.screenKind == ScreenFull) handleFullScreenMouse();
    AdvanceTimers();
    if (game.selCount == 2) PairStep();
    HandleKeys();
  } else {
    // Only the window kinds' focus events resume paused music.
    if (sound_status(kMusicSound) == SoundPlaying) sound_pause(kMusicSound);
    wait_ms(100);
    screen_flip();
  }
}

void RunMainLoop() {
  do {
    RunOnePass();
  } while (game.quitRequested != 1);
  SavePreferences(game.saveDir, game.prefs);
  FadeOutMusic();
}
