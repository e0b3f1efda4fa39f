// The bytes of a zip archive holding the items in this order, for the language tests and the
// language pack's fuzzer. An item whose name libarchive refuses is left out.
#pragma once

#include <archive.h>
#include <archive_entry.h>

#include <string>
#include <vector>

struct ZipItem { std::string name, content; bool directory = false; };
inline std::string BuildZip(const std::vector<ZipItem>& items) {
  size_t size = 4096, used = 0;
  for (const ZipItem& item : items) size += 256 + 2 * (item.name.size() + item.content.size());  // even when stored
  std::vector<char> buffer(size);
  archive* writer = archive_write_new();
  archive_write_set_format_zip(writer);
  archive_write_open_memory(writer, buffer.data(), buffer.size(), &used);
  for (const ZipItem& item : items) {
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, item.name.c_str());
    archive_entry_set_filetype(entry, item.directory ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(entry, item.directory ? 0755 : 0644);
    archive_entry_set_size(entry, static_cast<la_int64_t>(item.content.size()));
    if (archive_write_header(writer, entry) == ARCHIVE_OK) archive_write_data(writer, item.content.data(), item.content.size());
    archive_entry_free(entry);
  }
  archive_write_close(writer);
  archive_write_free(writer);
  return std::string(buffer.data(), used);
}
