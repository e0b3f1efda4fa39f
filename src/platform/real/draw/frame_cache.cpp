// Frames alike: not shown again when the screen shows them already, and the screen under the last
// full-screen draw kept when it is drawn alike frame after frame.
#include "platform/real/draw/frame_cache.h"

#include <algorithm>
#include <vector>

#include "platform/real/draw/draw.h"
#include "platform/real/screen/screen.h"

namespace {

// The calls of one frame. Their storage only grows, to the largest frame so far (a frame of the
// menu over a full board makes about 110 calls): frames alike allocate nothing.
struct FrameCalls {
  std::vector<DrawCall> calls;
  int count = 0;
};

void put(FrameCalls& frame, int index, const DrawCall& call) {
  if (index == static_cast<int>(frame.calls.size())) {
    frame.calls.push_back(call);
  } else {
    frame.calls[index] = call;
  }
}

void copy_calls(const FrameCalls& from, int count, FrameCalls& to) {
  if (static_cast<int>(to.calls.size()) < count) {
    to.calls.resize(count);
  }
  std::copy(from.calls.begin(), from.calls.begin() + count, to.calls.begin());
  to.count = count;
}

// How much of this frame is drawn: nothing until it ends, unless the screen was read or a texture
// changed half-way; then the calls so far were drawn, and the later ones are drawn as they come.
enum class Drawn { Nothing, Part, Whole };

struct FrameCache {
  FrameCalls current;                // this frame's calls so far
  FrameCalls previous;               // the last frame's calls: the frame on screen
  int previousCut = 0;               // how many of them reach up to its last full-screen draw
  int alike = 0;                     // this frame's first calls that are the last frame's
  bool screenShowsPrevious = false;  // nothing damaged the screen since the last frame was shown
  bool backShowsPrevious = false;    // and the back buffer holds it: it was shown by copying parts
  bool backHoldsUnder = false;       // or it holds it but its last call, composed on the CPU
  Drawn drawn = Drawn::Nothing;
  bool drawnPartLost = false;        // damaged once partly drawn: what was drawn may have gone
  FrameCalls kept;                   // the calls whose pixels the copy holds; none without a copy
  GLuint copy = 0;                   // screen-sized, made at the first copy in a GL context
  GLint copyFormat = GL_RGBA8;       // of the window's depth: its pixels come back exactly
  bool matching = false;             // this frame's calls so far are the first of the kept ones
  int heldBack = 0;                  // and this many of them are not drawn yet
  int framesFromCopy = 0;            // for the tests
};

FrameCache cache;

bool covers_screen(const DrawCall& call) {
  return call.x <= 0 && call.y <= 0 && call.x + call.shownWidth >= gScreen.width &&
         call.y + call.shownHeight >= gScreen.height;
}

bool replaces_every_pixel_first(const FrameCalls& frame) {
  return frame.count > 0 && covers_screen(frame.calls[0]) && frame.calls[0].intensity == DrawCall::kReplace;
}

// Only a frame that starts by replacing every pixel gives pixels that depend on its calls alone.
int cut_of(const FrameCalls& frame) {
  if (!replaces_every_pixel_first(frame)) {
    return 0;
  }
  int cut = 0;
  for (int i = 0; i < frame.count; ++i) {
    if (covers_screen(frame.calls[i])) cut = i + 1;
  }
  return cut >= 2 ? cut : 0;  // a lone background is as quick to draw as its copy
}

bool kept_is_current_prefix(int count) {
  return cache.kept.count == count && std::equal(cache.kept.calls.begin(), cache.kept.calls.begin() + count, cache.current.calls.begin());
}

// The screen's pixels: N x N a game pixel on a desktop of scale N.
void copy_screen() {
  const int width = gScreen.width * gScreen.scale;
  const int height = gScreen.height * gScreen.scale;
  if (cache.copy == 0) {
    glGenTextures(1, &cache.copy);
    glBindTexture(GL_TEXTURE_2D, cache.copy);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, cache.copyFormat, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  }
  glBindTexture(GL_TEXTURE_2D, cache.copy);
  glReadBuffer(GL_BACK);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width, height);
}

void draw_held_back() {
  for (int i = 0; i < cache.heldBack; ++i) draw_call(cache.current.calls[i]);
  cache.heldBack = 0;
  cache.matching = false;
}

// Call `index` of this frame, in order: drawn, or held back while the frame matches the kept copy.
void take(int index) {
  const DrawCall& call = cache.current.calls[index];
  if (cache.matching && cache.kept.calls[index] == call) {
    if (++cache.heldBack == cache.kept.count) {
      draw_screen_copy(cache.copy);
      ++cache.framesFromCopy;
      cache.matching = false;
      cache.heldBack = 0;
    }
    return;
  }
  draw_held_back();
  draw_call(call);
  // The second frame in a row alike up to here: the screen as it stands now is worth keeping.
  if (cache.alike > index && index + 1 == cache.previousCut && !cache.drawnPartLost &&
      !kept_is_current_prefix(index + 1)) {
    copy_screen();
    copy_calls(cache.current, index + 1, cache.kept);
  }
}

// Every one of the frame's first `count` calls that reaches into the changed rectangles, clipped
// to each.
void draw_part(const ScreenChange& change, int count) {
  glEnable(GL_SCISSOR_TEST);
  for (int r = 0; r < change.count; ++r) {
    const ScreenChange::Rect& rect = change.rects[r];
    const int scale = gScreen.scale;  // the scissor counts the screen's pixels
    glScissor(rect.x * scale, (gScreen.height - rect.y - rect.height) * scale, rect.width * scale, rect.height * scale);
    for (int i = 0; i < count; ++i) {
      if (call_reaches(cache.current.calls[i], rect)) draw_call(cache.current.calls[i]);
    }
  }
  glDisable(GL_SCISSOR_TEST);
}

