// The drawing room: the sprite table (pixels on the CPU side, textures on the GPU), drawing sprites
// onto the screen and into each other, the frame copy that holds back frames the screen shows
// already, the sprite shaders, textures shrunk for small drivers, and reading the screen back.
// Owns the sprite table (sprites.cpp), the frame copy (frame_cache.cpp) and the opacity and filter
// state of the current context (sprite_drawing.cpp). It uses the screen room's GL context, which it
// listens to from sprite_init on, and the pictures room's images. Nothing in the real platform
// calls it: the game reaches it through the sprite_* operations of the platform.
#pragma once

#include "platform/real/pictures/pictures.h"

// For the platform tests and benchmarks only.
// The rectangle of the frame being drawn (what the next flip will show), straight RGBA: game pixels,
// read at the screen's pixels (N x N of them a game pixel on a desktop of scale N). false when no
// screen is open.
bool platform_read_pixels(int x, int y, int width, int height, RgbaImage* out);
// How many frames so far drew the screen they keep from the frames before (frame_cache.h).
int platform_frames_drawn_from_copy();
// Every later texture upload takes `side` as the driver's largest texture side (0: the driver's own).
void platform_limit_texture_side(int side);
// Whether the sprites of the current screen are drawn by shaders (false: the texture environment);
// known from the screen's first draw on.
bool platform_draws_with_shaders();
