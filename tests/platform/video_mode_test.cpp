// Real video-mode switching, on Xorg with the dummy driver (run-with-xorg-dummy.sh). Under Xvfb,
// which has no XF86VidMode, these tests skip.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdlib>

#include "gfx_support.h"

namespace {

struct Mode {
  int width = 0;
  int height = 0;
};

// The mode the server shows now, asked on a connection of our own.
Mode current_mode() {
  Display* display = XOpenDisplay(nullptr);
  Mode mode;
  if (display == nullptr) {
    return mode;
  }
  int dotClock = 0;
  XF86VidModeModeLine line{};
  if (XF86VidModeGetModeLine(display, DefaultScreen(display), &dotClock, &line)) {
    mode = Mode{line.hdisplay, line.vdisplay};
    if (line.privsize > 0) XFree(line.c_private);
  }
  XCloseDisplay(display);
  return mode;
}

bool server_switches_modes() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return false;
  }
  int eventBase = 0, errorBase = 0;
  const bool has = XF86VidModeQueryExtension(display, &eventBase, &errorBase);
  XCloseDisplay(display);
  return has;
}

std::string own_executable() {
  char path[PATH_MAX] = {};
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

class VideoModes : public testing::Test {
 protected:
  void SetUp() override {
    if (!server_switches_modes()) {
      GTEST_SKIP() << "no XF86VidMode on this server (Xvfb); run-with-xorg-dummy.sh tests this";
    }
    platform_init(0, nullptr);
    desktop_ = current_mode();
    ASSERT_EQ(desktop_.width, 1280);
    ASSERT_EQ(desktop_.height, 1024);
  }
  void TearDown() override { screen_close(); }
  Mode desktop_;
};

TEST_F(VideoModes, FullScreenSwitchesToTheRequestedModeAndCloseRestoresIt) {
  ASSERT_EQ(screen_open_fullscreen(1024, 768, 32, "mode switch", kFlipVsync), 1);
  EXPECT_EQ(current_mode().width, 1024);
  EXPECT_EQ(current_mode().height, 768);
  const std::vector<uint8_t> png = encode_png(solid_image(1, 1, Rgba{9, 99, 199, 255}));
  const SpriteId sprite = sprite_load_png(kNewSprite, png.data(), png.size(), kSpriteKeepAlpha);
  sprite_scale(sprite, 1024, 768);
  sprite_draw(sprite, 0, 0);
  EXPECT_EQ(screen_pixel(1023, 767), (Rgba{9, 99, 199, 255}));
  screen_flip();
  screen_close();
  EXPECT_EQ(current_mode().width, 1280);
  EXPECT_EQ(current_mode().height, 1024);
}

TEST_F(VideoModes, SizeWithoutAModeIsRefused) {
  EXPECT_EQ(screen_open_fullscreen(1000, 700, 32, "no such mode", kFlipVsync), 0);
  EXPECT_EQ(screen_is_active(), 0);
  EXPECT_EQ(current_mode().width, 1280);
}

TEST_F(VideoModes, CurrentSizeOpensWithoutSwitching) {
  ASSERT_EQ(screen_open_fullscreen(1280, 1024, 32, "desktop size", kFlipVsync), 1);
  EXPECT_EQ(current_mode().width, 1280);
}

TEST_F(VideoModes, PlatformShutdownRestoresTheMode) {
  ASSERT_EQ(screen_open_fullscreen(800, 600, 32, "shutdown", kFlipVsync), 1);
  EXPECT_EQ(current_mode().width, 800);
  platform_shutdown();
  EXPECT_EQ(current_mode().width, 1280);
  EXPECT_EQ(current_mode().height, 1024);
}

// Started as a separate process by the tests below; leaves without closing its screen.
TEST(VideoModesChild, LeavesWithTheModeSwitched) {
  const char* how = std::getenv("VESPERINE_VIDEO_MODE_CHILD");
  if (how == nullptr) {
    GTEST_SKIP() << "run by the VideoModes exit tests";
  }
  platform_init(0, nullptr);
  ASSERT_EQ(screen_open_fullscreen(640, 480, 32, "leaving", kFlipVsync), 1);
  if (std::string(how) == "exit") {
    std::exit(3);
  }
  if (std::string(how) == "crash") {
    // A real fault, but no undefined behaviour a sanitizer would stop at first.
    void* readOnly = mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    *static_cast<volatile char*>(readOnly) = 1;
  }
  raise(SIGTERM);
}

TEST_F(VideoModes, ExitWithoutCloseRestoresTheMode) {
  const int status = run("VESPERINE_VIDEO_MODE_CHILD=exit " + own_executable() +
                         " --gtest_filter=VideoModesChild.* >/dev/null 2>&1");
  EXPECT_EQ(status, 3);
  EXPECT_EQ(current_mode().width, 1280);
  EXPECT_EQ(current_mode().height, 1024);
}

TEST_F(VideoModes, TerminationSignalRestoresTheMode) {
  const int status = run("VESPERINE_VIDEO_MODE_CHILD=signal " + own_executable() +
                         " --gtest_filter=VideoModesChild.* >/dev/null 2>&1");
  EXPECT_TRUE(status == 128 + SIGTERM || status == -1) << status;  // died of the signal
  EXPECT_EQ(current_mode().width, 1280);
  EXPECT_EQ(current_mode().height, 1024);
}

TEST_F(VideoModes, CrashRestoresTheMode) {
  const int status = run("VESPERINE_VIDEO_MODE_CHILD=crash " + own_executable() +
                         " --gtest_filter=VideoModesChild.* >/dev/null 2>&1");
  EXPECT_NE(status, 0);
  EXPECT_EQ(current_mode().width, 1280);
  EXPECT_EQ(current_mode().height, 1024);
}

}  // namespace
