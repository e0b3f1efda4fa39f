// The full-screen game screen on Xvfb: opening, keys, buttons, relative mouse, focus, pacing, the
// frames shown. Input is injected from outside with xdotool, as a player would give it.
#include "gfx_support.h"

#include "platform/real/fullscreen/fullscreen_window.h"

#include <numeric>

namespace {

// What xdotool sent (the server has taken it before xdotool ends) waits in the screen's event queue.
void sync_input() { XSync(gFullscreen.display, False); }

TEST_F(FullScreen, FullScreenCoversTheDesktopAndOpensOnlyAtItsSize) {
  EXPECT_EQ(desktop_width() * 10000 + desktop_height(), 12800720);
  int width = 7, height = 7;
  EXPECT_EQ(desktop_count() * 10 + desktop_size(1, &width, &height) + width, 10) << "one monitor, no second";
  EXPECT_EQ(screen_is_active(), 1);
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(gFullscreen.display, platform_fullscreen_window(), &a));
  EXPECT_EQ(std::vector<int>({a.x, a.y, a.width, a.height, a.map_state, a.override_redirect}),
            std::vector<int>({0, 0, 1280, 720, IsViewable, True}));
  Display* other = XOpenDisplay(nullptr);
  EXPECT_EQ(grabs_granted(other), 0) << "without a window manager it holds the keyboard and pointer";
  XCloseDisplay(other);
  screen_close();
  EXPECT_EQ(platform_fullscreen_window() + screen_is_active(), 0u);
  EXPECT_EQ(screen_open_fullscreen(1024, 768, 32, "wrong size", kFlipVsync) + screen_is_active(), 0);
}

TEST_F(FullScreen, HeldKeysAreReleasedOnceAfterGoingUpOrLosingTheFocusAndTapsAreNot) {
  const auto keysReleased = [](std::initializer_list<int> keys) {
    sync_input();
    keyboard_poll();
    std::vector<int> released;
    for (const int key : keys) released.push_back(key_released(key));
    return released;
  };
  ASSERT_EQ(run("xdotool keydown shift+m keydown Escape keydown space"), 0);
  for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(keysReleased({kKeyM, kKeyEscape, kKeySpace}), std::vector<int>({0, 0, 0}));
  ASSERT_EQ(run("xdotool keyup Escape keyup shift+m"), 0);
  EXPECT_EQ(keysReleased({kKeyM, kKeyEscape, kKeySpace}), std::vector<int>({1, 1, 0}));
  EXPECT_EQ(keysReleased({kKeyM, kKeyEscape}), std::vector<int>({0, 0})) << "released once";
  ASSERT_EQ(run("xdotool key s"), 0);
  EXPECT_EQ(keysReleased({kKeyS}), std::vector<int>({0})) << "down and up within one poll";
  // Space still held: losing the focus makes the screen inactive and lifts it.
  ASSERT_EQ(run("xdotool windowfocus $(xwininfo -root | awk '/Window id/ {print $4}')"), 0);
  EXPECT_TRUE(wait_until([] { screen_flip(); }, [] { return screen_is_active() == 0; }));
  EXPECT_EQ(key_released(kKeySpace), 1);
  run("xdotool keyup space");
}

TEST_F(FullScreen, ButtonsAreLevelsInTheGamesNumberingAndShortClicksAreLatched) {
  for (const auto& [xButton, gameButton] : {std::pair{1, 1}, {3, 2}, {2, 3}}) {
    const std::string x = std::to_string(xButton);
    for (const auto& [command, level] : {std::pair{"mousedown ", 1}, {"mouseup ", 0}}) {
      ASSERT_EQ(run("xdotool " + (command + x)), 0);
      EXPECT_TRUE(wait_until([] { mouse_poll(); }, [&] { return mouse_button(gameButton) == level; })) << command << x;
    }
    ASSERT_EQ(run("xdotool mousedown " + x + " mouseup " + x), 0);  // both taken by one frame's flip
    sync_input();
    screen_flip();
    mouse_poll();
    EXPECT_EQ(mouse_button(gameButton), 1) << "latched for one poll, X button " << x;
    mouse_poll();
    EXPECT_EQ(mouse_button(gameButton), 0) << "X button " << x;
  }
}

