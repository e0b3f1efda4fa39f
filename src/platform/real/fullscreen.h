// The full-screen game screen: an X window of the screen's size on its own X connection, holding
// the keyboard and pointer (screen_fullscreen.cpp, fullscreen_events.cpp). Under an EWMH window
// manager it is a managed window asked into full screen (fullscreen_managed.cpp); with none, an
// override-redirect window.
#pragma once

#include <X11/Xlib.h>

#include <chrono>

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
  bool grabbed = false;          // keyboard and pointer grabs held
  bool focusSettled = false;     // it had the focus once, or asked for it again a while after mapping
  std::chrono::steady_clock::time_point mappedAt{};
};
extern FullscreenWindow gFullscreen;

// Takes the pending X events of the full-screen window into the key, button and focus states.
// Does nothing when no full-screen window is open. Called by screen_flip and the input polls.
void fullscreen_process_events();
// The pointer's offset from the screen centre since the last call, moving it back to the centre.
bool fullscreen_take_pointer_motion(int* dx, int* dy);
// The pointer's position on the window, where warping it cannot be trusted.
bool fullscreen_pointer_position(int* x, int* y);
// Keyboard and pointer grabs. Without a window manager they are retried for a while until the
// server grants them; a managed window tries once (again at its next focus), and a refusal only
// leaves the input ungrabbed.
void fullscreen_grab_input();
void fullscreen_release_input();
// screen_close's part for full screen: window, connection, video mode.
void fullscreen_close();

// fullscreen_managed.cpp: a window manager that keeps windows full screen (EWMH), and its requests.
bool window_manager_offers_fullscreen(Display* display, int screen);
// Before mapping: managed, asked into full screen, past the compositor, taking the keyboard.
void managed_fullscreen_describe(Display* display, Window window);
// After mapping: full screen asked again, activated, and a bounded wait for the screen's size.
void managed_fullscreen_enter(Display* display, Window window, int width, int height);
// Asks for the keyboard focus: activation through the window manager if there is one, the focus set
// directly and the window raised.
void fullscreen_ask_for_focus();

// Whether the X server is Xwayland, where a client's warp does not move the pointer (xwayland.cpp).
bool x_server_is_xwayland(Display* display);
