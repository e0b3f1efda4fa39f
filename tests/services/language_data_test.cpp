// Checks the language files shipped with the game: every language defines every text the game shows,
// and the words fit the boxes they are drawn into.
#include <gtest/gtest.h>

#include <filesystem>

#include "services/file_bytes.h"
#include "services/languages.h"
#include "services/text_encoding.h"

namespace {

const std::string kLanguageDir = std::string(VESPERINE_SOURCE_DIR) + "/data/languages";

const std::vector<std::string> kTranslationKeys = {
    "tMenuSTART",      "tMenuCONTINUE",   "tMenuSETTINGS",      "tMenuCREDITS", "tMenuQUIT",
    "tQuestionsQUIT",  "tQuestionsSTART", "tMenuYES",           "tMenuNO",      "tMenuOK",
    "tMenuCANCEL",     "tMenuLANGUAGE",   "tMenuMUSIC",         "tCreditsCODEDESIGN",
    "tCreditsGFX",     "tCreditsPOINTER", "tCreditsMUSIC",      "tErrorERROR",  "tErrorSUBSYSTEM",
    "tErrorASSET",     "tErrorSCREEN",    "tLangFileNAME",      "tLangFileVERSION",
    "tLangFileDATE",   "tLangFileAUTHOR", "tLangFileLANGID",    "tLangFileSOFTWARE",
};

const std::vector<std::string> kShippedCodes = {"en_GB", "de_DE", "fr_FR", "es_ES", "it_IT", "hu_HU", "nl_NL",
                                                "pl_PL", "pt_BR", "sv_SE", "cs_CZ", "ru_RU", "el_GR"};

size_t Characters(const std::string& text) { return Utf8ToUtf16(text).size(); }

TEST(LanguageData, AllLanguagesAreListedWithFullHeaders) {
  LanguageTable info;
  LanguageList list;
  ASSERT_EQ(ScanLanguages(kLanguageDir, info, list), 1);
  ASSERT_EQ(list.size(), kShippedCodes.size());
  for (const std::string& code : kShippedCodes) {
    SCOPED_TRACE(code);
    EXPECT_TRUE(info.hasCode(code));
  }
  for (const LanguageInfo& record : info.inOrder()) {
    SCOPED_TRACE(record.code);
    EXPECT_FALSE(record.name.empty());
    EXPECT_FALSE(record.version.empty());
    EXPECT_FALSE(record.date.empty());
    EXPECT_EQ(record.author, "Quenmarsh");
    EXPECT_FALSE(record.langId.empty());
    EXPECT_EQ(record.software, "Vesperine");
  }
}

TEST(LanguageData, EveryLanguageDefinesEveryKey) {
  for (const std::string& code : kShippedCodes) {
    SCOPED_TRACE(code);
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(kLanguageDir + "/" + code + ".language", bytes), 1);
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "UTF-8 files start with the byte-order mark";
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    Translations texts;
    ASSERT_EQ(LoadLanguage(kLanguageDir, code, texts), 1);
    for (const std::string& key : kTranslationKeys) {
      EXPECT_TRUE(texts.contains(key)) << key;
      EXPECT_FALSE(texts[key].empty()) << key;
    }
    EXPECT_EQ(texts.size(), kTranslationKeys.size()) << "a key the game does not use";
  }
}

TEST(LanguageData, WordsFitTheirBoxes) {
  // Menu items: 40 pt heavy type in a 500-px box, about 12 capitals. Buttons: 20 pt in 300 px.
  // Questions: two centred lines of about 35 characters at 20 pt.
  for (const std::string& code : kShippedCodes) {
    SCOPED_TRACE(code);
    Translations texts;
    ASSERT_EQ(LoadLanguage(kLanguageDir, code, texts), 1);
    for (const char* key : {"tMenuSTART", "tMenuCONTINUE", "tMenuSETTINGS", "tMenuCREDITS", "tMenuQUIT"}) {
      EXPECT_LE(Characters(texts[key]), 12u) << key << " " << texts[key];
    }
    for (const char* key : {"tMenuYES", "tMenuNO", "tMenuOK", "tMenuCANCEL"}) {
      EXPECT_LE(Characters(texts[key]), 12u) << key << " " << texts[key];
    }
    for (const char* key : {"tQuestionsQUIT", "tQuestionsSTART"}) {
      EXPECT_LE(Characters(texts[key]), 66u) << key << " " << texts[key];
    }
  }
}

TEST(LanguageData, BuiltPackHoldsTheSameLanguages) {
  const std::string pack = std::string(VESPERINE_BINARY_DIR) + "/" + kLanguagePackName;
  if (!std::filesystem::exists(pack)) GTEST_SKIP() << "the language pack has not been built";
  LanguageTable info;
  LanguageList list;
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  LanguageTable fromDir;
  LanguageList dirList;
  ASSERT_EQ(ScanLanguages(kLanguageDir, fromDir, dirList), 1);
  ASSERT_EQ(list.size(), dirList.size());
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].code, dirList[i].code);
    EXPECT_EQ(list[i].name, dirList[i].name);
  }
  Translations texts;
  ASSERT_EQ(LoadLanguage(pack, "en_GB", texts), 1);
  EXPECT_EQ(texts["tMenuSTART"], "START");
}

}  // namespace
