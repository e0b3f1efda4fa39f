#pragma once
// Reader of the game's data pack ("VesperineData.pack"): the asset loader and the music open
// it, look entries up by name and unpack them into memory blocks of their own.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "display/pack_source.h"

struct PackEntry {
  std::string name;
  uint64_t unpackedSize = 0;
  uint64_t storedSize = 0;
  uint64_t dataOffset = 0;  // where the stored bytes start in the pack
};

class DataPack {
 public:
  // False when the file is missing or unreadable or does not start with "1zlp" or "2zlp".
  bool open(const std::string& path);
  // The same over bytes in memory; used by tests and fuzzers.
  bool openMemory(std::vector<uint8_t> bytes);
  void close();
  bool isOpen() const;

  // Unpacked size of the first entry with exactly that UTF-8 name (case-sensitive); -1 when
  // absent, not open, or too large to report.
  int64_t entrySize(const std::string& name);
  // Unpacks the entry into the caller's block; returns the bytes unpacked (0 for an empty
  // entry), -1 when not open, no entry, block too small, short read, bad container or corrupt
  // block.
  int64_t unpack(const std::string& name, void* block, size_t blockSize);

  // Every entry in file order (the pack tool's listing); empty when not open.
  const std::vector<PackEntry>& entries();

 private:
  bool openSource(std::unique_ptr<PackSource> source);
  const PackEntry* find(const std::string& name);

  std::unique_ptr<PackSource> source_;
  size_t headerSize_ = 0;
  bool listRead_ = false;
  std::vector<PackEntry> entries_;
};