TEST_F(FullScreen, MouseMovesRelativelyAndStaysOnTheScreen) {
  mouse_poll();
  EXPECT_EQ(mouse_x() + mouse_y(), 0);
  const std::tuple<int, int, int, int> steps[] = {{30, 20, 30, 20},    {25, -5, 55, 15},      {-300, -300, 0, 0},
                                                  {600, 300, 600, 300}, {600, 300, 1200, 600}, {600, 300, 1279, 719}};
  for (const auto& [dx, dy, x, y] : steps) {  // each step taken before the next: the pointer is back at the centre
    ASSERT_EQ(run("xdotool mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy)), 0);
    EXPECT_TRUE(wait_until([] { mouse_poll(); }, [&] { return mouse_x() == x && mouse_y() == y; })) << mouse_x() << "," << mouse_y();
  }
}

TEST_F(FullScreen, FrameRateLimitSpacesFlipsByMoreThanTheFrameTime) {
  using Clock = std::chrono::steady_clock;
  for (const int fps : {60, 0}) {  // ten flips, each timed from the end of the one before
    screen_set_frame_rate(fps);
    screen_flip();
    std::vector<Clock::duration> times;
    for (auto previous = Clock::now(); times.size() < 10; previous = Clock::now()) times.push_back((screen_flip(), Clock::now() - previous));
    if (fps == 60) EXPECT_GE(std::ranges::min(times), std::chrono::milliseconds(16));
    else EXPECT_LT(std::accumulate(times.begin(), times.end(), Clock::duration()), std::chrono::milliseconds(150));
  }
}

// A frame that makes the calls of the frame on screen is neither drawn nor shown; a changed call, a
// changed texture, a read of the screen and an expose each show the next frame, drawn in full.
TEST_F(FullScreen, OnlyFramesThatChangeTheScreenAreShown) {
  const SpriteId background = load_sprite(solid_image(1, 1, kBlue), kSpriteKeepAlpha);
  sprite_scale(background, desktop_width(), desktop_height());
  const SpriteId card = load_sprite(solid_image(16, 16, kRed), kSpriteKeepAlpha);
  const auto none = [] {};
  const auto read = [] { EXPECT_EQ(screen_pixel(21, 11), kRed) << "the frame is drawn to be read"; };
  const auto expose = [&] { cover_and_uncover(gFullscreen.display, gFullscreen.window), keyboard_poll(); };
  const auto recolour = [&] { sprite_set_color_key(card, rgb(1, 2, 3)); };
  const struct { const char* what; int cardX; std::function<void()> then; int shown; } frames[] = {
      {"first", 10, none, 1}, {"the same, but opening exposed it", 10, none, 1}, {"the same", 10, none, 0}, {"the card moved", 20, none, 1},
      {"the same", 20, none, 0}, {"read", 20, read, 1}, {"the same", 20, none, 0},
      {"a texture changes after the drawing", 20, recolour, 1}, {"drawn from the changed texture", 20, none, 1},
      {"exposed", 20, expose, 1}, {"the same", 20, none, 0}, {"nothing drawn", -1, none, 0},
      {"nothing drawn, exposed: the frame on screen again", -1, expose, 1}, {"the frame on screen", 20, none, 0},
  };
  for (const auto& f : frames) {
    const int before = platform_frames_presented();
    if (f.cardX >= 0) sprite_draw(background, 0, 0), sprite_draw(card, f.cardX, 10);
    f.then();
    screen_flip();
    EXPECT_EQ(platform_frames_presented() - before, f.shown) << f.what;
    const RgbaImage shown = shown_pixels(gFullscreen.display, gFullscreen.window, 40, 30);
    EXPECT_EQ(std::pair(pixel_at(shown, 5, 5), pixel_at(shown, 21, 11)), std::pair(kBlue, kRed)) << f.what;
  }
}

}  // namespace
