// Monitor sizes, for choosing the screen size at start-up and for the log.
#include <gdk/gdk.h>

#include "platform/platform.h"
#include "platform/real/screen/screen.h"

namespace {

// Desktop 0 is the monitor holding the point (0, 0); the others follow in GDK's order.
GdkMonitor* desktop_monitor(int desktop) {
  GdkDisplay* display = gdk_display_get_default();
  if (!platform_has_display() || display == nullptr || desktop < 0) {
    return nullptr;
  }
  GdkMonitor* first = gdk_display_get_monitor_at_point(display, 0, 0);
  if (desktop == 0) {
    return first;
  }
  const int count = gdk_display_get_n_monitors(display);
  int seen = 0;
  for (int i = 0; i < count; ++i) {
    GdkMonitor* monitor = gdk_display_get_monitor(display, i);
    if (monitor != first && ++seen == desktop) {
      return monitor;
    }
  }
  return nullptr;
}

}  // namespace

int desktop_size(int desktop, int* width, int* height) {
  GdkMonitor* monitor = desktop_monitor(desktop);
  GdkRectangle area{};
  if (monitor != nullptr) {
    gdk_monitor_get_geometry(monitor, &area);
  }
  if (width != nullptr) {
    *width = area.width;
  }
  if (height != nullptr) {
    *height = area.height;
  }
  return monitor != nullptr && area.width > 0 ? 1 : 0;
}

int desktop_count() {
  GdkDisplay* display = gdk_display_get_default();
  return platform_has_display() && display != nullptr ? gdk_display_get_n_monitors(display) : 0;
}
