// The windowed and borderless kinds: a GTK window holding the GL screen, bare or under openbox.
// (The title, keys, minimise, restore, focus and the close button are played end to end.)
#include "gfx_support.h"
#include "platform/real/window/game_window.h"
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <array>

namespace {

constexpr int kWidth = 400, kHeight = 300;

class WindowKind : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    ASSERT_EQ(sprite_init(), 1);  // as the game: the drawing decides which frames are shown
    // A pointer left inside the new window would give it the keyboard silently (focus on the root).
    ASSERT_EQ(run("xdotool mousemove 1 1"), 0);  // no --sync: it waits forever when already there
    display_ = XOpenDisplay(nullptr);
  }
  void TearDown() override {
    window_close(0), XCloseDisplay(display_);
    gdk_x11_display_set_window_scale(gdk_display_get_default(), 1);  // the next test's platform_init takes it
  }
  void open(int style, int width = kWidth, int height = kHeight) {
    ASSERT_EQ(window_open(0, 0, 0, width, height, "Vesperine window test", style), 1);
    handle_ = window_handle(0);
    ASSERT_EQ(screen_open_in_window(handle_, 0, 0, width, height, 0, 0, 0, kFlipVsync), 1);
  }
  void show() {
    window_show(0);
    ASSERT_TRUE(wait_for_event(events_, EventRepaint)) << "the first repaint comes with showing";
    ASSERT_TRUE(wait_until([&] { take_window_events(events_); }, [&] { return map_state() == IsViewable; }));
    events_.clear();
  }
  // A window manager that has only just started may not take the first request: asked until it does.
  void show_under_window_manager() {
    window_show(0);
    ASSERT_TRUE(wait_until([&] { window_activate(0), wait_ms(20), take_window_events(events_); },
                           [&] { return contains(events_, EventFocusIn); }));
  }
  int map_state() { return attributes_of(display_, handle_).map_state; }
  Display* display_ = nullptr;
  uintptr_t handle_ = 0;
  std::vector<int> events_;
};

// X has no window side beyond 32767, GL draws and copies screens up to its own limits: a larger
// window or screen is refused like any that cannot open, never an abort. The game asks the largest
// side before any screen opens (through a context of its own, current no more).
TEST_F(WindowKind, OpensHiddenThenShowsCentredTakingAnySizeClosingDestroysItAndSizesBeyondXOrGlAreRefused) {
  const int largest = screen_largest_side();
  EXPECT_EQ(glXGetCurrentContext(), nullptr);
  open(WindowStyleWindowed);
  EXPECT_EQ(std::pair(map_state(), screen_is_active()), std::pair(int{IsUnmapped}, 1)) << "opens hidden, the screen active";
  GLint viewport[2] = {0, 0}, texture = 0;
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport), glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  const int widest = std::min(viewport[0], texture), tallest = std::min(viewport[1], texture);
  EXPECT_EQ(largest, std::min({widest, tallest, 32767}));
  show();
  XSizeHints hints{};
  long supplied = 0;
  int x = 0, y = 0;
  Window child = 0;
  ASSERT_TRUE(XGetWMNormalHints(display_, handle_, &hints, &supplied));
  XTranslateCoordinates(display_, handle_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  // The windowed style: a smallest size and no largest; its size as the window system gives it.
  const bool capped = (hints.flags & PMaxSize) != 0 && hints.max_width < 32767;
  EXPECT_EQ(std::vector<int>({hints.min_width, hints.min_height, capped, x, y}),
            std::vector<int>({kWindowMinWidth, kWindowMinHeight, 0, (1280 - kWidth) / 2, (720 - kHeight) / 2})) << hints.max_width;
  int w = 0, h = 0;
  EXPECT_EQ(std::make_tuple(window_size(0, &w, &h), w, h), std::make_tuple(1, kWidth, kHeight));
  XResizeWindow(display_, handle_, 900, 500), XSync(display_, False);
  EXPECT_TRUE(wait_until([&] { take_window_events(events_), window_size(0, &w, &h); }, [&] { return w == 900 && h == 500; }))
      << w << "x" << h;
  const SpriteId sprite = solid_sprite(1, 1, kRed);
  window_close(0);
  EXPECT_EQ(window_handle(0) + screen_is_active() + sprite_width(sprite) + window_size(0, &w, &h) + w + h, 0u);
  EXPECT_NE(run("xwininfo -id " + std::to_string(handle_) + " >/dev/null 2>&1"), 0) << "the X window is gone";
  EXPECT_EQ(window_open(9, 0, 0, 100, 100, "x", WindowStyleWindowed) + window_open(0, 0, 0, 0, 100, "x", WindowStyleWindowed) +
            window_open(0, 0, 0, 100, 100, "x", 3) + screen_open_in_window(12345, 0, 0, 100, 100, 0, 0, 0, kFlipVsync) +
            window_open(0, 0, 0, 32768, 16, "x", WindowStyleWindowed) + window_open(0, 0, 0, 16, 99999, "x", WindowStyleBorderless), 0);
  for (const auto& [width, height, opens] : {std::tuple{widest + 1, 16, 0}, {16, tallest + 1, 0}, {widest, 16, 1}}) {
    ASSERT_EQ(window_open(0, 0, 0, width, height, "x", WindowStyleBorderless), 1);
    EXPECT_EQ(screen_open_in_window(window_handle(0), 0, 0, width, height, 0, 0, 0, kFlipVsync), opens) << width << "x" << height;
    window_close(0);
  }
  // On a desktop at 200 % a game pixel takes two of the screen's each way: the side is half as long.
  gdk_x11_display_set_window_scale(gdk_display_get_default(), 2);
  EXPECT_EQ(screen_largest_side(), largest / 2);
  ASSERT_EQ(window_open(0, 0, 0, largest / 2 + 1, 16, "x", WindowStyleBorderless), 1);
  EXPECT_EQ(screen_open_in_window(window_handle(0), 0, 0, largest / 2 + 1, 16, 0, 0, 0, kFlipVsync), 0) << "a side beyond it";
}

