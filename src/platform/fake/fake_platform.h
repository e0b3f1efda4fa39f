// The recording fake platform: what the unit tests link instead of the real one.
//
// Every operation that changes something is appended to state().calls as one line of text
// ("sprite_draw_blended 1 168 8 128"), so a test can check what was drawn, in which order, and what
// was waited for. Sprites and images keep their sizes, clips and scales so that sprite_width and
// friends answer as the real ones do. The knobs below script the machine: desktop size, failures,
// text widths, window events, mouse, keys.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

struct Picture {
  int width = 0;   // real size
  int height = 0;
  int clipX = 0, clipY = 0, clipWidth = 0, clipHeight = 0;
  int shownWidth = 0;  // displayed size after clip or scale
  int shownHeight = 0;
  int flags = 0;
  uint32_t colourKey = 0;
};

struct State {
  std::vector<std::string> calls;

  // Machine.
  int desktopWidth = 1280;  // the screen's pixels
  int desktopHeight = 720;
  int desktopScale = 1;  // the desktop's: full screen lays out at the desktop divided by its density
  int monitors = 1;
  std::set<int> videoModes;  // width * 100000 + height; empty = only the desktop size
  int largestScreenSide = 16384;
  bool failSpriteInit = false, failKeyboardInit = false, failMouseInit = false, failSoundInit = false;
  bool failWindowOpen = false;
  bool failFullScreen = false;
  bool displayMissing = false;

  // Screen.
  bool screenOpen = false;
  int screenWidth = 0, screenHeight = 0;
  int screenDensity = 0;  // the screen's pixels a game pixel; 0 when closed
  int active = 1;
  int flips = 0;
  std::map<SpriteId, Picture> sprites;
  std::map<SpriteId, Picture> images;
  SpriteId nextHandle = kFirstSpriteHandle;
  SpriteId drawingTarget = 0;
  SpriteId textImage = 0;
  bool textImageReady = false;
  int failImageCreateAfter = -1;  // image_create fails once this many more have succeeded
  bool failPngSave = false;       // sprite_save_png fails, leaving the file as it found it

  // Text: width of a text in the current font; default 10 pixels per byte.
  std::function<double(const std::string&, int font)> textWidth;
  int currentFont = 0;

  // Window kinds.
  std::deque<int> windowEvents;
  int windowMouseX = -1, windowMouseY = -1;
  bool windowOpen = false;
  int windowWidth = 0, windowHeight = 0;  // what the window manager gave: as opened, until a test resizes it

  // Input.
  int mouseX = 0, mouseY = 0;
  bool buttons[4] = {false, false, false, false};
  std::set<int> releasedKeys;  // key_released answers 1 once for each
  std::set<int> heldKeys;      // key_down answers 1 for each

  // Sound: loaded sounds and their status.
  bool soundStarted = false;
  std::map<int, int> sounds;
  bool failSoundLoad = false;

  bool quitAsked = false;  // platform_quit_requested
  void (*lastWords)() = nullptr;  // platform_on_display_lost

  std::vector<int> waits;
  int64_t clockMs = 0;  // advanced 17 ms by every flip and by every wait
  std::vector<std::pair<std::string, std::string>> messageBoxes;
};

State& state();
void reset();
// Calls whose line starts with prefix, in order.
std::vector<std::string> callsStartingWith(const std::string& prefix);
void clearCalls();

}  // namespace fake
