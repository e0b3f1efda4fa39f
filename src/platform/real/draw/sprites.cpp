// The sprite table: creating, loading, colour keys, clip and scale, sizes, saving as PNG.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/real/draw/frame_cache.h"
#include "platform/real/draw/sprite_store.h"
#include "platform/real/draw/texture_shrink.h"
#include "platform/real/screen/screen.h"

namespace {

IdStore<Sprite> sprites;
uint64_t textureUploads = 0;  // numbers every upload: the same number is the same texture content

void reset_display_area(Sprite& sprite) {
  sprite.clipX = sprite.clipY = 0;
  sprite.clipWidth = sprite.shownWidth = image_game_width(sprite.image);
  sprite.clipHeight = sprite.shownHeight = image_game_height(sprite.image);
}

void delete_texture(Sprite& sprite) {
  frame_cache_flush();  // calls held back may still draw it
  if (sprite.texture != 0 && gl_ready()) {
    glDeleteTextures(1, &sprite.texture);
  }
  sprite.texture = 0;
  sprite.textureFilter = 0;
  sprite.textureStale = true;
}

struct Rgb {
  uint8_t r, g, b;
};

uint8_t premultiply(unsigned value, unsigned alpha) { return static_cast<uint8_t>((value * alpha + 127) / 255); }
uint8_t straighten(unsigned value, unsigned alpha) {
  return static_cast<uint8_t>(std::min(255u, (value * 255 + alpha / 2) / alpha));
}
// What a fully transparent texel reads back as: a keyed sprite's transparent pixels are its key.
Rgb transparent_colour(const Sprite& sprite) {
  if ((sprite.flags & kSpriteKeepAlpha) != 0) {
    return {0, 0, 0};
  }
  return {static_cast<uint8_t>(sprite.colourKey & 255), static_cast<uint8_t>(sprite.colourKey >> 8 & 255),
          static_cast<uint8_t>(sprite.colourKey >> 16 & 255)};
}

// Premultiplied BGRA texels into the sprite's texture, made on first use.
void upload_texels(Sprite& sprite, int width, int height, const uint8_t* texels) {
  if (sprite.texture == 0) {
    glGenTextures(1, &sprite.texture);
    sprite.textureFilter = 0;
  }
  glBindTexture(GL_TEXTURE_2D, sprite.texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels);
  sprite.textureStale = false;
}

}  // namespace

Sprite* sprite_find(SpriteId id) { return sprites.find(id); }

SpriteId sprite_store_add(SpriteId number, RgbaImage&& pixels, int flags, bool uploadNow) {
  const SpriteId id = sprites.claim(number);
  if (id == kNoId) {
    return 0;
  }
  if (Sprite* old = sprites.find(id)) {
    delete_texture(*old);
  }
  Sprite sprite;
  sprite.image = std::move(pixels);
  sprite.flags = flags;
  reset_display_area(sprite);
  const SpriteId result = sprites.put(id, std::move(sprite));
  if (uploadNow) {
    sprite_pixels_changed(*sprites.find(id));
  }
  return result;
}

void sprite_apply_colour_key(Sprite& sprite) {
  const uint8_t red = sprite.colourKey & 255;
  const uint8_t green = sprite.colourKey >> 8 & 255;
  const uint8_t blue = sprite.colourKey >> 16 & 255;
  std::vector<uint8_t>& pixels = sprite_pixels(sprite).pixels;
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    const bool keyed = pixels[i] == red && pixels[i + 1] == green && pixels[i + 2] == blue;
    pixels[i + 3] = keyed ? 0 : 255;
  }
}

void sprite_pixels_changed(Sprite& sprite) {
  sprite.textureStale = true;
  if (gl_ready()) {
    sprite_upload_texture(sprite);
  }
}

void sprite_upload_texture(Sprite& sprite) {
  if (!sprite.textureStale) {
    return;
  }
  // The texture holds colour times alpha, so "replace" and "over" are both plain GL operations
  // and bilinear filtering does not bleed the colour of transparent pixels. It is in the order of
  // the screen's pixels (BGRA), which the driver keeps as it is given. The pixels are turned into
  // it in place: they are let go after the upload anyway.
  frame_cache_flush();  // calls held back draw the texture as it was
  sprite.textureVersion = ++textureUploads;
  sprite.lostColours.clear();
  sprite.textureStep = texture_step(sprite.image.width, sprite.image.height);
  if (sprite.textureStep > 1) {
    const int step = sprite.textureStep;
    upload_texels(sprite, (sprite.image.width + step - 1) / step, (sprite.image.height + step - 1) / step,
                  shrunk_texels(sprite.image, step).data());
    return;
  }
  std::vector<uint8_t>& pixels = sprite.image.pixels;
  const Rgb transparent = transparent_colour(sprite);
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    const unsigned alpha = pixels[i + 3];
    if (alpha == 255) {  // nearly every pixel: nothing to multiply, nothing lost
      std::swap(pixels[i], pixels[i + 2]);
      continue;
    }
    const uint8_t red = premultiply(pixels[i], alpha), green = premultiply(pixels[i + 1], alpha),
                  blue = premultiply(pixels[i + 2], alpha);
    const Rgb back = alpha == 0 ? transparent : Rgb{straighten(red, alpha), straighten(green, alpha), straighten(blue, alpha)};
    if (back.r != pixels[i] || back.g != pixels[i + 1] || back.b != pixels[i + 2]) {
      sprite.lostColours.push_back({static_cast<uint32_t>(i / 4), {pixels[i], pixels[i + 1], pixels[i + 2]}});
    }
    pixels[i] = blue;
    pixels[i + 1] = green;
    pixels[i + 2] = red;
  }
  upload_texels(sprite, sprite.image.width, sprite.image.height, pixels.data());
  std::vector<uint8_t>().swap(pixels);
  sprite.lostColours.shrink_to_fit();
}

