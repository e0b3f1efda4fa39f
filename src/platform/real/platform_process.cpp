// Start and end of the real platform in the process. The platform is in rooms, one per service,
// each behind one door header and using only the rooms below it:
//   pictures/    images, PNG, pictures decoded ahead                     (no other room)
//   sound/       audio device, mixer, music stream                      (no other room)
//   input/       key, button and mouse states                           (no other room)
//   text/        words rendered onto images                             pictures
//   session/     quit requests, the game's identity, the screensaver     pictures
//   screen/      the game screen's state, GL context, pace, display     input, session
//   fullscreen/  the full-screen X window, video modes, window managers screen, input, session
//   window/      the GTK windows of the window kinds and their events   screen, input, session
//   draw/        sprites, drawing, the frame copy, screen reads         screen, pictures
// Each room's state lives in the file its door names; the state every room may read is the
// screen's gScreen. This file and the message box sit above them all.
#include <malloc.h>

#include <chrono>
#include <thread>

#include "platform/platform.h"
#include "platform/real/fullscreen/fullscreen.h"
#include "platform/real/pictures/pictures.h"
#include "platform/real/screen/screen.h"
#include "platform/real/session/session.h"
#include "platform/real/sound/sound.h"
#include "platform/real/window/window.h"

void platform_init(int argc, char** argv) {
  // Pictures are decoded on one thread and freed on another. A fixed threshold keeps every buffer of
  // 4 MB or more (a decoded screen-sized picture, the music) in its own mapping, given back when
  // freed; left to itself the allocator raises the threshold after the first such free and keeps the
  // later ones in its heaps, so the resident memory only grows. Smaller buffers are reused from the
  // heaps, which spares the kernel faulting in fresh pages for each.
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
  session_start();
  if (display_connect(argc, argv)) {
    session_display_opened();
  }
  pictures_set_density(display_scale());
}

void platform_shutdown() {
  picture_decode_ahead_stop();
  if (gScreen.kind != ScreenKind::Closed) {
    screen_close();
  }
  if (platform_has_display()) {
    windows_close_all();
  }
  video_mode_restore();
  session_end();
  sound_shutdown();
}

void wait_ms(int ms) {
  if (ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

int64_t platform_clock_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
