#include "langpack_writer.h"

#include <archive.h>
#include <archive_entry.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

struct WriterCloser {
  void operator()(archive* a) const { archive_write_free(a); }
};

bool ReadFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  bytes = content.str();
  return !in.bad();
}

}  // namespace

int WriteLanguagePack(const std::string& outPath, const std::vector<std::string>& files, std::string& error) {
  // Written under a temporary name and renamed, so an interrupted build never leaves half a pack.
  const std::string temporary = outPath + ".part";
  std::unique_ptr<archive, WriterCloser> pack(archive_write_new());
  if (!pack || archive_write_set_format_zip(pack.get()) != ARCHIVE_OK ||
      archive_write_open_filename(pack.get(), temporary.c_str()) != ARCHIVE_OK) {
    error = "cannot create " + temporary + (pack ? std::string(": ") + archive_error_string(pack.get()) : "");
    return 0;
  }
  for (const std::string& file : files) {
    std::string bytes;
    if (!ReadFile(file, bytes)) {
      error = "cannot read " + file;
      return 0;
    }
    const std::string name = std::filesystem::path(file).filename().string();
    const std::unique_ptr<archive_entry, void (*)(archive_entry*)> entry(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname(entry.get(), name.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(bytes.size()));
    archive_entry_set_mtime(entry.get(), 1767225600, 0);  // fixed (2026-01-01), so the same files give the same pack
    if (archive_write_header(pack.get(), entry.get()) != ARCHIVE_OK ||
        archive_write_data(pack.get(), bytes.data(), bytes.size()) != static_cast<la_ssize_t>(bytes.size())) {
      error = "cannot add " + name + ": " + archive_error_string(pack.get());
      return 0;
    }
  }
  if (archive_write_close(pack.get()) != ARCHIVE_OK) {
    error = std::string("cannot finish the pack: ") + archive_error_string(pack.get());
    return 0;
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, outPath, renameError);
  if (renameError) {
    error = "cannot rename " + temporary + ": " + renameError.message();
    return 0;
  }
  return 1;
}
