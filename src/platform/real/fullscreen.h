// The full-screen game screen: an override-redirect X window on its own X connection, holding
// the keyboard and pointer (screen_fullscreen.cpp, fullscreen_events.cpp).
#pragma once

#include <X11/Xlib.h>

// State of the open full-screen window, shared by its files. display is nullptr when none is open.
struct FullscreenWindow {
  Display* display = nullptr;
  Window window = 0;
  Colormap colormap = 0;
  Cursor blankCursor = 0;
  int centreX = 0;
  int centreY = 0;
};
extern FullscreenWindow gFullscreen;

// Takes the pending X events of the full-screen window into the key, button and focus states.
// Does nothing when no full-screen window is open. Called by screen_flip and the input polls.
void fullscreen_process_events();
// The pointer's offset from the screen centre since the last call, moving it back to the centre.
bool fullscreen_take_pointer_motion(int* dx, int* dy);
// Keyboard and pointer grabs, retried for a while until the server grants them.
void fullscreen_grab_input();
void fullscreen_release_input();
// screen_close's part for full screen: window, connection, video mode.
void fullscreen_close();
