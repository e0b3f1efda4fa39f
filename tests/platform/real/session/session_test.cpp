// What the game tells the desktop about itself and what the desktop asks of it: the full-screen
// window's properties, pings, close requests and the launcher's startup notification; the session's
// signals; a lost display; the screensaver held. The ways out run in processes of their own (this
// program again, one SessionChild test each), as they end the process or leave the quit asked.
// (Every kind closed by window managers, xkill, the X server ending: end to end.)
#include "gfx_support.h"
#include "platform/real/session/session.h"
#include "platform/real/session/session_parts.h"
#include <X11/Xatom.h>
#include <X11/extensions/scrnsaver.h>
#include <gio/gio.h>

#include <mutex>
#include <sstream>
#include <thread>

namespace {

Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }

std::vector<unsigned long> items(Display* display, Window window, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, atom(display, name), 0, 1 << 20, False, AnyPropertyType, &type, &format, &count,
                     &after, &data);
  std::vector<unsigned long> found;
  if (data != nullptr && format == 32) found.assign(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + count);
  if (data != nullptr) XFree(data);
  return found;
}
std::string text(Display* display, Window window, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, atom(display, name), 0, 1024, False, AnyPropertyType, &type, &format, &count,
                     &after, &data);
  std::string found = data != nullptr && format == 8 ? std::string(reinterpret_cast<char*>(data), count) : "";
  if (data != nullptr) XFree(data);
  return found;
}

// This program again with the child test named, in the environment given: its exit status (-1 when
// a signal ended it) and everything it printed.
std::pair<int, std::string> run_child(const std::string& name, const std::string& environment = "") {
  const std::string log = testing::TempDir() + "session-child.log";
  const int status = run(environment + " VESPERINE_SESSION_CHILD=1 " + program_invocation_name +
                         " --gtest_filter=SessionChild." + name + " >" + log + " 2>&1");
  return {status, output("cat " + log)};
}
bool in_child() { return std::getenv("VESPERINE_SESSION_CHILD") != nullptr; }

TEST(Session, TheFullScreenWindowTellsTheDesktopWhoItIsAnswersItsPingsAndItsCloseRequestIsAQuit) {
  const auto [status, printed] = run_child("FullScreenWindow", "DESKTOP_STARTUP_ID=vesperine-test-7_TIME0");
  EXPECT_EQ(status, 0) << printed;
}

