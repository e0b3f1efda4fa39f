// The vesperine-pack command line, run as the build runs it. Skipped when the tool has not
// been built in this build directory.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "display/data_pack.h"
#include "pack_test_data.h"

namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(VESPERINE_BINARY_DIR) + "/vesperine-pack";

struct RunResult {
  int exitCode = -1;
  std::string output;
};

RunResult run(const std::string& arguments) {
  RunResult result;
  std::FILE* pipe = popen((kTool + " " + arguments + " 2>/dev/null").c_str(), "r");
  if (!pipe) return result;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class PackTool : public testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kTool)) GTEST_SKIP() << kTool << " is not built";
    // One folder per test: CTest runs the tests of this file side by side.
    dir = fs::path(testing::TempDir()) / ("pack tool " + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    writeFile(dir / "text.txt", pack_test::textLike(30000, 1));
    writeFile(dir / "noise.bin", pack_test::randomBytes(5000, 2));
    writeFile(dir / "empty", {});
  }

  std::string quoted(const fs::path& path) const { return "'" + path.string() + "'"; }

  fs::path dir;
};

TEST_F(PackTool, CreateListExtractRoundTrip) {
  const fs::path pack = dir / "game.pack";
  ASSERT_EQ(run("create --version 1 --block-size 4096 --level fast " + quoted(pack) + " " + quoted(dir / "text.txt") +
                " 'well done.png='" + quoted(dir / "noise.bin") + " " + quoted(dir / "empty"))
                .exitCode,
            0);

  const RunResult list = run("list " + quoted(pack));
  EXPECT_EQ(list.exitCode, 0);
  const std::vector<PackEntry> expected = [&] {
    DataPack reader;
    EXPECT_TRUE(reader.open(pack.string()));
    return reader.entries();
  }();
  ASSERT_EQ(expected.size(), 3u);
  EXPECT_EQ(expected[1].name, "well done.png");
  EXPECT_EQ(list.output, "text.txt\t30000\t" + std::to_string(expected[0].storedSize) +
                             "\nwell done.png\t5000\t5000\nempty\t0\t0\n");

  ASSERT_EQ(run("extract " + quoted(pack) + " 'well done.png' " + quoted(dir / "out.bin")).exitCode, 0);
  EXPECT_EQ(pack_test::readFile((dir / "out.bin").string()), pack_test::readFile((dir / "noise.bin").string()));
  ASSERT_EQ(run("extract " + quoted(pack) + " text.txt " + quoted(dir / "out.txt")).exitCode, 0);
  EXPECT_EQ(pack_test::readFile((dir / "out.txt").string()), pack_test::textLike(30000, 1));
}

TEST_F(PackTool, FailuresExitNonZeroAndLeaveNoFiles) {
  const fs::path pack = dir / "bad.pack";
  EXPECT_NE(run("create " + quoted(pack) + " " + quoted(dir / "missing.txt")).exitCode, 0);
  EXPECT_NE(run("create --version 3 " + quoted(pack) + " " + quoted(dir / "empty")).exitCode, 0);
  EXPECT_NE(run("create --block-size 0 " + quoted(pack) + " " + quoted(dir / "empty")).exitCode, 0);
  EXPECT_NE(run("create --level best " + quoted(pack) + " " + quoted(dir / "empty")).exitCode, 0);
  EXPECT_NE(run("create " + quoted(pack) + " " + quoted(dir / "empty") + " " + quoted(dir / "empty")).exitCode, 0);
  EXPECT_FALSE(fs::exists(pack));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3) << "temporary files left";

  EXPECT_NE(run("list " + quoted(dir / "text.txt")).exitCode, 0);
  EXPECT_NE(run("extract " + quoted(dir / "text.txt") + " a b").exitCode, 0);
  EXPECT_NE(run("frobnicate").exitCode, 0);
  EXPECT_NE(run("").exitCode, 0);
}

TEST_F(PackTool, ExtractOfAMissingEntryFails) {
  const fs::path pack = dir / "game.pack";
  ASSERT_EQ(run("create " + quoted(pack) + " " + quoted(dir / "text.txt")).exitCode, 0);
  EXPECT_NE(run("extract " + quoted(pack) + " TEXT.TXT " + quoted(dir / "out")).exitCode, 0);
  EXPECT_FALSE(fs::exists(dir / "out"));
}

}  // namespace
