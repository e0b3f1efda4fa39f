// Test helpers: a self-cleaning scratch directory, scoped environment variables, whole files, language files.
#pragma once

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