// A launcher's startup id, read before GTK takes it; a watcher on the root window, as a launcher.
TEST(SessionChild, FullScreenWindow) {
  if (!in_child()) GTEST_SKIP() << "run by the Session tests";
  Display* watcher = XOpenDisplay(nullptr);
  const Window root = DefaultRootWindow(watcher);
  XSelectInput(watcher, root, PropertyChangeMask | SubstructureNotifyMask);
  XSync(watcher, False);
  std::string messages;  // the startup notification's messages, pieces joined
  bool ponged = false;
  const auto take = [&] {
    for (XEvent e; XPending(watcher) > 0;) {
      XNextEvent(watcher, &e);
      if (e.type == ClientMessage && e.xclient.message_type == atom(watcher, "_NET_STARTUP_INFO_BEGIN")) messages += "|";
      if (e.type == ClientMessage && (e.xclient.message_type == atom(watcher, "_NET_STARTUP_INFO_BEGIN") ||
                                      e.xclient.message_type == atom(watcher, "_NET_STARTUP_INFO")))
        messages += std::string(e.xclient.data.b, strnlen(e.xclient.data.b, 20));
      ponged |= e.type == ClientMessage && e.xclient.window == root && e.xclient.message_type == atom(watcher, "WM_PROTOCOLS") &&
                Atom(e.xclient.data.l[0]) == atom(watcher, "_NET_WM_PING") && e.xclient.data.l[1] == 4242;
    }
  };
  const auto watch = [&] { screen_flip(), take(); };
  platform_init(0, nullptr);
  ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
  ASSERT_EQ(screen_open_fullscreen(desktop_width(), desktop_height(), 32, "Vesperine test", kFlipVsync), 1);
  const Window window = platform_fullscreen_window();

  char host[256] = {};
  gethostname(host, sizeof host - 1);
  EXPECT_EQ(text(watcher, window, "WM_CLASS"), std::string("vesperine\0Vesperine\0", 20));
  EXPECT_EQ(items(watcher, window, "_NET_WM_PID"), std::vector<unsigned long>{static_cast<unsigned long>(getpid())});
  EXPECT_EQ(text(watcher, window, "WM_CLIENT_MACHINE"), host);
  EXPECT_EQ(items(watcher, window, "WM_PROTOCOLS"),
            (std::vector<unsigned long>{atom(watcher, "WM_DELETE_WINDOW"), atom(watcher, "_NET_WM_PING")}));
  EXPECT_EQ(items(watcher, window, "_NET_WM_BYPASS_COMPOSITOR"), std::vector<unsigned long>{1});
  EXPECT_EQ(text(watcher, window, "_NET_STARTUP_ID"), "vesperine-test-7_TIME0");
  const std::vector<unsigned long> icon = items(watcher, window, "_NET_WM_ICON");
  std::vector<unsigned long> sizes;
  for (size_t at = 0; at + 1 < icon.size(); at += 2 + icon[at] * icon[at + 1]) sizes.push_back(icon[at] * 1000 + icon[at + 1]);
  EXPECT_EQ(sizes, (std::vector<unsigned long>{48048, 64064, 128128})) << "width * 1000 + height of each icon";
  ASSERT_FALSE(icon.empty());
  EXPECT_EQ((icon[2 + 24 * 48 + 24] & 0xffffffff) >> 24, 255u) << "the icon's middle is opaque";

  wait_ms(300), take();
  EXPECT_EQ(messages, "") << "the launcher hears nothing before the first frame";
  EXPECT_TRUE(wait_until(watch, [&] { return !messages.empty(); }));
  EXPECT_EQ(messages, "|remove: ID=\"vesperine-test-7_TIME0\"");

  XEvent ping{};
  ping.xclient.type = ClientMessage;
  ping.xclient.window = window;
  ping.xclient.message_type = atom(watcher, "WM_PROTOCOLS");
  ping.xclient.format = 32;
  ping.xclient.data.l[0] = long(atom(watcher, "_NET_WM_PING"));
  ping.xclient.data.l[1] = 4242;
  ping.xclient.data.l[2] = long(window);
  XSendEvent(watcher, window, False, NoEventMask, &ping);
  XSync(watcher, False);
  EXPECT_TRUE(wait_until(watch, [&] { return ponged; })) << "the ping came back to the root window";
  EXPECT_EQ(platform_quit_requested(), 0);
  XEvent close = ping;
  close.xclient.data.l[0] = long(atom(watcher, "WM_DELETE_WINDOW"));
  XSendEvent(watcher, window, False, NoEventMask, &close);
  XSync(watcher, False);
  EXPECT_TRUE(wait_until(watch, [] { return platform_quit_requested() == 1; })) << "the close request asks to quit";
  screen_close();
  XCloseDisplay(watcher);
}

// SIGTERM, SIGHUP and SIGINT ask the game to quit; the same signal again, while it has not, ends it.
// Killed (xkill, or as a window manager kills) or left by its X server, either connection of the
// game, GTK's or the full screen's own, ends it within the display call that finds it lost, after
// the last words the game left.
TEST(Session, SignalsAskToQuitAndTheSecondEndsALostDisplaySpeaksTheGamesLastWords) {
  for (const char* signal : {"TERM", "HUP", "INT"}) {
    const auto [status, printed] = run_child("Signal", std::string("VESPERINE_SIGNAL=") + signal);
    EXPECT_TRUE(status == -1 || status > 128) << "SIG" << signal << " twice: " << status << " " << printed;
    EXPECT_NE(printed.find("asked to quit"), std::string::npos) << "SIG" << signal << ": " << printed;
  }
  for (const char* connection : {"gtk", "fullscreen"}) {
    const auto [status, printed] = run_child("LostDisplay", std::string("VESPERINE_CONNECTION=") + connection);
    EXPECT_EQ(status, 1) << connection << ": " << printed;
    EXPECT_NE(printed.find("last words"), std::string::npos) << connection << ": " << printed;
  }
}