RgbaImage& sprite_pixels(Sprite& sprite) {
  RgbaImage& image = sprite.image;
  const size_t size = static_cast<size_t>(image.width) * image.height * 4;
  if (image.pixels.size() == size || sprite.texture == 0 || !gl_ready()) {
    return image;
  }
  image.pixels.resize(size);
  glBindTexture(GL_TEXTURE_2D, sprite.texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, image.pixels.data());
  const Rgb transparent = transparent_colour(sprite);
  std::vector<uint8_t>& pixels = image.pixels;
  for (size_t i = 0; i + 3 < size; i += 4) {
    const unsigned alpha = pixels[i + 3];
    if (alpha == 255) {
      std::swap(pixels[i], pixels[i + 2]);
      continue;
    }
    const uint8_t blue = pixels[i];
    const Rgb back = alpha == 0 ? transparent
                                : Rgb{straighten(pixels[i + 2], alpha), straighten(pixels[i + 1], alpha), straighten(blue, alpha)};
    pixels[i] = back.r;
    pixels[i + 1] = back.g;
    pixels[i + 2] = back.b;
  }
  for (const Sprite::LostColour& lost : sprite.lostColours) {
    std::copy(lost.rgb, lost.rgb + 3, &pixels[static_cast<size_t>(lost.pixel) * 4]);
  }
  return image;
}

void sprites_release_all() {
  sprites.for_each([](Sprite& sprite) { delete_texture(sprite); });
  sprites.clear();
}

// The sprites belong to the screen: they go with it, and its frames are the drawing's to show.
int sprite_init() {
  sprites_release_all();
  screen_listen(ScreenListener{draw_context_made, sprites_release_all, frame_cache_end_frame, frame_cache_screen_damaged});
  return 1;
}

SpriteId sprite_create(SpriteId number, int width, int height, int flags) {
  const int density = pictures_density();
  if (!picture_size_valid(width, height, density)) {
    return 0;
  }
  RgbaImage blank;
  blank.width = width * density;
  blank.height = height * density;
  blank.density = density;
  blank.pixels.assign(static_cast<size_t>(blank.width) * blank.height * 4, 0);
  // Uploaded once drawn into (or at its first draw), not blank first and again with the drawing.
  return sprite_store_add(number, std::move(blank), flags, false);
}

SpriteId sprite_load_png(SpriteId number, const void* data, size_t size, int flags) {
  RgbaImage decoded;
  bool hasAlpha = false;
  if (!picture_decode(data, size, &decoded, &hasAlpha)) {
    return 0;
  }
  picture_drawn_for_density(data, size, pictures_density(), &decoded);
  const SpriteId id = sprites.claim(number);
  if (id == kNoId) {
    return 0;
  }
  // Keyed before the store so the texture is uploaded once, with its final alpha.
  if ((flags & kSpriteKeepAlpha) == 0 || !hasAlpha) {
    Sprite keyed;
    keyed.image = std::move(decoded);
    sprite_apply_colour_key(keyed);
    decoded = std::move(keyed.image);
  }
  return sprite_store_add(id, std::move(decoded), flags, true);
}

void sprite_set_color_key(SpriteId id, uint32_t rgbKey) {
  Sprite* sprite = sprites.find(id);
  if (sprite == nullptr) {
    return;
  }
  sprite_pixels(*sprite);  // read back under the old key, whose colour the transparent pixels have
  sprite->colourKey = rgbKey & 0xffffff;
  sprite_apply_colour_key(*sprite);
  sprite_pixels_changed(*sprite);
}

void sprite_clip(SpriteId id, int x, int y, int width, int height) {
  Sprite* sprite = sprites.find(id);
  if (sprite == nullptr) {
    return;
  }
  const int realWidth = image_game_width(sprite->image);
  const int realHeight = image_game_height(sprite->image);
  sprite->clipX = std::clamp(x < 0 ? 0 : x, 0, realWidth);
  sprite->clipY = std::clamp(y < 0 ? 0 : y, 0, realHeight);
  const int wantedWidth = width < 0 ? realWidth : width;
  const int wantedHeight = height < 0 ? realHeight : height;
  sprite->clipWidth = std::max(0, std::min(wantedWidth, realWidth - sprite->clipX));
  sprite->clipHeight = std::max(0, std::min(wantedHeight, realHeight - sprite->clipY));
  sprite->shownWidth = sprite->clipWidth;
  sprite->shownHeight = sprite->clipHeight;
}

void sprite_scale(SpriteId id, int width, int height) {
  Sprite* sprite = sprites.find(id);
  if (sprite == nullptr) {
    return;
  }
  sprite->shownWidth = width < 0 ? sprite->clipWidth : width;
  sprite->shownHeight = height < 0 ? sprite->clipHeight : height;
}

int sprite_width(SpriteId id) {
  const Sprite* sprite = sprites.find(id);
  return sprite != nullptr ? sprite->shownWidth : 0;
}

int sprite_height(SpriteId id) {
  const Sprite* sprite = sprites.find(id);
  return sprite != nullptr ? sprite->shownHeight : 0;
}

int sprite_save_png(SpriteId id, const std::string& path, int format) {
  Sprite* sprite = sprites.find(id);
  if (sprite == nullptr || path.empty() || format != kPng) {
    return 0;
  }
  const bool written = png_write_rgba(path.c_str(), sprite_pixels(*sprite));
  if (sprite->texture != 0 && !sprite->textureStale && sprite->textureStep == 1) {
    std::vector<uint8_t>().swap(sprite->image.pixels);  // the texture (and lostColours) still hold them
  }
  return written ? 1 : 0;
}
