// Sprites larger than the driver's largest texture (a GPU may stop at 8192 or 4096 while the sprite
// store takes 16384): drawn from a texture averaged down by a whole step, so they still show in full
// at their size, only softer. Their pixels stay on the CPU side, as the texture cannot give them back.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/real/pictures/pictures.h"

// Picture pixels per texel along each side for a picture of that size: 1 when it fits a texture.
// Needs a current GL context.
int texture_step(int width, int height);
// Texels of a picture at a step: ceil(width / step) x ceil(height / step), premultiplied BGRA, each
// the average of its step x step block (of the part of it inside the picture, at the edges).
std::vector<uint8_t> shrunk_texels(const RgbaImage& picture, int step);
