#include "display/brieflz_decode.h"

#include <cstring>

// The input is laid out as the encoder wrote it: bytes in order, with a 16-bit little-endian
// tag word fetched at the current position whenever a bit is needed and the previous word is
// spent. The reader state lives in locals so that writes through out (a byte pointer, which may
// alias anything) do not force it back to memory on every byte.

namespace {

void copyMatch(uint8_t* to, size_t offset, size_t length) {
  const uint8_t* from = to - offset;
  if (offset == 1) {
    std::memset(to, *from, length);
    return;
  }
  // An overlapping source repeats the last offset bytes: copy them in chunks of offset bytes.
  while (length > 0) {
    const size_t chunk = offset < length ? offset : length;
    std::memcpy(to, from, chunk);
    to += chunk;
    from += chunk;
    length -= chunk;
  }
}

}  // namespace

int64_t brieflz_decode(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t* consumed) {
  if (outSize == 0) {
    *consumed = 0;
    return 0;
  }
  if (inSize == 0) return -1;
  size_t pos = 0;
  unsigned tag = 0;
  unsigned bitsLeft = 0;

  // Each returns false when the input runs out.
  auto bit = [&](unsigned& value) {
    if (bitsLeft == 0) {
      if (inSize - pos < 2) return false;
      tag = static_cast<unsigned>(in[pos] | (in[pos + 1] << 8));
      pos += 2;
      bitsLeft = 16;
    }
    --bitsLeft;
    value = (tag >> bitsLeft) & 1u;
    return true;
  };
  // A gamma number (at least 2); fails as soon as it exceeds limit, so it never overflows.
  auto gamma = [&](size_t limit, size_t& value) {
    size_t v = 1;
    unsigned b = 0;
    unsigned more = 0;
    do {
      if (!bit(b)) return false;
      v = 2 * v + b;
      if (v > limit || !bit(more)) return false;
    } while (more);
    value = v;
    return true;
  };

  out[0] = in[pos++];
  size_t done = 1;
  while (done < outSize) {
    unsigned isMatch = 0;
    if (!bit(isMatch)) return -1;
    if (!isMatch) {
      if (pos >= inSize) return -1;
      out[done++] = in[pos++];
      continue;
    }
    const size_t left = outSize - done;
    size_t lengthCode = 0;
    size_t offsetHigh = 0;
    if (left < 4 || !gamma(left - 2, lengthCode)) return -1;
    if (!gamma((done - 1) / 256 + 2, offsetHigh) || pos >= inSize) return -1;
    const size_t offset = (offsetHigh - 2) * 256 + in[pos++] + 1;
    if (offset > done) return -1;
    copyMatch(out + done, offset, lengthCode + 2);
    done += lengthCode + 2;
  }
  *consumed = pos;
  return static_cast<int64_t>(outSize);
}
