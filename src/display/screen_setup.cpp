#include "display/screen_setup.h"

#include <cstdlib>
#include <limits>

#include "platform/platform.h"
#include "services/log.h"
#include "services/preferences.h"

namespace {
int64_t decimalField(const std::string& field) {
  size_t i = field.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  int64_t value = 0;
  while (i < field.size() && field[i] >= '0' && field[i] <= '9') {
    if (value > (std::numeric_limits<int32_t>::max() - 9) / 10) return 0;  // absurd sizes read as 0
    value = value * 10 + (field[i++] - '0');
  }
  return value;
}

const char* kindLabel(int64_t kind) {
  switch (kind) {
    case ScreenFull: return "Fullscreen";
    case ScreenWindowed: return "Windowed";
    case ScreenBorderless: return "Borderless";
    default: return nullptr;
  }
}
}  // namespace

void ParseScreenMode(const std::string& modeText, int64_t* width, int64_t* height) {
  const size_t x1 = modeText.find_first_of("xX");
  const std::string first = modeText.substr(0, x1);
  std::string second;
  if (x1 != std::string::npos) {
    const size_t x2 = modeText.find_first_of("xX", x1 + 1);
    second = modeText.substr(x1 + 1, x2 == std::string::npos ? std::string::npos : x2 - x1 - 1);
  }
  *width = decimalField(first);
  *height = decimalField(second);
}

void ChooseScreenSize(int64_t kind, std::string* modeText, int64_t* width, int64_t* height) {
  int w = 0, h = 0;
  desktop_size(0, &w, &h);
  WriteLogLine("ScreenWidth:" + Tabs(2) + std::to_string(w));
  WriteLogLine("ScreenHeight:" + Tabs(2) + std::to_string(h));
  *width = w;
  *height = h;
  if (kind != ScreenWindowed) return;
  ParseScreenMode(*modeText, width, height);
  // A hand-edited size no window can have would stop every start; the file keeps it until a save.
  // Below 320x200 no card can be told from another; a shape longer than 4:1 or more pixels than an
  // 8K screen has the backgrounds, which cover the screen in their own 16:9, resampled to gigabytes.
  const int64_t largest = screen_largest_side();
  const bool playable = *width >= 320 && *height >= 200 && *width <= 4 * *height && *height <= 4 * *width &&
                        *width * *height <= 7680 * 4320;
  if (playable && (largest == 0 || (*width <= largest && *height <= largest))) return;
  const std::string fallback = Preferences{}.screenModeText;
  WriteLogLine("ScreenMode (" + *modeText + "):" + Tabs(2) + "UNUSABLE, " + fallback);
  *modeText = fallback;
  ParseScreenMode(fallback, width, height);
}

int OpenGameScreen(int64_t kind, int64_t width, int64_t height, const std::string& title, bool inOpenWindow) {
  const char* label = kindLabel(kind);
  if (!label) return 0;
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  int opened = 0;
  if (width > 0 && height > 0) {
    if (kind == ScreenFull) {
      opened = screen_open_fullscreen(w, h, 32, title, kFlipVsync);
    } else {
      const int style = kind == ScreenWindowed ? WindowStyleWindowed : WindowStyleBorderless;
      if (inOpenWindow || window_open(0, 0, 0, w, h, title, style)) {
        opened = screen_open_in_window(window_handle(0), 0, 0, w, h, 0, 0, 0, kFlipVsync);
        // The window kinds keep the system's pointer: no cursor pack is read.
        if (!opened) window_close(0);
      }
    }
  }
  WriteLogLine(std::string("Opening screen (") + label + "):" + Tabs(2) + (opened ? "OK" : "FAILED"));
  if (opened) {
    WriteLogLine("Screenwidth:" + Tabs(2) + std::to_string(width));
    WriteLogLine("Screenheight:" + Tabs(2) + std::to_string(height));
  }
  return opened;
}

void FinishScreenSetup(int64_t kind) {
  screen_set_frame_rate(60);
  screen_set_sprite_quality(1);
  if (kind == ScreenWindowed || kind == ScreenBorderless) {
    window_show(0);
    window_activate(0);
  }
}
