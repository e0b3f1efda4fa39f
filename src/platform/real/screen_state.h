// What the real platform knows about the one game screen, shared by the screen, sprite and input
// files. Set by the screen openers, cleared by screen_close.
#pragma once

#include <cstdint>

enum class ScreenKind { Closed, Fullscreen, InWindow };

struct ScreenState {
  ScreenKind kind = ScreenKind::Closed;
  int width = 0;
  int height = 0;
  bool active = false;          // has the input focus
  int frameLimitMs = 0;         // 1000 / fps; a flip waits until more than this has passed; 0 = off
  int64_t lastFlipEndMs = 0;    // steady clock, whole milliseconds
  int spriteQuality = 0;        // 0 nearest, 1 bilinear
  int opacityInUse = -1;        // the shader or colour set for this opacity; -1 = none yet (new context)
};

extern ScreenState gScreen;

// Whether GTK found an X display at platform_init (platform_process.cpp).
bool platform_has_display();

// Called by both openers once their GL context is current; screen_close undoes it.
void screen_begin(ScreenKind kind, int width, int height);
