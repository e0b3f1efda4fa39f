#include "display/screenshot.h"

#include <unistd.h>

#include <cstdio>

#include "platform/platform.h"
#include "services/log.h"
#include "services/new_file.h"

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
    // The name is claimed by making the file, which the picture is then written into: an older
    // screenshot of the same second keeps its file. A picture that could not be written leaves none.
    std::string name;
    const int fd = CreateNewFile(ScreenshotFileName(saveDir, local), name);
    if (fd >= 0) {
      saved = sprite_save_png(kScreenshotSprite, name, kPng);
      if (!saved) RemoveNewFile(name, fd);
      close(fd);
    }
  }
  WriteLogLine("Saving screenshot:" + Tabs(2) + (saved ? "OK" : "FAILED"));
  return saved;
}
