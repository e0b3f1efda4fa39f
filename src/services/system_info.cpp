#include "services/system_info.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "services/file_bytes.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace {

std::string TrimLeadingBlanks(const std::string& text) {
  const size_t start = text.find_first_not_of(" \t");
  return start == std::string::npos ? std::string() : text.substr(start);
}

// The brand string the processor itself reports, for systems without a "model name" line.
std::string CpuNameFromCpuid() {
#if defined(__x86_64__) || defined(__i386__)
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(0x80000000u, &eax, &ebx, &ecx, &edx) == 0 || eax < 0x80000004u) return {};
  char brand[49] = {};
  for (unsigned int leaf = 0; leaf < 3; ++leaf) {
    unsigned int regs[4] = {};
    __get_cpuid(0x80000002u + leaf, &regs[0], &regs[1], &regs[2], &regs[3]);
    std::memcpy(brand + leaf * 16, regs, sizeof regs);
  }
  return TrimLeadingBlanks(std::string(brand, strnlen(brand, 48)));
#else
  return {};
#endif
}

int64_t AtLeastOne(long value) { return value < 1 ? 1 : value; }

}  // namespace

int64_t OsCodeFromRelease(const char* release) {
  if (release == nullptr) return 1000;
  if (std::strncmp(release, "2.4.", 4) == 0) return 1100;
  if (std::strncmp(release, "2.6.", 4) == 0) return 1200;
  return 2000;
}

std::string CpuNameFromCpuinfo(const std::string& cpuinfo) {
  std::istringstream lines(cpuinfo);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("model name", 0) != 0) continue;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    return TrimLeadingBlanks(line.substr(colon + 1));
  }
  return {};
}

SystemDetails ReadSystemDetails() {
  SystemDetails details;
  std::string cpuinfo;
  if (ReadFileBytes("/proc/cpuinfo", cpuinfo)) details.cpuName = CpuNameFromCpuinfo(cpuinfo);
  if (details.cpuName.empty()) details.cpuName = CpuNameFromCpuid();
  details.configuredCores = AtLeastOne(sysconf(_SC_NPROCESSORS_CONF));
  details.onlineCores = AtLeastOne(sysconf(_SC_NPROCESSORS_ONLN));
  const long pageSize = sysconf(_SC_PAGESIZE);
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long freePages = sysconf(_SC_AVPHYS_PAGES);
  if (pageSize > 0 && pages > 0) details.totalMemory = static_cast<int64_t>(pages) * pageSize;
  if (pageSize > 0 && freePages > 0) details.freeMemory = static_cast<int64_t>(freePages) * pageSize;
  struct utsname names {};
  details.osCode = OsCodeFromRelease(uname(&names) == 0 ? names.release : nullptr);
  return details;
}

std::string FormatStartStamp(const std::tm& time) {
  char text[64] = {};
  std::snprintf(text, sizeof text, "%04d-%02d-%02d--%02d-%02d-%02d", time.tm_year + 1900, time.tm_mon + 1,
                time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}