TEST_F(WindowKind, BorderlessHasNoDecorationsItsPointerClicksAndMovesAreEventsAndLettersReadAsInTheLatinLayout) {
  open(WindowStyleBorderless);
  show();
  const std::vector<unsigned long> motif = items(display_, handle_, "_MOTIF_WM_HINTS");  // flags, functions, decorations...
  EXPECT_TRUE(motif.size() >= 3 && (motif[0] & 2) && motif[2] == 0)
      << "the decorations field is in use and holds none of them: " << testing::PrintToString(motif);
  ASSERT_EQ(run("xdotool mousemove --sync --window " + std::to_string(platform_drawing_area_window()) + " 17 23"), 0);
  EXPECT_EQ(std::vector<int>({window_mouse_x(0), window_mouse_y(0), window_mouse_x(3)}), std::vector<int>({17, 23, -1}));
  ASSERT_EQ(run("xdotool click 3 click --repeat 2 --delay 50 1"), 0);
  EXPECT_TRUE(wait_for_event(events_, EventRightClick) && wait_for_event(events_, EventLeftDoubleClick));
  EXPECT_EQ(std::ranges::count(events_, EventLeftClick), 2);
  ASSERT_EQ(run("for i in 1 2 3 4 5 6; do xdotool mousemove_relative --sync 3 2; done"), 0);
  XSync(gdk_x11_get_default_xdisplay(), False);  // every motion in GTK's queue before the first is taken
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
  std::vector<int> moves;
  take_window_events(moves);
  EXPECT_EQ(std::ranges::count(moves, EventMouseMove), 1) << "equal events in a row are queued once";
  ASSERT_EQ(run("xdotool mousemove --sync 5 5"), 0);
  EXPECT_EQ(window_mouse_x(0), -1) << "outside the window";
  ASSERT_EQ(run("xdotool windowfocus --sync " + std::to_string(handle_)), 0);
  const auto take = [] { XSync(gdk_x11_get_default_xdisplay(), False); while (window_event() != EventNone) {} };
  EXPECT_EQ(keys_misread_in_layouts(take), std::vector<std::string>()) << "letters read as in the Latin layout in any group";
}

