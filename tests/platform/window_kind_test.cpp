// The windowed and borderless kinds on Xvfb without a window manager: a GTK window holding the GL
// screen, its events, pointer position and keys. Input comes from xdotool and a tiny Xlib client.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtk/gtk.h>

#include <chrono>

#include "gfx_support.h"
#include "platform/real/platform_testing.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

int ignore_x_errors(Display*, XErrorEvent*) { return 0; }

class WindowKind : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    ASSERT_EQ(keyboard_init(), 1);
    // Earlier tests leave the pointer in the screen centre, inside the new window: with the focus on
    // the root window, X would then give the window the keyboard through the pointer, silently.
    ASSERT_EQ(run("xdotool mousemove 1 1"), 0);  // no --sync: it waits forever when already there
    display_ = XOpenDisplay(nullptr);
    ASSERT_NE(display_, nullptr);
  }
  void TearDown() override {
    window_close(0);
    XCloseDisplay(display_);
  }

  void open(int style) {
    ASSERT_EQ(window_open(0, 0, 0, kWidth, kHeight, "Vesperine window test", style), 1);
    handle_ = window_handle(0);
    ASSERT_NE(handle_, 0u);
    ASSERT_EQ(screen_open_in_window(handle_, 0, 0, kWidth, kHeight, 0, 0, 0, kFlipVsync), 1);
  }
  void show() {
    window_show(0);
    ASSERT_TRUE(wait_until([] { pump_window_events(10); }, [&] { return map_state() == IsViewable; }));
    pump_window_events(50);
  }
  int map_state() {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, handle_, &attributes);
    return attributes.map_state;
  }
  // What GTK's signal handlers queue after letting it handle everything pending.
  std::vector<int> events_after(const std::string& command) {
    EXPECT_EQ(run(command), 0) << command;
    return pump_window_events(200);
  }

  Display* display_ = nullptr;
  uintptr_t handle_ = 0;
};

TEST_F(WindowKind, OpensHiddenThenShowsCentredWithAFixedSize) {
  open(WindowStyleWindowed);
  EXPECT_EQ(map_state(), IsUnmapped);
  EXPECT_EQ(screen_is_active(), 1);
  show();
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(display_, handle_, &hints, &supplied));
  ASSERT_TRUE(hints.flags & PMinSize);
  ASSERT_TRUE(hints.flags & PMaxSize);
  EXPECT_EQ(hints.min_width, kWidth);
  EXPECT_EQ(hints.max_width, kWidth);
  EXPECT_EQ(hints.min_height, kHeight);
  EXPECT_EQ(hints.max_height, kHeight);
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, handle_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  EXPECT_EQ(x, (1280 - kWidth) / 2);
  EXPECT_EQ(y, (720 - kHeight) / 2);
  char* title = nullptr;
  ASSERT_TRUE(XFetchName(display_, handle_, &title));
  EXPECT_STREQ(title, "Vesperine window test");
  XFree(title);
}

TEST_F(WindowKind, ShowingTheWindowAsksForARepaint) {
  open(WindowStyleWindowed);
  window_show(0);
  std::vector<int> events;
  wait_until([&] { const auto more = pump_window_events(20); events.insert(events.end(), more.begin(), more.end()); },
             [&] { return contains(events, EventRepaint); });
  EXPECT_TRUE(contains(events, EventRepaint));
  EXPECT_FALSE(contains(events, EventCloseRequest));
}

TEST_F(WindowKind, DrawsIntoTheDrawingArea) {
  open(WindowStyleWindowed);
  show();
  const std::vector<uint8_t> png = encode_png(solid_image(1, 1, Rgba{0, 200, 100, 255}));
  const SpriteId sprite = sprite_load_png(kNewSprite, png.data(), png.size(), kSpriteKeepAlpha);
  sprite_scale(sprite, kWidth, kHeight);
  sprite_draw(sprite, 0, 0);
  EXPECT_EQ(screen_pixel(kWidth - 1, kHeight - 1), (Rgba{0, 200, 100, 255}));
  screen_flip();
  // What the X server shows, read from outside.
  const std::string colour = output("import -window " + std::to_string(platform_drawing_area_window()) +
                                    " -crop 1x1+5+5 txt:- | tail -n1");
  EXPECT_NE(colour.find("srgb(0,200,100)"), std::string::npos) << colour;
  screen_close();
  EXPECT_EQ(sprite_width(sprite), 0);
}

TEST_F(WindowKind, PointerPositionIsRelativeToTheDrawingArea) {
  open(WindowStyleBorderless);
  show();
  const std::string area = std::to_string(platform_drawing_area_window());
  ASSERT_EQ(run("xdotool mousemove --sync --window " + area + " 17 23"), 0);
  EXPECT_EQ(window_mouse_x(0), 17);
  EXPECT_EQ(window_mouse_y(0), 23);
  ASSERT_EQ(run("xdotool mousemove --sync 5 5"), 0);
  EXPECT_EQ(window_mouse_x(0), -1);
  EXPECT_EQ(window_mouse_y(0), -1);
  EXPECT_EQ(window_mouse_x(3), -1);
}

