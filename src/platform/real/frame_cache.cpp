// Keeping the screen under the last full-screen draw when it is drawn alike frame after frame.
#include "platform/real/frame_cache.h"

#include <algorithm>

#include "platform/real/platform_testing.h"
#include "platform/real/screen_state.h"

namespace {

// A frame of the menu over a full board makes about 110 calls; calls past these are drawn at once.
constexpr int kMaxCalls = 400;

struct FrameCalls {
  DrawCall calls[kMaxCalls];
  int count = 0;
};

struct FrameCache {
  FrameCalls current;          // this frame's calls so far
  FrameCalls previous;         // the last frame's calls
  int previousCut = 0;         // how many of them reach up to its last full-screen draw
  bool sameAsPrevious = true;  // this frame's calls so far are the last frame's
  FrameCalls kept;             // the calls whose pixels the copy holds; none without a copy
  GLuint copy = 0;             // screen-sized, made at the first copy in a GL context
  bool matching = false;       // this frame's calls so far are the first of the kept ones
  int heldBack = 0;            // and this many of them are not drawn yet
  int framesFromCopy = 0;      // for the tests
};

FrameCache cache;

bool covers_screen(const DrawCall& call) {
  return call.x <= 0 && call.y <= 0 && call.x + call.shownWidth >= gScreen.width &&
         call.y + call.shownHeight >= gScreen.height;
}

// Only a frame that starts by replacing every pixel gives pixels that depend on its calls alone.
int cut_of(const FrameCalls& frame) {
  if (frame.count == 0 || !covers_screen(frame.calls[0]) || frame.calls[0].intensity != DrawCall::kReplace) {
    return 0;
  }
  int cut = 0;
  for (int i = 0; i < frame.count; ++i) {
    if (covers_screen(frame.calls[i])) cut = i + 1;
  }
  return cut >= 2 ? cut : 0;  // a lone background is as quick to draw as its copy
}

bool kept_is_current_prefix(int count) {
  return cache.kept.count == count && std::equal(cache.kept.calls, cache.kept.calls + count, cache.current.calls);
}

void copy_screen() {
  if (cache.copy == 0) {
    glGenTextures(1, &cache.copy);
    glBindTexture(GL_TEXTURE_2D, cache.copy);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, gScreen.width, gScreen.height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  }
  glBindTexture(GL_TEXTURE_2D, cache.copy);
  glReadBuffer(GL_BACK);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, gScreen.width, gScreen.height);
}

}  // namespace

void frame_cache_draw(const DrawCall& call) {
  const int index = cache.current.count;
  if (index == kMaxCalls) {
    frame_cache_flush();
    draw_call(call);
    return;
  }
  cache.current.calls[index] = call;
  cache.current.count = index + 1;
  cache.sameAsPrevious = cache.sameAsPrevious && index < cache.previous.count && cache.previous.calls[index] == call;
  if (cache.matching && cache.kept.calls[index] == call) {
    if (++cache.heldBack == cache.kept.count) {
      draw_screen_copy(cache.copy);
      ++cache.framesFromCopy;
      cache.matching = false;
      cache.heldBack = 0;
    }
    return;
  }
  frame_cache_flush();
  draw_call(call);
  // The second frame in a row alike up to here: the screen as it stands now is worth keeping.
  if (cache.sameAsPrevious && index + 1 == cache.previousCut && !kept_is_current_prefix(index + 1)) {
    copy_screen();
    std::copy(cache.current.calls, cache.current.calls + index + 1, cache.kept.calls);
    cache.kept.count = index + 1;
  }
}

void frame_cache_flush() {
  for (int i = 0; i < cache.heldBack; ++i) draw_call(cache.current.calls[i]);
  cache.heldBack = 0;
  cache.matching = false;
}

void frame_cache_end_frame() {
  frame_cache_flush();
  cache.previousCut = cut_of(cache.current);
  cache.previous.count = cache.current.count;
  std::copy(cache.current.calls, cache.current.calls + cache.previous.count, cache.previous.calls);
  cache.current.count = 0;
  cache.sameAsPrevious = true;
  cache.matching = cache.kept.count > 0;
}

void frame_cache_reset() {
  cache.current.count = cache.previous.count = cache.kept.count = 0;
  cache.previousCut = 0;
  cache.sameAsPrevious = true;
  cache.matching = false;
  cache.heldBack = 0;
  cache.copy = 0;
}

int platform_frames_drawn_from_copy() { return cache.framesFromCopy; }
