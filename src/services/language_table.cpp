#include "services/language_table.h"

#include "services/text_encoding.h"

uint32_t LanguageTable::Bucket(const std::string& name) {
  uint32_t hash = 0;
  for (const uint16_t unit : Utf8ToUtf16(name)) {
    // The unit enters as a signed 16-bit value: units from 0x8000 up add unit - 65536.
    hash = hash * 65599u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(unit)));
  }
  return hash % kBucketCount;
}

LanguageInfo& LanguageTable::operator[](const std::string& name) {
  std::vector<LanguageInfo>& bucket = buckets_[Bucket(name)];
  for (LanguageInfo& info : bucket) {
    if (info.name == name) return info;
  }
  LanguageInfo fresh;
  fresh.name = name;
  bucket.insert(bucket.begin(), std::move(fresh));
  return bucket.front();
}

const LanguageInfo* LanguageTable::find(const std::string& name) const {
  for (const LanguageInfo& info : buckets_[Bucket(name)]) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

bool LanguageTable::hasCode(const std::string& code) const {
  for (const auto& bucket : buckets_) {
    for (const LanguageInfo& info : bucket) {
      if (info.code == code) return true;
    }
  }
  return false;
}

size_t LanguageTable::size() const {
  size_t count = 0;
  for (const auto& bucket : buckets_) count += bucket.size();
  return count;
}

void LanguageTable::clear() {
  for (auto& bucket : buckets_) bucket.clear();
}

std::vector<LanguageInfo> LanguageTable::inOrder() const {
  std::vector<LanguageInfo> result;
  for (const auto& bucket : buckets_) result.insert(result.end(), bucket.begin(), bucket.end());
  return result;
}

void LanguageList::clear() {
  entries_.clear();
  current_ = -1;
}

void LanguageList::add(const LanguageEntry& entry) { entries_.push_back(entry); }

const LanguageEntry* LanguageList::current() const {
  if (current_ < 0 || current_ >= static_cast<int64_t>(entries_.size())) return nullptr;
  return &entries_[static_cast<size_t>(current_)];
}

bool LanguageList::first() {
  current_ = entries_.empty() ? -1 : 0;
  return current_ == 0;
}

bool LanguageList::last() {
  current_ = static_cast<int64_t>(entries_.size()) - 1;
  return current_ >= 0;
}

bool LanguageList::next() {
  if (current() == nullptr || current_ + 1 >= static_cast<int64_t>(entries_.size())) return false;
  ++current_;
  return true;
}

bool LanguageList::previous() {
  if (current() == nullptr || current_ == 0) return false;
  --current_;
  return true;
}

void LanguageList::select(int64_t index) {
  current_ = (index >= 0 && index < static_cast<int64_t>(entries_.size())) ? index : -1;
}

const std::string& Translations::operator[](const std::string& key) { return texts_[key]; }

void Translations::set(const std::string& key, const std::string& text) { texts_[key] = text; }

bool Translations::contains(const std::string& key) const { return texts_.contains(key); }
