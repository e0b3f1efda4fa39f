// Real video-mode switching, on Xorg with the dummy driver (run-with-x.sh --xorg-dummy). Under Xvfb,
// which has no XF86VidMode, these tests skip.
#include <gtest/gtest.h>
// gtest before X11, whose macros (None, Bool) clash with its names.
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>
#include <sys/mman.h>

#include <csignal>

#include "gfx_support.h"

namespace {

// The mode the server shows now as width * 10000 + height, asked on a connection of our own.
int CurrentMode() {
  Display* display = XOpenDisplay(nullptr);
  int mode = 0, dotClock = 0;
  XF86VidModeModeLine line{};
  if (display != nullptr && XF86VidModeGetModeLine(display, DefaultScreen(display), &dotClock, &line)) {
    mode = line.hdisplay * 10000 + line.vdisplay;
    if (line.privsize > 0) XFree(line.c_private);
  }
  if (display != nullptr) XCloseDisplay(display);
  return mode;
}

class VideoModes : public testing::Test {
 protected:
  void SetUp() override {
    Display* display = XOpenDisplay(nullptr);
    int eventBase = 0, errorBase = 0;
    const bool switches = XF86VidModeQueryExtension(display, &eventBase, &errorBase);
    XCloseDisplay(display);
    if (!switches) GTEST_SKIP() << "no XF86VidMode on this server (Xvfb); run-with-x.sh --xorg-dummy tests this";
    platform_init(0, nullptr);
    ASSERT_EQ(CurrentMode(), 12801024);
  }
  void TearDown() override { screen_close(); }
  // Runs VideoModesChild in a process of its own, which leaves in the given way; its exit status.
  static int child(const std::string& how) {
    return run("VESPERINE_VIDEO_MODE_CHILD=" + how + " " + own_executable() + " --gtest_filter=VideoModesChild.* >/dev/null 2>&1");
  }
};

TEST_F(VideoModes, FullScreenSwitchesToTheRequestedModeAndCloseRestoresIt) {
  ASSERT_EQ(screen_open_fullscreen(1024, 768, 32, "mode switch", kFlipVsync), 1);
  EXPECT_EQ(CurrentMode(), 10240768);
  const SpriteId sprite = load_sprite(solid_image(1, 1, Rgba{9, 99, 199, 255}), kSpriteKeepAlpha);
  sprite_scale(sprite, 1024, 768);
  sprite_draw(sprite, 0, 0);
  EXPECT_EQ(screen_pixel(1023, 767), (Rgba{9, 99, 199, 255}));
  screen_flip();
  screen_close();
  EXPECT_EQ(CurrentMode(), 12801024);
}

TEST_F(VideoModes, SizeWithoutAModeIsRefusedAndTheCurrentSizeOpensWithoutSwitching) {
  EXPECT_EQ(screen_open_fullscreen(1000, 700, 32, "no such mode", kFlipVsync), 0);
  EXPECT_EQ(screen_is_active(), 0);
  ASSERT_EQ(screen_open_fullscreen(1280, 1024, 32, "desktop size", kFlipVsync), 1);
  EXPECT_EQ(CurrentMode(), 12801024);
}

TEST_F(VideoModes, PlatformShutdownRestoresTheMode) {
  ASSERT_EQ(screen_open_fullscreen(800, 600, 32, "shutdown", kFlipVsync), 1);
  EXPECT_EQ(CurrentMode(), 8000600);
  platform_shutdown();
  EXPECT_EQ(CurrentMode(), 12801024);
}

// Started as a separate process by the tests below; leaves without closing its screen.
TEST(VideoModesChild, LeavesWithTheModeSwitched) {
  const char* how = std::getenv("VESPERINE_VIDEO_MODE_CHILD");
  if (how == nullptr) GTEST_SKIP() << "run by the VideoModes exit tests";
  platform_init(0, nullptr);
  ASSERT_EQ(screen_open_fullscreen(640, 480, 32, "leaving", kFlipVsync), 1);
  if (std::string(how) == "exit") std::exit(3);
  if (std::string(how) == "crash") {
    // A real fault, but no undefined behaviour a sanitizer would stop at first.
    void* readOnly = mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    *static_cast<volatile char*>(readOnly) = 1;
  }
  raise(SIGTERM);
}

TEST_F(VideoModes, ExitSignalOrCrashWithoutCloseRestoresTheMode) {
  EXPECT_EQ(child("exit"), 3);
  EXPECT_EQ(CurrentMode(), 12801024);
  const int signalled = child("signal");
  EXPECT_TRUE(signalled == 128 + SIGTERM || signalled == -1) << signalled;  // died of the signal
  EXPECT_EQ(CurrentMode(), 12801024);
  EXPECT_NE(child("crash"), 0);
  EXPECT_EQ(CurrentMode(), 12801024);
}

}  // namespace
