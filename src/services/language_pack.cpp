#include "services/language_pack.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace {

// Language files are a few kilobytes; anything far larger is not one (or is a compression bomb).
constexpr size_t kMaxEntrySize = 4u << 20;

struct ArchiveCloser {
  void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveCloser>;

ArchivePtr OpenPack(const LanguagePackSource& source) {
  ArchivePtr pack(archive_read_new());
  if (!pack) return nullptr;
  // The seekable reader works from the central directory, so a cut-off pack is refused as a whole
  // instead of yielding whichever entries happen to precede the cut.
  archive_read_support_format_zip_seekable(pack.get());
  const int opened = source.data != nullptr
                         ? archive_read_open_memory(pack.get(), source.data, source.size)
                         : archive_read_open_filename(pack.get(), source.path.c_str(), 16384);
  if (opened != ARCHIVE_OK) return nullptr;
  return pack;
}

// Reads the data of the current entry; false when it cannot be read completely.
bool ReadEntryData(archive* pack, std::string& bytes) {
  bytes.clear();
  char chunk[16384];
  for (;;) {
    const la_ssize_t got = archive_read_data(pack, chunk, sizeof chunk);
    if (got == 0) return true;
    if (got < 0 || bytes.size() + static_cast<size_t>(got) > kMaxEntrySize) return false;
    bytes.append(chunk, static_cast<size_t>(got));
  }
}

bool IsRegularFile(archive_entry* entry) { return archive_entry_filetype(entry) == AE_IFREG; }

std::string EntryName(archive_entry* entry) {
  const char* name = archive_entry_pathname(entry);
  return name != nullptr ? name : "";
}

}  // namespace

bool IsLanguageEntryName(const std::string& name) {
  static const std::string kExtension = ".language";
  if (name.find_first_of("/\\") != std::string::npos) return false;
  const size_t dot = name.rfind('.');
  return dot != std::string::npos && name.compare(dot, std::string::npos, kExtension) == 0;
}

int ReadLanguageEntries(const LanguagePackSource& source, std::vector<LanguageFile>& entries) {
  entries.clear();
  const ArchivePtr pack = OpenPack(source);
  if (!pack) return 0;
  std::vector<LanguageFile> found;
  archive_entry* entry = nullptr;
  for (;;) {
    const int status = archive_read_next_header(pack.get(), &entry);
    if (status == ARCHIVE_EOF) break;
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return 0;  // the entry list itself is broken
    const std::string name = EntryName(entry);
    if (!IsRegularFile(entry) || !IsLanguageEntryName(name)) continue;
    std::string bytes;
    if (ReadEntryData(pack.get(), bytes)) found.push_back({name, std::move(bytes)});
  }
  entries = std::move(found);
  return 1;
}

int ReadPackEntry(const LanguagePackSource& source, const std::string& entryName, std::string& bytes) {
  const ArchivePtr pack = OpenPack(source);
  if (!pack) return 0;
  archive_entry* entry = nullptr;
  for (;;) {
    const int status = archive_read_next_header(pack.get(), &entry);
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return 0;
    if (!IsRegularFile(entry) || EntryName(entry) != entryName) continue;
    std::string content;
    if (!ReadEntryData(pack.get(), content)) return 0;
    bytes = std::move(content);
    return 1;
  }
}
