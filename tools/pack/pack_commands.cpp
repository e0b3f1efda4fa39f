#include "pack_commands.h"

#include <cstdio>
#include <new>
#include <set>

#include "display/data_pack.h"
#include "pack_files.h"

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "vesperine-pack: %s\n", message.c_str());
  return 1;
}

}  // namespace

int createPack(const PackCommand& command) {
  DataPackWriter writer(command.options);
  std::set<std::string> names;
  std::string error;
  for (const PackInputFile& input : command.inputs) {
    if (!names.insert(input.name).second) return fail("two entries named '" + input.name + "'");
    std::vector<uint8_t> data;
    if (!readWholeFile(input.path, &data, &error)) return fail(error);
    if (!writer.add(input.name, data.data(), data.size(), &error)) return fail(error);
  }
  const std::vector<uint8_t>& bytes = writer.bytes();
  if (!writeFileReplacing(command.packPath, bytes.data(), bytes.size(), &error)) return fail(error);
  return 0;
}

int listPack(const PackCommand& command) {
  DataPack pack;
  if (!pack.open(command.packPath)) return fail(command.packPath + " is missing or not a data pack");
  for (const PackEntry& entry : pack.entries()) {
    std::printf("%s\t%llu\t%llu\n", entry.name.c_str(), static_cast<unsigned long long>(entry.unpackedSize),
                static_cast<unsigned long long>(entry.storedSize));
  }
  return 0;
}

int extractEntry(const PackCommand& command) {
  DataPack pack;
  if (!pack.open(command.packPath)) return fail(command.packPath + " is missing or not a data pack");
  const int64_t size = pack.entrySize(command.entryName);
  if (size < 0) return fail("no entry named '" + command.entryName + "' in " + command.packPath);
  std::vector<uint8_t> block;
  try {
    block.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return fail("entry '" + command.entryName + "' claims " + std::to_string(size) + " bytes, more than memory holds");
  }
  if (pack.unpack(command.entryName, block.data(), block.size()) != size) {
    return fail("entry '" + command.entryName + "' is damaged and cannot be unpacked");
  }
  std::string error;
  if (!writeFileReplacing(command.outputPath, block.data(), block.size(), &error)) return fail(error);
  return 0;
}
