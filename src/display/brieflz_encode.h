#pragma once
// Our BriefLZ block compressor, used at build time by the pack tool (and by the tests, fuzzers
// and benchmark to make blocks the decoder must read back).

#include <cstddef>
#include <cstdint>
#include <vector>

enum class BriefLzLevel {
  Fast,     // greedy matching with one step of lookahead over short hash chains
  Optimal,  // cheapest parse under the format's bit costs over bounded hash chains
};

// Largest block the compressor accepts (keeps the parse tables and bit counts in 32 bits).
inline constexpr size_t kBriefLzMaxBlock = size_t{1} << 24;

// Compresses size bytes (at most kBriefLzMaxBlock) as one block; brieflz_decode with
// outSize = size reads it back and consumes every byte returned, no more.
std::vector<uint8_t> brieflz_encode(const uint8_t* in, size_t size, BriefLzLevel level);
