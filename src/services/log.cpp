#include "services/log.h"

#include <unistd.h>

#include <cerrno>

#include "services/new_file.h"

namespace {

// Everything the log keeps for the whole run.
struct LogState {
  int fd = -1;             // the open log file, -1 for none
  bool enabled = false;    // lines are written while true
  bool fileValid = false;  // false once a write to the file failed
};

LogState logState;

bool WriteOut(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(logState.fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Each line reaches the file whole and at once: a crash or a kill loses none of the lines before
// it. A failed write marks the file invalid and drops the rest.
void AppendLine(const std::string& text) {
  if (logState.fd < 0 || !logState.fileValid) return;
  const std::string line = text + '\n';
  if (!WriteOut(line.data(), line.size())) logState.fileValid = false;
}

void CloseFile() {
  if (logState.fd >= 0) close(logState.fd);
  logState = LogState{};
}

}  // namespace

int OpenLog(const std::string& path, const std::string& firstLine) {
  CloseFile();  // a second log in one run replaces the first one
  std::string made;
  const int fd = CreateNewFile(path, made);
  if (fd < 0) return 0;
  logState.fd = fd;
  logState.fileValid = true;
  AppendLine(firstLine);
  return 1;
}

void EnableLog() {
  if (logState.fd >= 0) logState.enabled = true;
}

void WriteLogLine(const std::string& text) {
  if (!logState.enabled) return;
  if (!logState.fileValid) {
    logState.enabled = false;
    return;
  }
  AppendLine(text);
}

bool LogEnabled() { return logState.enabled; }

std::string Tabs(int n) { return n < 1 ? std::string() : std::string(static_cast<size_t>(n), '\t'); }

std::string LanguageVersion() { return "2.0"; }
std::string CursorVersion() { return "0.1"; }
std::string LogVersion() { return "1.2"; }

void CloseLogForTests() { CloseFile(); }
