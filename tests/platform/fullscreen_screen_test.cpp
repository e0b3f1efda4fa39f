// The full-screen game screen on Xvfb: opening, keys, buttons, relative mouse, focus, pacing.
// Input is injected from outside with xdotool, as a player would give it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>

#include "gfx_support.h"
#include "platform/real/platform_testing.h"

namespace {

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
  // A key held over several frames, as the game's loop would see it.
  void flip_frames(int count) {
    for (int i = 0; i < count; ++i) {
      screen_flip();
      wait_ms(10);
    }
  }
};

TEST(FullscreenOpening, OpensOnlyAtTheDesktopSizeWithoutVideoModes) {
  platform_init(0, nullptr);
  EXPECT_EQ(desktop_width(), 1280);
  EXPECT_EQ(desktop_height(), 720);
  EXPECT_EQ(desktop_count(), 1);
  int width = 7, height = 7;
  EXPECT_EQ(desktop_size(1, &width, &height), 0);  // there is no second monitor
  EXPECT_EQ(width, 0);
  EXPECT_EQ(screen_open_fullscreen(1024, 768, 32, "wrong size", kFlipVsync), 0);
  EXPECT_EQ(platform_fullscreen_window(), 0u);
  EXPECT_EQ(screen_is_active(), 0);
  ASSERT_EQ(screen_open_fullscreen(1280, 720, 32, "right size", kFlipVsync), 1);
  EXPECT_EQ(screen_is_active(), 1);

  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(display, platform_fullscreen_window(), &attributes));
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, 1280);
  EXPECT_EQ(attributes.height, 720);
  EXPECT_EQ(attributes.map_state, IsViewable);
  EXPECT_TRUE(attributes.override_redirect);
  // The pointer waits in the centre.
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned mask = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask);
  EXPECT_EQ(rootX, 640);
  EXPECT_EQ(rootY, 360);
  XCloseDisplay(display);

  screen_close();
  EXPECT_EQ(platform_fullscreen_window(), 0u);
  EXPECT_EQ(screen_is_active(), 0);
}

TEST_F(Fullscreen, HeldKeyIsReleasedOnceAfterItGoesUp) {
  ASSERT_EQ(run("xdotool keydown s"), 0);
  EXPECT_TRUE(wait_until([] { keyboard_poll(); }, [] { return key_released(kKeyS) == 0; }));
  flip_frames(3);
  keyboard_poll();
  EXPECT_EQ(key_released(kKeyS), 0);
  ASSERT_EQ(run("xdotool keyup s"), 0);
  EXPECT_TRUE(wait_until([] { keyboard_poll(); }, [] { return key_released(kKeyS) == 1; }));
  EXPECT_EQ(key_released(kKeyS), 0);
}

TEST_F(Fullscreen, ShiftedAndSpecialKeysUseTheirCodes) {
  ASSERT_EQ(run("xdotool keydown shift+m keydown Escape keydown space"), 0);
  flip_frames(2);
  keyboard_poll();
  EXPECT_EQ(key_released(kKeyM), 0);
  EXPECT_EQ(key_released(kKeyEscape), 0);
  EXPECT_EQ(key_released(kKeySpace), 0);
  ASSERT_EQ(run("xdotool keyup space keyup Escape keyup shift+m"), 0);
  int released = 0;
  wait_until([] { keyboard_poll(); },
             [&] {
               released += key_released(kKeyM) + key_released(kKeyEscape) + key_released(kKeySpace);
               return released == 3;
             });
  EXPECT_EQ(released, 3);
}

TEST_F(Fullscreen, KeyTappedBetweenTwoPollsIsNoRelease) {
  keyboard_poll();
  ASSERT_EQ(run("xdotool key m"), 0);
  wait_ms(100);
  keyboard_poll();
  EXPECT_EQ(key_released(kKeyM), 0);
}

