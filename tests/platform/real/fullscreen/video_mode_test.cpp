// Real video-mode switching, on Xorg with the dummy driver (run-with-x.sh --xorg-dummy). Under Xvfb,
// which has no XF86VidMode, these tests skip.
#include "gfx_support.h"
#include <sys/mman.h>

#include <cerrno>

namespace {

// The mode the server shows now as width * 10000 + height, as xvidtune reads it; 0 when the server
// has no XF86VidMode.
int CurrentMode() {
  int width = 0, height = 0;
  std::sscanf(output("xvidtune -show 2>/dev/null").c_str(), " \"%*[^\"]\" %*f %d %*d %*d %*d %d", &width, &height);
  return width * 10000 + height;
}

class VideoModes : public testing::Test {
 protected:
  void SetUp() override {
    if (CurrentMode() == 0) GTEST_SKIP() << "no XF86VidMode on this server (Xvfb); run-with-x.sh --xorg-dummy tests this";
    platform_init(0, nullptr);
    ASSERT_EQ(CurrentMode(), 12801024);
  }
  void TearDown() override {
    screen_close();
    for (int i = 0; i < 4 && CurrentMode() != 12801024; ++i) run("xvidtune -next >/dev/null 2>&1");  // a mode the test left
  }
};

// Full screen switches to the mode asked, and closing, shutting down, exiting, a signal or a crash
// bring back the mode shown. Once another program switched the mode (xvidtune -next: 1024x768
// shown, the server's list still starting with 1280x1024, the desktop's size) the mode shown is the
// current one: at its size no switch, and at any size full screen closes back to it.
TEST_F(VideoModes, FullScreenSwitchesToTheRequestedModeAndCloseShutdownExitSignalOrCrashRestoreTheModeShown) {
  EXPECT_EQ(screen_open_fullscreen(1000, 700, 32, "no such mode", kFlipVsync) + screen_is_active(), 0);
  for (const char* how : {"exit", "signal", "crash"}) {  // in a process of its own, which leaves without closing
    const int status = run(std::string("VESPERINE_VIDEO_MODE_CHILD=") + how + " " + program_invocation_name +
                           " --gtest_filter=VideoModesChild.* >/dev/null 2>&1");
    EXPECT_TRUE(how[0] == 'e' ? status == 3 : how[0] == 's' ? status == 4 : status != 0) << how << ": " << status;
    EXPECT_EQ(CurrentMode(), 12801024) << how;
  }
  for (const int shown : {12801024, 10240768}) {
    ASSERT_EQ(shown == 12801024 ? 0 : run("xvidtune -next"), 0);
    ASSERT_EQ(CurrentMode(), shown);
    for (const auto& [width, height, leave] :
         {std::tuple{1280, 1024, &screen_close}, {1024, 768, &screen_close}, {800, 600, &platform_shutdown}}) {
      ASSERT_EQ(screen_open_fullscreen(width, height, 32, "mode switch", kFlipVsync), 1);
      EXPECT_EQ(CurrentMode(), width * 10000 + height);
      sprite_draw(scaled_sprite(solid_image(1, 1, Rgba{9, 99, 199, 255}), width, height), 0, 0);
      EXPECT_EQ(screen_pixel(width - 1, height - 1), (Rgba{9, 99, 199, 255})) << "the screen fills the mode";
      screen_flip(), leave();
      EXPECT_EQ(CurrentMode(), shown) << width << "x" << height;
    }
  }
}

// Started as a separate process by the test above; leaves without closing its screen.
TEST(VideoModesChild, LeavesWithTheModeSwitched) {
  const char* how = std::getenv("VESPERINE_VIDEO_MODE_CHILD");
  if (how == nullptr) GTEST_SKIP() << "run by the VideoModes exit tests";
  platform_init(0, nullptr);
  ASSERT_EQ(screen_open_fullscreen(640, 480, 32, "leaving", kFlipVsync), 1);
  if (std::string(how) == "exit") std::exit(3);
  if (std::string(how) == "crash")  // a real fault, but no undefined behaviour a sanitizer would stop at first
    *static_cast<volatile char*>(mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) = 1;
  // SIGTERM asks the game to end; the mode is back before it even has (no exit handlers run).
  raise(SIGTERM);
  std::_Exit(platform_quit_requested() == 1 ? 4 : 5);
}

}  // namespace
