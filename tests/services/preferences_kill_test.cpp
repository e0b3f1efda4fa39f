// A save killed at any moment leaves the preferences file whole: the old one or the new one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "services/preferences.h"
#include "services_test_support.h"

namespace {

TEST(PreferencesKill, KilledSaveLeavesTheOldOrTheNewFile) {
  ScratchDir dir;
  const Preferences english{"en_GB", 1, 0, "1280x720"}, magyar{"hu_HU", 0, 0, "1024x768"};
  const std::string englishBytes = PreferencesFileBytes(english), magyarBytes = PreferencesFileBytes(magyar);
  ASSERT_EQ(SavePreferences(dir.path(), english), 1);

  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
  int newFiles = 0;
  for (int round = 0; round < 60; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int save = 0;; ++save) SavePreferences(dir.path(), save % 2 ? english : magyar);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = ReadWholeFile(dir.file("Vesperine.prefs"));
    ASSERT_TRUE(now == englishBytes || now == magyarBytes) << "round " << round << ": " << now;
    newFiles += now == magyarBytes;
  }
  EXPECT_GT(newFiles, 0) << "the child never got a save done: the test saw nothing";
}

}  // namespace
