// Saving the preferences over the player's links, locked files and directories, and killed saves. The
// locks are a plain user's: as root the save runs as nobody, for whom the permission bits count.
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

#include "services/preferences.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;
constexpr uid_t kNobody = 65534;

// SavePreferences(dir) in a child process as a plain user (nobody when we are root, who is given
// the tree first): its result, or -1 when the child could not become that user.
int SaveAsPlayer(const std::string& tree, const std::string& dir, const Preferences& prefs) {
  for (const auto& entry : fs::recursive_directory_iterator(tree)) EXPECT_TRUE(geteuid() || !lchown(entry.path().c_str(), kNobody, kNobody));
  EXPECT_TRUE(geteuid() || !chown(tree.c_str(), kNobody, kNobody));
  const pid_t child = fork();
  if (child == 0) {
    umask(022);
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                           setresuid(kNobody, kNobody, kNobody) != 0)) _exit(99);
    _exit(SavePreferences(dir, prefs));
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) != 99 ? WEXITSTATUS(status) : -1;
}

// The inode number and permission bits of the file a path leads to; {0, 0} when there is none.
std::pair<ino_t, mode_t> FileOf(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? std::pair{info.st_ino, info.st_mode & 07777} : std::pair<ino_t, mode_t>{};
}

TEST(PreferencesSave, ThroughLinksNeverOverALockedFileInPlaceWhereTheDirectoryIsLocked) {
  const Preferences saved{"hu_HU", 0, 2, "1024x768"};
  const std::string newBytes = PreferencesFileBytes(saved), oldBytes = "; older and longer than the new" + std::string(300, '.');
  // The save directory game/ and the player's dotfiles/ beside it, arranged as the case says.
  const auto file = [&](const std::string& path, mode_t mode) { WriteWholeFile(path, oldBytes); chmod(path.c_str(), mode); };
  const auto link = [](const std::string& target, const std::string& at) { fs::create_symlink(target, at); };
  const auto lock = [](const std::string& dir) { chmod(dir.c_str(), 0555); };
  const std::string kPrefs = "game/Vesperine.prefs";
  struct Case {  // mode: of the file the save went to
    const char* what; std::function<void(const std::string& r)> arrange; int result; bool newContent, stillALink, sameFile; mode_t mode;
  } const cases[] = {
      {"a plain file keeps its bits", [&](auto& r) { file(r + kPrefs, 0600); }, 1, true, false, false, 0600},
      {"a link out of a locked directory", [&](auto& r) { file(r + "dotfiles/p", 0644); link("../dotfiles/p", r + kPrefs); lock(r + "game"); }, 1, true, true, false, 0644},
      {"links absolute then relative to a file to make", [&](auto& r) { link("p", r + "dotfiles/l"); link(r + "dotfiles/l", r + kPrefs); }, 1, true, true, false, 0644},
      {"a read-only file", [&](auto& r) { file(r + kPrefs, 0444); }, 0, false, false, true, 0444},
      {"a read-only file through a link", [&](auto& r) { file(r + "dotfiles/p", 0400); link("../dotfiles/p", r + kPrefs); }, 0, false, true, true, 0400},
      {"a writable file in a locked directory", [&](auto& r) { file(r + kPrefs, 0644); lock(r + "game"); }, 1, true, false, true, 0644},
      {"no file in a locked directory", [&](auto& r) { lock(r + "game"); }, 0, false, false, false, 0},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    const std::string& root = dir.path();
    for (const char* sub : {"game", "dotfiles"}) fs::create_directory(root + sub);
    c.arrange(root);
    const auto entries = std::distance(fs::recursive_directory_iterator(root), {});
    const auto before = FileOf(root + kPrefs);
    EXPECT_EQ(SaveAsPlayer(root, root + "game/", saved), c.result) << c.what;
    const auto after = FileOf(root + kPrefs);
    EXPECT_EQ(ReadWholeFile(root + kPrefs), c.newContent ? newBytes : c.mode ? oldBytes : "") << c.what;
    EXPECT_EQ(std::tuple(fs::is_symlink(root + kPrefs), before.first && after.first == before.first, after.second),
              std::tuple(c.stillALink, c.sameFile, c.mode)) << c.what << ": a link, the same file, its bits";
    chmod((root + "game").c_str(), 0755);
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(root), {}), entries + (c.mode && !before.first)) << c.what << ": a file left";
  }
}

// A save killed at any moment leaves the preferences file whole, the old one or the new one; also
// through a link, which stays one.
TEST(PreferencesSave, KilledSaveLeavesTheOldOrTheNewFile) {
  const Preferences english{"en_GB", 1, 0, "1280x720"}, magyar{"hu_HU", 0, 0, "1024x768"};
  const std::string englishBytes = PreferencesFileBytes(english), magyarBytes = PreferencesFileBytes(magyar);
  for (const bool throughLink : {false, true}) {
    ScratchDir dir;
    if (throughLink) fs::create_directory(dir.file("dotfiles")), fs::create_symlink("dotfiles/p", dir.file("Vesperine.prefs"));
    ASSERT_EQ(SavePreferences(dir.path(), english), 1);
    for (int round = 0; round < 60; ++round) {
      int saved[2];
      ASSERT_EQ(pipe(saved), 0);
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {  // saves without end, saying so after the first: a loaded machine may start it late
        for (int save = 0;; ++save) {
          SavePreferences(dir.path(), save % 2 ? english : magyar);
          if (save == 0 && write(saved[1], "s", 1) != 1) _exit(1);
        }
      }
      char first = 0;
      ASSERT_EQ(read(saved[0], &first, 1), 1) << "round " << round << ": the child saved nothing";
      close(saved[0]), close(saved[1]);
      std::this_thread::sleep_for(std::chrono::microseconds(round * 1999 % 3001));  // spread over a save's time
      kill(child, SIGKILL), waitpid(child, nullptr, 0);
      const std::string now = ReadWholeFile(dir.file("Vesperine.prefs"));
      ASSERT_TRUE((now == englishBytes || now == magyarBytes) && fs::is_symlink(dir.file("Vesperine.prefs")) == throughLink)
          << "round " << round << ": " << now;
    }
  }
}

}  // namespace
