#include "services/log.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "services/new_file.h"

namespace {

constexpr size_t kBufferSize = 4096;

// Everything the log keeps for the whole run.
struct LogState {
  int fd = -1;             // the open log file, -1 for none
  bool enabled = false;    // lines are written while true
  bool fileValid = false;  // false once a write to the file failed
  bool flushRegistered = false;
  std::array<char, kBufferSize> buffer{};
  size_t used = 0;
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

// Sends the bytes through the buffer; a failed write marks the file invalid and drops the rest.
void Append(const char* data, size_t size) {
  if (logState.fd < 0 || !logState.fileValid) return;
  if (logState.used + size > kBufferSize) {
    FlushLog();
    if (!logState.fileValid) return;
  }
  if (size > kBufferSize) {
    if (!WriteOut(data, size)) logState.fileValid = false;
    return;
  }
  std::memcpy(logState.buffer.data() + logState.used, data, size);
  logState.used += size;
}

void AppendLine(const std::string& text) {
  Append(text.data(), text.size());
  Append("\n", 1);
}

void FlushAtExit() { FlushLog(); }

void CloseFile() {
  FlushLog();
  if (logState.fd >= 0) close(logState.fd);
  logState.fd = -1;
  logState.enabled = false;
  logState.fileValid = false;
  logState.used = 0;
}

}  // namespace

int OpenLog(const std::string& path, const std::string& firstLine) {
  CloseFile();  // a second log in one run replaces the first one
  std::string made;
  const int fd = CreateNewFile(path, made);
  if (fd < 0) return 0;
  logState.fd = fd;
  logState.fileValid = true;
  if (!logState.flushRegistered) {
    logState.flushRegistered = std::atexit(FlushAtExit) == 0;
  }
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

void FlushLog() {
  if (logState.fd < 0 || logState.used == 0) return;
  if (logState.fileValid && !WriteOut(logState.buffer.data(), logState.used)) logState.fileValid = false;
  logState.used = 0;
}

bool LogEnabled() { return logState.enabled; }

std::string Tabs(int n) { return n < 1 ? std::string() : std::string(static_cast<size_t>(n), '\t'); }

std::string LanguageVersion() { return "2.0"; }
std::string CursorVersion() { return "0.1"; }
std::string LogVersion() { return "1.2"; }

void CloseLogForTests() { CloseFile(); }
