// The windowed and borderless kinds: a GTK window holding the GL screen, on Xvfb without a window
// manager and then under openbox. Input comes from xdotool, wmctrl and a tiny Xlib client.
#include <gtest/gtest.h>
// gtest before X11, whose macros (None, Bool) clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtk/gtk.h>

#include <chrono>
#include <csignal>

#include "gfx_support.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;

class WindowKind : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    ASSERT_EQ(keyboard_init(), 1);
    // A pointer left inside the new window would give it the keyboard silently (focus on the root).
    ASSERT_EQ(run("xdotool mousemove 1 1"), 0);  // no --sync: it waits forever when already there
    display_ = XOpenDisplay(nullptr);
  }
  void TearDown() override {
    window_close(0);
    XCloseDisplay(display_);
  }
  void open(int style, int width = kWidth, int height = kHeight) {
    ASSERT_EQ(window_open(0, 0, 0, width, height, "Vesperine window test", style), 1);
    handle_ = window_handle(0);
    ASSERT_EQ(screen_open_in_window(handle_, 0, 0, width, height, 0, 0, 0, kFlipVsync), 1);
  }
  void show() {
    window_show(0);
    ASSERT_TRUE(wait_for_event(events_, EventRepaint));
    ASSERT_TRUE(wait_until([] { pump_window_events(10); }, [&] { return map_state() == IsViewable; }));
    events_.clear();
  }
  int map_state() {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, handle_, &attributes);
    return attributes.map_state;
  }
  std::string area() const { return std::to_string(platform_drawing_area_window()); }
  Display* display_ = nullptr;
  uintptr_t handle_ = 0;
  std::vector<int> events_;
};

TEST_F(WindowKind, OpensHiddenThenShowsCentredWithAFixedSizeAndAsksForARepaint) {
  open(WindowStyleWindowed);
  EXPECT_EQ(map_state(), IsUnmapped);
  EXPECT_EQ(screen_is_active(), 1);
  show();  // the first repaint comes with showing
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(display_, handle_, &hints, &supplied));
  EXPECT_EQ(std::vector<int>({hints.min_width, hints.max_width, hints.min_height, hints.max_height}),
            std::vector<int>({kWidth, kWidth, kHeight, kHeight}));
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, handle_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  EXPECT_EQ(x * 1000 + y, (1280 - kWidth) / 2 * 1000 + (720 - kHeight) / 2);
  char* title = nullptr;
  ASSERT_TRUE(XFetchName(display_, handle_, &title));
  EXPECT_STREQ(title, "Vesperine window test");
  XFree(title);
}

TEST_F(WindowKind, DrawsIntoTheWholeDrawingAreaAndClosingDestroysTheWindow) {
  open(WindowStyleWindowed);
  show();
  const SpriteId sprite = load_sprite(solid_image(1, 1, Rgba{0, 200, 100, 255}), kSpriteKeepAlpha);
  sprite_scale(sprite, kWidth, kHeight);
  sprite_draw(sprite, 0, 0);
  EXPECT_EQ(screen_pixel(kWidth - 1, kHeight - 1), (Rgba{0, 200, 100, 255}));
  screen_flip();
  const std::string shown = output("import -window " + area() + " -crop 1x1+" + std::to_string(kWidth - 5) + "+" +
                                   std::to_string(kHeight - 5) + " txt:- | tail -n1");
  EXPECT_NE(shown.find("srgb(0,200,100)"), std::string::npos) << shown;
  window_close(0);
  EXPECT_EQ(window_handle(0), 0u);
  EXPECT_EQ(screen_is_active(), 0);
  EXPECT_EQ(sprite_width(sprite), 0);
  XSync(display_, False);
  const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  XWindowAttributes attributes{};
  EXPECT_FALSE(XGetWindowAttributes(display_, handle_, &attributes));
  XSetErrorHandler(previous);
}

TEST_F(WindowKind, PointerIsRelativeToTheDrawingAreaAndClicksAreEventsOnRelease) {
  open(WindowStyleBorderless);
  show();
  ASSERT_EQ(run("xdotool mousemove --sync --window " + area() + " 17 23"), 0);
  EXPECT_EQ(window_mouse_x(0) * 1000 + window_mouse_y(0), 17023);
  EXPECT_EQ(window_mouse_x(3), -1);
  ASSERT_EQ(run("xdotool mousemove --sync --window " + area() + " 50 60 click 1"), 0);
  EXPECT_TRUE(wait_for_event(events_, EventLeftClick));
  EXPECT_FALSE(contains(events_, EventRightClick));
  ASSERT_EQ(run("xdotool click 3"), 0);
  EXPECT_TRUE(wait_for_event(events_, EventRightClick));
  events_.clear();
  ASSERT_EQ(run("xdotool click --repeat 2 --delay 50 1"), 0);
  EXPECT_TRUE(wait_for_event(events_, EventLeftDoubleClick));
  EXPECT_EQ(std::count(events_.begin(), events_.end(), EventLeftClick), 2);
  // Equal events in a row are queued once.
  ASSERT_EQ(run("for i in 1 2 3 4 5 6; do xdotool mousemove_relative 3 2; done"), 0);
  wait_ms(50);
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
  std::vector<int> moves;
  for (int code = window_event(); code != EventNone; code = window_event()) moves.push_back(code);
  EXPECT_EQ(std::count(moves.begin(), moves.end(), EventMouseMove), 1);
  ASSERT_EQ(run("xdotool mousemove --sync 5 5"), 0);
  EXPECT_EQ(window_mouse_x(0), -1);
}

