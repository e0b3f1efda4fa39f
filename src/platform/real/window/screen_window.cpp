// The windowed and borderless kinds: a GTK top-level window whose drawing area is a native X
// child window drawn with raw GLX (much faster under software GL than GtkGLArea).
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/real/screen/screen.h"
#include "platform/real/window/game_window.h"

namespace {

GameWindow windows[kMaxWindows];
GameWindow* screenWindow = nullptr;  // the window holding the open screen

GameWindow* open_window(int window) {
  GameWindow* found = game_window(window);
  return found != nullptr && found->toplevel != nullptr ? found : nullptr;
}

GameWindow* window_with_handle(uintptr_t handle) {
  for (GameWindow& window : windows) {
    if (window.toplevel != nullptr && gtk_widget_get_realized(window.toplevel) &&
        gdk_x11_window_get_xid(gtk_widget_get_window(window.toplevel)) == handle) {
      return &window;
    }
  }
  return nullptr;
}

// A window of the windowed style takes any size from the smallest up; a borderless one keeps its own.
bool takes_any_size(const GameWindow& window) { return gtk_window_get_resizable(GTK_WINDOW(window.toplevel)) != FALSE; }

// The size the window manager gave the window, from its last configure event; before the first, the
// size it opened at. (Just shown, GTK's allocation is still its own guess, 200x200.)
void follow_window_size(GameWindow& window) {
  if (window.configured && window.lastFrame.width > 1 && window.lastFrame.height > 1) {
    window.width = window.lastFrame.width;
    window.height = window.lastFrame.height;
  }
}

// A drawing area with its own X window of the GL visual, painted only by us, asking for at least
// width x height.
GtkWidget* make_gl_drawing_area(XVisualInfo* visual, int width, int height) {
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, width, height);
  GdkVisual* gdkVisual = gdk_x11_screen_lookup_visual(gdk_screen_get_default(), visual->visualid);
  if (gdkVisual != nullptr) {
    gtk_widget_set_visual(area, gdkVisual);
  }
  gtk_widget_set_app_paintable(area, TRUE);
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  gtk_widget_set_double_buffered(area, FALSE);
  G_GNUC_END_IGNORE_DEPRECATIONS
  gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                  GDK_EXPOSURE_MASK);
  return area;
}

}  // namespace

GameWindow* game_window(int window) { return window >= 0 && window < kMaxWindows ? &windows[window] : nullptr; }

int window_open(int window, int x, int y, int width, int height, const std::string& title, int style) {
  GameWindow* slot = game_window(window);
  // GTK sizes windows in the desktop's scaled pixels, as the game sizes its screen.
  if (slot == nullptr || !platform_has_display() || !screen_size_fits_window(width, height, display_scale()) ||
      (style != WindowStyleWindowed && style != WindowStyleBorderless)) {
    return 0;
  }
  if (slot->toplevel != nullptr) {
    window_close(window);
  }
  GtkWidget* toplevel = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* gtkWindow = GTK_WINDOW(toplevel);
  gtk_window_set_title(gtkWindow, title.c_str());
  // The windowed style takes any size (the game lays itself out anew at it); a borderless window is
  // not resizable: GTK gives the window manager equal minimum and maximum sizes.
  gtk_window_set_resizable(gtkWindow, style == WindowStyleWindowed);
  gtk_window_set_decorated(gtkWindow, style == WindowStyleWindowed);
  gtk_window_set_position(gtkWindow, GTK_WIN_POS_CENTER);
  if (style == WindowStyleBorderless) {
    // Desktop full screen, as games have it: asked of the window manager, which then keeps it at
    // (0, 0) above its panels instead of placing it below a top panel with its bottom off the
    // screen. Where one does not honour that, it is centred at the desktop's size: at (0, 0).
    gtk_window_fullscreen(gtkWindow);
  }
  // Realised but not shown: the game shows it once its first frame can be drawn.
  gtk_widget_realize(toplevel);
  // A framed window is kept inside the work area; a borderless one has the desktop's size and covers
  // it, panels included, as full screen does: the game's size times the desktop's density, which on
  // a desktop too small for its scale is less than the game's size in the scaled pixels.
  if (style == WindowStyleWindowed) {
    window_size_within_work_area(toplevel, &width, &height);
  } else {
    const int density = desktop_density(0);
    const int scale = display_scale();
    width = (width * density + scale - 1) / scale;
    height = (height * density + scale - 1) / scale;
  }
  gtk_window_set_default_size(gtkWindow, width, height);
  if (style == WindowStyleWindowed) {
    gtk_widget_set_size_request(toplevel, std::min(width, kWindowMinWidth), std::min(height, kWindowMinHeight));
  } else {
    gtk_widget_set_size_request(toplevel, width, height);
  }
  slot->toplevel = toplevel;
  slot->width = width;
  slot->height = height;
  slot->lastFrame = GdkRectangle{-1, -1, width, height};
  slot->configured = false;
  window_events_connect_toplevel(*slot);
  g_signal_connect(toplevel, "destroy", G_CALLBACK(gtk_widget_destroyed), &slot->toplevel);
  return 1;
}

uintptr_t window_handle(int window) {
  const GameWindow* found = open_window(window);
  if (found == nullptr || !gtk_widget_get_realized(found->toplevel)) {
    return 0;
  }
  return gdk_x11_window_get_xid(gtk_widget_get_window(found->toplevel));
}

