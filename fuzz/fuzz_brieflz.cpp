// The BriefLZ block decoder on arbitrary blocks, and both compressor levels round-tripping arbitrary
// data through it. Input: two bytes give the block's unpacked size (0..65535); the rest is the block.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "display/brieflz_decode.h"
#include "display/brieflz_encode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t* in = data + 2;
  const size_t inSize = size - 2;
  std::vector<uint8_t> out(data[0] | (data[1] << 8));
  size_t consumed = 0;
  const int64_t result = brieflz_decode(in, inSize, out.data(), out.size(), &consumed);
  if (result != -1 && (result != static_cast<int64_t>(out.size()) || consumed > inSize)) std::abort();
  for (const BriefLzLevel level : {BriefLzLevel::Fast, BriefLzLevel::Optimal}) {
    const std::vector<uint8_t> block = brieflz_encode(in, inSize, level);
    out.assign(inSize, 0);
    if (brieflz_decode(block.data(), block.size(), out.data(), inSize, &consumed) != static_cast<int64_t>(inSize) ||
        consumed != block.size() || (inSize != 0 && std::memcmp(out.data(), in, inSize) != 0))
      std::abort();
  }
  return 0;
}
