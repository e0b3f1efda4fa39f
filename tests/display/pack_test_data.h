#pragma once
// Sample inputs and hand-built pack bytes shared by the data pack and BriefLZ tests.

#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace pack_test {

inline std::vector<uint8_t> randomBytes(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
  return bytes;
}

// Words from a small vocabulary: repeats at every distance, like real text.
inline std::vector<uint8_t> textLike(size_t size, uint32_t seed) {
  static const char* const kWords[] = {"the ", "pair ", "card ", "turns ", "over, ", "and ", "stays ", "up\n",
                                       "Vesperine ", "memory ", "of ", "forty-eight ", "cards. "};
  std::mt19937 rng(seed);
  std::vector<uint8_t> bytes;
  while (bytes.size() < size) {
    const char* word = kWords[rng() % std::size(kWords)];
    bytes.insert(bytes.end(), word, word + std::strlen(word));
  }
  bytes.resize(size);
  return bytes;
}

inline void appendLittleEndian(std::vector<uint8_t>& out, uint64_t v, int bytes = 8) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// One entry as the reader expects it, with whatever sizes the test wants to lie about.
inline void appendEntry(std::vector<uint8_t>& pack, int version, uint64_t unpackedSize, uint64_t storedSize,
                        int16_t nameLength, const std::string& name, const std::vector<uint8_t>& data) {
  appendLittleEndian(pack, unpackedSize);
  appendLittleEndian(pack, storedSize);
  appendLittleEndian(pack, static_cast<uint16_t>(nameLength), 2);
  if (version == 1) pack.insert(pack.end(), 6, 0);
  pack.insert(pack.end(), name.begin(), name.end());
  pack.insert(pack.end(), data.begin(), data.end());
}

inline std::vector<uint8_t> packStart(int version) { return {static_cast<uint8_t>('0' + version), 'z', 'l', 'p'}; }

}  // namespace pack_test
