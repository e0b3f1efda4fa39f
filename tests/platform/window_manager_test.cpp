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
  }
  void TearDown() override { window_close(0); }

  void open_and_show(int style) {
    ASSERT_EQ(window_open(0, 0, 0, 320, 200, kTitle, style), 1);
    ASSERT_EQ(screen_open_in_window(window_handle(0), 0, 0, 320, 200, 0, 0, 0, kFlipVsync), 1);
    window_show(0);
    window_activate(0);
    std::vector<int> events;
    wait_until([&] { const auto more = pump_window_events(20); events.insert(events.end(), more.begin(), more.end()); },
               [&] { return contains(events, EventFocusIn); });
    ASSERT_TRUE(contains(events, EventFocusIn));
    pump_window_events(100);
  }
  // Events until `code` arrives or about a second passed.
  std::vector<int> events_until(int code) {
    std::vector<int> events;
    wait_until([&] { const auto more = pump_window_events(20); events.insert(events.end(), more.begin(), more.end()); },
               [&] { return contains(events, code); });
    return events;
  }
  std::string frame_extents() {
    return output("xprop -id " + std::to_string(window_handle(0)) + " _NET_FRAME_EXTENTS");
  }

  static inline int windowManager_ = 0;
};

TEST_F(WindowManager, MinimiseAndRestoreReportTheirEvents) {
  open_and_show(WindowStyleWindowed);
  EXPECT_EQ(screen_is_active(), 1);
  window_minimize(0);
  std::vector<int> events = events_until(EventMinimized);
  EXPECT_TRUE(contains(events, EventMinimized));
  events = events_until(EventFocusOut);
  EXPECT_EQ(screen_is_active(), 0);

  window_activate(0);
  events = events_until(EventRestored);
  EXPECT_TRUE(contains(events, EventRestored));
  EXPECT_FALSE(contains(events, EventMaximized));
  events = events_until(EventFocusIn);
  EXPECT_TRUE(contains(events, EventFocusIn) || screen_is_active() == 1);
}

TEST_F(WindowManager, CloseButtonOfTheWindowManagerIsARequest) {
  open_and_show(WindowStyleWindowed);
  ASSERT_EQ(run(std::string("wmctrl -c '") + kTitle + "'"), 0);
  const std::vector<int> events = events_until(EventCloseRequest);
  EXPECT_TRUE(contains(events, EventCloseRequest));
  EXPECT_NE(window_handle(0), 0u);
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
