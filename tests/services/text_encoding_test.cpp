#include "services/text_encoding.h"

#include <gtest/gtest.h>

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(TextEncoding, Latin1BytesBecomeTheirCodePoints) {
  EXPECT_EQ(Latin1ToUtf8("abc"), "abc");
  EXPECT_EQ(Latin1ToUtf8("\xE9\xFF\x80"), "\xC3\xA9\xC3\xBF\xC2\x80");
  EXPECT_EQ(Latin1ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(TextEncoding, WellFormedUtf8IsKept) {
  const std::string text = "K\xC3\xA9p \xE2\x82\xAC \xF0\x9F\x83\x8F";
  EXPECT_EQ(SanitizeUtf8(text), text);
}

TEST(TextEncoding, MalformedUtf8IsReplaced) {
  EXPECT_EQ(SanitizeUtf8("\x80"), kReplacement);
  EXPECT_EQ(SanitizeUtf8("\xC0\xAF"), kReplacement + kReplacement);           // overlong "/"
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement);  // surrogate
  EXPECT_EQ(SanitizeUtf8("\xF4\x90\x80\x80").substr(0, 3), kReplacement);      // above U+10FFFF
  EXPECT_EQ(SanitizeUtf8("ab\xE2\x82"), "ab" + kReplacement + kReplacement);   // cut off at the end
  EXPECT_EQ(SanitizeUtf8("\xC3(x"), kReplacement + "(x");
}

TEST(TextEncoding, Utf16Units) {
  EXPECT_EQ(Utf8ToUtf16("A\xC3\xA9\xE2\x82\xAC"), (std::vector<uint16_t>{0x41, 0xE9, 0x20AC}));
  EXPECT_EQ(Utf8ToUtf16("\xFF"), (std::vector<uint16_t>{0xFFFD}));
  EXPECT_TRUE(Utf8ToUtf16("").empty());
}

}  // namespace
