// Monitor sizes, for choosing the screen size at start-up and for the log: in game pixels, the
// monitor's pixels divided by the density full screen has there.
#include <gdk/gdkx.h>

#include "platform/layout_density.h"
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

// The monitor in the screen's pixels. GDK gives it divided by the desktop's scale, rounded down; a
// monitor that is the whole X screen (the one monitor of most desktops) has the screen's exact size.
GdkRectangle monitor_pixels(GdkMonitor* monitor) {
  GdkRectangle area{};
  gdk_monitor_get_geometry(monitor, &area);
  const int scale = display_scale();
  area = GdkRectangle{area.x * scale, area.y * scale, area.width * scale, area.height * scale};
  if (area.x == 0 && area.y == 0) {
    snap_to_x_screen(gdk_x11_display_get_xdisplay(gdk_monitor_get_display(monitor)), scale, &area.width, &area.height);
  }
  return area;
}

}  // namespace

void snap_to_x_screen(Display* display, int scale, int* width, int* height) {
  const int screenWidth = DisplayWidth(display, DefaultScreen(display));
  const int screenHeight = DisplayHeight(display, DefaultScreen(display));
  if (screenWidth - *width >= 0 && screenWidth - *width < scale && screenHeight - *height >= 0 &&
      screenHeight - *height < scale) {
    *width = screenWidth;
    *height = screenHeight;
  }
}

int desktop_density(int desktop) {
  GdkMonitor* monitor = desktop_monitor(desktop);
  if (monitor == nullptr) {
    return display_scale();
  }
  const GdkRectangle area = monitor_pixels(monitor);
  return layout_density(area.width, area.height, display_scale());
}

int desktop_size(int desktop, int* width, int* height) {
  GdkMonitor* monitor = desktop_monitor(desktop);
  GdkRectangle area{};
  if (monitor != nullptr) {
    area = monitor_pixels(monitor);
    const int density = layout_density(area.width, area.height, display_scale());
    area.width /= density;
    area.height /= density;
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
