// The files the build made: every picture as an 8-bit PNG within its memory block, of a size that suits
// its use, and small previews. (The data pack holding every entry is played end to end.)
#include "artwork/catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

namespace {

// Colour type 2 RGB, 6 RGBA; width 0 when the file is no PNG.
struct PngHeader { std::uint32_t width = 0, height = 0; int bitDepth = 0, colourType = 0; };

PngHeader ReadPngHeader(const std::string& name) {
  std::ifstream file(std::string(VESPERINE_ASSET_DIR) + "/" + name, std::ios::binary);
  unsigned char b[26] = {};
  if (!file.read(reinterpret_cast<char*>(b), sizeof b) || std::string(b, b + 16) != std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16))
    return {};
  const auto big = [&](int at) { return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | b[at + 2] << 8 | b[at + 3]; };
  return {big(16), big(20), b[24], b[25]};
}

TEST(BuiltPictures, EveryPictureIsAn8BitPngWithinItsBlockAndOfItsSize) {
  const std::vector<artwork::CataloguePicture> catalogue = artwork::pictureCatalogue();
  EXPECT_EQ(catalogue.size(), 4u + 2u + 48u + 13u + 2u);
  for (const artwork::CataloguePicture& picture : catalogue) {
    const PngHeader header = ReadPngHeader(picture.name);
    ASSERT_NE(header.width, 0u) << picture.name;
    EXPECT_LE(std::filesystem::file_size(std::string(VESPERINE_ASSET_DIR) + "/" + picture.name), picture.blockBytes) << picture.name;
    EXPECT_EQ(header.bitDepth, 8) << picture.name;
    EXPECT_TRUE(header.colourType == 2 || header.colourType == 6) << picture.name;
  }
  const std::tuple<const char*, std::uint32_t, std::uint32_t, int> pictures[] = {  // 2 opaque, 6 with alpha
      {"background 1.png", 1920, 1080, 2}, {"background 4.png", 1920, 1080, 2}, {"title.png", 1920, 1080, 2},
      {"zelt.png", 1920, 1080, 2},         {"1-card01.png", 256, 256, 6},       {"2-card24.png", 256, 256, 6},
      {"1-back.png", 256, 256, 6},         {"shadow.png", 256, 256, 6},         {"left off.png", 20, 20, 0},
      {"boxx.png", 20, 20, 0}};  // (the icons' sizes are checked in the installed package)
  for (const auto& [name, width, height, colourType] : pictures) {
    const PngHeader header = ReadPngHeader(name);
    EXPECT_EQ(std::make_pair(header.width, header.height), std::make_pair(width, height)) << name;
    if (colourType) { EXPECT_EQ(header.colourType, colourType) << name; }
  }
  const PngHeader menu = ReadPngHeader("menu.png"), shadow = ReadPngHeader("menushadow.png");
  EXPECT_EQ(std::make_pair(menu.width, menu.height), std::make_pair(shadow.width, shadow.height));
  EXPECT_LT(std::filesystem::file_size(std::string(VESPERINE_ASSET_DIR) + "/contact-sheet.png"), 1'000'000u);
  EXPECT_LT(std::filesystem::file_size(std::string(VESPERINE_ASSET_DIR) + "/mockup-board.png"), 400'000u);
}

}  // namespace