TEST_F(WindowKind, ClicksBecomeEventsOnRelease) {
  open(WindowStyleWindowed);
  show();
  const std::string area = std::to_string(platform_drawing_area_window());
  std::vector<int> events = events_after("xdotool mousemove --sync --window " + area + " 50 60 click 1");
  EXPECT_TRUE(contains(events, EventLeftClick));
  EXPECT_FALSE(contains(events, EventRightClick));
  events = events_after("xdotool click 3");
  EXPECT_TRUE(contains(events, EventRightClick));
  EXPECT_FALSE(contains(events, EventLeftClick));
  events = events_after("xdotool click --repeat 2 --delay 50 1");
  EXPECT_TRUE(contains(events, EventLeftDoubleClick));
  EXPECT_EQ(std::count(events.begin(), events.end(), EventLeftClick), 2);
}

TEST_F(WindowKind, EqualEventsInARowAreQueuedOnce) {
  open(WindowStyleWindowed);
  show();
  const std::string area = std::to_string(platform_drawing_area_window());
  ASSERT_EQ(run("xdotool mousemove --sync --window " + area + " 10 10"), 0);
  pump_window_events(50);
  ASSERT_EQ(run("for i in 1 2 3 4 5 6; do xdotool mousemove_relative 3 2; done"), 0);
  wait_ms(50);
  // Let GTK handle all of it before the game takes a single event.
  while (gtk_events_pending()) {
    gtk_main_iteration_do(FALSE);
  }
  std::vector<int> events;
  for (int code = window_event(); code != EventNone; code = window_event()) {
    events.push_back(code);
  }
  EXPECT_EQ(std::count(events.begin(), events.end(), EventMouseMove), 1);
}

TEST_F(WindowKind, CloseRequestKeepsTheWindowOpen) {
  open(WindowStyleWindowed);
  show();
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = handle_;
  message.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, handle_, False, NoEventMask, &message);
  XFlush(display_);
  std::vector<int> events;
  wait_until([&] { const auto more = pump_window_events(20); events.insert(events.end(), more.begin(), more.end()); },
             [&] { return contains(events, EventCloseRequest); });
  EXPECT_TRUE(contains(events, EventCloseRequest));
  EXPECT_EQ(map_state(), IsViewable);
  EXPECT_NE(window_handle(0), 0u);
}

TEST_F(WindowKind, KeysOfTheWindowFeedTheKeyStates) {
  open(WindowStyleWindowed);
  show();
  std::vector<int> events = events_after("xdotool windowfocus --sync " + std::to_string(handle_));
  EXPECT_TRUE(contains(events, EventFocusIn));
  EXPECT_EQ(screen_is_active(), 1);
  pump_window_events(50);
  ASSERT_EQ(run("xdotool keydown S"), 0);
  pump_window_events(60);
  EXPECT_EQ(key_released(kKeyS), 0);
  ASSERT_EQ(run("xdotool keyup S"), 0);
  EXPECT_TRUE(wait_until([] { pump_window_events(10); }, [] { return key_released(kKeyS) == 1; }));
}

TEST_F(WindowKind, WindowEventNeverWaits) {
  open(WindowStyleWindowed);
  show();
  pump_window_events(100);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(window_event(), EventNone);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count(),
            20);
}

TEST_F(WindowKind, BorderlessAsksForNoDecorations) {
  open(WindowStyleBorderless);
  show();
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom motif = XInternAtom(display_, "_MOTIF_WM_HINTS", False);
  ASSERT_EQ(XGetWindowProperty(display_, handle_, motif, 0, 5, False, AnyPropertyType, &type, &format, &count, &after,
                               &data),
            Success);
  ASSERT_NE(data, nullptr);
  ASSERT_GE(count, 3u);
  const long* hints = reinterpret_cast<const long*>(data);
  EXPECT_TRUE(hints[0] & 2);  // decorations field in use
  EXPECT_EQ(hints[2], 0);     // none of them
  XFree(data);
}

TEST_F(WindowKind, ClosingDestroysTheWindow) {
  open(WindowStyleWindowed);
  show();
  window_close(0);
  EXPECT_EQ(window_handle(0), 0u);
  EXPECT_EQ(screen_is_active(), 0);
  XSync(display_, False);
  const XErrorHandler previous = XSetErrorHandler(ignore_x_errors);
  XWindowAttributes attributes{};
  EXPECT_FALSE(XGetWindowAttributes(display_, handle_, &attributes));
  XSetErrorHandler(previous);
}

TEST_F(WindowKind, BadArgumentsOpenNothing) {
  EXPECT_EQ(window_open(9, 0, 0, 100, 100, "x", WindowStyleWindowed), 0);
  EXPECT_EQ(window_open(0, 0, 0, 0, 100, "x", WindowStyleWindowed), 0);
  EXPECT_EQ(window_open(0, 0, 0, 100, 100, "x", 3), 0);
  EXPECT_EQ(window_handle(0), 0u);
  EXPECT_EQ(screen_open_in_window(12345, 0, 0, 100, 100, 0, 0, 0, kFlipVsync), 0);
}

}  // namespace
