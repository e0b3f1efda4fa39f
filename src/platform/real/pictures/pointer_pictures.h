// The full-screen pointer as its artwork draws it, built into the program as the PNG files
// themselves (tools/assets/embed_pictures.cmake writes the definitions from the pictures of the
// build): entry N - 1 is drawn for a screen of N pixels a game pixel on each side, entry 0 being
// the designed 32-pixel picture of the data pack, byte for byte.
#pragma once

#include <cstddef>

extern const unsigned char* const kPointerPngs[];
extern const size_t kPointerPngSizes[];
extern const size_t kPointerCount;
