// The three language containers of the game: `languageInfo` (LanguageTable), `languageList`
// (LanguageList) and `translations` (Translations). Filled by languages.cpp, read by the settings
// screen, the text sprites and the log header.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct LanguageInfo {
  std::string name, code, version, date, author, langId, software;
};

struct LanguageEntry {
  std::string code, name;
};

// Language name -> LanguageInfo, kept as a chained hash table of 512 buckets because its iteration
// order is the order of the settings chooser: ascending bucket, and within a bucket the language
// added last comes first.
class LanguageTable {
 public:
  static constexpr uint32_t kBucketCount = 512;

  // The record of that name, made empty (name filled in) when it does not exist yet.
  LanguageInfo& operator[](const std::string& name);
  const LanguageInfo* find(const std::string& name) const;
  bool hasCode(const std::string& code) const;  // exact comparison
  size_t size() const;
  void clear();
  std::vector<LanguageInfo> inOrder() const;

  // h = h * 65599 + u over the UTF-16 code units u of the name (signed 16-bit units, unsigned 32-bit
  // arithmetic), then h mod 512.
  static uint32_t Bucket(const std::string& name);

 private:
  std::array<std::vector<LanguageInfo>, kBucketCount> buckets_{};  // each bucket: newest first
};

// The available languages in chooser order, with a current element that the settings arrows move.
class LanguageList {
 public:
  void clear();
  void add(const LanguageEntry& entry);
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const LanguageEntry& operator[](size_t index) const { return entries_[index]; }
  const std::vector<LanguageEntry>& entries() const { return entries_; }

  // The current element: none (nullptr, index -1) for an empty list or before the first move.
  const LanguageEntry* current() const;
  int64_t currentIndex() const { return current_; }
  bool first();     // to the first element; false for an empty list
  bool last();      // to the last element; false for an empty list
  bool next();      // one on; false (and no move) at the last element or with no current element
  bool previous();  // one back; false (and no move) at the first element or with no current element
  void select(int64_t index);  // any value outside the list means none

 private:
  std::vector<LanguageEntry> entries_;
  int64_t current_ = -1;
};

// Translation key (case-sensitive) -> text. Never cleared: a language load adds and overwrites.
class Translations {
 public:
  // The text of the key; a missing key is added with "" and gives "".
  const std::string& operator[](const std::string& key);
  void set(const std::string& key, const std::string& text);
  bool contains(const std::string& key) const;
  size_t size() const { return texts_.size(); }

 private:
  std::unordered_map<std::string, std::string> texts_;
};
