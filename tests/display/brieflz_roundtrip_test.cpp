// Both compressor levels against the decoder: exact round trips, blocks that end on the last
// byte the decoder reads, and the sizes reached on a known text.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "display/brieflz_decode.h"
#include "display/brieflz_encode.h"
#include "pack_test_data.h"

namespace {

using pack_test::pixelsLike;
using pack_test::randomBytes;
using pack_test::textLike;

const char* levelName(BriefLzLevel level) { return level == BriefLzLevel::Fast ? "fast" : "optimal"; }

// Compresses, checks the block decodes to the input and is consumed exactly; returns its size.
size_t roundTrip(const std::vector<uint8_t>& data, BriefLzLevel level) {
  const std::vector<uint8_t> block = brieflz_encode(data.data(), data.size(), level);
  std::vector<uint8_t> out(data.size(), 0xcc);
  size_t consumed = 0;
  EXPECT_EQ(brieflz_decode(block.data(), block.size(), out.data(), out.size(), &consumed),
            static_cast<int64_t>(data.size()))
      << levelName(level);
  EXPECT_EQ(consumed, block.size()) << levelName(level) << ": trailing bytes the decoder never reads";
  EXPECT_TRUE(out == data) << levelName(level);
  return block.size();
}

class BriefLzRoundTrip : public testing::TestWithParam<BriefLzLevel> {};

TEST_P(BriefLzRoundTrip, SmallSizesOfEveryKind) {
  for (size_t size = 0; size <= 70; ++size) {
    roundTrip(randomBytes(size, static_cast<uint32_t>(size)), GetParam());
    roundTrip(textLike(size, static_cast<uint32_t>(size)), GetParam());
    roundTrip(std::vector<uint8_t>(size, 'z'), GetParam());
  }
}

TEST_P(BriefLzRoundTrip, RandomBytesStayCloseToTheirSize) {
  const std::vector<uint8_t> data = randomBytes(100000, 7);
  const size_t size = roundTrip(data, GetParam());
  EXPECT_LE(size, data.size() + data.size() / 8 + 4);  // a tag bit per literal at most
}

TEST_P(BriefLzRoundTrip, StructuredDataShrinks) {
  EXPECT_LT(roundTrip(textLike(200000, 3), GetParam()), 200000u / 3);
  EXPECT_LT(roundTrip(pixelsLike(256, 200, 4), GetParam()), 256u * 200 * 4 / 2);
  EXPECT_LT(roundTrip(std::vector<uint8_t>(1 << 20, 0), GetParam()), 2000u);
}

TEST_P(BriefLzRoundTrip, FarOffsetsNeedLongOffsetGammas) {
  // Two copies of the same random half, 150,000 bytes apart: offsets past 2^17 need an
  // offset gamma longer than 8 bits.
  std::vector<uint8_t> data = randomBytes(150000, 11);
  data.insert(data.end(), data.begin(), data.end());
  // The first half costs a tag bit per literal; the second half is one match.
  EXPECT_LT(roundTrip(data, GetParam()), 150000u * 9 / 8 + 64);
}

TEST_P(BriefLzRoundTrip, PeriodicPatternsOfManyPeriods) {
  for (size_t period = 1; period <= 300; period += 37) {
    std::vector<uint8_t> data = randomBytes(period, static_cast<uint32_t>(period));
    while (data.size() < 5000) data.push_back(data[data.size() - period]);
    roundTrip(data, GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(Levels, BriefLzRoundTrip, testing::Values(BriefLzLevel::Fast, BriefLzLevel::Optimal),
                         [](const testing::TestParamInfo<BriefLzLevel>& info) {
                           return std::string(levelName(info.param));
                         });

TEST(BriefLzCompression, OptimalNeverLosesToFast) {
  for (uint32_t seed = 1; seed <= 5; ++seed) {
    const std::vector<uint8_t> data = textLike(30000, seed);
    EXPECT_LE(roundTrip(data, BriefLzLevel::Optimal), roundTrip(data, BriefLzLevel::Fast) + 2);
  }
}

TEST(BriefLzCompression, LicenceTextReachesItsTargetSizes) {
  const char* const path = "/usr/share/common-licenses/GPL-3";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not installed";
  const std::vector<uint8_t> text = pack_test::readFile(path);
  ASSERT_EQ(text.size(), 35149u);
  EXPECT_LE(roundTrip(text, BriefLzLevel::Optimal), 13015u);
  EXPECT_LE(roundTrip(text, BriefLzLevel::Fast), 15096u);
}

}  // namespace
