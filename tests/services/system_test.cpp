// The small services: the log, new files named by the second, directories, system details, encodings.
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <set>

#include "services/log.h"
#include "services/new_file.h"
#include "services/paths.h"
#include "services/system_info.h"
#include "services/text_encoding.h"
#include "test_files.h"

namespace {

// (A save directory that cannot be made or is read-only is played end to end.)
TEST(Log, EachLineInTheFileAtOnceOnlyWhenEnabledBesideALogOfTheSameSecondAndAFullDiskSwitchesItOff) {
  ScratchDir dir;
  const std::string path = dir.file("Log 2026-12-05--14-03-09.log"), ours = dir.file("Log 2026-12-05--14-03-09 (2).log");
  WriteWholeFile(path, "another game's log\n");  // started in the same second
  ASSERT_EQ(OpenLog(path, "Vesperine"), 1);
  WriteLogLine("not yet");
  EXPECT_EQ(ReadWholeFile(ours), "Vesperine\n");
  EnableLog();
  for (const std::string& line : {std::string(10000, 'h'), std::string(), "Load asset (x.png):" + Tabs(2) + "OK"}) WriteLogLine(line);
  EXPECT_EQ(ReadWholeFile(ours), "Vesperine\n" + std::string(10000, 'h') + "\n\nLoad asset (x.png):\t\tOK\n");
  EXPECT_EQ(ReadWholeFile(path), "another game's log\n");
  EXPECT_EQ(Tabs(0) + Tabs(-3), "");
  CloseLogForTests();
  rlimit old{};  // a disk that fills (a file size limit here) switches it off for good
  getrlimit(RLIMIT_FSIZE, &old), signal(SIGXFSZ, SIG_IGN);
  const rlimit full{8192, old.rlim_max};
  ASSERT_TRUE(setrlimit(RLIMIT_FSIZE, &full) == 0 && OpenLog(dir.file("full.log"), "Vesperine") == 1);
  EnableLog();
  for (int i = 0; i < 1000 && LogEnabled(); ++i) WriteLogLine(std::string(100, 'x'));
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(std::make_tuple(LogEnabled(), std::filesystem::file_size(dir.file("full.log"))), std::make_tuple(false, uintmax_t{8192}));
  CloseLogForTests();
}

// Logs and screenshots are named by the second: a name taken gets a number before its extension,
// claimed by making the file, so games started at once each get a file of their own.
TEST(NewFile, NumberedBeforeTheExtensionAndClaimedByOneMakerOnly) {
  const std::tuple<const char*, int, const char*> names[] = {{"/d/Log 1.log", 1, "/d/Log 1.log"}, {"/d/Log 1.log", 2, "/d/Log 1 (2).log"},
      {"/d.x/Vesperine 1.png", 12, "/d.x/Vesperine 1 (12).png"}, {"/d.x/name", 3, "/d.x/name (3)"}, {"/d/.hidden", 2, "/d/.hidden (2)"}, {"a.b.c", 2, "a.b (2).c"}};
  for (const auto& [path, number, expected] : names) EXPECT_EQ(NumberedName(path, number), expected);
  ScratchDir dir;
  const std::string path = dir.file("Vesperine 05-12-2026 13-04-09.png");
  const auto start = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
  std::vector<pid_t> makers;  // six games let go at once, each a process of its own
  for (int i = 0; i < 6; ++i) {
    if (makers.emplace_back(fork()) != 0) continue;
    std::string chosen, mine = std::to_string(i);
    while (std::chrono::steady_clock::now() < start) {}
    const int fd = CreateNewFile(path, chosen);
    _exit(fd >= 0 && write(fd, mine.data(), mine.size()) == static_cast<ssize_t>(mine.size()) ? 0 : 1);
  }
  for (int status = -1; const pid_t maker : makers) EXPECT_TRUE(waitpid(maker, &status, 0) == maker && status == 0);
  std::set<std::string> contents;
  for (int number = 1; number <= 6; ++number) contents.insert(ReadWholeFile(NumberedName(path, number)));
  EXPECT_EQ(contents.size(), 6u) << "two makers wrote into one file";
  std::string chosen = "unchanged";
  EXPECT_EQ(std::make_pair(CreateNewFile(dir.file("missing/x.log"), chosen), chosen), std::make_pair(-1, std::string("unchanged")));
  const int gone = CreateNewFile(dir.file("x.png"), chosen), other = (unlink(chosen.c_str()), CreateNewFile(chosen, chosen));
  RemoveNewFile(chosen, gone);  // a failed screenshot removes its file only while it is there
  EXPECT_TRUE(std::filesystem::exists(chosen)) << "another game's file removed";
  EXPECT_FALSE((RemoveNewFile(chosen, other), std::filesystem::exists(chosen)));
}

TEST(Paths, UserDirectoryFromHomeAndPrivateDirectoriesCreated) {
  const std::string entry = std::string(getpwuid(getuid())->pw_dir) + "/.Quenmarsh/Vesperine/";  // HOME unset or empty
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {std::nullopt, entry}, {"", entry}, {"/", "/.Quenmarsh/Vesperine/"},
      {"/home/player", "/home/player/.Quenmarsh/Vesperine/"}, {"/home/player/", "/home/player/.Quenmarsh/Vesperine/"}};
  for (const auto& [home, expected] : cases) { const ScopedEnv env("HOME", home); EXPECT_EQ(UserDirectory("Quenmarsh/Vesperine"), expected); }
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
