// Drawing sprites onto the game screen: one textured rectangle each, no allocation per draw.
#include <algorithm>

#include "platform/real/draw/draw.h"
#include "platform/real/draw/frame_cache.h"
#include "platform/real/draw/sprite_shaders.h"
#include "platform/real/draw/sprite_store.h"
#include "platform/real/screen/screen.h"

namespace {

int spriteQuality = 0;  // 0 nearest, 1 bilinear
int opacityInUse = -1;  // the shader or colour set for this opacity; -1 = none yet (new context)

// The draw of sprite `id` at (x, y) as it reaches the screen; false when nothing of it shows.
bool describe(SpriteId id, int x, int y, int intensity, DrawCall* call) {
  Sprite* sprite = sprite_find(id);
  if (sprite == nullptr || !gl_ready() || sprite->shownWidth <= 0 || sprite->shownHeight <= 0 ||
      sprite->clipWidth <= 0 || sprite->clipHeight <= 0) {
    return false;
  }
  if (x >= gScreen.width || y >= gScreen.height || x + sprite->shownWidth <= 0 || y + sprite->shownHeight <= 0) {
    return false;
  }
  sprite_upload_texture(*sprite);
  // Drawn 1:1 (a texel a pixel of the screen: its own size, as many texels a game pixel as the screen
  // has pixels), every pixel centre sits on a texel centre and bilinear sampling returns that texel
  // alone: nearest gives the same pixels, and lets the rasteriser copy rows instead of filtering.
  const bool oneToOne = sprite->textureStep == 1 && sprite->image.density == gScreen.scale &&
                        sprite->shownWidth == sprite->clipWidth && sprite->shownHeight == sprite->clipHeight;
  *call = DrawCall{id, sprite->textureVersion, x, y, sprite->shownWidth, sprite->shownHeight, sprite->clipX,
                   sprite->clipY, sprite->clipWidth, sprite->clipHeight, intensity,
                   spriteQuality == 0 || oneToOne ? GL_NEAREST : GL_LINEAR};
  return true;
}

// The texture area (left, top, right, bottom) stretched over the screen rectangle (x, y, x1, y1);
// the viewport clips the parts beyond the screen.
void draw_rectangle(float left, float top, float right, float bottom, int x, int y, int x1, int y1) {
  glBegin(GL_QUADS);
  glTexCoord2f(left, top);
  glVertex2f(static_cast<float>(x), static_cast<float>(y));
  glTexCoord2f(right, top);
  glVertex2f(static_cast<float>(x1), static_cast<float>(y));
  glTexCoord2f(right, bottom);
  glVertex2f(static_cast<float>(x1), static_cast<float>(y1));
  glTexCoord2f(left, bottom);
  glVertex2f(static_cast<float>(x), static_cast<float>(y1));
  glEnd();
}

bool drawsWithShaders = false;  // in the current context, set at its first draw

// The texture times the opacity, by the shaders or else by the texture environment: GL_MODULATE
// (set at the context's start) with the colour (o, o, o, o) gives each premultiplied texel times o.
void use_opacity(int intensity) {
  if (opacityInUse == -1) {  // a new context
    drawsWithShaders = sprite_shaders_start();
  }
  if (intensity == opacityInUse) {
    return;
  }
  if (drawsWithShaders) {
    sprite_shaders_use(intensity);
  } else {
    const float opacity = intensity / 255.0f;
    glColor4f(opacity, opacity, opacity, opacity);
  }
  opacityInUse = intensity;
}

}  // namespace

void draw_context_made() {
  // The pictures the game makes from now on hold the new screen's pixels a game pixel.
  pictures_set_density(gScreen.scale);
  frame_cache_reset();
  opacityInUse = -1;
}

void draw_call(const DrawCall& call) {
  Sprite* sprite = sprite_find(call.id);
  if (sprite == nullptr) {
    return;
  }
  glBindTexture(GL_TEXTURE_2D, sprite->texture);
  if (sprite->textureFilter != call.filter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, call.filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, call.filter);
    sprite->textureFilter = call.filter;
  }
  // The texture is premultiplied, so replacing gives colour times alpha (black where transparent).
  if (call.intensity == DrawCall::kReplace) {
    glDisable(GL_BLEND);
  } else {
    glEnable(GL_BLEND);
  }
  use_opacity(std::min(call.intensity, 255));
  // The texture spans whole steps of the picture (one step is one pixel unless it was shrunk); the
  // clip is in game pixels, `density` pixels of the picture a side.
  const int step = sprite->textureStep;
  const float density = static_cast<float>(sprite->image.density);
  const float width = static_cast<float>((sprite->image.width + step - 1) / step * step) / density;
  const float height = static_cast<float>((sprite->image.height + step - 1) / step * step) / density;
  draw_rectangle(call.clipX / width, call.clipY / height, (call.clipX + call.clipWidth) / width,
                 (call.clipY + call.clipHeight) / height, call.x, call.y, call.x + call.shownWidth,
                 call.y + call.shownHeight);
}

// The copy holds the screen's bottom row first: its rows are read from the top of the texture down.
void draw_screen_copy(GLuint texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glDisable(GL_BLEND);
  use_opacity(255);
  draw_rectangle(0, 1, 1, 0, 0, 0, gScreen.width, gScreen.height);
}

void sprite_draw(SpriteId id, int x, int y) {
  DrawCall call;
  if (describe(id, x, y, DrawCall::kReplace, &call)) frame_cache_draw(call);
}

void sprite_draw_blended(SpriteId id, int x, int y, int intensity) {
  DrawCall call;
  if (intensity > 0 && describe(id, x, y, std::min(intensity, 255), &call)) frame_cache_draw(call);
}

bool platform_draws_with_shaders() { return drawsWithShaders; }

void screen_set_sprite_quality(int quality) { spriteQuality = quality == 0 ? 0 : 1; }
