#include "services_test_support.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vesperine-services-XXXXXX").string();
  const char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  path_ = pattern + "/";
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedEnv::ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
  if (const char* old = getenv(name)) saved_ = old;
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

ScopedEnv::~ScopedEnv() {
  if (saved_) {
    setenv(name_.c_str(), saved_->c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

std::string BuildZip(const std::vector<ZipItem>& items) {
  std::vector<char> buffer(1 << 20);
  size_t used = 0;
  archive* writer = archive_write_new();
  archive_write_set_format_zip(writer);
  EXPECT_EQ(archive_write_open_memory(writer, buffer.data(), buffer.size(), &used), ARCHIVE_OK);
  for (const ZipItem& item : items) {
    archive_entry* entry = archive_entry_new();
    archive_entry_set_pathname(entry, item.name.c_str());
    archive_entry_set_filetype(entry, item.directory ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(entry, item.directory ? 0755 : 0644);
    archive_entry_set_size(entry, item.directory ? 0 : static_cast<la_int64_t>(item.content.size()));
    EXPECT_EQ(archive_write_header(writer, entry), ARCHIVE_OK);
    if (!item.directory && !item.content.empty()) {
      EXPECT_EQ(archive_write_data(writer, item.content.data(), item.content.size()),
                static_cast<la_ssize_t>(item.content.size()));
    }
    archive_entry_free(entry);
  }
  EXPECT_EQ(archive_write_close(writer), ARCHIVE_OK);
  archive_write_free(writer);
  return std::string(buffer.data(), used);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

std::string LanguageFileText(const std::string& name, const std::string& extraLines) {
  return "\xEF\xBB\xBF\n[LANGUAGE FILE]\ntLangFileNAME = " + name +
         "\ntLangFileVERSION = 1.0\ntLangFileAUTHOR = Quenmarsh\n" + extraLines;
}
