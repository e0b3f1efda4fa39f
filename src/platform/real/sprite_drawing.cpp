// Drawing sprites onto the game screen: one textured rectangle each, no allocation per draw.
#define GL_GLEXT_PROTOTYPES 1
#include "platform/real/gl_renderer.h"
#include <GL/glext.h>
#include <algorithm>
#include "platform/real/frame_cache.h"
#include "platform/real/screen_state.h"
#include "platform/real/sprite_store.h"

namespace {

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
  // Drawn 1:1, every pixel centre sits on a texel centre and bilinear sampling returns that texel
  // alone: nearest gives the same pixels, and lets the rasteriser copy rows instead of filtering.
  const bool oneToOne = sprite->textureStep == 1 && sprite->shownWidth == sprite->clipWidth &&
                        sprite->shownHeight == sprite->clipHeight;
  *call = DrawCall{id, sprite->textureVersion, x, y, sprite->shownWidth, sprite->shownHeight, sprite->clipX,
                   sprite->clipY, sprite->clipWidth, sprite->clipHeight, intensity,
                   gScreen.spriteQuality == 0 || oneToOne ? GL_NEAREST : GL_LINEAR};
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
  // The texture spans whole steps of the picture (one step is one pixel unless it was shrunk).
  const int step = sprite->textureStep;
  const float width = static_cast<float>((sprite->image.width + step - 1) / step * step);
  const float height = static_cast<float>((sprite->image.height + step - 1) / step * step);
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

void screen_set_sprite_quality(int quality) { gScreen.spriteQuality = quality == 0 ? 0 : 1; }
