#include "services/system_info.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemInfo, OsCodeFromKernelRelease) {
  EXPECT_EQ(OsCodeFromRelease("2.4.37"), 1100);
  EXPECT_EQ(OsCodeFromRelease("2.6.32-5-amd64"), 1200);
  EXPECT_EQ(OsCodeFromRelease("6.1.0-18-amd64"), 2000);
  EXPECT_EQ(OsCodeFromRelease("2.4"), 2000);
  EXPECT_EQ(OsCodeFromRelease(nullptr), 1000);
}

TEST(SystemInfo, CpuNameFromCpuinfo) {
  const std::string cpuinfo =
      "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel\t\t: 85\n"
      "model name\t:  \tIntel(R) Xeon(R) CPU @ 2.20GHz\nmodel name\t: second\n";
  EXPECT_EQ(CpuNameFromCpuinfo(cpuinfo), "Intel(R) Xeon(R) CPU @ 2.20GHz");
  EXPECT_EQ(CpuNameFromCpuinfo("processor : 0\n"), "");
}

TEST(SystemInfo, ThisMachine) {
  const SystemDetails details = ReadSystemDetails();
  EXPECT_GE(details.configuredCores, 1);
  EXPECT_GE(details.onlineCores, 1);
  EXPECT_GT(details.totalMemory, 0);
  EXPECT_GE(details.freeMemory, 0);
  EXPECT_LE(details.freeMemory, details.totalMemory);
  EXPECT_EQ(details.osCode, 2000);  // any current kernel
  EXPECT_FALSE(details.cpuName.empty());
  EXPECT_NE(details.cpuName.front(), ' ');
  EXPECT_NE(details.cpuName.front(), '\t');
}

TEST(SystemInfo, StartStampIsZeroPadded) {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 11;
  time.tm_mday = 5;
  time.tm_hour = 14;
  time.tm_min = 3;
  time.tm_sec = 9;
  EXPECT_EQ(FormatStartStamp(time), "2026-12-05--14-03-09");
  time.tm_mon = 0;
  time.tm_mday = 1;
  time.tm_hour = 0;
  time.tm_min = 0;
  time.tm_sec = 0;
  EXPECT_EQ(FormatStartStamp(time), "2026-01-01--00-00-00");
}

}  // namespace
