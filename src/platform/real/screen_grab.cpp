// Copying the frame being drawn into a sprite (screenshots) or, for the tests, into an image.
#include "platform/platform.h"
#include "platform/real/gl_renderer.h"
#include "platform/real/platform_testing.h"
#include "platform/real/sprite_store.h"

bool platform_read_pixels(int x, int y, int width, int height, RgbaImage* out) {
  if (!gl_ready() || width <= 0 || height <= 0 || out == nullptr) {
    return false;
  }
  out->width = width;
  out->height = height;
  out->pixels.resize(static_cast<size_t>(width) * height * 4);
  gl_read_back_buffer(x, y, width, height, out->pixels.data());
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