// A still window shows no new frames, yet covered and uncovered it shows its whole picture again at
// the next frame, with a window manager or without. Under one a move comes as a configure event too.
TEST_F(WindowKind, AStillWindowIsShownAgainOnceUncoveredAndAMoveIsNoResize) {
  bare_then_under_openbox([&](bool withWindowManager) {
    open(WindowStyleWindowed);
    withWindowManager ? show_under_window_manager() : show();
    const SpriteId picture = scaled_sprite(solid_image(2, 2, kBlue, {{1, 0, kRed}, {0, 1, kGreen}}), kWidth, kHeight);
    const auto pass = [&] {  // as the game's main loop runs one; true when the window asked for a repaint
      bool repaint = false;
      for (int code = window_event(); code != EventNone; code = window_event())
        if (code == EventRepaint) screen_flip(), repaint = true;
      screen_flip();
      sprite_draw(picture, 0, 0);
      XSync(gdk_x11_get_default_xdisplay(), False);
      return repaint;
    };
    pass();
    RgbaImage drawn;
    ASSERT_TRUE(platform_read_pixels(0, 0, kWidth, kHeight, &drawn));
    const auto shown = [&] { return shown_pixels(display_, platform_drawing_area_window(), kWidth, kHeight).pixels == drawn.pixels; };
    ASSERT_TRUE(wait_until(pass, shown));
    const int presented = platform_frames_presented();
    for (int i = 0; i < 10; ++i) pass();
    EXPECT_EQ(platform_frames_presented(), presented) << "a still window shows nothing new";
    cover_and_uncover(display_, handle_);
    EXPECT_FALSE(shown()) << "the cover left its mark";
    int passes = 0, repaintAt = -1000;  // GTK asks for the repaint at its next frame clock tick
    for (; passes < 500 && !shown(); ++passes, wait_ms(5)) if (pass() && repaintAt < 0) repaintAt = passes;
    EXPECT_LE(passes - repaintAt, 1) << "passes from the window's repaint until the whole picture is back";
    if (withWindowManager) {
      events_.clear();
      ASSERT_EQ(run("wmctrl -r 'Vesperine window test' -e 0,20,30,-1,-1"), 0);
      EXPECT_TRUE(wait_for_event(events_, EventMoved));
      EXPECT_FALSE(contains(events_, EventResized)) << "a move is no resize";
    }
    window_close(0);
  });
}

