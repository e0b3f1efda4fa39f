#include "display/pack_source.h"

#include <cstring>

namespace {

class FilePackSource final : public PackSource {
 public:
  FilePackSource(std::FILE* file, uint64_t size) : file_(file), size_(size) {}
  ~FilePackSource() override { std::fclose(file_); }
  FilePackSource(const FilePackSource&) = delete;
  FilePackSource& operator=(const FilePackSource&) = delete;

  uint64_t size() const override { return size_; }

  bool readAt(uint64_t offset, void* dst, size_t length) override {
    if (offset > size_ || length > size_ - offset) return false;
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    return std::fread(dst, 1, length, file_) == length;
  }

 private:
  std::FILE* file_;
  uint64_t size_;
};

class MemoryPackSource final : public PackSource {
 public:
  explicit MemoryPackSource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  uint64_t size() const override { return bytes_.size(); }

  bool readAt(uint64_t offset, void* dst, size_t length) override {
    if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
    if (length > 0) std::memcpy(dst, bytes_.data() + offset, length);
    return true;
  }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

std::unique_ptr<PackSource> openFilePackSource(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return nullptr;
  off_t end = -1;
  if (fseeko(file, 0, SEEK_END) == 0) end = ftello(file);
  if (end < 0) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<FilePackSource>(file, static_cast<uint64_t>(end));
}

std::unique_ptr<PackSource> makeMemoryPackSource(std::vector<uint8_t> bytes) {
  return std::make_unique<MemoryPackSource>(std::move(bytes));
}
