#include "display/screenshot.h"

#include <cstdio>

#include "platform/platform.h"
#include "services/log.h"

namespace {
constexpr SpriteId kScreenshotSprite = 3;
}

std::string ScreenshotFileName(const std::string& saveDir, const std::tm& t) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%02d-%02d-%04d %02d-%02d-%02d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900,
                t.tm_hour, t.tm_min, t.tm_sec);
  return saveDir + "Vesperine " + stamp + ".png";
}

int TakeScreenshot(const std::string& saveDir, int width, int height) {
  int saved = 0;
  if (sprite_grab_screen(kScreenshotSprite, 0, 0, width, height)) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    saved = sprite_save_png(kScreenshotSprite, ScreenshotFileName(saveDir, local), kPng);
  }
  WriteLogLine("Saving screenshot:" + Tabs(2) + (saved ? "OK" : "FAILED"));
  return saved;
}