// A window given another size (as a tiling window manager gives it, here without one, to a
// borderless window: GTK keeps a framed one at its smallest size) shows the
// whole picture scaled to fit it and centred, black around, drawn from the copy it kept as before;
// the pointer maps to the picture; back at its own size it shows exactly the frame drawn, and a
// frame is drawn where it changed only. On a desktop at 200 % all of it in twice the pixels, from a
// window opened at twice the game's size.
TEST_F(WindowKind, AnotherSizeShowsThePictureFittedAndCentredAndThePointerMapsToItAtEveryScale) {
  const struct { int width, height, left, top; double scale; int pointerX, pointerY, gameX, gameY; } sizes[] = {
      {480, 330, 20, 0, 1.1, 20, 10, 0, 9}, {200, 340, 0, 95, 0.5, 199, 244, 398, 298}, {600, 200, 166, 0, 0.6667, 165, 101, -1, 151},
      {kWidth, kHeight, 0, 0, 1, 17, 23, 17, 23}};
  for (const int n : {1, 2}) {  // the desktop's scale
    gdk_x11_display_set_window_scale(gdk_display_get_default(), n), platform_init(0, nullptr);
    open(WindowStyleBorderless);
    show();
    ASSERT_EQ(run("xdotool windowmove " + std::to_string(handle_) + " 0 0"), 0);  // every size on the screen, for its picture
    const SpriteId picture = scaled_sprite(solid_image(2, 2, kBlue, {{1, 0, kRed}, {0, 1, kGreen}, {1, 1, kWhite}}), kWidth, kHeight);
    const SpriteId veil = scaled_sprite(solid_image(1, 1, Rgba{0, 0, 0, 64}), kWidth, kHeight);
    const auto frame = [&] {  // two full-screen draws: from the third frame on, drawn from the copy kept
      take_window_events(events_);
      sprite_draw(picture, 0, 0), sprite_draw_blended(veil, 0, 0), screen_flip();
      XSync(gdk_x11_get_default_xdisplay(), False);
    };
    for (int i = 0; i < 3; ++i) frame();
    RgbaImage drawn, again;
    ASSERT_TRUE(platform_read_pixels(0, 0, kWidth, kHeight, &drawn));
    ASSERT_EQ(std::pair(drawn.width, drawn.height), std::pair(kWidth * n, kHeight * n)) << "drawn at the screen's pixels";
    const Rgba dimmed[2][2] = {{pixel_at(drawn, 0, 0), pixel_at(drawn, drawn.width - 1, 0)},
                               {pixel_at(drawn, 0, drawn.height - 1), pixel_at(drawn, drawn.width - 1, drawn.height - 1)}};
    for (const auto& s : sizes) {
      SCOPED_TRACE("scale " + std::to_string(n) + ", " + std::to_string(s.width) + "x" + std::to_string(s.height) + " of its pixels");
      const int width = s.width * n, height = s.height * n, fromCopy = platform_frames_drawn_from_copy();
      ASSERT_EQ(run("xdotool windowsize " + std::to_string(handle_) + " " + std::to_string(width) + " " + std::to_string(height)), 0);
      ASSERT_TRUE(wait_until(frame, [&] {
        const XWindowAttributes area = attributes_of(display_, platform_drawing_area_window());
        return area.width == width && area.height == height;
      }));
      for (int i = 0; i < 3; ++i) frame();
      EXPECT_GT(platform_frames_drawn_from_copy(), fromCopy) << "the copy kept before the resize still serves the frames shown again";
      ASSERT_TRUE(platform_read_pixels(0, 0, kWidth, kHeight, &again));
      EXPECT_TRUE(again.pixels == drawn.pixels) << "the game's picture is drawn as before, whatever the window's size";
      const RgbaImage shown = shown_pixels(display_, platform_drawing_area_window(), width, height);
      EXPECT_TRUE(shown.pixels == drawn.pixels || width != drawn.width || height != drawn.height) << "at its own size it shows the frame drawn";
      EXPECT_EQ(misplaced_in_fit(shown, s.left * n, s.top * n, s.scale * n, kWidth, kHeight,
                                 [&](int x, int y) { return dimmed[y >= kHeight / 2][x >= kWidth / 2]; }), 0) << "pixels not where the fitted picture has them";
      ASSERT_EQ(run("xdotool mousemove --sync --window " + std::to_string(platform_drawing_area_window()) + " " +
                    std::to_string(s.pointerX * n) + " " + std::to_string(s.pointerY * n)), 0);
      EXPECT_EQ(std::pair(window_mouse_x(0), window_mouse_y(0)), std::pair(s.gameX, s.gameY));
    }
    // Back at its size, a square moving over the picture: at 200 % drawn where it moved only, not
    // from the copy (at 100 % the window is drawn into straight, and whole).
    const SpriteId square = solid_sprite(4, 4, kRed);
    const int fromCopy = platform_frames_drawn_from_copy();
    for (const int x : {10, 30}) take_window_events(events_), sprite_draw(picture, 0, 0), sprite_draw_blended(veil, 0, 0), sprite_draw(square, x, 10), screen_flip();
    const RgbaImage moved = (XSync(display_, False), shown_pixels(display_, platform_drawing_area_window(), kWidth * n, kHeight * n));
    EXPECT_EQ(std::tuple(platform_frames_drawn_from_copy() - fromCopy, pixel_at(moved, 31 * n, 11 * n), pixel_at(moved, 11 * n, 11 * n)),
              std::tuple(n == 1 ? 2 : 0, kRed, pixel_at(drawn, 11 * n, 11 * n))) << "drawn from the copy, or the square or its old place wrong";
    window_close(0);
  }
}

