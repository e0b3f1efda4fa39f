// Start and end of the process's use of the display libraries.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <malloc.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/real/game_window.h"
#include "platform/real/real_internal.h"
#include "platform/real/screen_state.h"
#include "platform/real/video_modes.h"

namespace {
bool hasDisplay = false;
}

bool platform_has_display() { return hasDisplay; }

void platform_init(int argc, char** argv) {
  // Pictures are decoded on one thread and freed on another. A fixed threshold keeps every buffer of
  // 4 MB or more (a decoded screen-sized picture, the music) in its own mapping, given back when
  // freed; left to itself the allocator raises the threshold after the first such free and keeps the
  // later ones in its heaps, so the resident memory only grows. Smaller buffers are reused from the
  // heaps, which spares the kernel faulting in fresh pages for each.
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
  // The accessibility bridge is of no use to a full-screen card game and only slows start-up.
  setenv("NO_AT_BRIDGE", "1", 0);
  gdk_set_allowed_backends("x11");
  // GTK removes the options it knows from the array it is given: it gets a copy, so the
  // caller's argv stays as the player typed it.
  std::vector<char*> gtkArgs(argv, argv + (argc > 0 ? argc : 0));
  gtkArgs.push_back(nullptr);
  int gtkArgc = argc > 0 ? argc : 0;
  char** gtkArgv = gtkArgs.data();
  hasDisplay = gtk_init_check(&gtkArgc, &gtkArgv) != FALSE;
  if (hasDisplay) {
    // Screen sizes and GL pixels are device pixels: no desktop scaling of our windows.
    gdk_x11_display_set_window_scale(gdk_display_get_default(), 1);
  }
}

void platform_shutdown() {
  picture_decode_ahead_stop();
  if (gScreen.kind != ScreenKind::Closed) {
    screen_close();
  }
  if (hasDisplay) {
    windows_close_all();
  }
  video_mode_restore();
  sound_shutdown();
}

void wait_ms(int ms) {
  if (ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}
