// The BriefLZ block decoder on arbitrary blocks, and both compressor levels round-tripping arbitrary
// data through it. Input: two bytes give the block's unpacked size (0..65535); the rest is the block.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "display/brieflz_decode.h"
#include "display/brieflz_encode.h"

namespace {

void decodeArbitrary(const uint8_t* in, size_t inSize, size_t outSize) {
  std::vector<uint8_t> out(outSize);
  size_t consumed = 0;
  const int64_t result = brieflz_decode(in, inSize, out.data(), out.size(), &consumed);
  if (result != -1 && (result != static_cast<int64_t>(outSize) || consumed > inSize)) std::abort();
}

void roundTrip(const uint8_t* data, size_t size, BriefLzLevel level) {
  const std::vector<uint8_t> block = brieflz_encode(data, size, level);
  std::vector<uint8_t> out(size);
  size_t consumed = 0;
  if (brieflz_decode(block.data(), block.size(), out.data(), out.size(), &consumed) != static_cast<int64_t>(size) ||
      consumed != block.size() || (size != 0 && std::memcmp(out.data(), data, size) != 0))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  decodeArbitrary(data + 2, size - 2, data[0] | (data[1] << 8));
  roundTrip(data + 2, size - 2, BriefLzLevel::Fast);
  roundTrip(data + 2, size - 2, BriefLzLevel::Optimal);
  return 0;
}
