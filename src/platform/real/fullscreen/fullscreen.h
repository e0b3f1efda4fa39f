// The full-screen room: the full-screen game screen, an X window of the screen's size on its own X
// connection; the video mode switched to its size and put back on every way out; under an EWMH
// window manager a managed window asked into full screen, with none an override-redirect one; the
// pointer under Xwayland. Owns gFullscreen (screen_fullscreen.cpp) and the saved video mode
// (video_modes.cpp). It uses the screen room, which it opens on its window, the input room, which
// it feeds with the window's events, and the session room, which names the window to the desktop
// and hears its close requests.
#pragma once

// Keyboard and pointer grabs. Without a window manager they are retried for a while until the
// server grants them; a managed window tries once (again at its next focus), and a refusal only
// leaves the input ungrabbed. A message box steps out of them while it is up.
void fullscreen_grab_input();
void fullscreen_release_input();
// Puts back the mode that was current before the switch. Safe to call any number of times.
void video_mode_restore();

// For the platform tests: X window id of the full-screen window, 0 when none is open.
unsigned long platform_fullscreen_window();
