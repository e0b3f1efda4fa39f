#pragma once
// Exact bit costs of the BriefLZ tokens, as the block writer lays them out (tag bits plus the
// 8 bits of each plain byte). Both compressor levels choose their matches with these.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace brieflz_costs {

inline constexpr size_t kMinMatch = 4;  // the smallest length a gamma number (>= 2) + 2 can give
inline constexpr uint32_t kLiteralBits = 1 + 8;

inline uint32_t gammaBits(size_t value) { return 2 * static_cast<uint32_t>(std::bit_width(value) - 1); }

inline uint32_t offsetBits(size_t offset) { return gammaBits((offset - 1) / 256 + 2) + 8; }

inline uint32_t matchBits(size_t length, size_t offset) { return 1 + gammaBits(length - 2) + offsetBits(offset); }

}  // namespace brieflz_costs
