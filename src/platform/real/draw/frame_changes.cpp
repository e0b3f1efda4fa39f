// Where two frames' draw calls give other pixels. A pixel depends only on the calls that cover it,
// in their order: where the calls common to both frames, matched in order, are the only ones, the
// pixel is the same. So the calls left unmatched mark every place that may change.
#include <algorithm>

#include "platform/real/draw/frame_cache.h"

namespace {

using Rect = ScreenChange::Rect;

// How far ahead a call is looked for in the other frame: a card turned or gone, a pointer moved.
constexpr int kLookAhead = 8;

int area(const Rect& r) { return r.width * r.height; }

bool overlap(const Rect& a, const Rect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

Rect bounds(const Rect& a, const Rect& b) {
  const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return {left, top, std::max(a.x + a.width, b.x + b.width) - left, std::max(a.y + a.height, b.y + b.height) - top};
}

// The rectangles so far, none overlapping another.
struct Changes {
  ScreenChange* change;

  void remove(int index) { change->rects[index] = change->rects[--change->count]; }

  // Overlapping rectangles become their bounds, and when there are too many, the two whose bounds
  // grow least: every pixel is drawn once.
  void add(Rect rect) {
    for (;;) {
      int merge = -1;
      for (int i = 0; i < change->count && merge < 0; ++i) {
        if (overlap(change->rects[i], rect)) merge = i;
      }
      if (merge < 0 && change->count == ScreenChange::kMaxRects) {
        int growth = 0;
        for (int i = 0; i < change->count; ++i) {
          const int grows = area(bounds(change->rects[i], rect)) - area(change->rects[i]);
          if (merge < 0 || grows < growth) merge = i, growth = grows;
        }
      }
      if (merge < 0) break;
      rect = bounds(change->rects[merge], rect);
      remove(merge);
    }
    change->rects[change->count++] = rect;
  }

  void add(const DrawCall& call) {
    const int left = std::max(call.x, 0), top = std::max(call.y, 0);
    const int right = std::min(call.x + call.shownWidth, gScreen.width);
    const int bottom = std::min(call.y + call.shownHeight, gScreen.height);
    if (left < right && top < bottom) add(Rect{left, top, right - left, bottom - top});
  }
};

// Where `call` comes again in calls[from, to), or -1.
int find(const DrawCall& call, const DrawCall* calls, int from, int to) {
  for (int i = from; i < std::min(to, from + kLookAhead); ++i) {
    if (calls[i] == call) return i;
  }
  return -1;
}

}  // namespace

bool call_reaches(const DrawCall& call, const ScreenChange::Rect& rect) {
  return overlap(Rect{call.x, call.y, call.shownWidth, call.shownHeight}, rect);
}

bool frame_changes(const DrawCall* before, int beforeCount, const DrawCall* now, int nowCount, ScreenChange* changed) {
  changed->count = 0;
  Changes changes{changed};
  int b = 0, n = 0;
  while (b < beforeCount || n < nowCount) {
    if (b < beforeCount && n < nowCount && before[b] == now[n]) {
      ++b, ++n;
      continue;
    }
    // The nearer of a call gone from the frame before or one new in this frame; else both differ.
    const int gone = n < nowCount ? find(now[n], before, b + 1, beforeCount) : -1;
    const int added = b < beforeCount ? find(before[b], now, n + 1, nowCount) : -1;
    if (gone >= 0 && (added < 0 || gone - b <= added - n)) {
      while (b < gone) changes.add(before[b++]);
    } else if (added >= 0) {
      while (n < added) changes.add(now[n++]);
    } else {
      if (b < beforeCount) changes.add(before[b++]);
      if (n < nowCount) changes.add(now[n++]);
    }
  }
  int total = 0;
  for (int i = 0; i < changed->count; ++i) total += area(changed->rects[i]);
  if (total * 2 > gScreen.width * gScreen.height) {
    changed->count = 0;
    return false;
  }
  return true;
}
