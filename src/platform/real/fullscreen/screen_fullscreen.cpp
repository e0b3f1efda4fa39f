// Opening and closing the full-screen game screen: the video mode of exactly the requested size,
// a window covering it (managed when a window manager keeps windows full screen, override-redirect
// otherwise), GLX on that window, keyboard and pointer grabbed.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <gdk/gdk.h>

#include <chrono>
#include <thread>

#include "platform/platform.h"
#include "platform/real/fullscreen/fullscreen_window.h"
#include "platform/real/fullscreen/video_modes.h"
#include "platform/real/input/input.h"
#include "platform/real/screen/screen.h"
#include "platform/real/session/session.h"

FullscreenWindow gFullscreen;

namespace {

// The same display GTK uses (it may come from --display rather than $DISPLAY).
Display* open_own_connection() {
  GdkDisplay* gdkDisplay = gdk_display_get_default();
  return XOpenDisplay(gdkDisplay != nullptr ? gdk_display_get_name(gdkDisplay) : nullptr);
}

// The game draws its own pointer sprite in full screen; the system one is hidden.
Cursor make_blank_cursor(Display* display, Window window) {
  static const char kNoBits[1] = {0};
  const Pixmap empty = XCreateBitmapFromData(display, window, kNoBits, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
  XFreePixmap(display, empty);
  return cursor;
}

void wait_until_mapped(Display* display, Window window) {
  XEvent event{};
  do {
    XWindowEvent(display, window, StructureNotifyMask, &event);
  } while (event.type != MapNotify);
}

Window create_window(Display* display, XVisualInfo* visual, int width, int height, const std::string& title) {
  const Window root = RootWindow(display, visual->screen);
  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
  attributes.override_redirect = gFullscreen.managed ? False : True;
  attributes.background_pixel = BlackPixel(display, visual->screen);
  attributes.border_pixel = 0;
  // Its property changes carry the server time (server_time).
  attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | FocusChangeMask |
                          StructureNotifyMask | ExposureMask | VisibilityChangeMask | PropertyChangeMask;
  const Window window = XCreateWindow(display, root, 0, 0, static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), 0, visual->depth, InputOutput, visual->visual,
                                      CWColormap | CWOverrideRedirect | CWBackPixel | CWBorderPixel | CWEventMask,
                                      &attributes);
  gFullscreen.colormap = attributes.colormap;
  XStoreName(display, window, title.c_str());
  session_describe_window(display, window);
  // A compositor stands aside for it, managed or not: frames reach the screen without a copy.
  long bypass = 1;
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_BYPASS_COMPOSITOR", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(&bypass), 1);
  return window;
}

}  // namespace

