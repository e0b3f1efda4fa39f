#include "platform/real/draw/texture_shrink.h"

#include <GL/gl.h>

#include <algorithm>

#include "platform/real/draw/draw.h"

namespace {
int testTextureSide = 0;  // 0: the driver's own limit
}  // namespace

void platform_limit_texture_side(int side) { testTextureSide = side; }

int texture_step(int width, int height) {
  GLint side = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
  if (testTextureSide > 0) side = std::min(side, static_cast<GLint>(testTextureSide));
  if (side <= 0) return 1;
  const int longest = std::max(width, height);
  return (longest + side - 1) / side;
}

std::vector<uint8_t> shrunk_texels(const RgbaImage& picture, int step) {
  const int width = (picture.width + step - 1) / step, height = (picture.height + step - 1) / step;
  std::vector<uint8_t> texels(static_cast<size_t>(width) * height * 4);
  uint8_t* out = texels.data();
  for (int ty = 0; ty < height; ++ty) {
    for (int tx = 0; tx < width; ++tx, out += 4) {
      uint64_t sum[4] = {0, 0, 0, 0};  // colour times alpha, and alpha
      const int right = std::min(picture.width, (tx + 1) * step), bottom = std::min(picture.height, (ty + 1) * step);
      for (int y = ty * step; y < bottom; ++y) {
        const uint8_t* in = &picture.pixels[(static_cast<size_t>(y) * picture.width + tx * step) * 4];
        for (int x = tx * step; x < right; ++x, in += 4) {
          for (int channel = 0; channel < 3; ++channel) sum[channel] += in[channel] * in[3];
          sum[3] += in[3];
        }
      }
      const uint64_t count = static_cast<uint64_t>(right - tx * step) * (bottom - ty * step);
      const uint64_t colourScale = count * 255;
      out[0] = static_cast<uint8_t>((sum[2] + colourScale / 2) / colourScale);
      out[1] = static_cast<uint8_t>((sum[1] + colourScale / 2) / colourScale);
      out[2] = static_cast<uint8_t>((sum[0] + colourScale / 2) / colourScale);
      out[3] = static_cast<uint8_t>((sum[3] + count / 2) / count);
    }
  }
  return texels;
}
