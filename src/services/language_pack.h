// Reading language files out of the zip language pack with libarchive, straight into memory: nothing
// is ever extracted to disk, so a crafted entry name cannot write anywhere.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct LanguageFile {
  std::string name;   // the entry name as stored (always without a directory part)
  std::string bytes;  // its content
};

// Where a pack comes from: a file on disk or a block of memory (the fuzz target, tests).
struct LanguagePackSource {
  std::string path;               // used when data is nullptr
  const void* data = nullptr;
  size_t size = 0;
};

// Entry names that can be language files: a plain name (no "/" or "\" directory part) whose last
// extension is exactly "language".
bool IsLanguageEntryName(const std::string& name);

// The content of every regular-file entry with a language name, in pack order. Entries that cannot be
// read are left out. 1 when the pack opened and its whole entry list could be read, else 0 (and
// `entries` is left empty).
int ReadLanguageEntries(const LanguagePackSource& source, std::vector<LanguageFile>& entries);

// The content of the first regular-file entry called exactly `entryName`. 1 when found and read.
int ReadPackEntry(const LanguagePackSource& source, const std::string& entryName, std::string& bytes);
