// The full-screen window on a desktop with an EWMH window manager: a managed window asked into
// full screen and activated, which Wayland compositors (through Xwayland) and X window managers
// alike give the keyboard focus. An override-redirect window gets none from weston or sway.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "platform/real/fullscreen/fullscreen_window.h"

namespace {

Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

bool gPropertyReadFailed = false;
int note_property_error(Display*, XErrorEvent*) { return (gPropertyReadFailed = true), 0; }

// The 32-bit items of a window's property; empty when it has none or the window has gone (a window
// manager that died leaves its check window id behind).
std::vector<unsigned long> property_items(Display* display, Window window, const char* name, Atom type) {
  XSync(display, False);
  gPropertyReadFailed = false;
  const XErrorHandler previous = XSetErrorHandler(note_property_error);
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, window, atom(display, name), 0, 1024, False, type, &actualType,
                                        &format, &count, &after, &data);
  XSync(display, False);
  XSetErrorHandler(previous);
  std::vector<unsigned long> items;
  if (status == Success && !gPropertyReadFailed && data != nullptr && format == 32) {
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    items.assign(values, values + count);
  }
  if (data != nullptr) {
    XFree(data);
  }
  return items;
}

void send_to_window_manager(Display* display, Window window, const char* type, long first, long second) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atom(display, type);
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = second;
  event.xclient.data.l[3] = 1;  // _NET_WM_STATE: asked by a normal application
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

Bool is_title_change(Display*, XEvent* e, XPointer window) {
  return e->type == PropertyNotify && e->xproperty.window == *reinterpret_cast<Window*>(window) &&
         e->xproperty.atom == XA_WM_NAME ? True : False;
}

}  // namespace

// Window managers refuse activations that come without a real timestamp, or with one older than the
// user's last action. The title's earlier changes (its setting, earlier reads) are dropped first:
// their times are old.
Time server_time(Display* display, Window window) {
  XEvent event{};
  XSync(display, False);
  while (XCheckIfEvent(display, &event, is_title_change, reinterpret_cast<XPointer>(&window))) {
  }
  XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XIfEvent(display, &event, is_title_change, reinterpret_cast<XPointer>(&window));
  return event.xproperty.time;
}

bool window_manager_offers_fullscreen(Display* display, int screen) {
  const Window root = RootWindow(display, screen);
  const std::vector<unsigned long> check = property_items(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  if (check.size() != 1 || property_items(display, check[0], "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) != check) {
    return false;
  }
  return std::ranges::count(property_items(display, root, "_NET_SUPPORTED", XA_ATOM),
                            atom(display, "_NET_WM_STATE_FULLSCREEN")) > 0;
}

void managed_fullscreen_describe(Display* display, Window window) {
  Atom fullscreen = atom(display, "_NET_WM_STATE_FULLSCREEN");
  XChangeProperty(display, window, atom(display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&fullscreen), 1);
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(display, window, &hints);
}

void managed_fullscreen_enter(Display* display, Window window, int width, int height) {
  constexpr long kAdd = 1;
  send_to_window_manager(display, window, "_NET_WM_STATE", kAdd, static_cast<long>(atom(display, "_NET_WM_STATE_FULLSCREEN")));
  fullscreen_ask_for_focus();
  // The window manager may place the window first and resize it after: up to two seconds for that.
  XWindowAttributes attributes{};
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (XGetWindowAttributes(display, window, &attributes) && attributes.width == width && attributes.height == height) {
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void fullscreen_ask_for_focus() {
  Display* display = gFullscreen.display;
  const Window window = gFullscreen.window;
  if (gFullscreen.managed) {
    constexpr long kFromApplication = 1;
    send_to_window_manager(display, window, "_NET_ACTIVE_WINDOW", kFromApplication,
                           static_cast<long>(server_time(display, window)));
  }
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XRaiseWindow(display, window);
  XFlush(display);
}
