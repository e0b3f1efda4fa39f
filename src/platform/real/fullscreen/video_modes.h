// Switching the X display to the exact video mode of the full-screen game screen and putting the
// previous mode back. A switched mode outlives the process, so the restore runs on every way out:
// screen_close, platform_shutdown, exit (atexit), a lost X connection and termination signals.
#pragma once

#include <X11/Xlib.h>

#include "platform/real/fullscreen/fullscreen.h"

// Switches to a mode of exactly width x height. Without the XF86VidMode extension the current
// screen size is the one mode there is, and the first monitor's size another (no switch needed). false when no such mode exists or the switch failed.
bool video_mode_switch(Display* display, int screen, int width, int height);
