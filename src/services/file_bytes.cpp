#include "services/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "services/paths.h"

namespace {

int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return 0;
    }
    done += static_cast<size_t>(written);
  }
  return 1;
}

mode_t DefaultFileMode() {
  // umask can only be read by setting it; the game does this on its one thread at exit.
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The file a chain of symbolic links ends at (the path itself when it is no link). A link that
// leads nowhere yet gives the file it names, to be made. "" for a loop of links.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::vector<char> target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<size_t>(length) >= target.size()) return "";
    const std::string next(target.data(), static_cast<size_t>(length));
    path = next.front() == '/' ? next : DirectoryPart(path) + next;
  }
  return "";
}

// The new content in a temporary file beside `path`, renamed onto it. -1 when the directory
// refused the temporary file (nothing was changed), 0 for any other failure, 1 when saved.
int ReplaceAtomically(const std::string& path, const std::string& bytes, mode_t mode) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return errno == EACCES || errno == EPERM ? -1 : 0;
  const bool written = fchmod(fd, mode) == 0 && WriteAll(fd, bytes) == 1 && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return 0;
  }
  return 1;
}

// The file's own bytes overwritten and cut to the new length: the file stays the same file.
int RewriteInPlace(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  const bool written = WriteAll(fd, bytes) == 1 && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
  return close(fd) == 0 && written ? 1 : 0;
}

}  // namespace

int ReadFileBytes(const std::string& path, std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  std::string content;
  std::vector<char> chunk(65536);
  size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) content.append(chunk.data(), got);
  const bool failed = std::ferror(file) != 0;  // a directory opens but cannot be read
  std::fclose(file);
  if (failed) return 0;
  bytes = std::move(content);
  return 1;
}

int SaveFileBytes(const std::string& path, const std::string& bytes) {
  const std::string target = FollowLinks(path);
  if (target.empty()) return 0;
  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  // Locked by the player: no write bit at all (which root would pass over) or none for us.
  if (exists && (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)) return 0;
  const int replaced = ReplaceAtomically(target, bytes, exists ? info.st_mode & 07777 : DefaultFileMode());
  if (replaced >= 0) return replaced;
  return exists ? RewriteInPlace(target, bytes) : 0;
}
