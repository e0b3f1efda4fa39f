// The window kinds under a real window manager (openbox): minimise, restore, focus, decorations,
// closing from the window manager.
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "gfx_support.h"

namespace {

constexpr char kTitle[] = "Vesperine under a window manager";

class WindowManager : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string pid = output("openbox --sm-disable >/dev/null 2>&1 & echo $!");
    windowManager_ = std::atoi(pid.c_str());
    for (int i = 0; i < 100 && run("wmctrl -m >/dev/null 2>&1") != 0; ++i) {
      wait_ms(20);
    }
  }
  static void TearDownTestSuite() {
    if (windowManager_ > 0) {
      kill(windowManager_, SIGTERM);
      wait_ms(100);
    }
  }
  void SetUp() override {
    ASSERT_EQ(run("wmctrl -m >/dev/null 2>&1"), 0) << "openbox did not start";
    platform_init(0, nullptr);
    // Earlier tests leave the pointer in the screen centre, inside the new window: with the focus on
    // the root window, X would then give the window the keyboard through the pointer, silently.
    ASSERT_EQ(run("xdotool mousemove 1 1"), 0);  // no --sync: it waits forever when already there
  }
  void TearDown() override { window_close(0); }

  void open_and_show(int style) {
    ASSERT_EQ(window_open(0, 0, 0, 320, 200, kTitle, style), 1);
    ASSERT_EQ(screen_open_in_window(window_handle(0), 0, 0, 320, 200, 0, 0, 0, kFlipVsync), 1);
    window_show(0);
    // A window manager that has only just started may not take the first request.
    for (int attempt = 0; attempt < 3 && !seen(EventFocusIn); ++attempt) {
      window_activate(0);
      wait_for(EventFocusIn);
    }
    ASSERT_TRUE(seen(EventFocusIn));
    pump_window_events(100);
    events_.clear();
  }
  // Collects events until `code` is among them or about a second passed.
  void wait_for(int code) {
    wait_until([&] { const auto more = pump_window_events(20); events_.insert(events_.end(), more.begin(), more.end()); },
               [&] { return seen(code); });
  }
  bool seen(int code) const { return contains(events_, code); }
  std::string frame_extents() {
    return output("xprop -id " + std::to_string(window_handle(0)) + " _NET_FRAME_EXTENTS");
  }

  std::vector<int> events_;  // since the window was shown
  static inline int windowManager_ = 0;
};

TEST_F(WindowManager, MinimiseAndRestoreReportTheirEvents) {
  open_and_show(WindowStyleWindowed);
  EXPECT_EQ(screen_is_active(), 1);
  window_minimize(0);
  wait_for(EventMinimized);
  wait_for(EventFocusOut);
  EXPECT_TRUE(seen(EventMinimized));
  EXPECT_TRUE(seen(EventFocusOut));
  EXPECT_EQ(screen_is_active(), 0);

  events_.clear();
  window_activate(0);
  wait_for(EventRestored);
  wait_for(EventFocusIn);
  EXPECT_TRUE(seen(EventRestored));
  EXPECT_FALSE(seen(EventMaximized));
  EXPECT_TRUE(seen(EventFocusIn));
  EXPECT_EQ(screen_is_active(), 1);
}

TEST_F(WindowManager, CloseButtonOfTheWindowManagerIsARequest) {
  open_and_show(WindowStyleWindowed);
  ASSERT_EQ(run(std::string("wmctrl -c '") + kTitle + "'"), 0);
  wait_for(EventCloseRequest);
  EXPECT_TRUE(seen(EventCloseRequest));
  EXPECT_NE(window_handle(0), 0u);
}

TEST_F(WindowManager, MovingTheWindowIsAMoveNotAResize) {
  open_and_show(WindowStyleWindowed);
  ASSERT_EQ(run(std::string("wmctrl -r '") + kTitle + "' -e 0,20,30,-1,-1"), 0);
  wait_for(EventMoved);
  EXPECT_TRUE(seen(EventMoved));
  EXPECT_FALSE(seen(EventResized));
}

TEST_F(WindowManager, WindowedHasAFrameAndBorderlessNone) {
  open_and_show(WindowStyleWindowed);
  const std::string framed = frame_extents();
  EXPECT_EQ(framed.find("= 0, 0, 0, 0"), std::string::npos) << framed;
  window_close(0);
  open_and_show(WindowStyleBorderless);
  const std::string bare = frame_extents();
  EXPECT_NE(bare.find("= 0, 0, 0, 0"), std::string::npos) << bare;
}

TEST_F(WindowManager, KeysReachTheActiveWindow) {
  ASSERT_EQ(keyboard_init(), 1);
  open_and_show(WindowStyleBorderless);
  ASSERT_EQ(run("xdotool keydown Escape"), 0);
  pump_window_events(60);
  EXPECT_EQ(key_released(kKeyEscape), 0);
  ASSERT_EQ(run("xdotool keyup Escape"), 0);
  EXPECT_TRUE(wait_until([] { pump_window_events(10); }, [] { return key_released(kKeyEscape) == 1; }));
}

}  // namespace
