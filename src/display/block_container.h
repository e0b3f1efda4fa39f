#pragma once
// Reader of the compressed block container ("1zlb") that holds a packed entry's data. Called
// by DataPack::unpack for every entry whose stored size differs from its unpacked size.

#include <cstddef>
#include <cstdint>

// Unpacks the container in stored[0..storedSize) into out, which must hold exactly
// unpackedSize bytes (the entry's unpacked size). Returns unpackedSize, or -1 when the magic is
// wrong, the container's total differs from unpackedSize, the block size is 0, a block is
// corrupt, or the blocks do not use up the stored bytes exactly.
int64_t unpackBlockContainer(const uint8_t* stored, size_t storedSize, uint8_t* out, size_t unpackedSize);
