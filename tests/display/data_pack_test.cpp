// Opening data packs and unpacking their entries, through packs written by our own writer.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "display/data_pack.h"
#include "display/data_pack_writer.h"
#include "pack_test_data.h"

namespace {

using namespace pack_test;

std::string writeTempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = testing::TempDir() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::vector<uint8_t> unpackAll(DataPack& pack, const std::string& name) {
  const int64_t size = pack.entrySize(name);
  if (size < 0) return {};
  std::vector<uint8_t> block(static_cast<size_t>(size));
  EXPECT_EQ(pack.unpack(name, block.data(), block.size()), size) << name;
  return block;
}

TEST(DataPackOpen, MissingFileDoesNotOpen) {
  DataPack pack;
  EXPECT_FALSE(pack.open(testing::TempDir() + "/no such pack.pack"));
  EXPECT_FALSE(pack.isOpen());
}

TEST(DataPackOpen, OnlyTheTwoMagicsOpen) {
  DataPack pack;
  EXPECT_TRUE(pack.openMemory({'1', 'z', 'l', 'p'}));
  EXPECT_TRUE(pack.openMemory({'2', 'z', 'l', 'p'}));
  for (const std::vector<uint8_t>& bad : std::vector<std::vector<uint8_t>>{
           {'3', 'z', 'l', 'p'}, {'2', 'Z', 'L', 'P'}, {'1', 'z', 'l', 'b'}, {'2', 'z', 'l'}, {}}) {
    EXPECT_FALSE(pack.openMemory(bad));
    EXPECT_FALSE(pack.isOpen());
  }
  const std::string path = writeTempFile("wrong magic.pack", {'P', 'K', 3, 4, 0, 0, 0, 0});
  EXPECT_FALSE(pack.open(path));
}

TEST(DataPackOpen, NothingAnswersWhenNotOpen) {
  DataPack pack;
  uint8_t block[16] = {};
  EXPECT_EQ(pack.entrySize("a"), -1);
  EXPECT_EQ(pack.unpack("a", block, sizeof block), -1);
  ASSERT_TRUE(pack.openMemory(packStart(2)));
  pack.close();
  EXPECT_FALSE(pack.isOpen());
  EXPECT_EQ(pack.unpack("a", block, sizeof block), -1);
}

TEST(DataPackOpen, ReopeningForgetsTheOldEntries) {
  DataPackWriter first({});
  std::string error;
  ASSERT_TRUE(first.add("old", reinterpret_cast<const uint8_t*>("xyz"), 3, &error));
  DataPack pack;
  ASSERT_TRUE(pack.openMemory(first.bytes()));
  EXPECT_EQ(pack.entrySize("old"), 3);
  ASSERT_TRUE(pack.openMemory(packStart(1)));
  EXPECT_EQ(pack.entrySize("old"), -1);
}

// Version, block size and level: every combination must give the entries back byte for byte.
using RoundTripParams = std::tuple<int, uint64_t, BriefLzLevel>;
class DataPackRoundTrip : public testing::TestWithParam<RoundTripParams> {};

TEST_P(DataPackRoundTrip, EveryEntryComesBackExactly) {
  const auto [version, blockSize, level] = GetParam();
  const std::vector<std::pair<std::string, std::vector<uint8_t>>> entries = {
      {"background 1.png", pixelsLike(90, 70, 1)},
      {"readme.txt", textLike(20000, 2)},
      {"music.ogg", randomBytes(9000, 3)},
      {"empty", {}},
      {"one", {'1'}},
      {"gradient \xc3\xa9.png", textLike(4097, 4)},
      {"zeros", std::vector<uint8_t>(50000, 0)},
  };
  DataPackWriter writer({version, blockSize, level});
  std::string error;
  for (const auto& [name, data] : entries) ASSERT_TRUE(writer.add(name, data.data(), data.size(), &error)) << error;
  const std::string path = writeTempFile("round trip.pack", writer.bytes());

  DataPack pack;
  ASSERT_TRUE(pack.open(path));
  for (const auto& [name, data] : entries) {
    EXPECT_EQ(pack.entrySize(name), static_cast<int64_t>(data.size())) << name;
    EXPECT_TRUE(unpackAll(pack, name) == data) << name;
  }
  ASSERT_EQ(pack.entries().size(), entries.size());
  const std::vector<PackEntry>& listed = pack.entries();
  EXPECT_EQ(listed[2].storedSize, listed[2].unpackedSize) << "random bytes must be stored";
  if (blockSize >= 7) {
    EXPECT_LT(listed[6].storedSize, listed[6].unpackedSize) << "zeros must be compressed";
  }
  if (blockSize >= 4096) {
    EXPECT_LT(listed[1].storedSize, listed[1].unpackedSize) << "text must be compressed";
  }
}

INSTANTIATE_TEST_SUITE_P(Combinations, DataPackRoundTrip,
                         testing::Combine(testing::Values(1, 2), testing::Values(1, 7, 4096, 65536),
                                          testing::Values(BriefLzLevel::Fast, BriefLzLevel::Optimal)));

class DataPackLookup : public testing::Test {
 protected:
  void SetUp() override {
    DataPackWriter writer({});
    std::string error;
    add(writer, "Menu.png", "upper");
    add(writer, "menu.png", "lower");
    add(writer, "menu.png", "second of the same name");
    add(writer, "", "no name");
    ASSERT_TRUE(pack.openMemory(writer.bytes()));
  }

