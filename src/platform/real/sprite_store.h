// The sprite table shared by the sprite files: CPU pixels plus the GL texture drawn from them.
#pragma once

#include <GL/gl.h>

#include "platform/real/real_internal.h"

struct Sprite {
  RgbaImage image;              // straight RGBA, the sprite's real size
  int flags = kSpritePlain;
  uint32_t colourKey = 0;       // RGB; black for every new sprite
  int clipX = 0;
  int clipY = 0;
  int clipWidth = 0;            // the displayed area before scaling
  int clipHeight = 0;
  int shownWidth = 0;           // displayed size after clip and scale
  int shownHeight = 0;
  GLuint texture = 0;
  bool textureStale = true;     // pixels changed since the last upload
  GLint textureFilter = 0;      // filter last set on the texture (0 = none yet)
};

// nullptr for an invalid sprite.
Sprite* sprite_find(SpriteId id);
// Stores a new sprite of these pixels under `number` (or a new handle); returns what the create
// call returns, 0 on failure.
SpriteId sprite_store_add(SpriteId number, RgbaImage&& pixels, int flags);
// Alpha 0 where RGB equals the key exactly, 255 elsewhere.
void sprite_apply_colour_key(Sprite& sprite);
// After every change of a sprite's pixels: uploads the texture at once when a screen exists,
// otherwise at its first draw.
void sprite_pixels_changed(Sprite& sprite);
// Uploads a stale texture; the draw calls use it. Needs a current GL context.
void sprite_upload_texture(Sprite& sprite);
// screen_close: every sprite and texture goes (before the GL context does).
void sprites_release_all();
