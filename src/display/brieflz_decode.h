#pragma once
// Decoder for one BriefLZ block. Called by the block container reader for every block of a
// packed entry, and by the tests and fuzzers directly.

#include <cstddef>
#include <cstdint>

// Decodes one block that must unpack to exactly outSize bytes, reading at most inSize bytes.
// Returns outSize and sets *consumed to the bytes of input the block used (its compressed
// length; the next block starts right after). Returns -1, leaving *consumed untouched, when the
// input runs out, a match reaches before the start of the output or past its end, or a gamma
// number grows beyond what the block can hold. Never reads or writes outside the two buffers.
int64_t brieflz_decode(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t* consumed);
