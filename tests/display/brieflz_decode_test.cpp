// The block decoder against hand-laid blocks, and its refusal of every malformed block.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/brieflz_decode.h"

namespace {

struct Decoded {
  int64_t result = -1;
  size_t consumed = 0;
  std::string text;
};

Decoded decode(const std::vector<uint8_t>& in, size_t outSize) {
  Decoded d;
  std::vector<uint8_t> out(outSize, 0);
  d.consumed = 12345;
  d.result = brieflz_decode(in.data(), in.size(), out.data(), outSize, &d.consumed);
  d.text.assign(out.begin(), out.end());
  return d;
}

// 'a', literal 'b', match of 6 at offset 2 (bits 0 1 0100 00 in one tag word).
const std::vector<uint8_t> kOverlapping = {0x61, 0x00, 0x50, 0x62, 0x01};
// 'x', match of 299 at offset 1 (length gamma of 9 bits), literal 'y', match of 4 at offset 300
// (offset gamma 3); two tag words.
const std::vector<uint8_t> kLongGamma = {0x78, 0xeb, 0xae, 0x00, 0x09, 0x00, 0x79, 0x2b};

TEST(BriefLzDecode, EmptyBlockReadsNothing) {
  const Decoded d = decode({}, 0);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.consumed, 0u);
}

TEST(BriefLzDecode, FirstByteIsAPlainLiteral) {
  const Decoded d = decode({'Q', 0xff, 0xff}, 1);
  EXPECT_EQ(d.result, 1);
  EXPECT_EQ(d.consumed, 1u);  // no tag word is read for a one-byte block
  EXPECT_EQ(d.text, "Q");
}

TEST(BriefLzDecode, OverlappingMatchRepeatsFreshBytes) {
  const Decoded d = decode(kOverlapping, 8);
  EXPECT_EQ(d.result, 8);
  EXPECT_EQ(d.consumed, kOverlapping.size());
  EXPECT_EQ(d.text, "abababab");
}

TEST(BriefLzDecode, GammaValuesPastEightBits) {
  const Decoded d = decode(kLongGamma, 305);
  EXPECT_EQ(d.result, 305);
  EXPECT_EQ(d.consumed, kLongGamma.size());
  EXPECT_EQ(d.text, std::string(300, 'x') + "y" + "xxxx");
}

TEST(BriefLzDecode, ConsumedStopsAtTheBlockEndLeavingTheNextBlock) {
  std::vector<uint8_t> twoBlocks = kOverlapping;
  twoBlocks.insert(twoBlocks.end(), {'n', 'e', 'x', 't'});
  const Decoded d = decode(twoBlocks, 8);
  EXPECT_EQ(d.result, 8);
  EXPECT_EQ(d.consumed, kOverlapping.size());
}

TEST(BriefLzDecode, EveryTruncationFails) {
  for (size_t cut = 0; cut < kLongGamma.size(); ++cut) {
    const std::vector<uint8_t> part(kLongGamma.begin(), kLongGamma.begin() + cut);
    const Decoded d = decode(part, 305);
    EXPECT_EQ(d.result, -1) << "cut at " << cut;
    EXPECT_EQ(d.consumed, 12345u) << "consumed must stay untouched on failure";
  }
}

TEST(BriefLzDecode, MatchReachingBeforeTheOutputFails) {
  // 'a', match of 6 at offset 2 while only one byte is out: bits 1 0100 00.
  EXPECT_EQ(decode({0x61, 0x00, 0xa0, 0x01}, 7).result, -1);
  // The same match at offset 1 is fine.
  const Decoded ok = decode({0x61, 0x00, 0xa0, 0x00}, 7);
  EXPECT_EQ(ok.result, 7);
  EXPECT_EQ(ok.text, "aaaaaaa");
}

TEST(BriefLzDecode, MatchLongerThanTheBlockFails) {
  // Same block as above, which writes 7 bytes, asked for 6 or 5.
  EXPECT_EQ(decode({0x61, 0x00, 0xa0, 0x00}, 6).result, -1);
  EXPECT_EQ(decode({0x61, 0x00, 0xa0, 0x00}, 5).result, -1);
  // Too few bytes left for any match at all.
  EXPECT_EQ(decode({0x61, 0x00, 0xa0, 0x00}, 3).result, -1);
}

TEST(BriefLzDecode, EndlessGammaFailsInsteadOfOverflowing) {
  // A match whose length gamma never ends: every bit after the match flag is 1.
  std::vector<uint8_t> in = {0x61};
  for (int i = 0; i < 64; ++i) in.insert(in.end(), {0xff, 0xff});
  EXPECT_EQ(decode(in, 1000).result, -1);
  EXPECT_EQ(decode(in, size_t{1} << 20).result, -1);
}

TEST(BriefLzDecode, HugeOffsetGammaFails) {
  // 'a', literal 'b', then a match of 4 whose offset gamma keeps growing.
  std::vector<uint8_t> in = {0x61, 0xff, 0x4f, 0x62};
  for (int i = 0; i < 40; ++i) in.insert(in.end(), {0xff, 0xff});
  EXPECT_EQ(decode(in, 64).result, -1);
}

TEST(BriefLzDecode, HalfATagWordFails) {
  EXPECT_EQ(decode({0x61, 0x00}, 2).result, -1);
  EXPECT_EQ(decode({0x61, 0x00, 0x00}, 2).result, -1);  // tag present, literal byte missing
  EXPECT_EQ(decode({0x61, 0x00, 0x00, 0x62}, 2).result, 2);
}

}  // namespace
