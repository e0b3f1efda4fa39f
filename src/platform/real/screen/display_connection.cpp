// The process's connection to the X display, through GTK.
#include <gtk/gtk.h>

#include <algorithm>
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
  return hasDisplay;
}

// GDK's window scale, one for the whole X display: the scale factor of every monitor.
int display_scale() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = hasDisplay && display != nullptr ? gdk_display_get_monitor_at_point(display, 0, 0) : nullptr;
  return monitor != nullptr ? std::max(gdk_monitor_get_scale_factor(monitor), 1) : 1;
}
