// The fatal-error box: a titled GTK dialog closed with OK, or a line on standard error when the
// program has no display at all.
#include <gtest/gtest.h>

#include <fstream>

#include "gfx_support.h"

namespace {

// Runs only inside the child started by the test below, which removes DISPLAY.
TEST(MessageBoxChild, ShowsWithoutDisplay) {
  if (std::getenv("VESPERINE_MESSAGE_BOX_CHILD") == nullptr) GTEST_SKIP() << "run by MessageBox.WithoutDisplay...";
  platform_init(0, nullptr);
  EXPECT_EQ(screen_open_fullscreen(640, 480, 32, "none", kFlipVsync), 0);
  EXPECT_EQ(window_open(0, 0, 0, 640, 480, "none", WindowStyleWindowed), 0);
  EXPECT_EQ(desktop_count(), 0);
  EXPECT_EQ(desktop_width(), 0);
  EXPECT_EQ(window_event(), EventNone);
  message_box("Vesperine::Error", "The screen could not be opened.", 0);
  platform_shutdown();
}

TEST(MessageBox, WithoutDisplayGoesToStandardError) {
  const std::string text = output("env -u DISPLAY VESPERINE_MESSAGE_BOX_CHILD=1 " + own_executable() +
                                  " --gtest_filter=MessageBoxChild.ShowsWithoutDisplay 2>&1");
  EXPECT_NE(text.find("no X display (DISPLAY is not set)"), std::string::npos) << text;
  EXPECT_NE(text.find("Vesperine::Error: The screen could not be opened.\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[  PASSED  ] 1 test"), std::string::npos) << text;
}

TEST(MessageBox, IsATitledDialogThatOkCloses) {
  platform_init(0, nullptr);
  const std::string found = testing::TempDir() + "message-box-found";
  std::remove(found.c_str());
  // Without a window manager the box gets no focus by itself: the helper gives it, then presses OK.
  ASSERT_EQ(run("(timeout 20 xdotool search --sync --onlyvisible --name 'Vesperine::Test' > " + found +
                " && xdotool windowfocus --sync $(head -n1 " + found + ") && sleep 0.2 && xdotool key Return) &"), 0);
  message_box("Vesperine::Test", "Body text", 0);
  unsigned long id = 0;
  EXPECT_TRUE(std::ifstream(found) >> id) << "no visible window carried the title";
}

}  // namespace
