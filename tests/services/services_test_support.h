// Helpers for the services tests: a scratch directory that cleans up after itself, environment
// variables set for one test, and zip packs built with libarchive at test time.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ScratchDir {
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }  // ends in "/"
  std::string file(const std::string& name) const { return path_ + name; }
  std::string path_;
};

// Sets (or, with nullopt, unsets) an environment variable and restores it at the end of the scope.
struct ScopedEnv {
  ScopedEnv(const char* name, const std::optional<std::string>& value);
  ~ScopedEnv() { Set(name_, saved_); }
  ScopedEnv(const ScopedEnv&) = delete;
  static void Set(const std::string& name, const std::optional<std::string>& value);
  std::string name_;
  std::optional<std::string> saved_;
};

struct ZipItem {
  std::string name, content;
  bool directory = false;
};
// The bytes of a zip archive holding the items in this order.
std::string BuildZip(const std::vector<ZipItem>& items);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// A language file in our syntax (with byte-order mark) with the given name and translation lines.
std::string LanguageFileText(const std::string& name, const std::string& extraLines = "");
