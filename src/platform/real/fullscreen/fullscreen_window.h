// The full-screen window shared by the files of its room: opened and closed in
// screen_fullscreen.cpp, its events in fullscreen_events.cpp, the window manager's part in
// fullscreen_managed.cpp.
#pragma once

#include <X11/Xlib.h>

#include <chrono>

#include "platform/real/fullscreen/fullscreen.h"

// State of the open full-screen window, shared by its files. display is nullptr when none is open.
struct FullscreenWindow {
  Display* display = nullptr;
  Window window = 0;
  Colormap colormap = 0;
  Cursor blankCursor = 0;
  int centreX = 0;
  int centreY = 0;
  bool managed = false;          // a window manager keeps it full screen and gives it the focus
  bool pointerByPosition = false;  // warps cannot be trusted (Xwayland): the pointer is read where it is
  bool focusSettled = false;     // it had the focus once, or asked for it again a while after mapping
  std::chrono::steady_clock::time_point mappedAt{};
  Time activeSince = 0;          // server time when the screen last became active; 0: since it opened
  bool destroyed = false;        // by another client (a window manager's kill): nothing left to destroy
  bool pointerLeft = false;      // it was inactive since the pointer was last read: the player took it away
};
extern FullscreenWindow gFullscreen;

// Takes the pending X events of the full-screen window into the key, button and focus states.
// Does nothing when no full-screen window is open. The input room calls it at screen_flip and the
// input polls.
void fullscreen_process_events();
// The pointer's movement since the last call into the mouse position: its offset from the screen
// centre, moving it back there; its position on the window where warping it cannot be trusted, and
// when the screen comes back from another window.
void fullscreen_read_pointer();
// The window's size, at opening and whenever the window manager changes it: the picture is fitted
// to it, and the pointer kept at its centre.
void fullscreen_window_resized(int width, int height);
// The pointer put at the window's centre, at opening and when the player brings it back.
void fullscreen_centre_pointer();
// screen_close's part for full screen: window, connection, video mode.
void fullscreen_close();

// fullscreen_managed.cpp: a window manager that keeps windows full screen (EWMH), and its requests.
bool window_manager_offers_fullscreen(Display* display, int screen);
// Before mapping: managed, asked into full screen, taking the keyboard.
void managed_fullscreen_describe(Display* display, Window window);
// After mapping: full screen asked again, activated, and a bounded wait for the screen's size.
void managed_fullscreen_enter(Display* display, Window window, int width, int height);
// The server's time now, read from a property change of the window: requests to a window manager
// need a real one, and a press is the click that gave the focus back when older than activeSince.
Time server_time(Display* display, Window window);
// Asks for the keyboard focus: activation through the window manager if there is one, the focus set
// directly and the window raised.
void fullscreen_ask_for_focus();

// Whether the X server is Xwayland, where a client's warp does not move the pointer (xwayland.cpp).
bool x_server_is_xwayland(Display* display);
