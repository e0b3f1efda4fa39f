#include "services/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

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

int WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return 0;
  const bool written = fchmod(fd, DefaultFileMode()) == 0 && WriteAll(fd, bytes) == 1 && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return 0;
  }
  return 1;
}
