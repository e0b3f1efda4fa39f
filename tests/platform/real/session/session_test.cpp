// The session room: what the full-screen window tells a launcher and a window manager, and the
// desktop's screensaver service held. (The windows' class, machine and icon sizes, every kind closed,
// the signals, xkill, the X server ending, the X server's own saver: end to end.)
#include "gfx_support.h"
#include "platform/real/session/session.h"
#include "platform/real/session/session_parts.h"
#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#include <gio/gio.h>

#include <array>
#include <sstream>

namespace {

// Started by a launcher, with a startup id that GTK takes at its start: in a process of its own,
// this program again, running the child test.
TEST(Session, TheFullScreenWindowTellsTheDesktopWhoItIsAnswersItsPingsAndItsCloseRequestIsAQuit) {
  const std::string log = testing::TempDir() + "session-child.log";
  EXPECT_EQ(run("DESKTOP_STARTUP_ID=vesperine-test-7_TIME0 VESPERINE_SESSION_CHILD=1 " + std::string(program_invocation_name) +
                " --gtest_filter=SessionChild.* >" + log + " 2>&1"), 0) << output("cat " + log);
}

// Watched as a launcher and a window manager watch it: from the root window.
TEST(SessionChild, FullScreenWindow) {
  if (!std::getenv("VESPERINE_SESSION_CHILD")) GTEST_SKIP() << "run by the Session tests";
  Display* watcher = XOpenDisplay(nullptr);
  const auto atom = [&](const char* name) { return gfx::atom(watcher, name); };
  const Window root = DefaultRootWindow(watcher);
  XSelectInput(watcher, root, PropertyChangeMask | SubstructureNotifyMask);
  XSync(watcher, False);
  std::string heard;  // the startup messages' pieces, each message after a "|"
  bool ponged = false;
  const auto take = [&] {
    for (XEvent e; XPending(watcher) > 0;) {
      XNextEvent(watcher, &e);
      const Atom type = e.type == ClientMessage ? e.xclient.message_type : 0;
      if (type == atom("_NET_STARTUP_INFO_BEGIN")) heard += "|";
      if (type == atom("_NET_STARTUP_INFO_BEGIN") || type == atom("_NET_STARTUP_INFO")) heard.append(e.xclient.data.b, strnlen(e.xclient.data.b, 20));
      ponged |= type == atom("WM_PROTOCOLS") && e.xclient.window == root && e.xclient.data.l[1] == 4242;
    }
  };
  const auto watch = [&] { screen_flip(), take(); };
  platform_init(0, nullptr);
  ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
  ASSERT_EQ(screen_open_fullscreen(desktop_width(), desktop_height(), 32, "Vesperine test", kFlipVsync), 1);
  const Window window = platform_fullscreen_window();
  const auto property = [&](const char* name) { return items(watcher, window, name); };
  const std::vector<unsigned long> startupId = property("_NET_STARTUP_ID");
  EXPECT_EQ(std::string(startupId.begin(), startupId.end()), "vesperine-test-7_TIME0");
  EXPECT_EQ(property("_NET_WM_PID"), std::vector<unsigned long>{static_cast<unsigned long>(getpid())});
  EXPECT_EQ(property("WM_PROTOCOLS"), (std::vector<unsigned long>{atom("WM_DELETE_WINDOW"), atom("_NET_WM_PING")}));
  EXPECT_EQ(property("_NET_WM_BYPASS_COMPOSITOR"), std::vector<unsigned long>{1});

  EXPECT_EQ((wait_ms(300), take(), heard), "") << "the launcher hears nothing before the first frame";
  EXPECT_TRUE(wait_until(watch, [&] { return !heard.empty(); }));
  EXPECT_EQ(heard, "|remove: ID=\"vesperine-test-7_TIME0\"");
  for (const char* protocol : {"_NET_WM_PING", "WM_DELETE_WINDOW"}) {
    XEvent message{};
    message.xclient = XClientMessageEvent{ClientMessage, 0, False, nullptr, window, atom("WM_PROTOCOLS"), 32, {}};
    message.xclient.data.l[0] = long(atom(protocol)), message.xclient.data.l[1] = 4242, message.xclient.data.l[2] = long(window);
    EXPECT_EQ(platform_quit_requested(), 0) << protocol;
    XSendEvent(watcher, window, False, NoEventMask, &message), XSync(watcher, False);
  }
  EXPECT_TRUE(wait_until(watch, [&] { return ponged && platform_quit_requested() == 1; }))
      << "the ping answered to the root window, the close request made a quit";
  screen_close(), XCloseDisplay(watcher);
}

// Every window kind tells the desktop its class, instance first ("vesperine", "Vesperine", as the
// desktop entry's StartupWMClass), and carries the icon pictures the game ships up to 128 pixels, in
// order, each pixel's channels packed as ARGB.
TEST(Session, EveryWindowKindCarriesTheGamesClassAndTheShippedIconPictures) {
  std::vector<unsigned long> shipped;  // _NET_WM_ICON as it must be: per size its width, height, pixels
  for (const unsigned long side : {16, 24, 32, 48, 64, 128}) {
    const std::vector<uint8_t> png = file_bytes(VESPERINE_BINARY_DIR "/assets/vesperine-icon-" + std::to_string(side) + ".png");
    RgbaImage icon;
    ASSERT_TRUE(png_decode_rgba(png.data(), png.size(), &icon, nullptr) && icon.width == int(side)) << side;
    shipped.insert(shipped.end(), {side, side});
    for (size_t at = 0; at < icon.pixels.size(); at += 4) {
      const uint8_t* p = &icon.pixels[at];
      shipped.push_back(static_cast<unsigned long>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2]);  // EWMH: ARGB
    }
  }
  platform_init(0, nullptr);
  ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
  Display* display = XOpenDisplay(nullptr);
  constexpr int kFullScreen = 0;
  for (const int kind : {kFullScreen, int{WindowStyleWindowed}, int{WindowStyleBorderless}}) {
    SCOPED_TRACE(kind == kFullScreen ? "full screen" : kind == WindowStyleWindowed ? "windowed" : "borderless");
    ASSERT_EQ(kind == kFullScreen ? screen_open_fullscreen(desktop_width(), desktop_height(), 32, "Vesperine test", kFlipVsync)
                                  : window_open(0, 0, 0, 400, 300, "Vesperine test", kind), 1);
    const Window window = kind == kFullScreen ? platform_fullscreen_window() : window_handle(0);
    gdk_display_sync(gdk_display_get_default());  // what GTK set on the window is at the server
    const std::vector<unsigned long> classBytes = items(display, window, "WM_CLASS"), icon = items(display, window, "_NET_WM_ICON");
    EXPECT_EQ(std::string(classBytes.begin(), classBytes.end()), std::string("vesperine\0Vesperine\0", 20));
    ASSERT_EQ(icon.size(), shipped.size());
    std::array<int, 4> wrong{};  // the words whose alpha, red, green, blue differ
    for (size_t at = 0; at < icon.size(); ++at)
      for (int channel = 0; channel < 4; ++channel) wrong[channel] += (icon[at] ^ shipped[at]) >> (24 - 8 * channel) & 255 ? 1 : 0;
    EXPECT_EQ(wrong, (std::array<int, 4>{})) << "words whose alpha, red, green and blue are not the shipped pictures'";
    kind == kFullScreen ? screen_close() : window_close(0);
  }
  XCloseDisplay(display);
}

