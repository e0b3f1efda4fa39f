// A frame's last call (the full-screen pointer) laid over the pixels under it on the CPU. The back
// buffer holds every other call of the frame; a copy of it here is read back where the call is laid,
// in squares of the screen, once after they changed. The call's texels, drawn 1:1 and wholly opaque
// as a call, are blended over the copy exactly as GL blends them: colour plus the pixel under it
// times one minus alpha, rounded as llvmpipe rounds.
#include <algorithm>
#include <vector>

#include "platform/real/draw/frame_cache.h"
#include "platform/real/draw/sprite_store.h"
#include "platform/real/screen/screen.h"

namespace {

constexpr int kSquare = 32;  // the side of the squares the copy is read back in

struct TopLayer {
  std::vector<uint32_t> under;   // the back buffer as read, bottom row first, 0xAARRGGBB
  int squaresAcross = 0;
  std::vector<uint8_t> stale;    // per square, top row first: the back buffer changed since it was read
  std::vector<uint32_t> composed;  // the composed rectangles of the last frame (ScreenChange)
  // The texels of the last sprite laid on top, premultiplied, top row first.
  GLuint texture = 0;
  uint64_t textureVersion = 0;
  int texelsWidth = 0;
  std::vector<uint32_t> texels;
};

TopLayer top;

struct Squares {
  int left, top, right, bottom;  // in squares, right and bottom beyond
};

Squares squares_of(const ScreenChange::Rect& rect) {
  return {rect.x / kSquare, rect.y / kSquare, (rect.x + rect.width + kSquare - 1) / kSquare,
          (rect.y + rect.height + kSquare - 1) / kSquare};
}

bool any_stale(const Squares& s) {
  for (int y = s.top; y < s.bottom; ++y) {
    for (int x = s.left; x < s.right; ++x) {
      if (top.stale[static_cast<size_t>(y) * top.squaresAcross + x] != 0) return true;
    }
  }
  return false;
}

void mark(const Squares& s, uint8_t stale) {
  for (int y = s.top; y < s.bottom; ++y) {
    std::fill_n(&top.stale[static_cast<size_t>(y) * top.squaresAcross + s.left], s.right - s.left, stale);
  }
}

// The squares from the back buffer into the copy, rows as GL counts them: from the bottom.
void read_squares(const Squares& s) {
  const int left = s.left * kSquare, right = std::min(s.right * kSquare, gScreen.width);
  const int upper = s.top * kSquare, lower = std::min(s.bottom * kSquare, gScreen.height);
  const int bottomRow = gScreen.height - lower;
  glPixelStorei(GL_PACK_ROW_LENGTH, gScreen.width);
  glReadBuffer(GL_BACK);
  glReadPixels(left, bottomRow, right - left, lower - upper, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
               &top.under[static_cast<size_t>(bottomRow) * gScreen.width + left]);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  mark(s, 0);
}

void fetch_texels(const Sprite& sprite) {
  if (top.texture == sprite.texture && top.textureVersion == sprite.textureVersion) {
    return;
  }
  GLint width = 0, height = 0;
  glBindTexture(GL_TEXTURE_2D, sprite.texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  top.texels.resize(static_cast<size_t>(width) * height);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, top.texels.data());
  top.texture = sprite.texture;
  top.textureVersion = sprite.textureVersion;
  top.texelsWidth = width;
}

// x times y / 255 as llvmpipe's blending takes it: t + t / 256 stands for t * 256 / 255, then
// rounded. A few products just below a half (227 * 214 = 190.502 * 255) come out one lower than
// the nearest.
uint32_t scaled(uint32_t x, uint32_t y) {
  const uint32_t t = x * y;
  return (t + (t >> 8) + 128) >> 8;
}

uint32_t over(uint32_t texel, uint32_t pixel) {
  const uint32_t keep = 255 - (texel >> 24);
  uint32_t out = pixel & 0xff000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    out |= ((texel >> shift & 255) + scaled(pixel >> shift & 255, keep)) << shift;
  }
  return out;
}

// The copy in the rectangle, with the call's texels laid over it, rows top to bottom.
uint32_t* compose(const ScreenChange::Rect& rect, const DrawCall& call, uint32_t* out) {
  // The columns of the rectangle the call covers.
  const int left = std::clamp(call.x, rect.x, rect.x + rect.width);
  const int right = std::clamp(call.x + call.shownWidth, left, rect.x + rect.width);
  for (int y = rect.y; y < rect.y + rect.height; ++y, out += rect.width) {
    const uint32_t* pixels = &top.under[static_cast<size_t>(gScreen.height - 1 - y) * gScreen.width + rect.x];
    std::copy(pixels, pixels + rect.width, out);
    if (y < call.y || y >= call.y + call.shownHeight || left == right) continue;
    const uint32_t* texels =
        &top.texels[static_cast<size_t>(call.clipY + y - call.y) * top.texelsWidth + call.clipX + left - call.x];
    for (int x = left; x < right; ++x) out[x - rect.x] = over(*texels++, pixels[x - rect.x]);
  }
  return out;
}

}  // namespace

bool top_layer_composes(const DrawCall& call) {
  const Sprite* sprite = sprite_find(call.id);
  return gl_composes_parts() && sprite != nullptr && sprite->textureVersion == call.textureVersion &&
         call.intensity == 255 && sprite->textureStep == 1 && call.shownWidth == call.clipWidth &&
         call.shownHeight == call.clipHeight;
}

void top_layer_whole_under_changed() {
  top.under.resize(static_cast<size_t>(gScreen.width) * gScreen.height);
  top.squaresAcross = (gScreen.width + kSquare - 1) / kSquare;
  top.stale.assign(static_cast<size_t>(top.squaresAcross) * ((gScreen.height + kSquare - 1) / kSquare), 1);
}

void top_layer_under_changed(const ScreenChange& change) {
  if (top.under.size() != static_cast<size_t>(gScreen.width) * gScreen.height) {
    top_layer_whole_under_changed();
    return;
  }
  for (int i = 0; i < change.count; ++i) mark(squares_of(change.rects[i]), 1);
}

void top_layer_compose(ScreenChange* change, const DrawCall& call) {
  fetch_texels(*sprite_find(call.id));
  change->composed = 0;
  size_t area = 0;
  for (int i = 0; i < change->count; ++i) {
    const ScreenChange::Rect& rect = change->rects[i];
    const Squares s = squares_of(rect);
    // Where the call is not, the back buffer holds the frame: copied from there unless the copy
    // here is as good.
    if (any_stale(s)) {
      if (!call_reaches(call, rect)) continue;
      read_squares(s);
    }
    change->composed |= 1u << i;
    area += static_cast<size_t>(rect.width) * rect.height;
  }
  if (top.composed.size() < area) top.composed.resize(area);
  uint32_t* out = top.composed.data();
  for (int i = 0; i < change->count; ++i) {
    if ((change->composed >> i & 1) != 0) out = compose(change->rects[i], call, out);
  }
  change->pixels = top.composed.data();
}

void top_layer_forget() {
  top.texture = 0;
  top.textureVersion = 0;
}
