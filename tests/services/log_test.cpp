#include "services/log.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "services_test_support.h"

namespace {

class LogTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseLogForTests(); }
  ScratchDir dir;
};

TEST_F(LogTest, OpenWritesOnlyTheFirstLineUntilEnabled) {
  const std::string path = dir.file("Log 2026-12-05--14-03-09.log");
  ASSERT_EQ(OpenLog(path, "Vesperine"), 1);
  WriteLogLine("not yet");
  EXPECT_FALSE(LogEnabled());
  FlushLog();
  EXPECT_EQ(ReadWholeFile(path), "Vesperine\n");
}

TEST_F(LogTest, EnabledLinesEndInLineFeeds) {
  const std::string path = dir.file("run.log");
  ASSERT_EQ(OpenLog(path, "Vesperine"), 1);
  EnableLog();
  EXPECT_TRUE(LogEnabled());
  WriteLogLine("2026-12-05--14-03-09");
  WriteLogLine("");
  WriteLogLine("[SYSTEM DETAILS]");
  WriteLogLine("InitSound:" + Tabs(2) + "OK");
  FlushLog();
  EXPECT_EQ(ReadWholeFile(path), "Vesperine\n2026-12-05--14-03-09\n\n[SYSTEM DETAILS]\nInitSound:\t\tOK\n");
}

TEST_F(LogTest, LinesWaitInTheBufferUntilFlushed) {
  const std::string path = dir.file("run.log");
  ASSERT_EQ(OpenLog(path, "Vesperine"), 1);
  EnableLog();
  WriteLogLine("short");
  EXPECT_EQ(ReadWholeFile(path), "");
  FlushLog();
  EXPECT_EQ(ReadWholeFile(path), "Vesperine\nshort\n");
}

TEST_F(LogTest, LongOutputPassesThroughTheBufferInOrder) {
  const std::string path = dir.file("run.log");
  ASSERT_EQ(OpenLog(path, "Vesperine"), 1);
  EnableLog();
  std::string expected = "Vesperine\n";
  for (int i = 0; i < 2000; ++i) {
    const std::string line = "Load asset (card" + std::to_string(i) + ".png):" + Tabs(2) + "OK";
    WriteLogLine(line);
    expected += line + "\n";
  }
  const std::string huge(10000, 'h');
  WriteLogLine(huge);
  expected += huge + "\n";
  WriteLogLine("after");
  expected += "after\n";
  FlushLog();
  EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST_F(LogTest, UnwritableFileLeavesLoggingOff) {
  EXPECT_EQ(OpenLog(dir.file("missing/run.log"), "Vesperine"), 0);
  EnableLog();
  EXPECT_FALSE(LogEnabled());
  WriteLogLine("dropped");
}

TEST_F(LogTest, FileThatGoesBadSwitchesLoggingOff) {
  ASSERT_EQ(OpenLog("/dev/full", "Vesperine"), 1);
  EnableLog();
  for (int i = 0; i < 1000 && LogEnabled(); ++i) WriteLogLine(std::string(100, 'x'));
  EXPECT_FALSE(LogEnabled());
}

TEST_F(LogTest, ReopeningEmptiesTheFile) {
  const std::string path = dir.file("run.log");
  WriteWholeFile(path, "old content\n");
  ASSERT_EQ(OpenLog(path, "Vesperine"), 1);
  FlushLog();
  EXPECT_EQ(ReadWholeFile(path), "Vesperine\n");
}

TEST_F(LogTest, BufferReachesTheFileWhenTheProgramEnds) {
  const std::string path = dir.file("exit.log");
  EXPECT_EXIT(
      {
        OpenLog(path, "Vesperine");
        EnableLog();
        WriteLogLine("last words");
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadWholeFile(path), "Vesperine\nlast words\n");
}

TEST(LogText, TabsAndVersions) {
  EXPECT_EQ(Tabs(2), "\t\t");
  EXPECT_EQ(Tabs(0), "");
  EXPECT_EQ(Tabs(-3), "");
  EXPECT_EQ(LanguageVersion(), "2.0");
  EXPECT_EQ(CursorVersion(), "0.1");
  EXPECT_EQ(LogVersion(), "1.2");
}

TEST(LogText, NothingHappensWithoutALog) {
  CloseLogForTests();
  EnableLog();
  EXPECT_FALSE(LogEnabled());
  WriteLogLine("nowhere");
  FlushLog();
}

}  // namespace
