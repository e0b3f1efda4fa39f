// The process's connection to the X display, through GTK.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <vector>

#include "platform/real/screen/screen.h"

namespace {
bool hasDisplay = false;
}

bool platform_has_display() { return hasDisplay; }

bool display_connect(int argc, char** argv) {
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
  return hasDisplay;
}
