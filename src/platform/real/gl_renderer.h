// The GL side of the game screen: one GLX context on the screen's X window, a pixel-exact 2D
// projection (origin top-left, y down), textured rectangles for sprites.
#pragma once

#include <cstdint>

#include <GL/gl.h>
#include <GL/glx.h>

// A double-buffered RGBA visual, nullptr when the server offers none. Free with XFree.
XVisualInfo* gl_choose_visual(Display* display, int screen);
// Creates the context on `drawable`, makes it current, sets up the 2D projection and clears both
// buffers to black. flipMode kFlipVsync asks for swap interval 1 where the driver offers it.
bool gl_start(Display* display, Window drawable, XVisualInfo* visual, int width, int height, int flipMode);
// Destroys the context (and with it every texture). Safe when none exists.
void gl_stop();
bool gl_ready();
// Shows the frame drawn, unless the screen shows it already (frame_cache.h).
void gl_swap();
// Reads a rectangle of the frame being drawn (the back buffer) as straight RGBA, rows top to bottom.
// Parts outside the screen come out as zero.
void gl_read_back_buffer(int x, int y, int width, int height, uint8_t* rgbaOut);
