// Copying the frame being drawn into a sprite (screenshots) or, for the tests, into an image.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/real/draw/draw.h"
#include "platform/real/draw/frame_cache.h"
#include "platform/real/draw/sprite_store.h"
#include "platform/real/screen/screen.h"

namespace {

// A rectangle of the frame being drawn (the back buffer) as straight RGBA, rows top to bottom, in
// the screen's pixels (N a game pixel on a desktop of scale N). Parts outside the screen come out as
// zero.
void read_back_buffer(int x, int y, int width, int height, uint8_t* rgbaOut) {
  frame_cache_flush();
  std::memset(rgbaOut, 0, static_cast<size_t>(width) * height * 4);
  const int screenWidth = gScreen.width * gScreen.scale;
  const int screenHeight = gScreen.height * gScreen.scale;
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + width, screenWidth);
  const int bottom = std::min(y + height, screenHeight);
  if (!gl_ready() || left >= right || top >= bottom) {
    return;
  }
  const int insideWidth = right - left;
  std::vector<uint8_t> rows(static_cast<size_t>(insideWidth) * (bottom - top) * 4);
  glFinish();
  glReadBuffer(GL_BACK);
  // GL counts rows from the bottom of the screen.
  glReadPixels(left, screenHeight - bottom, insideWidth, bottom - top, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
  for (int screenY = top; screenY < bottom; ++screenY) {
    const uint8_t* from = &rows[static_cast<size_t>(bottom - 1 - screenY) * insideWidth * 4];
    uint8_t* to = rgbaOut + (static_cast<size_t>(screenY - y) * width + (left - x)) * 4;
    std::memcpy(to, from, static_cast<size_t>(insideWidth) * 4);
  }
}

}  // namespace

bool platform_read_pixels(int x, int y, int width, int height, RgbaImage* out) {
  if (!gl_ready() || width <= 0 || height <= 0 || out == nullptr) {
    return false;
  }
  const int scale = gScreen.scale;
  out->width = width * scale;
  out->height = height * scale;
  out->density = scale;
  out->pixels.resize(static_cast<size_t>(out->width) * out->height * 4);
  read_back_buffer(x * scale, y * scale, out->width, out->height, out->pixels.data());
  return true;
}

// Called after the frame is drawn and before it is flipped, so the back buffer holds it.
int sprite_grab_screen(SpriteId number, int x, int y, int width, int height) {
  RgbaImage frame;
  if (!platform_read_pixels(x, y, width, height, &frame)) {
    return 0;
  }
  Sprite keyed;
  keyed.image = std::move(frame);
  sprite_apply_colour_key(keyed);
  // The handle for kNewSprite (handles stay far below INT_MAX), 1 for a fixed number.
  return static_cast<int>(sprite_store_add(number, std::move(keyed.image), kSpritePlain, true));
}
