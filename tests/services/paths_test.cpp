#include "services/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "services_test_support.h"

namespace {

TEST(UserDirectory, FromHome) {
  {
    const ScopedEnv home("HOME", std::nullopt);
    EXPECT_EQ(UserDirectory("Quenmarsh/Vesperine"), ".Quenmarsh/Vesperine/");
  }
  {
    const ScopedEnv home("HOME", "/");
    EXPECT_EQ(UserDirectory("Quenmarsh/Vesperine"), "/.Quenmarsh/Vesperine/");
  }
  {
    const ScopedEnv home("HOME", "/home/player");
    EXPECT_EQ(UserDirectory("Quenmarsh/Vesperine"), "/home/player/.Quenmarsh/Vesperine/");
  }
  {
    const ScopedEnv home("HOME", "/home/player/");
    EXPECT_EQ(UserDirectory("Quenmarsh/Vesperine"), "/home/player/.Quenmarsh/Vesperine/");
  }
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(CreatePath, MakesNestedDirectoriesPrivate) {
  ScratchDir dir;
  const mode_t old = umask(022);
  // An absolute new path: its empty first prefix counts as a failed creation, by design.
  EXPECT_EQ(CreatePath(dir.file("a/b/c")), 0);
  umask(old);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("a/b/c")));
  EXPECT_EQ(ModeOf(dir.file("a")), 0700u);
  EXPECT_EQ(ModeOf(dir.file("a/b")), 0700u);
  EXPECT_EQ(ModeOf(dir.file("a/b/c")), 0700u);
  EXPECT_EQ(CreatePath(dir.file("a/b/c/")), 1);  // exists already
}

TEST(CreatePath, RelativePathReportsSuccess) {
  ScratchDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_EQ(CreatePath(".Quenmarsh/Vesperine/"), 1);
  std::filesystem::current_path(previous);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file(".Quenmarsh/Vesperine")));
}

TEST(CreatePath, BlockedByAFile) {
  ScratchDir dir;
  WriteWholeFile(dir.file("file"), "x");
  EXPECT_EQ(CreatePath(dir.file("file/sub")), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("file/sub")));
}

TEST(ExecutableDirectory, IsTheDirectoryOfThisProgram) {
  const std::string dir = ExecutableDirectory("ignored");
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_EQ(dir.front(), '/');
  EXPECT_TRUE(std::filesystem::is_directory(dir));
}

TEST(DirectoryPart, UpToTheLastSlash) {
  EXPECT_EQ(DirectoryPart("/usr/games/vesperine"), "/usr/games/");
  EXPECT_EQ(DirectoryPart("vesperine"), "");
  EXPECT_EQ(DirectoryPart("./vesperine"), "./");
}

}  // namespace
