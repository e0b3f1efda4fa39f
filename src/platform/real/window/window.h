// The window room: the top-level GTK windows of the windowed and borderless kinds, kept inside the
// desktop's work area (work_area.cpp), the GL screen on a drawing area filling window 0 at whatever
// size the window gets, and the queue of window events their signals fill. Owns the window table
// (screen_window.cpp) and the event queue (window_events.cpp). It uses the screen room, which it
// opens on the drawing area and tells the area's size, the input room, which it feeds with keys, and
// the session room, which hears of a window destroyed under the game.
#pragma once

// platform_shutdown: every window still open.
void windows_close_all();

// For the platform tests: X window id of window 0's drawing area (the native child holding the GL
// screen), 0 when none.
unsigned long platform_drawing_area_window();
