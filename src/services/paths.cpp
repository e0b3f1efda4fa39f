#include "services/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {
// The user's entry in the password database, as GLib and the C library find the home directory
// when HOME is missing; "" when there is no entry.
std::string passwordHome() {
  std::vector<char> buffer(4096);
  passwd entry{};
  passwd* found = nullptr;
  while (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE) buffer.resize(buffer.size() * 2);
  return found != nullptr && found->pw_dir != nullptr ? found->pw_dir : "";
}
}  // namespace

bool PathExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string UserDirectory(const std::string& subPath) {
  const char* home = std::getenv("HOME");
  std::string base = home != nullptr && home[0] != '\0' ? home : passwordHome();
  if (base.size() > 1 && base.back() != '/') base += '/';
  return base + "." + subPath + "/";
}

int CreatePath(const std::string& path) {
  std::string full = path;
  if (full.empty() || full.back() != '/') full += '/';
  if (PathExists(full)) return 1;
  int result = 1;
  std::string prefix;
  size_t start = 0;
  while (start <= full.size()) {
    size_t slash = full.find('/', start);
    if (slash == std::string::npos) slash = full.size();
    prefix += full.substr(start, slash - start);
    if (!PathExists(prefix) && mkdir(prefix.c_str(), 0700) != 0) result = 0;
    if (slash == full.size()) break;
    prefix += '/';
    start = slash + 1;
  }
  return result;
}

std::string DirectoryPart(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExecutableDirectory(const char* argv0) {
  std::vector<char> target(4096);
  std::string path;
  const ssize_t length = readlink("/proc/self/exe", target.data(), target.size());
  if (length > 0 && static_cast<size_t>(length) < target.size()) {
    path.assign(target.data(), static_cast<size_t>(length));
  } else if (argv0 != nullptr) {
    path = argv0;
  }
  if (!path.empty() && path.front() == '"') path.erase(0, 1);
  return DirectoryPart(path);
}