  static void add(DataPackWriter& writer, const std::string& name, const std::string& text) {
    std::string error;
    ASSERT_TRUE(writer.add(name, reinterpret_cast<const uint8_t*>(text.data()), text.size(), &error));
  }

  std::string text(const std::string& name) {
    const std::vector<uint8_t> bytes = unpackAll(pack, name);
    return {bytes.begin(), bytes.end()};
  }

  DataPack pack;
};

TEST_F(DataPackLookup, NamesDifferingOnlyInCaseDoNotMatch) {
  EXPECT_EQ(text("Menu.png"), "upper");
  EXPECT_EQ(text("menu.png"), "lower");
  EXPECT_EQ(pack.entrySize("MENU.PNG"), -1);
  EXPECT_EQ(pack.entrySize("menu.png "), -1);
}

TEST_F(DataPackLookup, FirstEntryOfAGivenNameWins) { EXPECT_EQ(pack.entrySize("menu.png"), 5); }

TEST_F(DataPackLookup, EmptyNameIsAnOrdinaryName) { EXPECT_EQ(text(""), "no name"); }

TEST_F(DataPackLookup, BlockMustHoldTheWholeEntry) {
  char block[5] = {};
  EXPECT_EQ(pack.unpack("menu.png", block, 4), -1);
  EXPECT_EQ(pack.unpack("menu.png", block, 5), 5);
  EXPECT_EQ(pack.unpack("absent.png", block, 5), -1);
}

TEST(DataPackWriter, RefusesNamesLongerThanAHeaderCanSay) {
  DataPackWriter writer({});
  std::string error;
  EXPECT_TRUE(writer.add(std::string(32767, 'n'), nullptr, 0, &error));
  EXPECT_FALSE(writer.add(std::string(32768, 'n'), nullptr, 0, &error));
  EXPECT_FALSE(error.empty());
}

TEST(DataPackWriter, RefusesToWriteWithUnusableOptions) {
  DataPackWriter writer({2, 0, BriefLzLevel::Fast});
  std::string error;
  EXPECT_FALSE(writer.add("a", reinterpret_cast<const uint8_t*>("abc"), 3, &error));
  EXPECT_FALSE(error.empty());
}

TEST(DataPackVersions, ReservedBytesOfVersionOneHeadersAreIgnored) {
  std::vector<uint8_t> bytes = packStart(1);
  appendEntry(bytes, 1, 3, 3, 1, "a", {'x', 'y', 'z'});
  std::fill(bytes.begin() + 4 + 18, bytes.begin() + 4 + 24, 0xee);
  DataPack pack;
  ASSERT_TRUE(pack.openMemory(bytes));
  EXPECT_EQ(unpackAll(pack, "a"), (std::vector<uint8_t>{'x', 'y', 'z'}));
}

TEST(DataPackVersions, HeaderSizeFollowsTheMagic) {
  // The same entry bytes read as version 2 would take the reserved bytes for the name.
  std::vector<uint8_t> bytes = packStart(1);
  appendEntry(bytes, 1, 3, 3, 1, "a", {'x', 'y', 'z'});
  bytes[0] = '2';
  DataPack pack;
  ASSERT_TRUE(pack.openMemory(bytes));
  EXPECT_EQ(pack.entrySize("a"), -1);
}

TEST(DataPackWriter, ChecksItsOptions) {
  EXPECT_EQ(checkPackWriteOptions({}), "");
  EXPECT_NE(checkPackWriteOptions({3, 65536, BriefLzLevel::Fast}), "");
  EXPECT_NE(checkPackWriteOptions({2, 0, BriefLzLevel::Fast}), "");
  EXPECT_NE(checkPackWriteOptions({2, kBriefLzMaxBlock + 1, BriefLzLevel::Fast}), "");
}

}  // namespace