// A desktop's screensaver service on a bus of our own, answering as its calls are asked for: it
// answers Inhibit with numbers from 7 up and keeps each call as "Inhibit APP" or "UnInhibit NUMBER".
// Without `answering`, the bus has no one.
class ScreensaverService {
 public:
  explicit ScreensaverService(bool answering) {
    std::istringstream started(output("dbus-daemon --session --fork --print-address=1 --print-pid=1"));
    std::string address;
    std::getline(started, address), started >> daemon_, setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    if (!answering) return;
    g_main_context_push_thread_default(context_);  // the calls come in through it
    bus_ = g_dbus_connection_new_for_address_sync(
        address.c_str(), GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
        "<node><interface name='org.freedesktop.ScreenSaver'><method name='Inhibit'><arg type='s'/><arg type='s'/>"
        "<arg type='u' direction='out'/></method><method name='UnInhibit'><arg type='u'/></method></interface></node>", nullptr);
    static const GDBusInterfaceVTable methods{on_call, nullptr, nullptr, {}};
    g_dbus_connection_register_object(bus_, "/org/freedesktop/ScreenSaver", node->interfaces[0], &methods, this, nullptr, nullptr);
    g_variant_unref(g_dbus_connection_call_sync(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                                                g_variant_new("(su)", "org.freedesktop.ScreenSaver", 4u), nullptr,
                                                G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr));
    g_dbus_node_info_unref(node), g_main_context_pop_thread_default(context_);
  }
  ~ScreensaverService() {
    if (bus_ != nullptr) g_dbus_connection_close_sync(bus_, nullptr, nullptr), g_object_unref(bus_);
    g_main_context_unref(context_), kill(daemon_, SIGTERM), unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
  const std::vector<std::string>& calls() {
    while (g_main_context_iteration(context_, FALSE)) {}
    return calls_;
  }

 private:
  static void on_call(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method, GVariant* parameters,
                      GDBusMethodInvocation* invocation, gpointer self) {
    auto* service = static_cast<ScreensaverService*>(self);
    const gchar* app = nullptr;
    guint32 cookie = 0;
    const bool inhibit = std::string(method) == "Inhibit";
    inhibit ? g_variant_get(parameters, "(&ss)", &app, nullptr) : g_variant_get(parameters, "(u)", &cookie);
    service->calls_.push_back(inhibit ? std::string("Inhibit ") + app : "UnInhibit " + std::to_string(cookie));
    g_dbus_method_invocation_return_value(invocation, inhibit ? g_variant_new("(u)", service->nextCookie_++) : nullptr);
  }
  pid_t daemon_ = 0;
  GMainContext* context_ = g_main_context_new();
  GDBusConnection* bus_ = nullptr;
  std::vector<std::string> calls_;
  guint32 nextCookie_ = 7;
};

// The service is asked to inhibit while the screen is held and let go when it is not, once per
// change, and let go at the end; a bus without the service holds nothing up.
TEST(Session, TheDesktopsScreensaverIsHeldOffWhileShownAndActiveAndLetGoOtherwise) {
  platform_init(0, nullptr);
  session_end();  // earlier tests' screens held it without a bus, which is then never asked
  const auto flips = [](bool hold) { for (int flip = 0; flip < 20; ++flip) session_hold_screensaver(hold), wait_ms(5); };
  {
    ScreensaverService service(true);
    for (const auto& [hold, calls] : {std::pair{true, 1u}, {true, 1u}, {false, 2u}, {true, 3u}}) {
      EXPECT_TRUE(wait_until([&] { session_hold_screensaver(hold); }, [&] { return service.calls().size() >= calls; }));
      flips(hold);  // and nothing more while it stays so
      EXPECT_EQ(service.calls().size(), calls);
    }
    session_end();
    EXPECT_EQ(service.calls(), (std::vector<std::string>{"Inhibit Vesperine", "UnInhibit 7", "Inhibit Vesperine", "UnInhibit 8"}));
  }
  const ScreensaverService nobody(false);
  const auto start = std::chrono::steady_clock::now();
  for (const bool hold : {true, false, true, false}) flips(hold);
  session_end();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// The session's signals, each row in a process of its own: a first one, or another after it (logind
// ends a session with SIGTERM and SIGHUP at once), asks the game to end and save; the same one
// again ends it by that signal.
TEST(Session, SignalsAskTheGameToEndTheSameOneAgainEndsIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto raising = [](std::initializer_list<int> signals) {
    session_watch_signals();
    for (const int signal : signals) raise(signal);
    std::_Exit(platform_quit_requested() == 1 ? 7 : 0);
  };
  for (const auto& signals : {std::initializer_list<int>{SIGTERM}, {SIGHUP}, {SIGINT}, {SIGTERM, SIGHUP}, {SIGHUP, SIGTERM, SIGINT}})
    EXPECT_EXIT(raising(signals), testing::ExitedWithCode(7), "") << signals.size() << " signals from " << *signals.begin();
  for (const int signal : {SIGTERM, SIGHUP})
    EXPECT_EXIT(raising({signal, SIGINT, signal}), testing::KilledBySignal(signal), "") << signal;
}

}  // namespace
