#include "display/data_pack.h"

#include <cstring>
#include <limits>

#include "display/block_container.h"
#include "display/pack_entry_list.h"
#include "display/pack_format.h"

bool DataPack::open(const std::string& path) {
  close();
  return openSource(openFilePackSource(path));
}

bool DataPack::openMemory(std::vector<uint8_t> bytes) {
  close();
  return openSource(makeMemoryPackSource(std::move(bytes)));
}

bool DataPack::openSource(std::unique_ptr<PackSource> source) {
  using namespace pack_format;
  char magic[kMagicSize] = {};
  if (!source || !source->readAt(0, magic, kMagicSize)) return false;
  if (std::memcmp(magic, kMagicV1, kMagicSize) == 0) {
    headerSize_ = kEntryHeaderSizeV1;
  } else if (std::memcmp(magic, kMagicV2, kMagicSize) == 0) {
    headerSize_ = kEntryHeaderSizeV2;
  } else {
    return false;
  }
  source_ = std::move(source);
  return true;
}

void DataPack::close() {
  source_.reset();
  headerSize_ = 0;
  listRead_ = false;
  entries_.clear();
}

bool DataPack::isOpen() const { return source_ != nullptr; }

const std::vector<PackEntry>& DataPack::entries() {
  if (source_ && !listRead_) {
    entries_ = readPackEntryList(*source_, headerSize_);
    listRead_ = true;
  }
  return entries_;
}

const PackEntry* DataPack::find(const std::string& name) {
  for (const PackEntry& entry : entries()) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

int64_t DataPack::entrySize(const std::string& name) {
  const PackEntry* entry = find(name);
  if (!entry || entry->unpackedSize > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return -1;
  return static_cast<int64_t>(entry->unpackedSize);
}

int64_t DataPack::unpack(const std::string& name, void* block, size_t blockSize) {
  const PackEntry* entry = find(name);
  if (!entry || entry->unpackedSize > blockSize) return -1;
  const size_t unpackedSize = static_cast<size_t>(entry->unpackedSize);
  // Checked against the real pack size first, so no allocation is sized by a corrupt header.
  if (entry->storedSize > source_->size() - entry->dataOffset) return -1;
  const size_t storedSize = static_cast<size_t>(entry->storedSize);
  if (storedSize == unpackedSize) {
    return source_->readAt(entry->dataOffset, block, storedSize) ? static_cast<int64_t>(storedSize) : -1;
  }
  std::vector<uint8_t> stored(storedSize);
  if (!source_->readAt(entry->dataOffset, stored.data(), storedSize)) return -1;
  return unpackBlockContainer(stored.data(), storedSize, static_cast<uint8_t*>(block), unpackedSize);
}
