#pragma once
// Lays out one BriefLZ block the way brieflz_decode reads it: a tag word is reserved at the
// current output position exactly when a bit is needed and the previous word is full, so the
// block ends with the last byte the decoder reads.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

class BriefLzBlockWriter {
 public:
  explicit BriefLzBlockWriter(std::vector<uint8_t>& out) : out_(out) {}

  // The block's first byte, which carries no tag bit.
  void firstLiteral(uint8_t value) { out_.push_back(value); }

  void literal(uint8_t value) {
    bit(0);
    out_.push_back(value);
  }

  // length >= 4, 1 <= offset <= bytes already produced.
  void match(size_t length, size_t offset) {
    bit(1);
    gamma(length - 2);
    gamma((offset - 1) / 256 + 2);
    out_.push_back(static_cast<uint8_t>((offset - 1) & 0xff));
  }

 private:
  void bit(unsigned value) {
    if (bitsLeft_ == 0) {
      tagPos_ = out_.size();
      out_.push_back(0);
      out_.push_back(0);
      bitsLeft_ = 16;
    }
    --bitsLeft_;
    if (value) {
      // Little-endian word: bits 15..8 live in the second byte, bits 7..0 in the first.
      const size_t byte = tagPos_ + (bitsLeft_ >= 8 ? 1 : 0);
      out_[byte] = static_cast<uint8_t>(out_[byte] | (1u << (bitsLeft_ % 8)));
    }
  }

  // Value >= 2: the bits below the leading 1, each followed by 1 if more come, 0 after the last.
  void gamma(size_t value) {
    int i = std::bit_width(value) - 2;
    for (; i >= 0; --i) {
      bit(static_cast<unsigned>(value >> i) & 1u);
      bit(i > 0 ? 1u : 0u);
    }
  }

  std::vector<uint8_t>& out_;
  size_t tagPos_ = 0;
  unsigned bitsLeft_ = 0;
};
