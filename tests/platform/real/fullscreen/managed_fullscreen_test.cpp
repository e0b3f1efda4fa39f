// Full screen under openbox (click to focus, Alt+Tab), under a small window manager forked here for
// what openbox never does (a frame shown late), and in a window of another size than the screen's.
#include "gfx_support.h"
#include "platform/real/fullscreen/fullscreen_window.h"

namespace {

// The small window manager, in the forked child until it is killed: it says it keeps windows full
// screen, maps each in a frame shown half a second later, as a busy reparenting window manager may
// do, and focuses one asked to be active if it is viewable.
[[noreturn]] void run_window_manager() {
  std::signal(SIGTERM, SIG_DFL);  // the game's handler, inherited, would only ask it to quit
  Display* display = XOpenDisplay(nullptr);
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  const Window root = DefaultRootWindow(display), check = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  for (const Window window : {root, check}) set_items(display, window, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, {check});
  set_items(display, root, "_NET_SUPPORTED", XA_ATOM, {atom(display, "_NET_WM_STATE_FULLSCREEN"), atom(display, "_NET_ACTIVE_WINDOW")});
  XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
  std::vector<std::pair<Window, std::chrono::steady_clock::time_point>> frames;
  for (;; XFlush(display), wait_ms(5)) {
    const auto now = std::chrono::steady_clock::now();
    for (const auto& [frame, when] : frames) if (when < now) XMapWindow(display, frame);
    std::erase_if(frames, [&](const auto& frame) { return frame.second < now; });
    for (XEvent e; XPending(display) > 0;) {
      XNextEvent(display, &e);
      if (e.type == MapRequest) {
        frames.emplace_back(XCreateSimpleWindow(display, root, 0, 0, 1280, 720, 0, 0, 0), now + std::chrono::milliseconds(500));
        XReparentWindow(display, e.xmaprequest.window, frames.back().first, 0, 0);
        XMapWindow(display, e.xmaprequest.window);
      }
      if (XWindowAttributes a{}; e.type == ClientMessage && e.xclient.message_type == atom(display, "_NET_ACTIVE_WINDOW") &&
          XGetWindowAttributes(display, e.xclient.window, &a) && a.map_state == IsViewable) XSetInputFocus(display, e.xclient.window, RevertToParent, CurrentTime);
    }
  }
}

// The pixels of the window (the part on the screen) not where the game's picture of 1280 x 720,
// fitted into width x height and centred, has them.
int pixels_off_the_fitted_picture(Display* display, int width, int height, const std::function<Rgba(int, int)>& picture) {
  const double scale = std::min(width / 1280.0, height / 720.0);
  XSync(gFullscreen.display, False);  // the game's own connection: its frames reached the server
  const RgbaImage shown = shown_pixels(display, platform_fullscreen_window(), std::min(width, 1280), std::min(height, 720));
  return misplaced_in_fit(shown, (width - int(1280 * scale + 0.5)) / 2, (height - int(720 * scale + 0.5)) / 2, scale, 1280, 720, picture);
}

class ManagedFullScreen : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr), display_ = XOpenDisplay(nullptr);
    ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
  }
  void TearDown() override {
    if (screen_close(), windowManager_ != 0) stop_window_manager(windowManager_);
    XCloseDisplay(display_);
  }
  void start_small_window_manager() {
    if ((windowManager_ = fork()) == 0) run_window_manager();
    ASSERT_TRUE(wait_until([] {}, [&] { return window_manager_offers_fullscreen(display_, DefaultScreen(display_)); }));
  }
  void open() { ASSERT_EQ(screen_open_fullscreen(1280, 720, 32, "Vesperine test", kFlipVsync), 1); }
  // The game's window has the X focus and the screen is active, or neither.
  bool wait_focused(bool focused) {
    Window focus = 0;
    int revert = 0;
    return wait_until([] { screen_flip(); }, [&] {
      return XGetInputFocus(display_, &focus, &revert), (focus == platform_fullscreen_window()) == focused && screen_is_active() == int{focused};
    });
  }
  Display* display_ = nullptr;
  int windowManager_ = 0;
};

