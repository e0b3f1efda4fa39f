// The block decoder against hand-laid and malformed blocks; both compressor levels against it.
#include <gtest/gtest.h>

#include "display/brieflz_decode.h"
#include "display/brieflz_encode.h"
#include "pack_test_data.h"

namespace {

using Bytes = std::vector<uint8_t>;

// 'a', literal 'b', match of 6 at offset 2 (bits 0 1 0100 00 in one tag word).
const Bytes kOverlapping = {0x61, 0x00, 0x50, 0x62, 0x01};
// 'x', match of 299 at offset 1 (length gamma of 9 bits), literal 'y', match of 4 at offset 300.
const Bytes kLongGamma = {0x78, 0xeb, 0xae, 0x00, 0x09, 0x00, 0x79, 0x2b};

TEST(BriefLzDecode, Blocks) {
  const auto ones = [](Bytes start, size_t count) { start.resize(start.size() + count, 0xff); return start; };  // endless gammas
  struct Case { const char* what; Bytes in; size_t outSize; int64_t result; std::string text; };  // all consumed on success
  const Case cases[] = {
      {"empty block", {}, 0, 0, ""}, {"first byte is a plain literal", {'Q'}, 1, 1, "Q"},
      {"overlapping match", kOverlapping, 8, 8, "abababab"}, {"gammas past eight bits", kLongGamma, 305, 305, std::string(300, 'x') + "yxxxx"},
      {"match at offset 1", {0x61, 0x00, 0xa0, 0x00}, 7, 7, "aaaaaaa"}, {"a literal and its tag word", {0x61, 0x00, 0x00, 0x62}, 2, 2, "ab"},
      {"match reaching before the output", {0x61, 0x00, 0xa0, 0x01}, 7, -1, ""},
      {"match longer than the block", {0x61, 0x00, 0xa0, 0x00}, 6, -1, ""}, {"match past the end", {0x61, 0x00, 0xa0, 0x00}, 5, -1, ""},
      {"no room for any match", {0x61, 0x00, 0xa0, 0x00}, 3, -1, ""},      {"half a tag word", {0x61, 0x00}, 2, -1, ""},
      {"literal byte missing", {0x61, 0x00, 0x00}, 2, -1, ""},
      {"endless length gamma", ones({0x61}, 128), 1000, -1, ""},
      {"endless length gamma, huge block", ones({0x61}, 128), size_t{1} << 20, -1, ""},
      {"endless offset gamma", ones({0x61, 0xff, 0x4f, 0x62}, 80), 64, -1, ""}};
  for (const Case& c : cases) {
    Bytes out(c.outSize, 0);
    size_t consumed = 12345;  // untouched on failure
    EXPECT_EQ(brieflz_decode(c.in.data(), c.in.size(), out.data(), c.outSize, &consumed), c.result) << c.what;
    EXPECT_EQ(consumed, c.result < 0 ? 12345u : c.in.size()) << c.what;
    if (c.result >= 0) { EXPECT_EQ(std::string(out.begin(), out.end()), c.text) << c.what; }
  }
  // Every cut of a block fails. (Consumed stopping at a block's end is what the pack's many-block containers need.)
  Bytes out(305);
  size_t consumed = 0;
  for (size_t cut = 0; cut < kLongGamma.size(); ++cut)
    EXPECT_EQ(brieflz_decode(kLongGamma.data(), cut, out.data(), 305, &consumed), -1) << "cut at " << cut;
}

// Compresses, checks the block decodes to the input and is consumed exactly; returns its size.
size_t RoundTrip(const Bytes& data, BriefLzLevel level) {
  const Bytes block = brieflz_encode(data.data(), data.size(), level);
  Bytes out(data.size(), 0xcc);
  size_t consumed = 0;
  EXPECT_EQ(brieflz_decode(block.data(), block.size(), out.data(), out.size(), &consumed), static_cast<int64_t>(data.size()));
  EXPECT_EQ(consumed, block.size()) << "trailing bytes the decoder never reads";
  EXPECT_TRUE(out == data);
  return block.size();
}

class BriefLzRoundTrip : public testing::TestWithParam<BriefLzLevel> {};

TEST_P(BriefLzRoundTrip, ExactAndSmall) {
  using namespace pack_test;
  // Arbitrary inputs are the BriefLZ fuzz target's; here every short size, the sizes and long offsets.
  for (uint32_t size = 0; size <= 70; ++size) RoundTrip(textLike(size, size), GetParam()), RoundTrip(Bytes(size, 'z'), GetParam());
  EXPECT_LE(RoundTrip(randomBytes(100000, 7), GetParam()), 100000u + 100000 / 8 + 4);  // a tag bit per literal
  EXPECT_LT(RoundTrip(textLike(200000, 3), GetParam()), 200000u / 3);
  EXPECT_LT(RoundTrip(Bytes(1 << 20, 0), GetParam()), 2000u);
  // Two copies of a random half 150,000 bytes apart: offsets past 2^17 need long offset gammas.
  Bytes twice = randomBytes(150000, 11);
  twice.insert(twice.end(), twice.begin(), twice.end());
  EXPECT_LT(RoundTrip(twice, GetParam()), 150000u * 9 / 8 + 64);
}

INSTANTIATE_TEST_SUITE_P(Levels, BriefLzRoundTrip, testing::Values(BriefLzLevel::Fast, BriefLzLevel::Optimal));

TEST(BriefLzCompression, OptimalBeatsFast) {
  for (const Bytes& data : {pack_test::textLike(30000, 1), pack_test::textLike(30000, 2), pack_test::textLike(30000, 3)})
    EXPECT_LE(RoundTrip(data, BriefLzLevel::Optimal), RoundTrip(data, BriefLzLevel::Fast) + 2);
}

}  // namespace
