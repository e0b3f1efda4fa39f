// The small services: the log, directories, system details and text encodings.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "services/log.h"
#include "services/paths.h"
#include "services/system_info.h"
#include "services/text_encoding.h"
#include "services_test_support.h"

namespace {

// (A save directory that cannot be made or is read-only is played end to end.)
TEST(Log, EachLineInTheFileAtOnceOnlyWhenEnabledAndAFullFileSwitchesItOff) {
  ScratchDir dir;
  const std::string path = dir.file("Log 2026-12-05--14-03-09.log");
  WriteWholeFile(path, "old content\n");
  ASSERT_EQ(OpenLog(path, "Vesperine"), 1);
  WriteLogLine("not yet");
  EXPECT_EQ(ReadWholeFile(path), "Vesperine\n");
  EnableLog();
  for (const std::string& line : {std::string(10000, 'h'), std::string(), "Load asset (x.png):" + Tabs(2) + "OK"}) WriteLogLine(line);
  EXPECT_EQ(ReadWholeFile(path), "Vesperine\n" + std::string(10000, 'h') + "\n\nLoad asset (x.png):\t\tOK\n");
  EXPECT_EQ(Tabs(0) + Tabs(-3), "");
  CloseLogForTests();
  ASSERT_EQ(OpenLog("/dev/full", "Vesperine"), 1);
  EnableLog();
  for (int i = 0; i < 1000 && LogEnabled(); ++i) WriteLogLine(std::string(100, 'x'));
  EXPECT_FALSE(LogEnabled());
  CloseLogForTests();
}

TEST(Paths, UserDirectoryFromHome) {
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {std::nullopt, ".Quenmarsh/Vesperine/"}, {"/", "/.Quenmarsh/Vesperine/"},
      {"/home/player", "/home/player/.Quenmarsh/Vesperine/"}, {"/home/player/", "/home/player/.Quenmarsh/Vesperine/"}};
  for (const auto& [home, expected] : cases) { const ScopedEnv env("HOME", home); EXPECT_EQ(UserDirectory("Quenmarsh/Vesperine"), expected); }
}

TEST(Paths, CreatePathMakesPrivateDirectories) {
  ScratchDir dir;
  const mode_t old = umask(022);
  // An absolute new path: its empty first prefix counts as a failed creation, by design.
  EXPECT_EQ(CreatePath(dir.file("a/b/c")), 0);
  umask(old);
  for (const char* made : {"a", "a/b", "a/b/c"})
    EXPECT_EQ(std::filesystem::status(dir.file(made)).permissions(), std::filesystem::perms::owner_all) << made;
  EXPECT_EQ(CreatePath(dir.file("a/b/c/")), 1);
  EXPECT_EQ(DirectoryPart("/usr/games/vesperine") + DirectoryPart("vesperine"), "/usr/games/");
  WriteWholeFile(dir.file("file"), "x");
  EXPECT_EQ(CreatePath(dir.file("file/sub")), 0);
}

TEST(SystemInfo, ParsedDetailsAndThisMachine) {
  for (const auto& [release, code] : {std::pair<const char*, int>{"2.4.37", 1100}, {"2.6.32-5-amd64", 1200}, {"6.1.0-18-amd64", 2000},
                                     {"2.4", 2000}, {nullptr, 1000}})
    EXPECT_EQ(OsCodeFromRelease(release), code) << (release ? release : "null");
  EXPECT_EQ(CpuNameFromCpuinfo("processor\t: 0\nmodel\t\t: 85\nmodel name\t:  \tXeon @ 2.20GHz\nmodel name\t: second\n"),
            "Xeon @ 2.20GHz");
  EXPECT_EQ(CpuNameFromCpuinfo("processor : 0\n"), "");
  const SystemDetails details = ReadSystemDetails();
  EXPECT_TRUE(details.onlineCores >= 1 && details.freeMemory <= details.totalMemory && !details.cpuName.empty());
  std::tm time{};
  time.tm_year = 2026 - 1900, time.tm_mon = 11, time.tm_mday = 5, time.tm_hour = 4, time.tm_sec = 9;
  EXPECT_EQ(FormatStartStamp(time), "2026-12-05--04-00-09");
}

TEST(TextEncoding, Conversions) {
  const std::string bad = "\xEF\xBF\xBD";
  EXPECT_EQ(Latin1ToUtf8(std::string("a\xE9\xFF\x80\0", 5)), std::string("a\xC3\xA9\xC3\xBF\xC2\x80\0", 8));
  const std::pair<std::string, std::string> sanitised[] = {
      {"K\xC3\xA9p \xE2\x82\xAC \xF0\x9F\x83\x8F", "K\xC3\xA9p \xE2\x82\xAC \xF0\x9F\x83\x8F"},
      {"\x80", bad}, {"\xC3(x", bad + "(x"}, {"ab\xE2\x82", "ab" + bad + bad},  // cut off at the end
      {"\xC0\xAF", bad + bad},            // overlong "/"
      {"\xED\xA0\x80", bad + bad + bad}};  // a surrogate
  for (const auto& [in, out] : sanitised) EXPECT_EQ(SanitizeUtf8(in), out);
  EXPECT_EQ(SanitizeUtf8("\xF4\x90\x80\x80").substr(0, 3), bad);  // above U+10FFFF
  EXPECT_EQ(Utf8ToUtf16("A\xC3\xA9\xE2\x82\xAC\xFF"), (std::vector<uint16_t>{0x41, 0xE9, 0x20AC, 0xFFFD}));
}

}  // namespace
