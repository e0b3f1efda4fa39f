// Moving pixels between an off-screen image (straight RGBA bytes) and a cairo ARGB32 surface buffer
// (premultiplied alpha, one native-endian 32-bit word a pixel: BGRA bytes on x86). Text drawing copies
// the image in at its start and back out at its end.
#pragma once

#include <cstdint>

#include "platform/real/pictures/pictures.h"

// Fills `surface` (rows `stride` bytes apart, image.width x image.height pixels) from the image.
void pixels_to_premultiplied(const RgbaImage& image, uint8_t* surface, int stride);
// Writes the surface back into the image, undoing the premultiplication. Opaque pixels come back
// exactly; fully transparent ones come back as all zero.
void pixels_from_premultiplied(const uint8_t* surface, int stride, RgbaImage* image);
