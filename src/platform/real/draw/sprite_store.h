// The sprite table shared by the sprite files: the GL texture a sprite is drawn from, and its pixels
// on the CPU side only while something works on them (before the upload, or while drawing into it).
#pragma once

#include <GL/gl.h>

#include "platform/real/pictures/pictures.h"

struct Sprite {
  RgbaImage image;              // straight RGBA, the sprite's real size; no pixels once uploaded
  int flags = kSpritePlain;
  uint32_t colourKey = 0;       // RGB; black for every new sprite
  int clipX = 0;
  int clipY = 0;
  int clipWidth = 0;            // the displayed area before scaling
  int clipHeight = 0;
  int shownWidth = 0;           // displayed size after clip and scale
  int shownHeight = 0;
  // Colours the texture cannot give back (premultiplying rounds them, or a transparent pixel loses
  // its colour): kept while the texture stands in for the pixels, so reading them back is exact.
  struct LostColour {
    uint32_t pixel;
    uint8_t rgb[3];
  };
  std::vector<LostColour> lostColours;
  GLuint texture = 0;
  bool textureStale = true;     // pixels changed since the last upload
  uint64_t textureVersion = 0;  // a new number at every upload, never one seen before
  GLint textureFilter = 0;      // filter last set on the texture (0 = none yet)
  int textureStep = 1;          // picture pixels per texel on each side; above 1 the pixels stay (texture_shrink.h)
};

// nullptr for an invalid sprite.
Sprite* sprite_find(SpriteId id);
// Stores a new sprite of these pixels under `number` (or a new handle); returns what the create
// call returns, 0 on failure. Without uploadNow the texture waits for the pixels to change.
SpriteId sprite_store_add(SpriteId number, RgbaImage&& pixels, int flags, bool uploadNow);
// Alpha 0 where RGB equals the key exactly, 255 elsewhere.
void sprite_apply_colour_key(Sprite& sprite);
// After every change of a sprite's pixels: uploads the texture at once when a screen exists,
// otherwise at its first draw.
void sprite_pixels_changed(Sprite& sprite);
// Uploads a stale texture and lets go of the CPU pixels; the draw calls use it. Needs a current GL
// context.
void sprite_upload_texture(Sprite& sprite);
// The sprite's pixels on the CPU side, read back from its texture when they were let go.
RgbaImage& sprite_pixels(Sprite& sprite);
// screen_close: every sprite and texture goes (before the GL context does).
void sprites_release_all();
