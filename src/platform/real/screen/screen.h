// The screen room: what the real platform knows about the one game screen whatever its kind, the
// GLX context on it, the frame pace, the connection to the display and the desktop's monitors.
// Owns gScreen and the GL context (gl_context.cpp). The full-screen and window rooms open the screen
// on their windows and tell it how to close them; the drawing room draws into the context and hears
// of the screen's changes through the ScreenListener it registers. It uses the input room, to take
// the window system's pending input at each flip, and the session room, which hears at each flip
// whether the screen is active and when its first frame is shown.
#pragma once

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdint>

enum class ScreenKind { Closed, Fullscreen, InWindow };

// The part of the screen a frame changed: rectangles in screen pixels from the top-left corner, or
// the whole screen when there are none.
struct ScreenChange {
  struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
  };
  static constexpr int kMaxRects = 8;
  int count = 0;
  Rect rects[kMaxRects];
  // Where the drawing composed rectangles on the CPU (gl_composes_parts): bit i stands for
  // rectangle i, and `pixels` holds theirs, each rectangle's rows top to bottom, one rectangle after
  // another, as 0xAARRGGBB words. The back buffer then holds the frame without what was laid over
  // it; the other rectangles are copied from it.
  unsigned composed = 0;
  const uint32_t* pixels = nullptr;
};

// What the screen must tell the drawing: a room above it registers these (any may be null).
struct ScreenListener {
  void (*contextMade)() = nullptr;  // a new GL context: nothing is on its screen yet
  void (*closing)() = nullptr;      // the screen and its context are about to go
  // The frame is drawn: false when the screen shows it already; else what it changed (the whole
  // screen unless the screen shows parts).
  bool (*frameDone)(ScreenChange* changed) = nullptr;
  void (*damaged)() = nullptr;      // the window system lost what the screen showed
};

struct ScreenState {
  ScreenKind kind = ScreenKind::Closed;
  int width = 0;                // game pixels, the size the game lays out at
  int height = 0;
  int scale = 1;                // the screen's pixels a game pixel, on each side: the desktop's scale
  bool active = false;          // has the input focus
  int frameLimitMs = 0;         // 1000 / fps; a flip waits until more than this has passed; 0 = off
  int64_t lastFlipEndMs = 0;    // steady clock, whole milliseconds
  void (*closeKind)() = nullptr;  // the opener's part of screen_close
  ScreenListener listener;
};

// Set by the screen openers, cleared by screen_close.
extern ScreenState gScreen;

// platform_init's part: GTK on the X display. false (and every later screen and window operation
// failing) when there is no display.
bool display_connect(int argc, char** argv);
// Whether GTK found an X display at platform_init.
bool platform_has_display();
// The desktop's scale as GTK follows it (GDK_SCALE, or the desktop's Gdk/WindowScalingFactor): the
// window kinds open N times the game's size in the screen's pixels, full screen lays the game out at
// the desktop's size divided by N, and the game is drawn at N x N pixels a game pixel. 1 without a
// display.
int display_scale();
// The density of full screen on desktop `desktop` (layout_density.h): the desktop's scale, lowered
// where the desktop divided by it would be smaller than 1280x720. desktop_size counts the desktop's
// game pixels at this density.
int desktop_density(int desktop);
// A size in the screen's pixels that falls short of the X screen's by less than `scale` on each side
// (GDK divides by the scale and rounds down: 1280 at 3) becomes the X screen's exact size.
void snap_to_x_screen(Display* display, int scale, int* width, int* height);

// Called by both openers once their GL context is current, with the game's size; screen_close undoes
// it, and calls closeKind for the window the screen was on.
void screen_begin(ScreenKind kind, int width, int height, void (*closeKind)());
// The drawing's listener, from now on.
void screen_listen(const ScreenListener& listener);
// The window system lost what the screen showed (exposed, mapped again): the next frame is shown.
void screen_damaged();
// The window under the screen was destroyed by another client (a window manager's kill): GL is
// given up at once, and the screen stays inactive and draws nothing until it is closed.
void screen_window_gone();

