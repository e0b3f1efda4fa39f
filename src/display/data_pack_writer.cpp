#include "display/data_pack_writer.h"

#include <algorithm>
#include <cstring>

#include "display/pack_format.h"

using namespace pack_format;

std::string checkPackWriteOptions(const PackWriteOptions& options) {
  if (options.version != 1 && options.version != 2) return "version must be 1 or 2";
  if (options.blockSize == 0 || options.blockSize > kBriefLzMaxBlock) {
    return "block size must be between 1 and " + std::to_string(kBriefLzMaxBlock);
  }
  return {};
}

std::vector<uint8_t> packEntryData(const uint8_t* data, size_t size, const PackWriteOptions& options) {
  std::vector<uint8_t> container(kContainerHeaderSize, 0);
  std::memcpy(container.data(), kContainerMagic, sizeof kContainerMagic);
  writeU64(container.data() + kContainerTotalOffset, size);
  writeU64(container.data() + kContainerBlockSizeOffset, options.blockSize);
  // Compressing stops as soon as the container can no longer come out smaller than the data.
  for (size_t pos = 0; pos < size && container.size() < size; pos += options.blockSize) {
    const size_t length = static_cast<size_t>(std::min<uint64_t>(options.blockSize, size - pos));
    const std::vector<uint8_t> block = brieflz_encode(data + pos, length, options.level);
    container.insert(container.end(), block.begin(), block.end());
  }
  if (container.size() < size) return container;
  return std::vector<uint8_t>(data, data + size);
}

DataPackWriter::DataPackWriter(const PackWriteOptions& options) : options_(options) {
  const char* magic = options.version == 1 ? kMagicV1 : kMagicV2;
  bytes_.assign(magic, magic + kMagicSize);
}

bool DataPackWriter::add(const std::string& name, const uint8_t* data, size_t size, std::string* error) {
  *error = checkPackWriteOptions(options_);
  if (!error->empty()) return false;
  if (name.size() > kMaxNameLength) {
    *error = "entry name longer than " + std::to_string(kMaxNameLength) + " bytes: " + name.substr(0, 40) + "...";
    return false;
  }
  const std::vector<uint8_t> stored = packEntryData(data, size, options_);
  const size_t headerSize = options_.version == 1 ? kEntryHeaderSizeV1 : kEntryHeaderSizeV2;
  uint8_t header[kEntryHeaderSizeV1] = {};
  writeU64(header, size);
  writeU64(header + 8, stored.size());
  writeU16(header + kNameLengthOffset, static_cast<uint16_t>(name.size()));
  bytes_.insert(bytes_.end(), header, header + headerSize);
  bytes_.insert(bytes_.end(), name.begin(), name.end());
  bytes_.insert(bytes_.end(), stored.begin(), stored.end());
  return true;
}
