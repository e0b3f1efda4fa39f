// The top-level GTK windows of the windowed and borderless kinds (screen_window.cpp) and the
// hookup of their signals to the window-event queue (window_events.cpp).
#pragma once

#include <gtk/gtk.h>

#include "platform/real/window/window.h"

struct GameWindow {
  GtkWidget* toplevel = nullptr;
  GtkWidget* drawingArea = nullptr;  // holds the GL screen while one is open in this window
  int width = 0;                     // of the drawing area, as opened: the game screen's size or
  int height = 0;                    // the largest of its shape that fits the work area
  GdkRectangle lastFrame{};          // from the last configure event, to tell moves from resizes
  bool configured = false;           // lastFrame holds a size the window manager gave
};

constexpr int kMaxWindows = 4;
// nullptr for a number out of range; an entry with toplevel nullptr is not open.
GameWindow* game_window(int window);

// The size a window asked at width x height opens at (work_area.cpp): as asked, or the largest of its
// shape that fits, with its frame, inside the work area of its desktop. The window is realised and
// not shown yet.
void window_size_within_work_area(GtkWidget* toplevel, int* width, int* height);
// The largest size of width x height's shape within roomWidth x roomHeight, whichever side limits
// it; width x height where it fits, or where there is no room at all.
void size_within_room(int roomWidth, int roomHeight, int* width, int* height);
// Signals of the top-level window: close request, moves, focus, minimise, keys.
void window_events_connect_toplevel(GameWindow& window);
// Signals of the drawing area: repaint, clicks, pointer motion, its size.
void window_events_connect_drawing_area(GtkWidget* area);
// The event a change of the window's state gives (EventNone for changes the game ignores), from
// GDK's changed and new state masks.
int window_state_event_code(unsigned changedMask, unsigned newState);
// Drops queued events (a closed window's leftovers).
void window_events_clear();
// screen_close's part for a screen inside a window: the drawing area goes.
void window_screen_closed();
