// Who the game is, to the desktop. A taskbar or a dock matches a window to the game's desktop entry
// by the window's class (the entry's StartupWMClass), shows the icon the window carries, and offers
// to end a game that stopped answering its pings by its process id on its machine; a launcher shows
// a busy pointer from the game's start until the game says it is up (startup notification). GTK
// does all of that for its own windows once told the names and the icon; the full-screen window,
// made with Xlib, gets the same properties here.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/real/pictures/pictures.h"
#include "platform/real/session/session.h"
#include "platform/real/session/session_parts.h"
#include "platform/real/session/window_icons.h"

namespace {

std::string startupId;  // the launcher's DESKTOP_STARTUP_ID; GTK takes it out of the environment
bool startupCompleted = false;
std::vector<RgbaImage> icons;           // each size built into the program
std::vector<unsigned long> iconProperty;  // _NET_WM_ICON: per size its width, height, ARGB pixels

Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

void decode_icons() {
  for (size_t i = 0; i < kWindowIconCount; ++i) {
    RgbaImage icon;
    bool hasAlpha = false;
    if (!png_decode_rgba(kWindowIconPngs[i], kWindowIconPngSizes[i], &icon, &hasAlpha)) {
      continue;
    }
    iconProperty.push_back(static_cast<unsigned long>(icon.width));
    iconProperty.push_back(static_cast<unsigned long>(icon.height));
    for (size_t at = 0; at < icon.pixels.size(); at += 4) {
      const uint8_t* p = &icon.pixels[at];
      iconProperty.push_back(static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2]);
    }
    icons.push_back(std::move(icon));
  }
}

// GTK puts the list on every window it makes from now on, message boxes included.
void give_gtk_windows_the_icon() {
  GList* list = nullptr;
  for (const RgbaImage& icon : icons) {
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, icon.width, icon.height);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    guchar* rows = gdk_pixbuf_get_pixels(pixbuf);
    for (int y = 0; y < icon.height; ++y) {
      std::memcpy(rows + static_cast<size_t>(y) * stride, &icon.pixels[static_cast<size_t>(y) * icon.width * 4],
                  static_cast<size_t>(icon.width) * 4);
    }
    list = g_list_append(list, pixbuf);
  }
  gtk_window_set_default_icon_list(list);
  g_list_free_full(list, g_object_unref);
}

void set_client_machine(Display* display, Window window) {
  char host[HOST_NAME_MAX + 1] = {};
  if (gethostname(host, sizeof host - 1) != 0) {
    return;
  }
  char* names[] = {host};
  XTextProperty text{};
  if (XStringListToTextProperty(names, 1, &text) != 0) {
    XSetWMClientMachine(display, window, &text);
    XFree(text.value);
  }
}

}  // namespace

void session_start() {
  session_watch_signals();
  if (const char* id = std::getenv("DESKTOP_STARTUP_ID")) {
    startupId = id;
  }
  g_set_prgname(kWindowInstanceName);
}

void session_display_opened() {
  session_watch_display();
  gdk_set_program_class(kWindowClassName);
  // The launcher hears that the game is up at its first frame, not when a window is mapped.
  gtk_window_set_auto_startup_notification(FALSE);
  if (iconProperty.empty()) {  // (the platform tests start the platform again and again)
    decode_icons();
    give_gtk_windows_the_icon();
  }
}

void session_end() {
  session_startup_complete();
  screensaver_release_for_good();
}

void session_describe_window(Display* display, Window window) {
  char instance[sizeof kWindowInstanceName];
  char className[sizeof kWindowClassName];
  std::memcpy(instance, kWindowInstanceName, sizeof instance);
  std::memcpy(className, kWindowClassName, sizeof className);
  XClassHint classHint{instance, className};
  XSetClassHint(display, window, &classHint);
  Atom protocols[] = {atom(display, "WM_DELETE_WINDOW"), atom(display, "_NET_WM_PING")};
  XSetWMProtocols(display, window, protocols, 2);
  const long pid = getpid();
  XChangeProperty(display, window, atom(display, "_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  set_client_machine(display, window);
  if (!iconProperty.empty()) {
    XChangeProperty(display, window, atom(display, "_NET_WM_ICON"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(iconProperty.data()), static_cast<int>(iconProperty.size()));
  }
  if (!startupId.empty()) {
    XChangeProperty(display, window, atom(display, "_NET_STARTUP_ID"), atom(display, "UTF8_STRING"), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(startupId.data()),
                    static_cast<int>(startupId.size()));
  }
}

bool session_protocol_message(const XClientMessageEvent& message) {
  Display* display = message.display;
  if (message.message_type != atom(display, "WM_PROTOCOLS") || message.format != 32) {
    return false;
  }
  const auto protocol = static_cast<Atom>(message.data.l[0]);
  if (protocol == atom(display, "WM_DELETE_WINDOW")) {
    session_request_quit();
    return true;
  }
  if (protocol != atom(display, "_NET_WM_PING")) {
    return false;
  }
  // The answer is the ping itself, sent back to the root window (the game's windows are on the
  // default screen).
  const Window root = DefaultRootWindow(display);
  XEvent pong{};
  pong.xclient = message;
  pong.xclient.window = root;
  XSendEvent(display, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &pong);
  XFlush(display);
  return true;
}

void session_startup_complete() {
  if (startupCompleted) {
    return;
  }
  startupCompleted = true;
  if (gdk_display_get_default() != nullptr) {
    gdk_notify_startup_complete();  // the "remove" message for the id GTK took at its start
  }
}
