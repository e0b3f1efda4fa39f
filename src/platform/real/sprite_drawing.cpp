// Drawing sprites onto the game screen: one textured rectangle each, no allocation per draw.
#include "platform/real/gl_renderer.h"
#include "platform/real/screen_state.h"
#include "platform/real/sprite_store.h"

namespace {

// The sprite, ready to draw at (x, y), or nullptr when there is nothing to draw.
Sprite* prepare(SpriteId id, int x, int y) {
  Sprite* sprite = sprite_find(id);
  if (sprite == nullptr || !gl_ready() || sprite->shownWidth <= 0 || sprite->shownHeight <= 0 ||
      sprite->clipWidth <= 0 || sprite->clipHeight <= 0) {
    return nullptr;
  }
  if (x >= gScreen.width || y >= gScreen.height || x + sprite->shownWidth <= 0 || y + sprite->shownHeight <= 0) {
    return nullptr;
  }
  sprite_upload_texture(*sprite);
  glBindTexture(GL_TEXTURE_2D, sprite->texture);
  // Drawn 1:1, every pixel centre sits on a texel centre and bilinear sampling returns that texel
  // alone: nearest gives the same pixels, and lets the rasteriser copy rows instead of filtering.
  const bool oneToOne = sprite->shownWidth == sprite->clipWidth && sprite->shownHeight == sprite->clipHeight;
  const GLint filter = gScreen.spriteQuality == 0 || oneToOne ? GL_NEAREST : GL_LINEAR;
  if (sprite->textureFilter != filter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    sprite->textureFilter = filter;
  }
  return sprite;
}

// The displayed area of the sprite stretched over its shown size; the viewport clips the parts
// beyond the screen.
void draw_rectangle(const Sprite& sprite, int x, int y) {
  const float width = static_cast<float>(sprite.image.width);
  const float height = static_cast<float>(sprite.image.height);
  const float left = sprite.clipX / width;
  const float right = (sprite.clipX + sprite.clipWidth) / width;
  const float top = sprite.clipY / height;
  const float bottom = (sprite.clipY + sprite.clipHeight) / height;
  const float x1 = static_cast<float>(x + sprite.shownWidth);
  const float y1 = static_cast<float>(y + sprite.shownHeight);
  glBegin(GL_QUADS);
  glTexCoord2f(left, top);
  glVertex2f(static_cast<float>(x), static_cast<float>(y));
  glTexCoord2f(right, top);
  glVertex2f(x1, static_cast<float>(y));
  glTexCoord2f(right, bottom);
  glVertex2f(x1, y1);
  glTexCoord2f(left, bottom);
  glVertex2f(static_cast<float>(x), y1);
  glEnd();
}

// The texture alone (opaque draws and full opacity), or the texture times a constant opacity. The
// opacity comes from the texture environment's constant colour rather than the vertex colour: a
// shader that reads only the texture and constants is one the rasteriser runs on its fast path.
void use_opacity(int intensity) {
  if (intensity == gScreen.opacityInUse) {
    return;
  }
  if (intensity >= 255) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  } else {
    const float scale = intensity / 255.0f;
    const GLfloat colour[4] = {scale, scale, scale, scale};
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_RGB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_RGB, GL_CONSTANT);
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_ALPHA, GL_CONSTANT);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colour);
  }
  gScreen.opacityInUse = intensity;
}

}  // namespace

void sprite_draw(SpriteId id, int x, int y) {
  const Sprite* sprite = prepare(id, x, y);
  if (sprite == nullptr) {
    return;
  }
  // The texture is premultiplied, so replacing gives colour times alpha (black where transparent).
  glDisable(GL_BLEND);
  use_opacity(255);
  draw_rectangle(*sprite, x, y);
}

void sprite_draw_blended(SpriteId id, int x, int y, int intensity) {
  if (intensity <= 0) {
    return;
  }
  const Sprite* sprite = prepare(id, x, y);
  if (sprite == nullptr) {
    return;
  }
  glEnable(GL_BLEND);
  use_opacity(intensity > 255 ? 255 : intensity);
  draw_rectangle(*sprite, x, y);
}

void screen_set_sprite_quality(int quality) { gScreen.spriteQuality = quality == 0 ? 0 : 1; }