TEST(SessionChild, Signal) {
  if (!in_child()) GTEST_SKIP() << "run by the Session tests";
  platform_init(0, nullptr);
  const int signal = std::string(std::getenv("VESPERINE_SIGNAL")) == "TERM" ? SIGTERM
                     : std::string(std::getenv("VESPERINE_SIGNAL")) == "HUP" ? SIGHUP : SIGINT;
  if (platform_quit_requested() != 0) std::_Exit(5);
  raise(signal);
  if (platform_quit_requested() == 1) std::printf("asked to quit\n"), std::fflush(stdout);
  raise(signal);
  std::_Exit(6);
}

TEST(SessionChild, LostDisplay) {
  if (!in_child()) GTEST_SKIP() << "run by the Session tests";
  platform_init(0, nullptr);
  platform_on_display_lost([] { std::printf("last words\n"), std::fflush(stdout); });
  const bool fullscreen = std::string(std::getenv("VESPERINE_CONNECTION")) == "fullscreen";
  Window victim = 0;
  if (fullscreen) {
    ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
    ASSERT_EQ(screen_open_fullscreen(desktop_width(), desktop_height(), 32, "Vesperine test", kFlipVsync), 1);
    victim = platform_fullscreen_window();
  } else {
    ASSERT_EQ(window_open(0, 0, 0, 200, 100, "Vesperine test", WindowStyleWindowed), 1);
    victim = window_handle(0);
  }
  Display* killer = XOpenDisplay(nullptr);
  XKillClient(killer, victim);
  XSync(killer, False);
  for (int pass = 0; pass < 300; ++pass) fullscreen ? screen_flip() : window_event(), wait_ms(10);
  std::_Exit(7);  // still here
}

// A desktop's screensaver service on a bus of our own: it answers Inhibit with numbers from 7 up
// and keeps each call as "Inhibit APP" or "UnInhibit NUMBER".
class ScreensaverService {
 public:
  explicit ScreensaverService(bool answering) {
    std::istringstream started(output("dbus-daemon --session --fork --print-address=1 --print-pid=1"));
    std::getline(started, address_);
    started >> daemon_;
    if (!answering) return;
    serving_ = std::thread([this] { serve(); });
    wait_until([] {}, [this] { return ready_.load(); });
  }
  ~ScreensaverService() {
    if (loop_ != nullptr) g_main_loop_quit(loop_);
    if (serving_.joinable()) serving_.join();
    kill(daemon_, SIGTERM);
  }
  const std::string& address() const { return address_; }
  std::vector<std::string> calls() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
  }

 private:
  void serve() {
    GMainContext* context = g_main_context_new();
    g_main_context_push_thread_default(context);
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        address_.c_str(), GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
        "<node><interface name='org.freedesktop.ScreenSaver'>"
        "<method name='Inhibit'><arg type='s' direction='in'/><arg type='s' direction='in'/><arg type='u' direction='out'/></method>"
        "<method name='UnInhibit'><arg type='u' direction='in'/></method></interface></node>", nullptr);
    static const GDBusInterfaceVTable methods{on_call, nullptr, nullptr, {}};
    g_dbus_connection_register_object(bus, "/org/freedesktop/ScreenSaver", node->interfaces[0], &methods, this, nullptr, nullptr);
    g_variant_unref(g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                                "RequestName", g_variant_new("(su)", "org.freedesktop.ScreenSaver", 4u), nullptr,
                                                G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr));
    loop_ = g_main_loop_new(context, FALSE);
    ready_ = true;
    g_main_loop_run(loop_);
    g_dbus_connection_close_sync(bus, nullptr, nullptr);
    g_object_unref(bus), g_dbus_node_info_unref(node), g_main_loop_unref(loop_), g_main_context_unref(context);
  }
  static void on_call(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method, GVariant* parameters,
                      GDBusMethodInvocation* invocation, gpointer self) {
    auto* service = static_cast<ScreensaverService*>(self);
    const std::lock_guard<std::mutex> lock(service->mutex_);
    if (std::string(method) == "Inhibit") {
      const gchar* app = nullptr;
      const gchar* reason = nullptr;
      g_variant_get(parameters, "(&s&s)", &app, &reason);
      service->calls_.push_back(std::string("Inhibit ") + app);
      g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", service->nextCookie_++));
    } else {
      guint32 cookie = 0;
      g_variant_get(parameters, "(u)", &cookie);
      service->calls_.push_back("UnInhibit " + std::to_string(cookie));
      g_dbus_method_invocation_return_value(invocation, nullptr);
    }
  }
  std::string address_;
  pid_t daemon_ = 0;
  std::thread serving_;
  std::atomic<bool> ready_ = false;
  GMainLoop* loop_ = nullptr;
  std::mutex mutex_;
  std::vector<std::string> calls_;
  guint32 nextCookie_ = 7;
};

