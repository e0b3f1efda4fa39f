#include "services/new_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {
// Past this many files of one name something else is wrong: the caller gets its failure.
constexpr int kMaxNumber = 9999;
}

std::string NumberedName(const std::string& path, int number) {
  if (number <= 1) return path;
  const size_t slash = path.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();  // no extension (or a dot file)
  return path.substr(0, dot) + " (" + std::to_string(number) + ")" + path.substr(dot);
}

int CreateNewFile(const std::string& path, std::string& chosen) {
  for (int number = 1; number <= kMaxNumber; ++number) {
    const std::string name = NumberedName(path, number);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      chosen = name;
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

void RemoveNewFile(const std::string& path, int fd) {
  struct stat ours {}, there {};
  if (fstat(fd, &ours) == 0 && stat(path.c_str(), &there) == 0 && ours.st_dev == there.st_dev && ours.st_ino == there.st_ino)
    unlink(path.c_str());
}
