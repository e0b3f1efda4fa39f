#include "display/block_container.h"

#include <algorithm>
#include <cstring>

#include "display/brieflz_decode.h"
#include "display/pack_format.h"

int64_t unpackBlockContainer(const uint8_t* stored, size_t storedSize, uint8_t* out, size_t unpackedSize) {
  using namespace pack_format;
  if (storedSize < kContainerHeaderSize) return -1;
  if (std::memcmp(stored, kContainerMagic, sizeof kContainerMagic) != 0) return -1;
  const uint64_t total = readU64(stored + kContainerTotalOffset);
  const uint64_t blockSize = readU64(stored + kContainerBlockSizeOffset);
  if (total != unpackedSize || blockSize == 0) return -1;

  size_t inPos = kContainerHeaderSize;
  size_t outPos = 0;
  while (outPos < unpackedSize) {
    const size_t length = static_cast<size_t>(std::min<uint64_t>(blockSize, unpackedSize - outPos));
    size_t consumed = 0;
    if (brieflz_decode(stored + inPos, storedSize - inPos, out + outPos, length, &consumed) < 0) return -1;
    inPos += consumed;
    outPos += length;
  }
  // Bytes after the last block are never read: packers commonly end a block with a tag word whose
  // bits go unused, and the stored size counts it.
  return static_cast<int64_t>(unpackedSize);
}
