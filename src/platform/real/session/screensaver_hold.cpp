// While the game is shown and has the focus the desktop neither blanks the screen nor starts its
// screensaver, as games on SDL have it. Two holds: the X server's own saver and its power saving,
// suspended for as long as this client asks (MIT-SCREEN-SAVER); and the desktop's screensaver
// service on the session bus (org.freedesktop.ScreenSaver, which GNOME, KDE and XFCE answer, also
// under Wayland, where the X server's saver blanks nothing), asked where the bus has that name.
// Both go as soon as the game is minimised, loses the focus or ends.
//
// The bus is spoken to without waiting: its answers come through a main context of our own, run
// at each flip, so a slow or absent service never holds up a frame.
#include <X11/extensions/scrnsaver.h>
#include <gdk/gdkx.h>
#include <gio/gio.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/real/session/session.h"
#include "platform/real/session/session_parts.h"

namespace {

bool held = false;  // what was last asked of both

// ---- the X server's saver. Its suspension counts the client's requests: one for each change.

void hold_x_saver(bool hold) {
  GdkDisplay* gdkDisplay = gdk_display_get_default();
  if (gdkDisplay == nullptr) {
    return;
  }
  Display* display = gdk_x11_display_get_xdisplay(gdkDisplay);
  static const bool available = [display] {
    int eventBase = 0;
    int errorBase = 0;
    return XScreenSaverQueryExtension(display, &eventBase, &errorBase) != 0;
  }();
  if (available) {
    XScreenSaverSuspend(display, hold ? True : False);
    XFlush(display);
  }
}

// ---- the desktop's screensaver service

constexpr char kService[] = "org.freedesktop.ScreenSaver";
constexpr char kPath[] = "/org/freedesktop/ScreenSaver";
constexpr int kCallTimeoutMs = 500;

struct BusHold {
  GMainContext* context = nullptr;  // where the answers arrive
  GDBusConnection* bus = nullptr;
  bool connecting = false;
  bool unavailable = false;  // no session bus, or no screensaver service on it: never asked again
  bool calling = false;      // an Inhibit or UnInhibit on its way
  bool inhibited = false;
  guint32 cookie = 0;        // the service's number for our inhibition
};
BusHold bus;

// The session bus the desktop runs, never one started for us: GIO would launch a bus of its own
// where none is known.
std::string session_bus_address() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (address != nullptr && *address != '\0') {
    return address;
  }
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat socket {};
  if (runtime == nullptr || *runtime == '\0' || stat((std::string(runtime) + "/bus").c_str(), &socket) != 0 ||
      !S_ISSOCK(socket.st_mode)) {
    return "";
  }
  gchar* escaped = g_dbus_address_escape_value((std::string(runtime) + "/bus").c_str());
  std::string found = std::string("unix:path=") + escaped;
  g_free(escaped);
  return found;
}

void on_connected(GObject*, GAsyncResult* result, gpointer) {
  bus.connecting = false;
  bus.bus = g_dbus_connection_new_for_address_finish(result, nullptr);
  bus.unavailable = bus.bus == nullptr;
}

void on_answer(GObject* source, GAsyncResult* result, gpointer inhibiting) {
  bus.calling = false;
  GVariant* answer = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
  if (answer == nullptr) {
    bus.unavailable = true;  // nobody there answers as the screensaver
    bus.inhibited = false;
    return;
  }
  if (inhibiting != nullptr) {
    g_variant_get(answer, "(u)", &bus.cookie);
  }
  bus.inhibited = inhibiting != nullptr;
  g_variant_unref(answer);
}

// Calls made while our context is the thread's default answer through it.
struct OurContext {
  OurContext() { g_main_context_push_thread_default(bus.context); }
  ~OurContext() { g_main_context_pop_thread_default(bus.context); }
};

void start_connecting() {
  const std::string address = session_bus_address();
  if (address.empty()) {
    bus.unavailable = true;
    return;
  }
  bus.context = g_main_context_new();
  bus.connecting = true;
  const OurContext ours;
  g_dbus_connection_new_for_address(
      address.c_str(),
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, on_connected, nullptr);
}

void call(const char* method, GVariant* parameters, bool inhibiting) {
  bus.calling = true;
  const OurContext ours;
  // No auto-start: only a service the desktop runs already is asked.
  g_dbus_connection_call(bus.bus, kService, kPath, kService, method, parameters, nullptr,
                         G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, on_answer,
                         inhibiting ? &bus : nullptr);
}

// Brings the service's hold to `hold`, one step per call; the answers of earlier steps are taken
// first (only while one is awaited: a frame with nothing on its way asks nothing of the context).
void follow_on_bus(bool hold) {
  if (bus.context != nullptr && (bus.connecting || bus.calling)) {
    while (g_main_context_iteration(bus.context, FALSE)) {
    }
  }
  if (bus.unavailable || bus.connecting || bus.calling) {
    return;
  }
  if (bus.bus == nullptr) {
    if (hold) {
      start_connecting();
    }
    return;
  }
  if (hold && !bus.inhibited) {
    call("Inhibit", g_variant_new("(ss)", kWindowClassName, "Playing a game"), true);
  } else if (!hold && bus.inhibited) {
    call("UnInhibit", g_variant_new("(u)", bus.cookie), false);
  }
}

}  // namespace

void session_hold_screensaver(bool hold) {
  if (hold != held) {
    held = hold;
    hold_x_saver(hold);
  }
  if (!bus.unavailable) {
    follow_on_bus(hold);
  }
}

// At the end the answers are waited for, half a second or so: an inhibition left behind would keep
// the desktop awake until the service notices the game is gone.
void screensaver_release_for_good() {
  session_hold_screensaver(false);
  const gint64 giveUp = g_get_monotonic_time() + G_USEC_PER_SEC / 2;
  while (bus.context != nullptr && (bus.connecting || bus.calling || (bus.inhibited && !bus.unavailable)) &&
         g_get_monotonic_time() < giveUp) {
    g_usleep(1000);
    follow_on_bus(false);  // takes the answers that came
  }
  if (bus.bus != nullptr) {
    g_dbus_connection_close_sync(bus.bus, nullptr, nullptr);
    g_object_unref(bus.bus);
  }
  if (bus.context != nullptr) {
    g_main_context_unref(bus.context);
  }
  bus = BusHold{};
}
