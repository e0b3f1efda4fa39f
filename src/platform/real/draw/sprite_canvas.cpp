// Drawing into a sprite on the CPU side (text sprites, the settings arrows): images and boxes are
// painted into its pixels, and drawing_end puts the result on the GPU once.
#include <algorithm>

#include "platform/real/draw/sprite_store.h"

namespace {

SpriteId drawingTarget = 0;
bool drawing = false;

Sprite* target() { return drawing ? sprite_find(drawingTarget) : nullptr; }

}  // namespace

int sprite_begin_drawing(SpriteId id) {
  Sprite* sprite = sprite_find(id);
  if (sprite == nullptr) {
    return 0;
  }
  sprite_pixels(*sprite);
  drawingTarget = id;
  drawing = true;
  return 1;
}

void drawing_end() {
  Sprite* sprite = target();
  drawing = false;
  drawingTarget = 0;
  if (sprite == nullptr) {
    return;
  }
  if ((sprite->flags & kSpriteKeepAlpha) == 0) {
    sprite_apply_colour_key(*sprite);
  }
  sprite_pixels_changed(*sprite);
}

void draw_box(int x, int y, int width, int height, uint32_t rgbColour) {
  Sprite* sprite = target();
  if (sprite == nullptr) {
    return;
  }
  RgbaImage& canvas = sprite->image;
  const int density = canvas.density;  // the box in game pixels, painted in the sprite's
  const int left = std::max(x * density, 0);
  const int top = std::max(y * density, 0);
  const int right = std::min((x + std::max(width, 0)) * density, canvas.width);
  const int bottom = std::min((y + std::max(height, 0)) * density, canvas.height);
  const uint8_t colour[4] = {static_cast<uint8_t>(rgbColour & 255), static_cast<uint8_t>(rgbColour >> 8 & 255),
                             static_cast<uint8_t>(rgbColour >> 16 & 255), 255};
  for (int row = top; row < bottom; ++row) {
    for (int column = left; column < right; ++column) {
      std::copy(colour, colour + 4, &canvas.pixels[(static_cast<size_t>(row) * canvas.width + column) * 4]);
    }
  }
}

// Straight-alpha "over": an opaque picture is copied exactly, one with alpha blends over the canvas.
// At (x, y) game pixels; a picture of another density than the sprite's (a decoded one in a sprite
// the game made on a scaled desktop) is resampled to the sprite's first.
void image_draw(SpriteId image, int x, int y) {
  Sprite* sprite = target();
  const RgbaImage* picture = image_lookup(image);
  if (sprite == nullptr || picture == nullptr) {
    return;
  }
  RgbaImage& canvas = sprite->image;
  RgbaImage resampled;
  if (picture->density != canvas.density) {
    resampled = image_resampled(*picture, image_game_width(*picture) * canvas.density,
                                image_game_height(*picture) * canvas.density, canvas.density);
    picture = &resampled;
  }
  x *= canvas.density;
  y *= canvas.density;
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min(x + picture->width, canvas.width);
  const int bottom = std::min(y + picture->height, canvas.height);
  for (int row = top; row < bottom; ++row) {
    for (int column = left; column < right; ++column) {
      const uint8_t* from = &picture->pixels[(static_cast<size_t>(row - y) * picture->width + (column - x)) * 4];
      uint8_t* to = &canvas.pixels[(static_cast<size_t>(row) * canvas.width + column) * 4];
      const unsigned alpha = from[3];
      if (alpha == 255) {
        std::copy(from, from + 4, to);
        continue;
      }
      if (alpha == 0) {
        continue;
      }
      const unsigned below = to[3] * (255 - alpha) / 255;
      const unsigned outAlpha = alpha + below;
      for (int channel = 0; channel < 3; ++channel) {
        to[channel] = static_cast<uint8_t>((from[channel] * alpha + to[channel] * below + outAlpha / 2) / outAlpha);
      }
      to[3] = static_cast<uint8_t>(outAlpha);
    }
  }
}
