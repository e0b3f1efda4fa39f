#include "services/prefs_syntax.h"

#include <gtest/gtest.h>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::string SettingsText(const std::string& bytes, const std::string& key, const std::string& fallback = "<none>") {
  PrefsDocument document = PrefsDocument::Parse(bytes);
  document.selectGroup("Settings");
  return document.readText(key, fallback);
}

int64_t SettingsInt(const std::string& bytes, const std::string& key, int64_t fallback = 1) {
  PrefsDocument document = PrefsDocument::Parse(bytes);
  document.selectGroup("Settings");
  return document.readInt(key, fallback);
}

TEST(PrefsSyntax, GroupAndKeyNamesIgnoreLetterCase) {
  EXPECT_EQ(SettingsInt("[settings]\nMUSIC=0\n", "Music"), 0);
  EXPECT_EQ(SettingsInt("[SETTINGS]\n  music  =  0  \n", "Music"), 0);
  EXPECT_EQ(SettingsInt("[Settings]\n\tmusic\t=\t0\n", "Music"), 0);
}

TEST(PrefsSyntax, OnlyAsciiLettersFold) {
  const std::string bytes = kBom + "[Gr\xC3\xBC\xC3\x9F" "e]\nKey = 1\n";  // "Grüße"
  PrefsDocument document = PrefsDocument::Parse(bytes);
  EXPECT_TRUE(document.selectGroup("GR\xC3\xBC\xC3\x9F" "E"));
  EXPECT_FALSE(document.selectGroup("GR\xC3\x9C\xC3\x9F" "E"));  // Ü is not folded to ü
}

TEST(PrefsSyntax, IntegerReading) {
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = yes\n", "Music"), 0);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = 2x\n", "Music"), 2);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = -17\n", "Music"), -17);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = +5\n", "Music"), 5);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic =\n", "Music"), 0);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = - 5\n", "Music"), 0);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = 4294967297\n", "Music"), 1);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = 2147483648\n", "Music"), -2147483648LL);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = 2147483647\n", "Music"), 2147483647);
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = -2147483649\n", "Music"), 2147483647);
}

TEST(PrefsSyntax, ParseIntReducesToLow32Bits) {
  // 10^23 mod 2^32 taken as signed: computed independently with 128-bit arithmetic.
  const unsigned __int128 big = static_cast<unsigned __int128>(10000000000000ULL) * 10000000000ULL;
  EXPECT_EQ(ParsePrefsInt("100000000000000000000000"), static_cast<int32_t>(static_cast<uint32_t>(big)));
  EXPECT_EQ(ParsePrefsInt("   42abc"), 42);
  EXPECT_EQ(ParsePrefsInt("-"), 0);
}

TEST(PrefsSyntax, FirstOfTwoKeysCounts) {
  EXPECT_EQ(SettingsInt("[Settings]\nMusic = 0\nMusic = 1\n", "Music"), 0);
}

TEST(PrefsSyntax, KeysOutsideTheGroupAreNotSeen) {
  EXPECT_EQ(SettingsInt("Music = 0\n[Settings]\nLanguage = de_DE\n", "Music"), 1);
  EXPECT_EQ(SettingsInt("[Other]\nMusic = 0\n[Settings]\n", "Music"), 1);
  EXPECT_EQ(SettingsInt("[Settings]\nLanguage = x\n[Other]\nMusic = 0\n", "Music"), 1);
}

TEST(PrefsSyntax, MissingGroupGivesDefaults) {
  EXPECT_EQ(SettingsText("[Other]\nLanguage = de_DE\n", "Language"), "<none>");
  EXPECT_EQ(SettingsInt("", "Music", 7), 7);
}

TEST(PrefsSyntax, FirstGroupOfTheNameIsSelected) {
  EXPECT_EQ(SettingsText("[Settings]\nA = 1\n[Settings]\nLanguage = de\n", "Language"), "<none>");
}

TEST(PrefsSyntax, TextValuesLoseSurroundingBlanks) {
  EXPECT_EQ(SettingsText("[Settings]\nScreenMode = 1024x768  \t \n", "ScreenMode"), "1024x768");
  EXPECT_EQ(SettingsText("[Settings]\nScreenMode=\t 800x600\n", "ScreenMode"), "800x600");
  EXPECT_EQ(SettingsText("[Settings]\nLanguage = a = b\n", "Language"), "a = b");
}

TEST(PrefsSyntax, Latin1WithoutByteOrderMark) {
  EXPECT_EQ(SettingsText("[Settings]\nName = caf\xE9\n", "Name"), "caf\xC3\xA9");
}

TEST(PrefsSyntax, Utf8WithByteOrderMark) {
  EXPECT_EQ(SettingsText(kBom + "[Settings]\nName = caf\xC3\xA9\n", "Name"), "caf\xC3\xA9");
  // UTF-8 without the mark arrives as two Latin-1 characters.
  EXPECT_EQ(SettingsText("[Settings]\nName = caf\xC3\xA9\n", "Name"), "caf\xC3\x83\xC2\xA9");
}

