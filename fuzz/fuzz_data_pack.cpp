// The data pack reader on arbitrary pack bytes: every entry it lists is sized and unpacked;
// the sanitizers catch any access outside the buffers, the checks below any wrong result.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/data_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kLargestBlock = size_t{1} << 20;
  DataPack pack;
  if (!pack.openMemory(std::vector<uint8_t>(data, data + size))) return 0;
  std::vector<uint8_t> block;
  for (const PackEntry& entry : std::vector<PackEntry>(pack.entries())) {
    const int64_t expected = pack.entrySize(entry.name);
    if (expected < -1) std::abort();
    // Entries claiming more than a sensible block get a small one and must fail.
    block.assign(expected >= 0 && static_cast<uint64_t>(expected) <= kLargestBlock ? static_cast<size_t>(expected) : 16, 0);
    const int64_t result = pack.unpack(entry.name, block.data(), block.size());
    if (result != -1 && (result != expected || static_cast<size_t>(result) > block.size())) std::abort();
  }
  // Names are at most 32767 bytes long, so this one is never in a pack (a short name could be).
  uint8_t tiny[1] = {};
  if (pack.unpack(std::string(40000, 'x'), tiny, sizeof tiny) != -1) std::abort();
  return 0;
}
