// Drawing sprites onto the game screen: one textured rectangle each, no allocation per draw.
#define GL_GLEXT_PROTOTYPES 1
#include "platform/real/gl_renderer.h"
#include <GL/glext.h>
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

// Two small shaders: the texture alone (opaque draws and full opacity), and the texture times a
// constant opacity. A shader that reads only a texture and constants, with no projective lookup as
// the fixed pipeline makes, is one the rasteriser runs on its fast path.
const char* const kVertexShader =
    "varying vec2 texel;\n"
    "void main() { gl_Position = ftransform(); texel = gl_MultiTexCoord0.xy; }\n";
const char* const kTextureShader =
    "uniform sampler2D picture;\n"
    "varying vec2 texel;\n"
    "void main() { gl_FragColor = texture2D(picture, texel); }\n";
const char* const kOpacityShader =
    "uniform sampler2D picture;\n"
    "uniform float opacity;\n"
    "varying vec2 texel;\n"
    "void main() { gl_FragColor = texture2D(picture, texel) * opacity; }\n";

GLuint textureProgram = 0;
GLuint opacityProgram = 0;
GLint opacityUniform = -1;

GLuint compile(GLenum kind, const char* source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  return shader;
}

GLuint link(const char* fragmentSource) {
  const GLuint program = glCreateProgram();
  const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  glUseProgram(program);
  glUniform1i(glGetUniformLocation(program, "picture"), 0);
  return program;
}

void use_opacity(int intensity) {
  if (gScreen.opacityInUse == -1) {  // a new context: its shaders
    textureProgram = link(kTextureShader);
    opacityProgram = link(kOpacityShader);
    opacityUniform = glGetUniformLocation(opacityProgram, "opacity");
  }
  if (intensity == gScreen.opacityInUse) {
    return;
  }
  if (intensity >= 255) {
    glUseProgram(textureProgram);
  } else {
    glUseProgram(opacityProgram);
    glUniform1f(opacityUniform, intensity / 255.0f);
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
