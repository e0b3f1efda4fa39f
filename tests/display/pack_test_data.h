#pragma once
// Sample inputs and hand-built pack bytes shared by the data pack and BriefLZ tests.

#include <cstdint>
#include <cstring>
#include <fstream>
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

// RGBA pixels: smooth gradients with a little noise, like the game's pictures before PNG.
inline std::vector<uint8_t> pixelsLike(size_t width, size_t height, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> bytes;
  bytes.reserve(width * height * 4);
  for (size_t y = 0; y < height; ++y) {
    for (size_t x = 0; x < width; ++x) {
      bytes.push_back(static_cast<uint8_t>(x / 3 + rng() % 3));
      bytes.push_back(static_cast<uint8_t>(y / 2));
      bytes.push_back(static_cast<uint8_t>((x + y) / 5));
      bytes.push_back(255);
    }
  }
  return bytes;
}

inline std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void appendU64(std::vector<uint8_t>& out, uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline void appendBytes(std::vector<uint8_t>& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }

// One entry as the reader expects it, with whatever sizes the test wants to lie about.
inline void appendEntry(std::vector<uint8_t>& pack, int version, uint64_t unpackedSize, uint64_t storedSize,
                        int16_t nameLength, const std::string& name, const std::vector<uint8_t>& data) {
  appendU64(pack, unpackedSize);
  appendU64(pack, storedSize);
  pack.push_back(static_cast<uint8_t>(nameLength));
  pack.push_back(static_cast<uint8_t>(static_cast<uint16_t>(nameLength) >> 8));
  if (version == 1) pack.insert(pack.end(), 6, 0);
  appendBytes(pack, name);
  pack.insert(pack.end(), data.begin(), data.end());
}

inline std::vector<uint8_t> packStart(int version) {
  return {static_cast<uint8_t>(version == 1 ? '1' : '2'), 'z', 'l', 'p'};
}

inline std::vector<uint8_t> containerHeader(uint64_t total, uint64_t blockSize) {
  std::vector<uint8_t> out = {'1', 'z', 'l', 'b', 0, 0, 0, 0};
  appendU64(out, total);
  appendU64(out, blockSize);
  return out;
}

}  // namespace pack_test