void fullscreen_grab_input() {
  Display* display = gFullscreen.display;
  if (display == nullptr || gFullscreen.managed) {
    return;  // the window manager gives and takes the focus, and keeps its own keys and buttons
  }
  // Another client (a menu, a drag) may hold a grab for a moment: retry for up to two seconds.
  constexpr int attempts = 200;
  // Xwayland locks a confined pointer that has no cursor, and then moves it only by relative motion:
  // where the pointer is read by position it is not confined, so it stays where the player's is.
  const Window confineTo = gFullscreen.pointerByPosition ? None : gFullscreen.window;
  bool keyboard = false;
  bool pointer = false;
  for (int attempt = 0; attempt < attempts && !(keyboard && pointer); ++attempt) {
    if (!keyboard) {
      keyboard = XGrabKeyboard(display, gFullscreen.window, True, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                 GrabSuccess;
    }
    if (!pointer) {
      pointer = XGrabPointer(display, gFullscreen.window, True, ButtonPressMask | ButtonReleaseMask, GrabModeAsync,
                             GrabModeAsync, confineTo, gFullscreen.blankCursor, CurrentTime) == GrabSuccess;
    }
    if (!(keyboard && pointer) && attempt + 1 < attempts) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
}

void fullscreen_release_input() {
  if (gFullscreen.display != nullptr) {
    XUngrabPointer(gFullscreen.display, CurrentTime);
    XUngrabKeyboard(gFullscreen.display, CurrentTime);
    XFlush(gFullscreen.display);
  }
}

int screen_open_fullscreen(int width, int height, int depth, const std::string& title, int flipMode) {
  if (gScreen.kind != ScreenKind::Closed) {
    screen_close();
  }
  const int scale = desktop_density(0);
  if (!platform_has_display() || !screen_size_fits_window(width, height, scale)) {
    return 0;
  }
  Display* display = open_own_connection();
  if (display == nullptr) {
    return 0;
  }
  // The game's size in the screen's pixels: N times as many at a density of N (the desktop's scale,
  // or less on a desktop too small for it). The game is laid out at the desktop's size divided by N,
  // rounded down: where a side is no multiple of N (1280 at 3) the window still covers the screen,
  // the picture fitted in it.
  int screenWidth = width * scale;
  int screenHeight = height * scale;
  snap_to_x_screen(display, scale, &screenWidth, &screenHeight);
  XVisualInfo* visual = gl_choose_visual(display, DefaultScreen(display));
  if (visual == nullptr || !video_mode_switch(display, visual->screen, screenWidth, screenHeight)) {
    if (visual != nullptr) {
      XFree(visual);
    }
    XCloseDisplay(display);
    return 0;
  }
  gFullscreen.display = display;
  gFullscreen.managed = window_manager_offers_fullscreen(display, visual->screen);
  gFullscreen.pointerByPosition = x_server_is_xwayland(display);
  gFullscreen.window = create_window(display, visual, screenWidth, screenHeight, title);
  gFullscreen.blankCursor = make_blank_cursor(display, gFullscreen.window);
  XDefineCursor(display, gFullscreen.window, gFullscreen.blankCursor);
  if (gFullscreen.managed) {
    managed_fullscreen_describe(display, gFullscreen.window);
  }
  XMapRaised(display, gFullscreen.window);
  wait_until_mapped(display, gFullscreen.window);
  gFullscreen.mappedAt = std::chrono::steady_clock::now();
  // Held keys send no release/press pairs, so a held key is not "released" every repeat.
  XkbSetDetectableAutoRepeat(display, True, nullptr);
  if (gFullscreen.managed) {
    managed_fullscreen_enter(display, gFullscreen.window, screenWidth, screenHeight);
  } else {
    XSetInputFocus(display, gFullscreen.window, RevertToParent, CurrentTime);
    fullscreen_grab_input();
  }
  const bool started = gl_start(display, gFullscreen.window, visual, width, height, scale, flipMode);
  XFree(visual);
  if (!started) {
    fullscreen_close();
    return 0;
  }
  input_set_source(InputSource{fullscreen_process_events, fullscreen_read_pointer});
  screen_begin(ScreenKind::Fullscreen, width, height, fullscreen_close);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, gFullscreen.window, &attributes);
  fullscreen_window_resized(attributes.width, attributes.height);
  fullscreen_centre_pointer();
  XSync(display, False);
  return 1;
}

void fullscreen_close() {
  Display* display = gFullscreen.display;
  if (display == nullptr) {
    return;
  }
  fullscreen_release_input();
  if (!gFullscreen.destroyed) {
    XDestroyWindow(display, gFullscreen.window);
  }
  XFreeCursor(display, gFullscreen.blankCursor);
  XFreeColormap(display, gFullscreen.colormap);
  video_mode_restore();
  XSync(display, False);
  // A window destroyed under the game leaves its connection open to the end: closing it would have
  // the GL driver tear down the context given up with the window (screen_window_gone).
  if (!gFullscreen.destroyed) {
    XCloseDisplay(display);
  }
  gFullscreen = FullscreenWindow{};
}

unsigned long platform_fullscreen_window() { return gFullscreen.window; }