int screen_open_in_window(uintptr_t windowHandle, int x, int y, int width, int height, int autoStretch,
                          int rightOffset, int bottomOffset, int flipMode) {
  if (gScreen.kind != ScreenKind::Closed) {
    screen_close();
  }
  GameWindow* window = window_with_handle(windowHandle);
  const int scale = display_scale();
  if (window == nullptr || !screen_size_fits_window(width, height, scale)) {
    return 0;
  }
  GdkDisplay* gdkDisplay = gtk_widget_get_display(window->toplevel);
  Display* display = gdk_x11_display_get_xdisplay(gdkDisplay);
  XVisualInfo* visual = gl_choose_visual(display, gdk_x11_screen_get_screen_number(gdk_screen_get_default()));
  if (visual == nullptr) {
    return 0;
  }
  // The area fills the window, which may be smaller than the screen (kept inside the work area, or
  // resized since it opened).
  follow_window_size(*window);
  GtkWidget* area = takes_any_size(*window)
                        ? make_gl_drawing_area(visual, std::min(window->width, kWindowMinWidth),
                                               std::min(window->height, kWindowMinHeight))
                        : make_gl_drawing_area(visual, window->width, window->height);
  window_events_connect_drawing_area(area);
  gtk_container_add(GTK_CONTAINER(window->toplevel), area);
  gtk_widget_realize(area);
  // Asking for the X id makes the area's GdkWindow a native child window.
  GdkWindow* areaWindow = gtk_widget_get_window(area);
  const Window drawable = gdk_x11_window_get_xid(areaWindow);
  // GTK sizes the area only when the window is shown; GL sizes its buffers from the X window now.
  gdk_window_move_resize(areaWindow, 0, 0, window->width, window->height);
  XSync(display, False);
  const bool started = gl_start(display, drawable, visual, width, height, scale, flipMode);
  XFree(visual);
  if (!started) {
    gtk_widget_destroy(area);
    return 0;
  }
  window->drawingArea = area;
  screenWindow = window;
  screen_begin(ScreenKind::InWindow, width, height, window_screen_closed);
  gl_fit_to_window(window->width * gScreen.scale, window->height * gScreen.scale);
  return 1;
}

void window_screen_closed() {
  if (screenWindow != nullptr && screenWindow->drawingArea != nullptr) {
    gtk_widget_destroy(screenWindow->drawingArea);
    screenWindow->drawingArea = nullptr;
  }
  screenWindow = nullptr;
}

int window_size(int window, int* width, int* height) {
  GameWindow* found = open_window(window);
  if (found != nullptr) {
    follow_window_size(*found);
  }
  *width = found != nullptr ? found->width : 0;
  *height = found != nullptr ? found->height : 0;
  return found != nullptr ? 1 : 0;
}

void window_show(int window) {
  if (GameWindow* found = open_window(window)) {
    gtk_widget_show_all(found->toplevel);
  }
}

void window_activate(int window) {
  if (GameWindow* found = open_window(window)) {
    gtk_window_present(GTK_WINDOW(found->toplevel));
  }
}

void window_minimize(int window) {
  if (GameWindow* found = open_window(window)) {
    gtk_window_iconify(GTK_WINDOW(found->toplevel));
  }
}

void window_close(int window) {
  GameWindow* found = open_window(window);
  if (found == nullptr) {
    return;
  }
  if (screenWindow == found) {
    screen_close();
  }
  gtk_widget_destroy(found->toplevel);
  *found = GameWindow{};
  // Let the window system take the window down; bounded, a busy event source must not hold us.
  for (int round = 0; round < 100 && gtk_events_pending(); ++round) {
    gtk_main_iteration_do(FALSE);
  }
  window_events_clear();
}

void windows_close_all() {
  for (int window = 0; window < kMaxWindows; ++window) {
    window_close(window);
  }
}

// The game pixel under the pointer: the pointer on the window's drawing area, through the fit of
// the picture to it; false when the window has no screen.
static bool pointer_on_picture(int window, int* x, int* y) {
  const GameWindow* found = open_window(window);
  if (found == nullptr || found->drawingArea == nullptr) {
    return false;
  }
  GdkWindow* area = gtk_widget_get_window(found->drawingArea);
  GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(area));
  double areaX = 0;
  double areaY = 0;
  gdk_window_get_device_position_double(area, gdk_seat_get_pointer(seat), &areaX, &areaY, nullptr);
  const int scale = gdk_window_get_scale_factor(area);  // GDK's scaled pixels to the window's own
  gl_window_to_game(areaX * scale, areaY * scale, x, y);
  return true;
}

int window_mouse_x(int window) {
  int x = 0;
  int y = 0;
  return pointer_on_picture(window, &x, &y) && x >= 0 && x < gScreen.width ? x : -1;
}

int window_mouse_y(int window) {
  int x = 0;
  int y = 0;
  return pointer_on_picture(window, &x, &y) && y >= 0 && y < gScreen.height ? y : -1;
}

unsigned long platform_drawing_area_window() {
  const GameWindow* window = game_window(0);
  if (window == nullptr || window->drawingArea == nullptr) {
    return 0;
  }
  return gdk_x11_window_get_xid(gtk_widget_get_window(window->drawingArea));
}
