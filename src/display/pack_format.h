#pragma once
// Byte layout of the data pack and its compressed block container, shared by the reader
// (DataPack, block container) and the writer used by the pack tool.
// All integers in the file are little-endian.

#include <cstddef>
#include <cstdint>

namespace pack_format {

inline constexpr char kMagicV1[4] = {'1', 'z', 'l', 'p'};
inline constexpr char kMagicV2[4] = {'2', 'z', 'l', 'p'};
inline constexpr size_t kMagicSize = 4;

// Entry header: unpacked size (u64), stored size (u64), name length (s16); version 1 adds
// six reserved bytes.
inline constexpr size_t kEntryHeaderSizeV1 = 24;
inline constexpr size_t kEntryHeaderSizeV2 = 18;
inline constexpr size_t kNameLengthOffset = 16;
inline constexpr size_t kMaxNameLength = 32767;

// Block container: magic, 4 reserved bytes, total unpacked size (u64), block size (u64).
inline constexpr char kContainerMagic[4] = {'1', 'z', 'l', 'b'};
inline constexpr size_t kContainerHeaderSize = 24;
inline constexpr size_t kContainerTotalOffset = 8;
inline constexpr size_t kContainerBlockSizeOffset = 16;

inline uint64_t readU64(const uint8_t* p) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

inline int16_t readS16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

inline void writeU64(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

inline void writeU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace pack_format
