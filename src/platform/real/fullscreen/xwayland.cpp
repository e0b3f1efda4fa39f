// Recognising Xwayland, the X server of a Wayland desktop. There a client's pointer warp does not
// move the pointer unless the compositor locks it, and nested mutter crashes on one.
#include <gdk/gdk.h>

#include <string_view>

#include "platform/real/fullscreen/fullscreen_window.h"

bool x_server_is_xwayland(Display* display) {
  int opcode = 0;
  int event = 0;
  int error = 0;
  if (XQueryExtension(display, "XWAYLAND", &opcode, &event, &error)) {
    return true;  // Xwayland 23.1 and later say so
  }
  // Earlier ones name their outputs XWAYLAND0, XWAYLAND1...; GDK reports them as the monitors' models.
  GdkDisplay* gdkDisplay = gdk_display_get_default();
  const int monitors = gdkDisplay != nullptr ? gdk_display_get_n_monitors(gdkDisplay) : 0;
  for (int i = 0; i < monitors; ++i) {
    const char* model = gdk_monitor_get_model(gdk_display_get_monitor(gdkDisplay, i));
    if (model != nullptr && std::string_view(model).starts_with("XWAYLAND")) {
      return true;
    }
  }
  return false;
}
