// The vesperine-pack command line as the build runs it (skipped unbuilt); extracting a real pack: end to end.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "display/data_pack.h"
#include "pack_test_data.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;
const std::string kTool = std::string(VESPERINE_BINARY_DIR) + "/vesperine-pack";

// Exit code and standard output of the tool run with the arguments.
std::pair<int, std::string> RunTool(const std::string& arguments) {
  std::string output;
  std::FILE* pipe = popen((kTool + " " + arguments + " 2>/dev/null").c_str(), "r");
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(PackTool, CreateListExtractAndRefuse) {
  if (!fs::exists(kTool)) GTEST_SKIP() << kTool << " is not built";
  const ScratchDir dir;
  const auto quoted = [&](const char* name) { return "'" + dir.file(name) + "'"; };
  const auto write = [&](const char* name, const std::vector<uint8_t>& bytes) {
    WriteWholeFile(dir.file(name), std::string(bytes.begin(), bytes.end()));
    return quoted(name);
  };
  const std::string text = write("text.txt", pack_test::textLike(30000, 1)), noise = write("noise.bin", pack_test::randomBytes(5000, 2)),
                    empty = write("empty", {}), pack = quoted("game.pack");
  ASSERT_EQ(RunTool("create --version 1 --block-size 4096 --level fast " + pack + " " + text + " 'well done.png='" +
                noise + " " + empty).first, 0);
  DataPack reader;
  ASSERT_TRUE(reader.open(dir.file("game.pack")));
  EXPECT_EQ(RunTool("list " + pack), std::make_pair(0, "text.txt\t30000\t" + std::to_string(reader.entries()[0].storedSize) +
                                                       "\nwell done.png\t5000\t5000\nempty\t0\t0\n"));
  const std::string bad = quoted("bad.pack") + " ";
  for (const std::string& arguments :
       {"create " + bad + quoted("missing"), "create --version 3 " + bad + empty,
        "create --block-size 0 " + bad + empty, "create --level best " + bad + empty, "create " + bad + empty + " " + empty,
        "list " + text, "extract " + text + " a b", std::string("frobnicate"), std::string()})
    EXPECT_NE(RunTool(arguments).first, 0) << arguments;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4) << "files left behind";
}

}  // namespace
