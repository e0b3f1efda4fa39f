// Hooks for the platform tests only; the game never includes this header.
#pragma once

#include "platform/real/real_internal.h"

// The rectangle of the frame being drawn (what the next flip will show), straight RGBA.
// false when no screen is open.
bool platform_read_pixels(int x, int y, int width, int height, RgbaImage* out);
// X window id of the full-screen window, 0 when none is open.
unsigned long platform_fullscreen_window();
// X window id of window 0's drawing area (the native child holding the GL screen), 0 when none.
unsigned long platform_drawing_area_window();
// How many frames so far drew the screen they keep from the frames before (frame_cache.h).
int platform_frames_drawn_from_copy();
// Every later texture upload takes `side` as the driver's largest texture side (0: the driver's own).
void platform_limit_texture_side(int side);
// How many frames so far were shown (buffers swapped); frames the screen showed already are not.
int platform_frames_presented();
// Whether the sprites of the current screen are drawn by shaders (false: the texture environment);
// known from the screen's first draw on.
bool platform_draws_with_shaders();
// How many loads so far took a picture decoded ahead (picture_ahead.cpp).
int platform_pictures_taken_ahead();
// Whether the decoding ahead waits for decoded pictures to be taken: the next would pass the budget.
bool platform_decoding_ahead_held_back();
