// The game screen's life cycle and pacing, common to full screen and the window kinds.
#include <chrono>
#include <thread>

#include "platform/platform.h"
#include "platform/real/fullscreen.h"
#include "platform/real/game_window.h"
#include "platform/real/gl_renderer.h"
#include "platform/real/input_state.h"
#include "platform/real/screen_state.h"
#include "platform/real/sprite_store.h"
#include "platform/real/video_modes.h"

ScreenState gScreen;

namespace {

int64_t now_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void screen_begin(ScreenKind kind, int width, int height) {
  gScreen.kind = kind;
  gScreen.width = width;
  gScreen.height = height;
  gScreen.active = true;
  gScreen.opacityInUse = -1;
  gScreen.lastFlipEndMs = now_ms();
  input_clamp_mouse(width, height);
}

void screen_set_frame_rate(int fps) { gScreen.frameLimitMs = fps > 0 ? 1000 / fps : 0; }

int screen_flip() {
  gl_swap();
  fullscreen_process_events();
  if (gScreen.frameLimitMs > 0) {
    for (int64_t elapsed = now_ms() - gScreen.lastFlipEndMs; elapsed <= gScreen.frameLimitMs;
         elapsed = now_ms() - gScreen.lastFlipEndMs) {
      std::this_thread::sleep_for(std::chrono::milliseconds(gScreen.frameLimitMs + 1 - elapsed));
    }
  }
  gScreen.lastFlipEndMs = now_ms();
  return 1;
}

int screen_is_active() { return gScreen.kind != ScreenKind::Closed && gScreen.active ? 1 : 0; }

void screen_close() {
  sprites_release_all();
  gl_stop();
  if (gScreen.kind == ScreenKind::Fullscreen) {
    fullscreen_close();
  } else if (gScreen.kind == ScreenKind::InWindow) {
    window_screen_closed();
  }
  video_mode_restore();
  gScreen.kind = ScreenKind::Closed;
  gScreen.width = gScreen.height = 0;
  gScreen.active = false;
}
