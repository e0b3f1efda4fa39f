#include "display/pack_entry_list.h"

#include "display/pack_format.h"

std::vector<PackEntry> readPackEntryList(PackSource& source, size_t headerSize) {
  using namespace pack_format;
  std::vector<PackEntry> entries;
  const uint64_t end = source.size();
  uint64_t offset = kMagicSize;
  uint8_t header[kEntryHeaderSizeV1] = {};
  while (source.readAt(offset, header, headerSize)) {
    const int nameLength = readS16(header + kNameLengthOffset);
    if (nameLength < 0) break;
    PackEntry entry;
    entry.unpackedSize = readU64(header);
    entry.storedSize = readU64(header + 8);
    entry.name.resize(static_cast<size_t>(nameLength));
    if (!source.readAt(offset + headerSize, entry.name.data(), entry.name.size())) break;
    entry.dataOffset = offset + headerSize + entry.name.size();
    const bool dataFits = entry.storedSize <= end - entry.dataOffset;
    entries.push_back(std::move(entry));
    if (!dataFits) break;
    offset = entries.back().dataOffset + entries.back().storedSize;
  }
  return entries;
}
