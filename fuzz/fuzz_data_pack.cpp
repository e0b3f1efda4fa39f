// The data pack reader on arbitrary pack bytes: every entry it lists is sized and unpacked;
// the sanitizers catch any access outside the buffers, the checks below any wrong result.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/data_pack.h"

namespace {

constexpr size_t kLargestBlock = size_t{1} << 20;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DataPack pack;
  if (!pack.openMemory(std::vector<uint8_t>(data, data + size))) return 0;
  const std::vector<PackEntry> entries = pack.entries();
  std::vector<uint8_t> block;
  for (const PackEntry& entry : entries) {
    const int64_t expected = pack.entrySize(entry.name);
    check(expected >= -1);
    // Entries claiming more than a sensible block get a small one and must fail.
    const size_t blockSize = expected >= 0 && static_cast<uint64_t>(expected) <= kLargestBlock
                                 ? static_cast<size_t>(expected)
                                 : 16;
    block.assign(blockSize, 0);
    const int64_t result = pack.unpack(entry.name, block.data(), block.size());
    check(result == -1 || (result == expected && static_cast<size_t>(result) <= blockSize));
  }
  // Names are at most 32767 bytes long, so this one is never in a pack (a short name could be).
  uint8_t tiny[1] = {};
  check(pack.unpack(std::string(40000, 'x'), tiny, sizeof tiny) == -1);
  return 0;
}