TEST_F(ManagedFullScreen, AWindowManagerKeepsWindowsFullScreenOnlyThroughALiveCheckWindowListingIt) {
  const Window root = DefaultRootWindow(display_), live = XCreateSimpleWindow(display_, root, 0, 0, 1, 1, 0, 0, 0);
  const Window silent = XCreateSimpleWindow(display_, root, 0, 0, 1, 1, 0, 0, 0), gone = XCreateSimpleWindow(display_, root, 0, 0, 1, 1, 0, 0, 0);
  set_items(display_, live, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, {live});
  XDestroyWindow(display_, gone);
  const struct { const char* what; Window check; bool listed; bool offered; } cases[] = {
      {"a live check window listing full screen", live, true, true}, {"full screen not listed", live, false, false},
      {"a check window that has gone", gone, true, false}, {"a check window not naming itself", silent, true, false},
      {"no check window", 0, true, false}};
  for (const auto& c : cases) {
    c.check != 0 ? set_items(display_, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, {c.check})
                 : void(XDeleteProperty(display_, root, atom(display_, "_NET_SUPPORTING_WM_CHECK")));
    set_items(display_, root, "_NET_SUPPORTED", XA_ATOM, {atom(display_, "_NET_WM_STATE"), c.listed ? atom(display_, "_NET_WM_STATE_FULLSCREEN") : 0});
    XSync(display_, False);
    EXPECT_EQ(window_manager_offers_fullscreen(display_, DefaultScreen(display_)), c.offered) << c.what;
  }
  XDestroyWindow(display_, live), XDestroyWindow(display_, silent), XSync(display_, False);
}

// Under openbox it is marked full screen and holds neither the keyboard nor the pointer: Alt+Tab
// leaves it and comes back, the game's pointer where the player's then is. Bare, the press comes
// before the focus; openbox focuses first, then lets the press through. Either way the held button
// reads as up and the next click counts.
TEST_F(ManagedFullScreen, UnderOpenboxNoGrabAndAltTabAndEitherWayTheClickThatGivesTheFocusBackDoesNothingInTheGame) {
  bare_then_under_openbox([&](bool withWindowManager) {
    open();
    ASSERT_TRUE(wait_focused(true));
    const std::string state = output("xprop -id " + std::to_string(platform_fullscreen_window()) + " _NET_WM_STATE");
    EXPECT_EQ(fullscreen_geometry(display_), std::vector<int>({0, 0, 1280, 720, IsViewable, !withWindowManager}));
    EXPECT_EQ(state.find("_NET_WM_STATE_FULLSCREEN") != std::string::npos, withWindowManager) << state;
    EXPECT_EQ(grabs_granted(display_), withWindowManager ? 2 : 0) << "with the focus";
    const Window other = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 100, 100, 200, 100, 0, 0, 0);
    if (withWindowManager) XMapWindow(display_, other), XSync(display_, False);  // activated through openbox; bare, the root focused
    run(withWindowManager ? "xdotool windowactivate --sync " + std::to_string(other) : "xdotool windowfocus $(xwininfo -root | awk '/Window id/ {print $4}')");
    ASSERT_TRUE(wait_focused(false));
    EXPECT_TRUE(!withWindowManager || grabs_granted(display_) == 2) << "away";
    ASSERT_EQ(run("xdotool mousedown 1"), 0);  // on the game, the pointer at its centre
    ASSERT_TRUE(wait_focused(true));
    for (int frame = 0; frame < 5; ++frame) EXPECT_EQ((screen_flip(), mouse_poll(), mouse_button(1)), 0) << "held, frame " << frame;
    ASSERT_EQ(run("xdotool mouseup 1 mousedown 1 mouseup 1"), 0);
    EXPECT_TRUE(wait_until([] { screen_flip(), mouse_poll(); }, [] { return mouse_button(1) == 1; })) << "the next click";
    if (withWindowManager) {  // Alt+Tab to the other window and back, the player's pointer moved meanwhile
      ASSERT_TRUE(pointer_comes_to("mousemove_relative -- -340 -160", 300, 200)) << "from the centre, where the click was";
      for (const bool focused : {false, true}) {
        ASSERT_EQ(run("xdotool keydown alt sleep 0.1 key Tab sleep 0.3 keyup alt"), 0);
        EXPECT_TRUE(wait_focused(focused)) << "Alt+Tab";
        EXPECT_EQ(focused ? 0 : run("xdotool mousemove 100 80"), 0);
      }
      mouse_poll();
      EXPECT_EQ(std::pair(mouse_x(), mouse_y()), std::pair(100, 80)) << "the game's pointer comes back where the player's is";
      EXPECT_TRUE(pointer_comes_to("mousemove_relative -- 30 20", 130, 100)) << "and moves on from there";
    }
    screen_close(), XDestroyWindow(display_, other);
  });
}

