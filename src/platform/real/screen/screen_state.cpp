// The game screen's life cycle and pacing, common to full screen and the window kinds.
#include <chrono>
#include <thread>

#include "platform/platform.h"
#include "platform/real/input/input.h"
#include "platform/real/screen/screen.h"
#include "platform/real/session/session.h"

ScreenState gScreen;

namespace {

int64_t now_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void screen_begin(ScreenKind kind, int width, int height, void (*closeKind)()) {
  gScreen.kind = kind;
  gScreen.width = width;
  gScreen.height = height;
  gScreen.active = true;
  gScreen.closeKind = closeKind;
  gScreen.lastFlipEndMs = now_ms();
  input_clamp_mouse(width, height);
}

void screen_listen(const ScreenListener& listener) { gScreen.listener = listener; }

void screen_damaged() {
  if (gScreen.listener.damaged != nullptr) {
    gScreen.listener.damaged();
  }
}

void screen_window_gone() {
  gl_abandon();
  gScreen.active = false;
}

void screen_set_frame_rate(int fps) { gScreen.frameLimitMs = fps > 0 ? 1000 / fps : 0; }

int screen_flip() {
  gl_swap();
  if (platform_frames_presented() > 0) {
    session_startup_complete();
  }
  input_take_events();
  // The desktop rests only while the game is away.
  session_hold_screensaver(gScreen.active);
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
  if (gScreen.listener.closing != nullptr) {
    gScreen.listener.closing();
  }
  gl_stop();
  if (gScreen.closeKind != nullptr) {
    gScreen.closeKind();
    gScreen.closeKind = nullptr;
  }
  gScreen.kind = ScreenKind::Closed;
  gScreen.width = gScreen.height = 0;
  gScreen.scale = 1;
  gScreen.active = false;
  session_hold_screensaver(false);
}
