#include "services/language_table.h"

#include <gtest/gtest.h>

#include "services/text_encoding.h"

namespace {

TEST(LanguageTable, BucketsOfKnownNames) {
  EXPECT_EQ(LanguageTable::Bucket("English"), 112u);
  EXPECT_EQ(LanguageTable::Bucket("Magyar"), 119u);
  EXPECT_EQ(LanguageTable::Bucket("Deutsch"), 472u);
  EXPECT_EQ(LanguageTable::Bucket(""), 0u);
}

TEST(LanguageTable, NonAsciiNamesHashTheirUtf16Units) {
  EXPECT_EQ(LanguageTable::Bucket("Fran\xC3\xA7" "ais"), 381u);
  EXPECT_EQ(LanguageTable::Bucket("Espa\xC3\xB1ol"), 271u);
}

TEST(LanguageTable, NamesAboveTheBasicPlaneHashAsSurrogatePairs) {
  const auto units = Utf8ToUtf16("\xF0\x9F\x83\x8F");  // U+1F0CF
  ASSERT_EQ(units.size(), 2u);
  EXPECT_EQ(units[0], 0xD83Cu);
  EXPECT_EQ(units[1], 0xDCCFu);
  uint32_t hash = 0;
  for (const uint16_t unit : units) hash = hash * 65599u + static_cast<uint32_t>(static_cast<int16_t>(unit));
  EXPECT_EQ(LanguageTable::Bucket("\xF0\x9F\x83\x8F"), hash % 512u);
}

TEST(LanguageTable, IterationByBucketWhateverTheInsertionOrder) {
  LanguageTable table;
  table["Deutsch"].code = "de_DE";
  table["Magyar"].code = "hu_HU";
  table["English"].code = "en_GB";
  const auto ordered = table.inOrder();
  ASSERT_EQ(ordered.size(), 3u);
  EXPECT_EQ(ordered[0].name, "English");
  EXPECT_EQ(ordered[1].name, "Magyar");
  EXPECT_EQ(ordered[2].name, "Deutsch");
}

TEST(LanguageTable, WithinABucketTheNewestComesFirst) {
  // Find two different names sharing a bucket.
  const uint32_t target = LanguageTable::Bucket("A");
  std::string other;
  for (int i = 0; i < 100000 && other.empty(); ++i) {
    const std::string candidate = "L" + std::to_string(i);
    if (LanguageTable::Bucket(candidate) == target) other = candidate;
  }
  ASSERT_FALSE(other.empty());
  LanguageTable table;
  table["A"].code = "a";
  table[other].code = "b";
  EXPECT_EQ(table.inOrder()[0].name, other);
  table["A"].code = "a2";  // an existing name keeps its place
  EXPECT_EQ(table.inOrder()[0].name, other);
  EXPECT_EQ(table.inOrder()[1].code, "a2");
  EXPECT_EQ(table.size(), 2u);
}

TEST(LanguageTable, FindAndCodes) {
  LanguageTable table;
  table["English"].code = "en_GB";
  ASSERT_NE(table.find("English"), nullptr);
  EXPECT_EQ(table.find("English")->name, "English");
  EXPECT_EQ(table.find("english"), nullptr);
  EXPECT_TRUE(table.hasCode("en_GB"));
  EXPECT_FALSE(table.hasCode("en_gb"));
  table.clear();
  EXPECT_EQ(table.size(), 0u);
}

LanguageList ThreeLanguages() {
  LanguageList list;
  list.add({"en_GB", "English"});
  list.add({"hu_HU", "Magyar"});
  list.add({"de_DE", "Deutsch"});
  return list;
}

TEST(LanguageList, CursorStopsAtTheEnds) {
  LanguageList list = ThreeLanguages();
  EXPECT_EQ(list.current(), nullptr);
  EXPECT_FALSE(list.next());
  EXPECT_TRUE(list.first());
  EXPECT_FALSE(list.previous());
  EXPECT_EQ(list.currentIndex(), 0);
  EXPECT_TRUE(list.next());
  EXPECT_TRUE(list.next());
  EXPECT_FALSE(list.next());
  EXPECT_EQ(list.current()->code, "de_DE");
  EXPECT_TRUE(list.previous());
  EXPECT_EQ(list.current()->name, "Magyar");
  list.select(7);
  EXPECT_EQ(list.current(), nullptr);
  list.clear();
  EXPECT_FALSE(list.first());
  EXPECT_FALSE(list.last());
}

TEST(Translations, MissingKeysAreAddedEmpty) {
  Translations texts;
  EXPECT_EQ(texts["tMenuSTART"], "");
  EXPECT_TRUE(texts.contains("tMenuSTART"));
  texts.set("tMenuSTART", "START");
  EXPECT_EQ(texts["tMenuSTART"], "START");
  EXPECT_EQ(texts["tmenustart"], "");
  EXPECT_EQ(texts.size(), 2u);
}

}  // namespace