TEST_F(ManagedFullScreen, AWindowStillWithoutTheFocus3SecondsAfterMappingAsksAgain) {
  start_small_window_manager();
  const auto opened = std::chrono::steady_clock::now();
  EXPECT_TRUE((open(), wait_focused(true)));
  EXPECT_GE(std::chrono::steady_clock::now() - opened, std::chrono::seconds(3)) << "focused before asking again";
}

// The window manager changes the window's size while a frame is half drawn, into the fitted picture
// and back, after the frame's first calls were drawn (a sprite changed half-way: the keyboard focus
// ring) or between two frames: from the next frame on the window shows the whole picture, also in
// frames alike, which are not drawn again, and in those drawn from the copy kept of alike frames.
// The pointer's position maps to the picture at each size, and so does its movement, scaled.
TEST_F(ManagedFullScreen, ASizeChangedHalfWayThroughAFrameShowsTheRightPictureFromTheNextFrameOn) {
  open();
  gFullscreen.pointerByPosition = true;  // as under Xwayland
  const RgbaImage quarters = solid_image(2, 2, kBlue, {{1, 0, kRed}, {0, 1, kGreen}, {1, 1, kWhite}});
  const SpriteId background = scaled_sprite(quarters, 1280, 720), veil = solid_sprite(1280, 720, kClear), ring = solid_sprite(60, 60, kRed);
  const auto picture = [&](int x, int y) { return x >= 900 && x < 960 && y >= 500 && y < 560 ? kGreen : pixel_at(quarters, x >= 640, y >= 360); };
  const struct { const char* what; int width, height; bool halfWay; int pointerX, pointerY; } changes[] = {
      {"into the fitted picture half-way", 1024, 640, true, 625, 335}, {"back half-way", 1280, 720, true, 500, 300},
      {"into the fitted picture between frames", 1024, 640, false, 625, 335}, {"back between frames", 1280, 720, false, 500, 300}};
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    for (int frame = 0; frame < 6; ++frame) {  // frames 1 and 2 alike after another: the copy is taken in frame 2
      frame == 0 ? sprite_draw_blended(background, 0, 0, 255) : sprite_draw(background, 0, 0);
      if (frame == 2) {
        sprite_begin_drawing(ring), draw_box(0, 0, 60, 60, rgb(0, 255, 0)), drawing_end();  // the frame so far drawn
        XResizeWindow(display_, platform_fullscreen_window(), c.width, c.height), XSync(display_, False);
        XSync(gFullscreen.display, False);  // the change is in the game's queue
        if (c.halfWay) keyboard_poll();
      }
      sprite_draw_blended(veil, 0, 0, 255), sprite_draw(ring, 900, 500), screen_flip();
    }
    EXPECT_EQ(pixels_off_the_fitted_picture(display_, c.width, c.height, picture), 0);
    EXPECT_TRUE(pointer_comes_to("mousemove 0 0 mousemove 500 300", c.pointerX, c.pointerY)) << mouse_x() << "," << mouse_y();
    gFullscreen.pointerByPosition = false, fullscreen_centre_pointer(), mouse_init();  // as on a plain X server
    EXPECT_TRUE(pointer_comes_to("mousemove_relative -- 100 40", 100 * 1280 / c.width, 40 * 1280 / c.width)) << mouse_x() << "," << mouse_y();
    gFullscreen.pointerByPosition = true;
  }
}

}  // namespace