// The frame's first `count` calls over the whole screen, from the kept copy where they match it.
void draw_whole(int count) {
  cache.matching = cache.kept.count > 0;
  cache.heldBack = 0;
  for (int i = 0; i < count; ++i) take(i);
}

// Draws the frame's calls so far: where both frames give every pixel from their own calls, only
// what changed is drawn where the buffer drawn into holds the frame on screen, and shown where the
// screen shows parts; else all of them, and the frame is shown whole.
void draw_frame(ScreenChange* change) {
  change->count = 0;
  // The off-screen picture keeps the frame last shown: a swap leaves the back buffer unknown.
  const bool backShowsPrevious = gl_shows_parts() ? cache.backShowsPrevious : gl_fitted();
  if (cache.screenShowsPrevious && replaces_every_pixel_first(cache.previous) &&
      replaces_every_pixel_first(cache.current) &&
      frame_changes(cache.previous.calls.data(), cache.previous.count, cache.current.calls.data(), cache.current.count,
                    change) &&
      backShowsPrevious) {
    draw_part(*change, cache.current.count);
    cache.drawn = Drawn::Part;
    return;
  }
  draw_whole(cache.current.count);
  cache.drawn = Drawn::Whole;
}

// The whole frame drawn, when it ends with a call composed on the CPU over the frame on screen: the
// calls under it where they changed since (all of them the first time after a whole frame), and the
// call laid over them on the CPU where it is.
bool compose_frame(ScreenChange* change) {
  const FrameCalls& before = cache.previous;
  const FrameCalls& now = cache.current;
  if (!cache.screenShowsPrevious || before.count < 2 || now.count < 2 || !replaces_every_pixel_first(before) ||
      !replaces_every_pixel_first(now) || !top_layer_composes(now.calls[now.count - 1]) ||
      !frame_changes(before.calls.data(), before.count, now.calls.data(), now.count, change) || change->count == 0) {
    change->count = 0;
    return false;
  }
  ScreenChange under;
  if (cache.backHoldsUnder &&
      frame_changes(before.calls.data(), before.count - 1, now.calls.data(), now.count - 1, &under)) {
    draw_part(under, now.count - 1);
    top_layer_under_changed(under);
  } else {
    draw_whole(now.count - 1);
    draw_held_back();
    top_layer_whole_under_changed();
  }
  top_layer_compose(change, now.calls[now.count - 1]);
  return true;
}

}  // namespace

void frame_cache_draw(const DrawCall& call) {
  const int index = cache.current.count;
  put(cache.current, index, call);
  cache.current.count = index + 1;
  if (cache.alike == index && index < cache.previous.count && cache.previous.calls[index] == call) {
    cache.alike = index + 1;
  }
  if (cache.drawn == Drawn::Whole) {
    take(index);
  } else if (cache.drawn == Drawn::Part) {
    draw_call(call);
  }
}

void frame_cache_flush() {
  if (cache.drawn == Drawn::Nothing && cache.current.count > 0) {
    ScreenChange drawnPart;
    draw_frame(&drawnPart);
  }
  draw_held_back();
}

bool frame_cache_end_frame(ScreenChange* changed) {
  const int count = cache.current.count;
  changed->count = 0;
  if (cache.drawn == Drawn::Nothing) {
    const bool unchanged = cache.screenShowsPrevious &&
                           (count == 0 || (count == cache.previous.count && cache.alike == count));
    if (unchanged) {
      cache.current.count = cache.alike = 0;
      return false;
    }
    if (count == 0) {  // nothing drawn on a damaged screen: the frame on screen, drawn again
      copy_calls(cache.previous, cache.previous.count, cache.current);
      cache.alike = cache.previous.count;
    }
    cache.backHoldsUnder = compose_frame(changed);
    if (!cache.backHoldsUnder) draw_frame(changed);
  } else {
    cache.backHoldsUnder = false;
  }
  draw_held_back();
  cache.previousCut = cut_of(cache.current);
  copy_calls(cache.current, cache.current.count, cache.previous);
  cache.current.count = cache.alike = 0;
  cache.screenShowsPrevious = true;
  cache.backShowsPrevious = changed->count > 0 && !cache.backHoldsUnder;
  cache.drawn = Drawn::Nothing;
  cache.drawnPartLost = false;
  return true;
}

// Damage that comes once the frame is partly drawn may have taken what was drawn (the window's
// size changed: the fitted picture's buffer came or went, and the frame is shown once more after
// it): the screen as it stands after it is not worth keeping.
void frame_cache_screen_damaged() {
  cache.screenShowsPrevious = false;
  cache.drawnPartLost = cache.drawn != Drawn::Nothing;
}

void frame_cache_reset() {
  cache.current.count = cache.previous.count = cache.kept.count = 0;
  cache.previousCut = cache.alike = cache.heldBack = 0;
  cache.screenShowsPrevious = cache.backShowsPrevious = cache.backHoldsUnder = cache.matching = false;
  cache.drawnPartLost = false;
  cache.drawn = Drawn::Nothing;
  cache.copy = 0;
  // A deep visual (10 bits a colour) is kept in 16: in 8 the copy would round what the calls draw.
  GLint redBits = 0;
  glGetIntegerv(GL_RED_BITS, &redBits);
  cache.copyFormat = redBits > 8 ? GL_RGBA16 : GL_RGBA8;
  top_layer_forget();
}

int platform_frames_drawn_from_copy() { return cache.framesFromCopy; }
