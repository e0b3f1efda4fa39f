#pragma once
// The two parsers behind brieflz_encode; each writes a whole block for size >= 1.

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> brieflz_encode_fast(const uint8_t* in, size_t size);
std::vector<uint8_t> brieflz_encode_optimal(const uint8_t* in, size_t size);
