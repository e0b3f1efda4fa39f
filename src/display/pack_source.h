#pragma once
// Where DataPack reads its bytes from: the pack file on disk (the game) or a block of memory
// (tests and fuzzers, which feed arbitrary bytes without touching the disk).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class PackSource {
 public:
  virtual ~PackSource() = default;
  virtual uint64_t size() const = 0;
  // Reads exactly length bytes at offset; false when they are not all there.
  virtual bool readAt(uint64_t offset, void* dst, size_t length) = 0;
};

// nullptr when the file cannot be opened or its size cannot be had.
std::unique_ptr<PackSource> openFilePackSource(const std::string& path);
std::unique_ptr<PackSource> makeMemoryPackSource(std::vector<uint8_t> bytes);
