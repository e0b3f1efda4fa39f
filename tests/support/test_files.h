// Test helpers: a self-cleaning scratch directory, scoped environment variables, whole files, zips, language files.
#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

struct ScratchDir {
  ScratchDir() { EXPECT_NE(mkdtemp(path_.data()), nullptr); path_ += "/"; }
  ~ScratchDir() { std::filesystem::remove_all(path_, ignored_); }
  ScratchDir(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }  // ends in "/"
  std::string file(const std::string& name) const { return path_ + name; }
  std::string path_ = (std::filesystem::temp_directory_path() / "vesperine-test-XXXXXX").string();
  std::error_code ignored_;
};

// Sets (or, with nullopt, unsets) an environment variable and restores it at the end of the scope.
struct ScopedEnv {
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = getenv(name)) saved_ = old;
    Set(name_, value);
  }
  ~ScopedEnv() { Set(name_, saved_); }
  ScopedEnv(const ScopedEnv&) = delete;
  static void Set(const std::string& name, const std::optional<std::string>& v) { v ? setenv(name.c_str(), v->c_str(), 1) : unsetenv(name.c_str()); }
  std::string name_;
  std::optional<std::string> saved_;
};

struct ZipItem { std::string name, content; bool directory = false; };

// The bytes of a zip archive holding the items in this order.
inline std::string BuildZip(const std::vector<ZipItem>& items) {
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
    archive_entry_set_size(entry, static_cast<la_int64_t>(item.content.size()));
    EXPECT_EQ(archive_write_header(writer, entry), ARCHIVE_OK);
    EXPECT_EQ(archive_write_data(writer, item.content.data(), item.content.size()), static_cast<la_ssize_t>(item.content.size()));
    archive_entry_free(entry);
  }
  EXPECT_EQ(archive_write_close(writer), ARCHIVE_OK);
  archive_write_free(writer);
  return std::string(buffer.data(), used);
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ostringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  return content.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE((std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes).good()) << path;
}

// A language file in our syntax (with byte-order mark) with the given name and translation lines.
inline std::string LanguageFileText(const std::string& name, const std::string& extraLines = "") {
  return "\xEF\xBB\xBF\n[LANGUAGE FILE]\ntLangFileNAME = " + name + "\ntLangFileVERSION = 1.0\ntLangFileAUTHOR = Quenmarsh\n" +
         extraLines;
}
