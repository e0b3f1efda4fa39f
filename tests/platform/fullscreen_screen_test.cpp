// The full-screen game screen on Xvfb: opening, keys, buttons, relative mouse, focus, pacing.
// Input is injected from outside with xdotool, as a player would give it.
#include <gtest/gtest.h>
// gtest before X11, whose macros (None, Bool) clash with its names.
#include <X11/Xlib.h>

#include <chrono>

#include "gfx_support.h"

namespace {

TEST(FullscreenOpening, OpensOnlyAtTheDesktopSizeWithThePointerInTheCentre) {
  platform_init(0, nullptr);
  EXPECT_EQ(desktop_width() * 10000 + desktop_height(), 12800720);
  EXPECT_EQ(desktop_count(), 1);
  int width = 7, height = 7;
  EXPECT_EQ(desktop_size(1, &width, &height), 0);  // no second monitor
  EXPECT_EQ(width, 0);
  EXPECT_EQ(screen_open_fullscreen(1024, 768, 32, "wrong size", kFlipVsync), 0);
  EXPECT_EQ(screen_is_active(), 0);
  ASSERT_EQ(screen_open_fullscreen(1280, 720, 32, "right size", kFlipVsync), 1);
  EXPECT_EQ(screen_is_active(), 1);
  Display* display = XOpenDisplay(nullptr);
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(display, platform_fullscreen_window(), &a));
  EXPECT_EQ(std::vector<int>({a.x, a.y, a.width, a.height, a.map_state, a.override_redirect}),
            std::vector<int>({0, 0, 1280, 720, IsViewable, True}));
  Window root = 0, child = 0;
  int x = 0, y = 0, wx = 0, wy = 0;
  unsigned mask = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy, &mask);
  EXPECT_EQ(x * 1000 + y, 640360);
  XCloseDisplay(display);
  screen_close();
  EXPECT_EQ(platform_fullscreen_window(), 0u);
  EXPECT_EQ(screen_is_active(), 0);
}

class Fullscreen : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    ASSERT_EQ(keyboard_init(), 1);
    ASSERT_EQ(mouse_init(), 1);
    ASSERT_EQ(screen_open_fullscreen(desktop_width(), desktop_height(), 32, "Vesperine test", kFlipVsync), 1);
  }
  void TearDown() override {
    screen_set_frame_rate(0);
    screen_close();
  }
  // Polls the keys over several frames, as the game's loop would.
  static void PollKeysFor(int ms) {
    for (int i = 0; i < ms / 10; ++i) {
      keyboard_poll();
      wait_ms(10);
    }
  }
  // Polls the keys until all of them were released once.
  static bool released(std::vector<int> keys) {
    return wait_until([] { keyboard_poll(); }, [&] {
      std::erase_if(keys, [](int key) { return key_released(key) == 1; });
      return keys.empty();
    });
  }
};

TEST_F(Fullscreen, HeldKeysAreReleasedOnceAfterTheyGoUpAndTapsAreNot) {
  ASSERT_EQ(run("xdotool keydown shift+m keydown Escape keydown space"), 0);
  PollKeysFor(300);
  EXPECT_EQ(key_released(kKeyM) + key_released(kKeyEscape) + key_released(kKeySpace), 0);
  ASSERT_EQ(run("xdotool keyup space keyup Escape keyup shift+m"), 0);
  EXPECT_TRUE(released({kKeyM, kKeyEscape, kKeySpace}));
  keyboard_poll();
  EXPECT_EQ(key_released(kKeySpace), 0);
  ASSERT_EQ(run("xdotool key s"), 0);  // down and up within one poll
  wait_ms(100);
  keyboard_poll();
  EXPECT_EQ(key_released(kKeyS), 0);
}

TEST_F(Fullscreen, ButtonsAreLevelsInTheGamesNumberingAndShortClicksAreLatched) {
  ASSERT_EQ(run("xdotool mousedown 1"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(1) == 1; }));
  ASSERT_EQ(run("xdotool mouseup 1 mousedown 3"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(1) == 0 && mouse_button(2) == 1; }));
  ASSERT_EQ(run("xdotool mouseup 3 mousedown 2"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(2) == 0 && mouse_button(3) == 1; }));
  ASSERT_EQ(run("xdotool mouseup 2"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(3) == 0; }));
  // Press and release long before the next poll: held for exactly one poll.
  for (const auto& [xButton, gameButton] : {std::pair{1, 1}, std::pair{3, 2}}) {
    mouse_poll();
    ASSERT_EQ(run("xdotool mousedown " + std::to_string(xButton) + " mouseup " + std::to_string(xButton)), 0);
    wait_ms(250);
    screen_flip();
    mouse_poll();
    EXPECT_EQ(mouse_button(gameButton), 1) << "button " << gameButton;
    mouse_poll();
    EXPECT_EQ(mouse_button(gameButton), 0) << "button " << gameButton;
  }
}

TEST_F(Fullscreen, MouseMovesRelativelyAndStaysOnTheScreen) {
  mouse_poll();
  EXPECT_EQ(mouse_x() + mouse_y(), 0);
  for (const auto& [dx, dy, x, y] : {std::tuple{30, 20, 30, 20}, {25, -5, 55, 15}, {-300, -300, 0, 0}}) {
    ASSERT_EQ(run("xdotool mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy)), 0);
    EXPECT_TRUE(wait_until([] { mouse_poll(); }, [&] { return mouse_x() == x && mouse_y() == y; }))
        << mouse_x() << "," << mouse_y();
  }
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(run("xdotool mousemove_relative -- 600 300"), 0);
    wait_until([] { mouse_poll(); }, [] { return mouse_x() > 0; });
  }
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_x() == 1279 && mouse_y() == 719; }));
}

TEST_F(Fullscreen, LosingTheFocusMakesTheScreenInactiveAndLiftsKeys) {
  ASSERT_EQ(run("xdotool keydown space"), 0);
  PollKeysFor(300);
  ASSERT_EQ(key_released(kKeySpace), 0);
  ASSERT_EQ(run("xdotool windowfocus $(xwininfo -root | awk '/Window id/ {print $4}')"), 0);
  EXPECT_TRUE(wait_until([] { screen_flip(); }, [] { return screen_is_active() == 0; }));
  EXPECT_EQ(key_released(kKeySpace), 1);
  run("xdotool keyup space");
  ASSERT_EQ(run("xdotool click 1"), 0);  // a click brings the focus back
  EXPECT_TRUE(wait_until([] { screen_flip(); }, [] { return screen_is_active() == 1; }));
}

TEST_F(Fullscreen, FrameRateLimitSpacesFlipsByMoreThanTheFrameTime) {
  using Clock = std::chrono::steady_clock;
  screen_set_frame_rate(60);
  screen_flip();
  auto previous = Clock::now();
  for (int frame = 0; frame < 10; ++frame) {
    screen_flip();
    EXPECT_GE(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - previous).count(), 16000);
    previous = Clock::now();
  }
  screen_set_frame_rate(0);
  const auto start = Clock::now();
  for (int frame = 0; frame < 10; ++frame) screen_flip();
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count(), 150);
}

}  // namespace