TEST_F(WindowKind, CloseRequestKeepsTheWindowAndKeysFeedTheKeyStates) {
  open(WindowStyleWindowed);
  show();
  XEvent message{};
  message.xclient = {ClientMessage, 0, False, display_, handle_, XInternAtom(display_, "WM_PROTOCOLS", False), 32};
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  XSendEvent(display_, handle_, False, NoEventMask, &message);
  XFlush(display_);
  EXPECT_TRUE(wait_for_event(events_, EventCloseRequest));
  EXPECT_EQ(map_state(), IsViewable);
  ASSERT_EQ(run("xdotool windowfocus --sync " + std::to_string(handle_)), 0);
  EXPECT_TRUE(wait_for_event(events_, EventFocusIn));
  ASSERT_EQ(run("xdotool keydown S"), 0);
  pump_window_events(100);
  EXPECT_EQ(key_released(kKeyS), 0);
  ASSERT_EQ(run("xdotool keyup S"), 0);
  EXPECT_TRUE(wait_until([] { pump_window_events(10); }, [] { return key_released(kKeyS) == 1; }));
  pump_window_events(100);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(window_event(), EventNone);  // never waits
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

TEST_F(WindowKind, BorderlessAsksForNoDecorationsAndBadArgumentsOpenNothing) {
  open(WindowStyleBorderless);
  show();
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(display_, handle_, XInternAtom(display_, "_MOTIF_WM_HINTS", False), 0, 5, False,
                               AnyPropertyType, &type, &format, &count, &after, &data), Success);
  ASSERT_TRUE(data != nullptr && count >= 3);
  const long* hints = reinterpret_cast<const long*>(data);
  EXPECT_TRUE(hints[0] & 2);  // the decorations field is in use
  EXPECT_EQ(hints[2], 0);     // and holds none of them
  XFree(data);
  window_close(0);
  EXPECT_EQ(window_open(9, 0, 0, 100, 100, "x", WindowStyleWindowed), 0);
  EXPECT_EQ(window_open(0, 0, 0, 0, 100, "x", WindowStyleWindowed), 0);
  EXPECT_EQ(window_open(0, 0, 0, 100, 100, "x", 3), 0);
  EXPECT_EQ(screen_open_in_window(12345, 0, 0, 100, 100, 0, 0, 0, kFlipVsync), 0);
}

// Under a real window manager: minimise, restore, focus, moves and its close button.
class WindowManager : public WindowKind {
 protected:
  static void SetUpTestSuite() {
    windowManager_ = std::atoi(output("openbox --sm-disable >/dev/null 2>&1 & echo $!").c_str());
    wait_until([] {}, [] { return run("wmctrl -m >/dev/null 2>&1") == 0; });
  }
  static void TearDownTestSuite() { kill(windowManager_, SIGTERM); }
  void open_and_focus(int style) {
    open(style, 320, 200);
    window_show(0);
    // A window manager that has only just started may not take the first request.
    for (int attempt = 0; attempt < 3 && !contains(events_, EventFocusIn); ++attempt) {
      window_activate(0);
      wait_for_event(events_, EventFocusIn);
    }
    ASSERT_TRUE(contains(events_, EventFocusIn));
    pump_window_events(100);
    events_.clear();
  }
  static inline int windowManager_ = 0;
};

TEST_F(WindowManager, MinimiseRestoreAndMove) {
  ASSERT_EQ(run("wmctrl -m >/dev/null 2>&1"), 0) << "openbox did not start";
  open_and_focus(WindowStyleWindowed);
  window_minimize(0);
  EXPECT_TRUE(wait_for_event(events_, EventMinimized) && wait_for_event(events_, EventFocusOut));
  EXPECT_EQ(screen_is_active(), 0);
  events_.clear();
  window_activate(0);
  EXPECT_TRUE(wait_for_event(events_, EventRestored) && wait_for_event(events_, EventFocusIn));
  EXPECT_FALSE(contains(events_, EventMaximized));
  EXPECT_EQ(screen_is_active(), 1);
  ASSERT_EQ(run("wmctrl -r 'Vesperine window test' -e 0,20,30,-1,-1"), 0);
  EXPECT_TRUE(wait_for_event(events_, EventMoved));
  EXPECT_FALSE(contains(events_, EventResized)) << "a move is no resize";
  ASSERT_EQ(run("wmctrl -c 'Vesperine window test'"), 0);
  EXPECT_TRUE(wait_for_event(events_, EventCloseRequest));
  EXPECT_NE(window_handle(0), 0u);
}

}  // namespace