// The holds follow the screen, once per change: the desktop's service is asked to inhibit while it
// is held and let go when it is not, and once more at the end; a bus without the service, or no bus
// at all, costs nothing and is not asked again. The X server's own saver stays off while held (a
// 1 s timeout here) and comes on once let go.
TEST(Session, TheScreensaverIsHeldOffWhileShownAndActiveAndLetGoOtherwise) {
  platform_init(0, nullptr);
  const auto flips = [](bool hold) { for (int flip = 0; flip < 20; ++flip) session_hold_screensaver(hold), wait_ms(5); };
  {
    ScreensaverService service(true);
    setenv("DBUS_SESSION_BUS_ADDRESS", service.address().c_str(), 1);
    for (const auto& [hold, calls] : {std::pair{true, 1u}, {true, 1u}, {false, 2u}, {true, 3u}}) {
      EXPECT_TRUE(wait_until([&] { session_hold_screensaver(hold); }, [&] { return service.calls().size() >= calls; }));
      flips(hold);  // and nothing more while it stays so
      EXPECT_EQ(service.calls().size(), calls);
    }
    EXPECT_EQ(service.calls(), (std::vector<std::string>{"Inhibit Vesperine", "UnInhibit 7", "Inhibit Vesperine"}));
    session_end();
    EXPECT_EQ(service.calls().back(), "UnInhibit 8") << "let go at the end";
  }
  {
    ScreensaverService bare(false);
    setenv("DBUS_SESSION_BUS_ADDRESS", bare.address().c_str(), 1);
    const auto start = std::chrono::steady_clock::now();
    for (const bool hold : {true, false, true, false}) flips(hold);
    session_end();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "no screensaver on the bus";
  }
  unsetenv("DBUS_SESSION_BUS_ADDRESS");

  Display* display = XOpenDisplay(nullptr);
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  const auto saver = [&] { return XScreenSaverQueryInfo(display, DefaultRootWindow(display), info), info->state; };
  XSetScreenSaver(display, 1, 0, DontPreferBlanking, AllowExposures);
  XForceScreenSaver(display, ScreenSaverReset);
  session_hold_screensaver(true);
  wait_ms(1600);
  EXPECT_EQ(saver(), ScreenSaverOff) << "held";
  session_hold_screensaver(false);
  EXPECT_TRUE(wait_until([] {}, [&] { return saver() == ScreenSaverOn; })) << "let go";
  XSetScreenSaver(display, 0, 0, DontPreferBlanking, AllowExposures);
  XForceScreenSaver(display, ScreenSaverReset);
  XFree(info);
  XCloseDisplay(display);
}

}  // namespace
