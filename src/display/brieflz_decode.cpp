#include "display/brieflz_decode.h"

#include <cstring>

namespace {

// Reads the input as the encoder laid it out: bytes in order, with a 16-bit little-endian tag
// word fetched at the current position whenever a bit is needed and the previous word is spent.
class BlockReader {
 public:
  BlockReader(const uint8_t* in, size_t inSize) : in_(in), size_(inSize) {}

  bool byte(uint8_t* value) {
    if (pos_ >= size_) return false;
    *value = in_[pos_++];
    return true;
  }

  bool bit(unsigned* value) {
    if (bitsLeft_ == 0) {
      if (size_ - pos_ < 2) return false;
      tag_ = static_cast<unsigned>(in_[pos_] | (in_[pos_ + 1] << 8));
      pos_ += 2;
      bitsLeft_ = 16;
    }
    --bitsLeft_;
    *value = (tag_ >> bitsLeft_) & 1u;
    return true;
  }

  // Gamma number (at least 2). Fails as soon as it exceeds limit, so it can never overflow.
  bool gamma(size_t limit, size_t* value) {
    size_t v = 1;
    unsigned b = 0;
    unsigned more = 0;
    do {
      if (!bit(&b)) return false;
      v = 2 * v + b;
      if (v > limit) return false;
      if (!bit(&more)) return false;
    } while (more);
    *value = v;
    return true;
  }

  size_t position() const { return pos_; }

 private:
  const uint8_t* in_;
  size_t size_;
  size_t pos_ = 0;
  unsigned tag_ = 0;
  unsigned bitsLeft_ = 0;
};

void copyMatch(uint8_t* out, size_t at, size_t offset, size_t length) {
  const uint8_t* from = out + at - offset;
  uint8_t* to = out + at;
  if (offset >= length) {
    std::memcpy(to, from, length);
    return;
  }
  // Overlapping source: byte by byte, so a short offset repeats the bytes just written.
  for (size_t i = 0; i < length; ++i) to[i] = from[i];
}

}  // namespace

int64_t brieflz_decode(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t* consumed) {
  if (outSize == 0) {
    *consumed = 0;
    return 0;
  }
  BlockReader reader(in, inSize);
  if (!reader.byte(&out[0])) return -1;
  size_t done = 1;
  while (done < outSize) {
    unsigned isMatch = 0;
    if (!reader.bit(&isMatch)) return -1;
    if (!isMatch) {
      if (!reader.byte(&out[done])) return -1;
      ++done;
      continue;
    }
    const size_t left = outSize - done;
    size_t lengthCode = 0;
    if (left < 4 || !reader.gamma(left - 2, &lengthCode)) return -1;
    size_t offsetHigh = 0;
    if (!reader.gamma((done - 1) / 256 + 2, &offsetHigh)) return -1;
    uint8_t offsetLow = 0;
    if (!reader.byte(&offsetLow)) return -1;
    const size_t offset = (offsetHigh - 2) * 256 + offsetLow + 1;
    if (offset > done) return -1;
    const size_t length = lengthCode + 2;
    copyMatch(out, done, offset, length);
    done += length;
  }
  *consumed = reader.position();
  return static_cast<int64_t>(outSize);
}