// X gives window sizes and positions 16 bits with a sign: no window side can be longer.
constexpr int kMaxXWindowSide = 32767;
// Whether width x height game pixels, `scale` times as many on each side, fit a window.
bool screen_size_fits_window(int width, int height, int scale);
// The largest screen the current GL context draws on and keeps a copy of.
void gl_largest_screen(int* width, int* height);

// The GL side of the game screen: one GLX context on the screen's X window, a pixel-exact 2D
// projection (origin top-left, y down), textured rectangles for sprites.
// A double-buffered RGBA visual, nullptr when the server offers none. Free with XFree.
XVisualInfo* gl_choose_visual(Display* display, int screen);
// Creates the context on `drawable`, makes it current, sets up the 2D projection of a game screen of
// width x height game pixels over `scale` times as many pixels of the drawable on each side (from now
// on gScreen.scale, which the drawing reads as the context is made), and clears both buffers to black. flipMode kFlipVsync asks for swap interval 1 where the driver
// offers it. false, with no context, for a screen larger than GL can draw or keep a copy of.
bool gl_start(Display* display, Window drawable, XVisualInfo* visual, int width, int height, int scale,
              int flipMode);
// Destroys the context (and with it every texture). Safe when none exists.
void gl_stop();
// The window under the context is gone: the context is given up without another call into GL.
void gl_abandon();
bool gl_ready();
// Whether a frame may be shown in part: in full screen where the driver copies rectangles of the
// back buffer to the window (GLX_MESA_copy_sub_buffer) and leaves the back buffer as it is. Whole
// frames are still swapped, at the vertical retrace where asked, after which the back buffer is
// unknown. The window kinds, whose drawing area a compositor may hold, swap whole frames.
bool gl_shows_parts();
// Whether the parts of frames may be composed on the CPU and put into the window (part_put.cpp):
// where they are shown in part and llvmpipe rasterises on the CPU, into a visual of 8 bits a colour.
bool gl_composes_parts();
// gl_start's and gl_stop's part: how the window takes X images, on the context just made current.
void gl_put_start(Display* display, Window window, const XVisualInfo* visual);
void gl_put_stop();
// gl_swap's part: the composed rectangles into the window.
void gl_put_parts(const ScreenChange& change);
// Shows the frame drawn, or the part of it that changed, unless the listener says the screen shows
// it already.
void gl_swap();

// The window of any kind when it has another size than the screen's (screen_fit.cpp): a window
// manager's full-screen size, a tiled or resized window, a window kept inside the work area. The game
// is drawn at the screen's size off-screen, and shown scaled to fit the window and centred. Where the
// picture lies in the window, in window pixels (scale: window pixels a game pixel); at the screen's
// own size it is the whole window:
struct ScreenFit {
  double scale = 1;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
// The window's size now, in its own pixels (after gl_start and screen_begin, and at each change).
void gl_fit_to_window(int width, int height);
ScreenFit gl_screen_fit();
// Whether the picture is drawn off-screen and shown fitted: also in the window kinds on a scaled
// desktop, where the picture kept from one frame to the next lets a frame be drawn only where it
// changed.
bool gl_fitted();
// The game pixel under a point of the window (window pixels, fractions kept), on the picture or
// beyond its edges.
void gl_window_to_game(double x, double y, int* gameX, int* gameY);
// gl_swap's part: the picture drawn off-screen into the window, when it is.
void gl_fit_show();
// gl_stop's part: back to drawing straight into the window.
void gl_fit_forget();

// For the platform tests: how many frames so far were shown (buffers swapped or parts copied);
// frames the screen showed already are not. And how many pixels they showed.
int platform_frames_presented();
int64_t platform_pixels_presented();
// And how many rectangles of them were composed on the CPU.
int platform_parts_composed();
// For the platform tests: full screen shows whole frames, as where the driver copies no parts.
void platform_show_whole_frames(bool whole);
