// Machine details for the "[SYSTEM DETAILS]" section of the log header and the start stamp of the log
// file name. The monitor count comes from the platform, not from here.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

struct SystemDetails {
  std::string cpuName;          // processor brand, leading blanks and tabs removed
  int64_t configuredCores = 1;  // at least 1
  int64_t onlineCores = 1;      // at least 1
  int64_t totalMemory = 0;      // bytes
  int64_t freeMemory = 0;       // bytes
  int64_t osCode = 1000;        // see OsCodeFromRelease
};

SystemDetails ReadSystemDetails();

// 1100 for a kernel release beginning "2.4.", 1200 for "2.6.", 2000 for any other, 1000 when the
// release could not be read (nullptr).
int64_t OsCodeFromRelease(const char* release);

// The brand from the text of /proc/cpuinfo: the value of the first "model name" line, leading blanks
// and tabs removed ("" when there is none).
std::string CpuNameFromCpuinfo(const std::string& cpuinfo);

// "%yyyy-%mm-%dd--%hh-%ii-%ss", e.g. 2026-12-05--14-03-09.
std::string FormatStartStamp(const std::tm& time);
