// The size a window of the window kinds opens at: as asked, or where that is larger than the work
// area of its desktop (the monitor less the panels), the largest size of the same shape that fits
// there, its window manager's frame included, or room for one where the manager tells nothing of it.
#include <X11/Xatom.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/real/window/game_window.h"

namespace {

// Where a window manager tells nothing of its frame (i3 answers no request for it and publishes no
// work area either), room for the frame common desktops draw, in the screen's pixels: a title bar
// and borders.
constexpr GtkBorder kUntoldFrame{4, 4, 40, 4};

// The frame the window manager puts around the window, in the desktop's scaled pixels, rounded up
// as GTK sizes the window; asked before the window is shown: a window manager that keeps the EWMH
// sets it on the window (_NET_FRAME_EXTENTS) when asked, at once unless it is busy. Where one does
// not offer that or does not answer within half a second, kUntoldFrame; without one, none.
GtkBorder frame_extents(GdkWindow* window) {
  const long scale = gdk_window_get_scale_factor(window);
  const auto scaled = [scale](long side) { return static_cast<gint16>((side + scale - 1) / scale); };
  GdkScreen* screen = gdk_window_get_screen(window);
  GtkBorder frame{};
  if (g_strcmp0(gdk_x11_screen_get_window_manager_name(screen), "unknown") != 0) {
    frame = GtkBorder{scaled(kUntoldFrame.left), scaled(kUntoldFrame.right), scaled(kUntoldFrame.top),
                      scaled(kUntoldFrame.bottom)};
  }
  GdkDisplay* gdkDisplay = gdk_window_get_display(window);
  if (!gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_REQUEST_FRAME_EXTENTS"))) {
    return frame;
  }
  Display* display = gdk_x11_display_get_xdisplay(gdkDisplay);
  const Window xid = gdk_x11_window_get_xid(window);
  const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = xid;
  request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display);
  for (int attempt = 0; attempt < 100; ++attempt) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const bool read = XGetWindowProperty(display, xid, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                                         &after, &data) == Success;
    if (read && type == XA_CARDINAL && format == 32 && count == 4) {
      const auto* sides = reinterpret_cast<const long*>(data);  // in the screen's pixels
      frame = GtkBorder{scaled(sides[0]), scaled(sides[1]), scaled(sides[2]), scaled(sides[3])};
    }
    if (data != nullptr) {
      XFree(data);
    }
    if (read && type == XA_CARDINAL) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return frame;
}

// The work area of the monitor the window is centred on: the one under the pointer.
GdkRectangle work_area(GdkDisplay* display) {
  GdkRectangle area{};
  int x = 0;
  int y = 0;
  gdk_device_get_position(gdk_seat_get_pointer(gdk_display_get_default_seat(display)), nullptr, &x, &y);
  if (GdkMonitor* monitor = gdk_display_get_monitor_at_point(display, x, y)) {
    gdk_monitor_get_workarea(monitor, &area);
  }
  return area;
}

}  // namespace

void window_size_within_work_area(GtkWidget* toplevel, int* width, int* height) {
  const GdkRectangle area = work_area(gtk_widget_get_display(toplevel));
  const GtkBorder frame = frame_extents(gtk_widget_get_window(toplevel));
  const int roomWidth = area.width - frame.left - frame.right;
  const int roomHeight = area.height - frame.top - frame.bottom;
  size_within_room(roomWidth, roomHeight, width, height);
}

void size_within_room(int roomWidth, int roomHeight, int* width, int* height) {
  if (roomWidth <= 0 || roomHeight <= 0 || (*width <= roomWidth && *height <= roomHeight)) {
    return;
  }
  const double scale = std::min(double(roomWidth) / *width, double(roomHeight) / *height);
  *width = std::max(static_cast<int>(*width * scale), 1);
  *height = std::max(static_cast<int>(*height * scale), 1);
}
