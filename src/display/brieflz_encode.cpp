#include "display/brieflz_encode.h"

#include "display/brieflz_parsers.h"

std::vector<uint8_t> brieflz_encode(const uint8_t* in, size_t size, BriefLzLevel level) {
  if (size == 0) return {};
  return level == BriefLzLevel::Optimal ? brieflz_encode_optimal(in, size) : brieflz_encode_fast(in, size);
}
