// Packs with lying headers, broken containers and cut-off data: every access fails with -1
// and nothing is read or written outside the buffers (run under the sanitizers to see it).

#include <gtest/gtest.h>

#include <limits>

#include "display/data_pack.h"
#include "display/data_pack_writer.h"
#include "pack_test_data.h"

namespace {

using namespace pack_test;

constexpr uint64_t kHuge = std::numeric_limits<uint64_t>::max();

// The "abababab" block: 'a', literal 'b', match of 6 at offset 2.
const std::vector<uint8_t> kBlock8 = {0x61, 0x00, 0x50, 0x62, 0x01};

std::vector<uint8_t> containerOf(uint64_t total, uint64_t blockSize, const std::vector<uint8_t>& blocks) {
  std::vector<uint8_t> stored = containerHeader(total, blockSize);
  stored.insert(stored.end(), blocks.begin(), blocks.end());
  return stored;
}

// A version 2 pack with one entry "e" holding stored, claiming the given unpacked size.
std::vector<uint8_t> packWith(uint64_t unpackedSize, const std::vector<uint8_t>& stored) {
  std::vector<uint8_t> pack = packStart(2);
  appendEntry(pack, 2, unpackedSize, stored.size(), 1, "e", stored);
  return pack;
}

int64_t unpackEntry(const std::vector<uint8_t>& packBytes, size_t blockSize = 64) {
  DataPack pack;
  EXPECT_TRUE(pack.openMemory(packBytes));
  std::vector<uint8_t> block(blockSize, 0);
  return pack.unpack("e", block.data(), block.size());
}

TEST(DataPackContainer, ValidContainerUnpacks) {
  EXPECT_EQ(unpackEntry(packWith(8, containerOf(8, 8, kBlock8))), 8);
}

TEST(DataPackContainer, AnyBlockSizeAboveZeroIsAccepted) {
  EXPECT_EQ(unpackEntry(packWith(8, containerOf(8, kHuge, kBlock8))), 8);
  // One-byte blocks: each block is just its first literal.
  EXPECT_EQ(unpackEntry(packWith(3, containerOf(3, 1, {'x', 'y', 'z'}))), 3);
}

TEST(DataPackContainer, BlockSizeZeroFails) { EXPECT_EQ(unpackEntry(packWith(8, containerOf(8, 0, kBlock8))), -1); }

TEST(DataPackContainer, WrongMagicFails) {
  std::vector<uint8_t> stored = containerOf(8, 8, kBlock8);
  stored[3] = 'p';
  EXPECT_EQ(unpackEntry(packWith(8, stored)), -1);
}

TEST(DataPackContainer, TotalDifferentFromTheEntrySizeFails) {
  EXPECT_EQ(unpackEntry(packWith(8, containerOf(9, 8, kBlock8))), -1);
  EXPECT_EQ(unpackEntry(packWith(8, containerOf(7, 8, kBlock8))), -1);
  EXPECT_EQ(unpackEntry(packWith(8, containerOf(kHuge, 8, kBlock8))), -1);
}

TEST(DataPackContainer, BlockWritingMoreThanTheEntryHasFails) {
  // The block makes 8 bytes, the entry and container say 6.
  EXPECT_EQ(unpackEntry(packWith(6, containerOf(6, 8, kBlock8))), -1);
}

// Packers commonly end a block with a fresh tag word whose bits are never read; after the last
// block it is harmless and stays in the stored size. Between blocks it would shift the next one.
TEST(DataPackContainer, UnreadTagWordAfterTheLastBlockIsAccepted) {
  std::vector<uint8_t> blocks = kBlock8;
  blocks.insert(blocks.end(), {0x00, 0x00});
  EXPECT_EQ(unpackEntry(packWith(8, containerOf(8, 8, blocks))), 8);
  blocks.insert(blocks.end(), kBlock8.begin(), kBlock8.end());
  EXPECT_EQ(unpackEntry(packWith(16, containerOf(16, 8, blocks))), -1);
}

TEST(DataPackContainer, MissingBlockBytesFail) {
  // Two blocks of 8 announced, one given.
  EXPECT_EQ(unpackEntry(packWith(16, containerOf(16, 8, kBlock8))), -1);
  // Cut inside the header.
  std::vector<uint8_t> cut = containerHeader(8, 8);
  cut.resize(20);
  EXPECT_EQ(unpackEntry(packWith(8, cut)), -1);
}

TEST(DataPackEntries, HugeStoredSizeIsAShortRead) {
  std::vector<uint8_t> pack = packStart(2);
  appendEntry(pack, 2, 8, kHuge, 1, "e", containerOf(8, 8, kBlock8));
  EXPECT_EQ(unpackEntry(pack), -1);
  pack = packStart(2);
  appendEntry(pack, 2, kHuge, kHuge, 1, "e", {});
  EXPECT_EQ(unpackEntry(pack, 1 << 20), -1);
}

TEST(DataPackEntries, HugeUnpackedSizeIsNeverReportedOrTrusted) {
  std::vector<uint8_t> pack = packStart(1);
  appendEntry(pack, 1, kHuge, 29, 1, "e", containerOf(kHuge, 8, kBlock8));
  DataPack reader;
  ASSERT_TRUE(reader.openMemory(pack));
  EXPECT_EQ(reader.entrySize("e"), -1);
  uint8_t block[64] = {};
  EXPECT_EQ(reader.unpack("e", block, sizeof block), -1);
  EXPECT_EQ(reader.unpack("e", block, std::numeric_limits<size_t>::max()), -1);
}

TEST(DataPackEntries, StoredDataCutShortFails) {
  std::vector<uint8_t> pack = packWith(10, std::vector<uint8_t>(10, 'r'));
  pack.resize(pack.size() - 1);
  EXPECT_EQ(unpackEntry(pack), -1);
}

TEST(DataPackEntries, NegativeNameLengthEndsTheList) {
  std::vector<uint8_t> pack = packStart(2);
  appendEntry(pack, 2, 3, 3, 1, "a", {'A', 'A', 'A'});
  appendEntry(pack, 2, 3, 3, -2, "bb", {'B', 'B', 'B'});
  appendEntry(pack, 2, 3, 3, 1, "c", {'C', 'C', 'C'});
  DataPack reader;
  ASSERT_TRUE(reader.openMemory(pack));
  EXPECT_EQ(reader.entrySize("a"), 3);
  EXPECT_EQ(reader.entrySize("bb"), -1);
  EXPECT_EQ(reader.entrySize("c"), -1);
}

TEST(DataPackEntries, NameRunningPastTheEndEndsTheList) {
  std::vector<uint8_t> pack = packStart(2);
  appendEntry(pack, 2, 0, 0, 32767, "long", {});
  DataPack reader;
  ASSERT_TRUE(reader.openMemory(pack));
  EXPECT_TRUE(reader.entries().empty());
}

TEST(DataPackEntries, ShortHeaderEndsTheList) {
  std::vector<uint8_t> pack = packStart(1);
  appendEntry(pack, 1, 3, 3, 1, "a", {'A', 'A', 'A'});
  pack.insert(pack.end(), 23, 0);  // one byte short of a version 1 header
  DataPack reader;
  ASSERT_TRUE(reader.openMemory(pack));
  EXPECT_EQ(reader.entries().size(), 1u);
  EXPECT_EQ(reader.entrySize("a"), 3);
}

TEST(DataPackEntries, EveryCutOfARealPackFailsCleanly) {
  DataPackWriter writer({2, 512, BriefLzLevel::Fast});
  std::string error;
  const std::vector<uint8_t> text = textLike(3000, 9);
  ASSERT_TRUE(writer.add("text", text.data(), text.size(), &error));
  const std::vector<uint8_t>& full = writer.bytes();
  std::vector<uint8_t> block(text.size());
  for (size_t cut = 4; cut < full.size(); ++cut) {
    DataPack reader;
    ASSERT_TRUE(reader.openMemory({full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut)}));
    EXPECT_EQ(reader.unpack("text", block.data(), block.size()), -1) << "cut at " << cut;
  }
}

TEST(DataPackEntries, FlippedBytesNeverEscapeTheBuffers) {
  DataPackWriter writer({2, 700, BriefLzLevel::Optimal});
  std::string error;
  const std::vector<uint8_t> text = textLike(5000, 10);
  ASSERT_TRUE(writer.add("text", text.data(), text.size(), &error));
  std::mt19937 rng(5);
  std::vector<uint8_t> block(text.size());
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> bytes = writer.bytes();
    bytes[4 + rng() % (bytes.size() - 4)] ^= static_cast<uint8_t>(1u << (rng() % 8));
    DataPack reader;
    ASSERT_TRUE(reader.openMemory(bytes));
    const int64_t result = reader.unpack("text", block.data(), block.size());
    EXPECT_TRUE(result == -1 || result == static_cast<int64_t>(text.size()));
  }
}

}  // namespace
