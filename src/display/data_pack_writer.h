#pragma once
// Builds data packs in memory: used by the pack tool at build time and by the tests. The game
// itself only reads packs (DataPack).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "display/brieflz_encode.h"

struct PackWriteOptions {
  int version = 2;                  // 1 or 2: entry headers of 24 or 18 bytes
  uint64_t blockSize = 65536;       // 1..kBriefLzMaxBlock
  BriefLzLevel level = BriefLzLevel::Optimal;
};

// Empty when the options are usable, else what is wrong with them.
std::string checkPackWriteOptions(const PackWriteOptions& options);

// The stored form of an entry: a block container when that is smaller than the data, else the
// data itself (the reader tells them apart by stored size == unpacked size). The options must
// pass checkPackWriteOptions.
std::vector<uint8_t> packEntryData(const uint8_t* data, size_t size, const PackWriteOptions& options);

class DataPackWriter {
 public:
  explicit DataPackWriter(const PackWriteOptions& options);

  // False (with *error set) when the options are unusable or the name is longer than an entry
  // header can say.
  bool add(const std::string& name, const uint8_t* data, size_t size, std::string* error);

  // The whole pack: magic, then the entries in the order added.
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  PackWriteOptions options_;
  std::vector<uint8_t> bytes_;
};