// A window asked larger than the work area (the screen, or under openbox the screen less a panel's
// strut) opens at the largest size of its shape that fits there with its frame. (Its picture is
// fitted to it as to any other size.) A borderless one at the desktop's size keeps it, over the panel.
TEST_F(WindowKind, AWindowLargerThanTheWorkAreaOpensAtTheLargestSizeOfItsShapeThatFitsThereWithItsFrame) {
  bare_then_under_openbox([&](bool withWindowManager) {  // under openbox a panel 100 pixels high at the top
    const int roomTop = withWindowManager ? 100 : 0;
    const Window panel = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1280, 100, 0, 0, 0);
    set_items(display_, panel, "_NET_WM_STRUT", XA_CARDINAL, {0, 0, 100, 0});
    set_items(display_, panel, "_NET_WM_WINDOW_TYPE", XA_ATOM, {atom(display_, "_NET_WM_WINDOW_TYPE_DOCK")});
    if (withWindowManager) XMapWindow(display_, panel), XSync(display_, False);
    ASSERT_TRUE(wait_until([] { while (gtk_events_pending()) gtk_main_iteration_do(FALSE); }, [&] {  // GDK hears of the work area
      return output("xprop -root _NET_WORKAREA").find(withWindowManager ? "0, 100, 1280, 620" : "") != std::string::npos;
    }));
    open(WindowStyleWindowed, 1600, 900);
    withWindowManager ? show_under_window_manager() : show();
    int left = 0, right = 0, top = 0, bottom = 0, x = 0, y = 0;
    const std::string extents = output("xprop -id " + std::to_string(handle_) + " _NET_FRAME_EXTENTS");
    std::sscanf(extents.c_str() + extents.find(" = "), " = %d, %d, %d, %d", &left, &right, &top, &bottom);
    const int roomWidth = 1280 - left - right, roomHeight = 720 - roomTop - top - bottom;
    const XWindowAttributes area = attributes_of(display_, platform_drawing_area_window());
    Window child = 0;
    XTranslateCoordinates(display_, platform_drawing_area_window(), DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    EXPECT_LE(std::abs(area.width * 900 - area.height * 1600), 1600) << area.width << "x" << area.height << ": the game's shape";
    EXPECT_TRUE(area.width <= roomWidth && area.height <= roomHeight && (area.width > roomWidth - 8 || area.height > roomHeight - 8))
        << area.width << "x" << area.height << ": the largest that fits " << roomWidth << "x" << roomHeight;
    EXPECT_TRUE(x - left >= 0 && y - top >= roomTop && x + area.width + right <= 1280 && y + area.height + bottom <= 720)
        << "the frame from " << x - left << "," << y - top << " inside the work area";
    window_close(0);
    open(WindowStyleBorderless, 1280, 720);
    withWindowManager ? show_under_window_manager() : show();
    const XWindowAttributes covering = attributes_of(display_, platform_drawing_area_window());
    EXPECT_EQ(std::pair(covering.width, covering.height), std::pair(1280, 720)) << "the borderless window covers the desktop";
    window_close(0), XDestroyWindow(display_, panel);
  });
}

// A window asked larger than its room (the work area less its frame) takes the largest size of its
// shape there, whichever side limits it: one wider than the room's shape by its width, one taller by
// its height. One that fits keeps its size, as does any where no room is known.
TEST(WorkArea, AWindowLargerThanItsRoomTakesTheLargestSizeOfItsShapeWhicheverSideLimitsIt) {
  const std::array<int, 6> cases[] = {  // room, asked, opened
      {1920, 1080, 2560, 1080, 1920, 810},  {1920, 1080, 1080, 2560, 455, 1080},  {1920, 1050, 2560, 1440, 1866, 1050},
      {1280, 720, 1600, 900, 1280, 720},    {1920, 1080, 1921, 400, 1920, 399},   {1920, 1080, 1920, 1080, 1920, 1080},
      {1920, 1080, 640, 1080, 640, 1080},   {0, 1080, 2560, 1080, 2560, 1080},    {1920, -30, 2560, 1080, 2560, 1080}};
  for (const auto& [roomWidth, roomHeight, width, height, openedWidth, openedHeight] : cases) {
    int w = width, h = height;
    size_within_room(roomWidth, roomHeight, &w, &h);
    EXPECT_EQ(std::pair(w, h), std::pair(openedWidth, openedHeight)) << width << "x" << height << " in " << roomWidth << "x" << roomHeight;
  }
}

// Which window-state changes become Minimized, Maximized or Restored events.
TEST(WindowStateEvents, ChangesAndNewStates) {
  constexpr unsigned kMin = GDK_WINDOW_STATE_ICONIFIED, kMax = GDK_WINDOW_STATE_MAXIMIZED, kFocus = GDK_WINDOW_STATE_FOCUSED;
  const std::tuple<unsigned, unsigned, int> cases[] = {
      {kMin, kMin, EventMinimized}, {kMin, kMin | kMax, EventMinimized}, {kMin, kMax, EventMaximized}, {kMax, kMax, EventMaximized},
      {kMin, 0, EventRestored},     {kMax, 0, EventRestored},    {kMin | kMax, kFocus, EventRestored}, {kMax, kMin, EventRestored},
      {kFocus, kFocus, EventNone},  {kFocus, kMin, EventNone},   {0, 0, EventNone}};
  for (const auto& [changed, state, event] : cases) EXPECT_EQ(window_state_event_code(changed, state), event) << changed << " " << state;
}

}  // namespace
