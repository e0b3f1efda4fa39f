// The game's icon at the sizes its artwork draws for the desktop, up to 128 pixels, as the PNG files
// themselves, built into the program (tools/assets/embed_window_icons.cmake writes the definitions
// from the pictures of the build): no file to look for when a window opens.
#pragma once

#include <cstddef>

extern const unsigned char* const kWindowIconPngs[];
extern const size_t kWindowIconPngSizes[];
extern const size_t kWindowIconCount;