TEST(PrefsSyntax, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(SettingsText(kBom + "[Settings]\nName = a\xFF" "b\xC3\n", "Name"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(PrefsSyntax, AllLineEndsAndEmptyLines) {
  const std::string bytes = "[Settings]\r\n\r\nA = 1\rB = 2\n\n\nC = 3\r\n";
  EXPECT_EQ(SettingsInt(bytes, "A"), 1);
  EXPECT_EQ(SettingsInt(bytes, "B"), 2);
  EXPECT_EQ(SettingsInt(bytes, "C"), 3);
}

TEST(PrefsSyntax, GroupLineDetails) {
  PrefsDocument document = PrefsDocument::Parse("  [Settings] trailing\nA=1\n[Open\nB=2\n");
  EXPECT_TRUE(document.selectGroup("Settings"));
  EXPECT_EQ(document.readInt("A", 9), 1);
  EXPECT_TRUE(document.selectGroup("Open"));
  EXPECT_EQ(document.readInt("B", 9), 2);
}

TEST(PrefsSyntax, CommentsAndStrayLinesAreSkipped) {
  const std::string bytes = "[Settings]\n; Music = 0\nno equals sign here\nMusic = 0\n";
  EXPECT_EQ(SettingsInt(bytes, "Music"), 0);
  PrefsDocument document = PrefsDocument::Parse(bytes);
  ASSERT_EQ(document.groups().size(), 1u);
  EXPECT_EQ(document.groups()[0].keys.size(), 1u);
}

TEST(PrefsSyntax, MalformedInputDoesNotStopReading) {
  const std::string garbage = std::string("=\n[\n]\n\0\0\0=\0\n", 12) + std::string(100000, 'x') + "\n";
  EXPECT_EQ(SettingsInt(garbage + "[Settings]\nMusic = 0\n", "Music"), 0);
  EXPECT_EQ(SettingsInt(std::string(200000, '['), "Music"), 1);
  EXPECT_EQ(SettingsInt(std::string(200000, '='), "Music"), 1);
}

TEST(PrefsSyntax, GroupsAndKeysInFileOrder) {
  PrefsDocument document = PrefsDocument::Parse("Lost = 1\n[B]\nz = 1\na = 2\n[A]\n[C]\nk = v  \n");
  const auto groups = document.groups();
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].name, "B");
  ASSERT_EQ(groups[0].keys.size(), 2u);
  EXPECT_EQ(groups[0].keys[0].name, "z");
  EXPECT_EQ(groups[0].keys[1].name, "a");
  EXPECT_TRUE(groups[1].keys.empty());
  EXPECT_EQ(groups[2].keys[0].value, "v  ");
}

TEST(PrefsSyntax, WriterLayout) {
  PrefsDocument document;
  document.writeComment("Hello");
  document.selectGroup("Settings");
  document.writeText("Language", "en_GB");
  document.writeInt("Music", 1);
  document.writeInt("Big", 4294967297LL);
  document.writeInt("Negative", -3);
  EXPECT_EQ(document.serialise(), kBom + "\n; Hello\n[Settings]\nLanguage = en_GB\nMusic = 1\nBig = 1\nNegative = -3\n");
}

TEST(PrefsSyntax, WriterReplacesInPlaceAndAppendsToItsGroup) {
  PrefsDocument document = PrefsDocument::Parse("[A]\nx = 1\ny = 2\n[B]\nz = 3\n");
  document.selectGroup("a");
  document.writeText("X", "9");
  document.writeText("w", "4");
  document.selectGroup("C");
  document.writeInt("q", 5);
  EXPECT_EQ(document.serialise(), kBom + "\n[A]\nx = 9\ny = 2\nw = 4\n[B]\nz = 3\n[C]\nq = 5\n");
}

TEST(PrefsSyntax, WriterKeepsEveryElementOnOneLine) {
  PrefsDocument document;
  document.selectGroup("Settings");
  document.writeText("Language", "de\nMusic = 0");
  PrefsDocument reread = PrefsDocument::Parse(document.serialise());
  reread.selectGroup("Settings");
  EXPECT_EQ(reread.readInt("Music", 1), 1);
}

TEST(PrefsSyntax, SerialiseThenParseKeepsEveryLine) {
  const std::string bytes = "; note\n[ G ]\n k\t= v \n=\n[\n;\nx=\xE9\n";
  const PrefsDocument first = PrefsDocument::Parse(bytes);
  const PrefsDocument second = PrefsDocument::Parse(first.serialise());
  EXPECT_EQ(first.lines(), second.lines());
  EXPECT_EQ(first.serialise(), second.serialise());
}

}  // namespace
