// The process's connection to the X display, through GTK.
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/real/screen/screen.h"

namespace {
bool hasDisplay = false;

// GTK removes the options it knows from the array it is given: it gets a copy, so the caller's
// argv stays as the player typed it.
struct ArgumentsCopy {
  ArgumentsCopy(int argc, char** argv) : pointers(argv, argv + std::max(argc, 0)), count(std::max(argc, 0)) {
    pointers.push_back(nullptr);
    array = pointers.data();
  }
  std::vector<char*> pointers;
  int count;
  char** array;
};

// Before GTK reads its options or opens the display.
void prepare_gtk() {
  // The accessibility bridge is of no use to a full-screen card game and only slows start-up.
  setenv("NO_AT_BRIDGE", "1", 0);
  gdk_set_allowed_backends("x11");
}
}  // namespace

bool platform_has_display() { return hasDisplay; }

bool display_connect(int argc, char** argv) {
  prepare_gtk();
  ArgumentsCopy gtkArgs(argc, argv);
  hasDisplay = gtk_init_check(&gtkArgs.count, &gtkArgs.array) != FALSE;
  return hasDisplay;
}

std::vector<std::string> platform_program_parameters(int argc, char** argv) {
  // GTK takes its options without opening the display; gtk_init_check later opens the one they name.
  prepare_gtk();
  ArgumentsCopy gtkArgs(argc, argv);
  gtk_parse_args(&gtkArgs.count, &gtkArgs.array);
  std::vector<std::string> parameters;
  for (int i = 1; i < gtkArgs.count; ++i) {
    if (gtkArgs.array[i] != nullptr) {
      parameters.emplace_back(gtkArgs.array[i]);
    }
  }
  return parameters;
}

// GDK's window scale, one for the whole X display: the scale factor of every monitor.
int display_scale() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = hasDisplay && display != nullptr ? gdk_display_get_monitor_at_point(display, 0, 0) : nullptr;
  return monitor != nullptr ? std::max(gdk_monitor_get_scale_factor(monitor), 1) : 1;
}

bool screen_size_fits_window(int width, int height, int scale) {
  return width > 0 && height > 0 && width <= kMaxXWindowSide / scale && height <= kMaxXWindowSide / scale;
}
