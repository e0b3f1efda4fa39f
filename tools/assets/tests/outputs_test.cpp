// The files the build made: every picture of the data pack as an 8-bit PNG within its memory
// block, the previews, and the data pack holding every entry.
#include "artwork/catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <set>
#include <string>
#include <vector>

namespace {

struct PngHeader {
  bool valid = false;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  int colourType = 0;  // 2 RGB, 6 RGBA
};

std::uint32_t bigEndian(const unsigned char* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

PngHeader readPngHeader(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  unsigned char bytes[26] = {};
  PngHeader header;
  if (!file.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return header;
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  header.valid = std::equal(signature, signature + 8, bytes) && std::string(bytes + 12, bytes + 16) == "IHDR";
  header.width = bigEndian(bytes + 16);
  header.height = bigEndian(bytes + 20);
  header.bitDepth = bytes[24];
  header.colourType = bytes[25];
  return header;
}

std::string assetPath(const std::string& name) { return std::string(VESPERINE_ASSET_DIR) + "/" + name; }

TEST(BuiltPictures, EveryPictureIsAn8BitPngWithinItsBlock) {
  const std::vector<artwork::CataloguePicture> catalogue = artwork::pictureCatalogue();
  EXPECT_EQ(catalogue.size(), 4u + 2u + 48u + 13u + 2u);
  for (const artwork::CataloguePicture& picture : catalogue) {
    const std::string path = assetPath(picture.name);
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_LE(std::filesystem::file_size(path), picture.blockBytes) << picture.name;
    const PngHeader header = readPngHeader(path);
    EXPECT_TRUE(header.valid) << picture.name;
    EXPECT_EQ(header.bitDepth, 8) << picture.name;
    EXPECT_TRUE(header.colourType == 2 || header.colourType == 6) << picture.name;
  }
}

TEST(BuiltPictures, SizesSuitTheirUseAndPreviewsAreSmall) {
  const std::tuple<const char*, std::uint32_t, std::uint32_t, int> pictures[] = {  // 2 opaque, 6 with alpha
      {"background 1.png", 1920, 1080, 2}, {"background 4.png", 1920, 1080, 2}, {"title.png", 1920, 1080, 2},
      {"zelt.png", 1920, 1080, 2},         {"1-card01.png", 256, 256, 6},       {"2-card24.png", 256, 256, 6},
      {"1-back.png", 256, 256, 6},         {"shadow.png", 256, 256, 6},         {"left off.png", 20, 20, 0},
      {"boxx.png", 20, 20, 0},             {"vesperine-icon-48.png", 48, 48, 0},
      {"vesperine-icon-64.png", 64, 64, 0}, {"vesperine-icon-128.png", 128, 128, 0}, {"vesperine-icon-256.png", 256, 256, 0}};
  for (const auto& [name, width, height, colourType] : pictures) {
    const PngHeader header = readPngHeader(assetPath(name));
    EXPECT_EQ(std::make_pair(header.width, header.height), std::make_pair(width, height)) << name;
    if (colourType) EXPECT_EQ(header.colourType, colourType) << name;
  }
  const PngHeader menu = readPngHeader(assetPath("menu.png")), shadow = readPngHeader(assetPath("menushadow.png"));
  EXPECT_EQ(std::make_pair(menu.width, menu.height), std::make_pair(shadow.width, shadow.height));
  EXPECT_LT(std::filesystem::file_size(assetPath("contact-sheet.png")), 1'000'000u);
  EXPECT_LT(std::filesystem::file_size(assetPath("mockup-board.png")), 400'000u);
}

// Entry names of a data pack, read straight from its headers.
std::set<std::string> packEntryNames(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[4] = {};
  file.read(magic, 4);
  const std::string tag(magic, 4);
  const std::size_t headerSize = tag == "1zlp" ? 24 : (tag == "2zlp" ? 18 : 0);
  std::set<std::string> names;
  if (headerSize == 0) return names;
  unsigned char header[24] = {};
  while (file.read(reinterpret_cast<char*>(header), static_cast<std::streamsize>(headerSize))) {
    std::uint64_t stored = 0;
    for (int i = 7; i >= 0; --i) stored = (stored << 8) | header[8 + i];
    const int nameLength = static_cast<std::int16_t>(header[16] | (header[17] << 8));
    if (nameLength < 0) break;
    std::string name(static_cast<std::size_t>(nameLength), '\0');
    file.read(name.data(), nameLength);
    names.insert(name);
    file.seekg(static_cast<std::streamoff>(stored), std::ios::cur);
  }
  return names;
}

TEST(DataPack, HoldsEveryPictureAndTheMusic) {
  const std::set<std::string> names = packEntryNames(VESPERINE_DATA_PACK);
  for (const artwork::CataloguePicture& picture : artwork::pictureCatalogue()) {
    EXPECT_EQ(names.count(picture.name), 1u) << picture.name;
  }
  EXPECT_EQ(names.count("music.ogg"), 1u);
  EXPECT_EQ(names.size(), artwork::pictureCatalogue().size() + 1);
}

}  // namespace