TEST_F(Fullscreen, ButtonsAreLevelsInTheGamesNumbering) {
  EXPECT_EQ(mouse_button(1), 0);
  ASSERT_EQ(run("xdotool mousedown 1"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(1) == 1; }));
  ASSERT_EQ(run("xdotool mouseup 1 mousedown 3"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(1) == 0 && mouse_button(2) == 1; }));
  ASSERT_EQ(run("xdotool mouseup 3 mousedown 2"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(2) == 0 && mouse_button(3) == 1; }));
  ASSERT_EQ(run("xdotool mouseup 2"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_button(3) == 0; }));
}

// xdotool presses and releases within one call, long before the next poll: the click is latched
// and reads as held for exactly one poll.
TEST_F(Fullscreen, ClickBetweenTwoPollsReadsAsHeldForOnePoll) {
  for (const auto& [xButton, gameButton] : {std::pair{1, 1}, std::pair{3, 2}}) {
    mouse_poll();
    ASSERT_EQ(mouse_button(gameButton), 0);
    ASSERT_EQ(run("xdotool mousedown " + std::to_string(xButton) + " mouseup " + std::to_string(xButton)), 0);
    wait_ms(250);  // xdotool has flushed; the events are on their way to our connection
    screen_flip();
    mouse_poll();
    EXPECT_EQ(mouse_button(gameButton), 1) << "button " << gameButton;
    mouse_poll();
    EXPECT_EQ(mouse_button(gameButton), 0) << "button " << gameButton;
  }
}

TEST_F(Fullscreen, MouseMovesRelativelyAndStaysOnTheScreen) {
  mouse_poll();
  EXPECT_EQ(mouse_x(), 0);
  EXPECT_EQ(mouse_y(), 0);
  ASSERT_EQ(run("xdotool mousemove_relative -- 30 20"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_x() == 30 && mouse_y() == 20; }))
      << mouse_x() << "," << mouse_y();
  // Back in the centre, so the next movement counts from there.
  ASSERT_EQ(run("xdotool mousemove_relative -- 25 -5"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_x() == 55 && mouse_y() == 15; }))
      << mouse_x() << "," << mouse_y();
  ASSERT_EQ(run("xdotool mousemove_relative -- -300 -300"), 0);
  EXPECT_TRUE(wait_until([] { mouse_poll(); }, [] { return mouse_x() == 0 && mouse_y() == 0; }));
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(run("xdotool mousemove_relative -- 600 300"), 0);
    wait_until([] { mouse_poll(); }, [] { return mouse_x() > 0; });
  }
  EXPECT_EQ(mouse_x(), 1279);
  EXPECT_EQ(mouse_y(), 719);
}

TEST_F(Fullscreen, LosingTheFocusMakesTheScreenInactiveAndLiftsKeys) {
  ASSERT_EQ(run("xdotool keydown space"), 0);
  EXPECT_TRUE(wait_until([] { keyboard_poll(); }, [] { return key_released(kKeySpace) == 0; }));
  flip_frames(2);
  keyboard_poll();
  ASSERT_EQ(key_released(kKeySpace), 0);
  ASSERT_EQ(run("xdotool windowfocus $(xwininfo -root | awk '/Window id/ {print $4}')"), 0);
  EXPECT_TRUE(wait_until([] { screen_flip(); }, [] { return screen_is_active() == 0; }));
  EXPECT_EQ(key_released(kKeySpace), 1);
  run("xdotool keyup space");
  // A click brings the focus back.
  ASSERT_EQ(run("xdotool click 1"), 0);
  EXPECT_TRUE(wait_until([] { screen_flip(); }, [] { return screen_is_active() == 1; }));
}

TEST_F(Fullscreen, FrameRateLimitSpacesFlipsByMoreThanTheFrameTime) {
  screen_set_frame_rate(60);
  screen_flip();
  auto previous = std::chrono::steady_clock::now();
  for (int frame = 0; frame < 10; ++frame) {
    screen_flip();
    const auto now = std::chrono::steady_clock::now();
    EXPECT_GE(std::chrono::duration_cast<std::chrono::microseconds>(now - previous).count(), 16000);
    previous = now;
  }
  screen_set_frame_rate(0);
  const auto start = std::chrono::steady_clock::now();
  for (int frame = 0; frame < 10; ++frame) {
    screen_flip();
  }
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count(),
            150);
}

}  // namespace
