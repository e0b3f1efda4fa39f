// The language table and chooser list, language packs (zip or directory), and the shipped languages.
#include "services/languages.h"

#include <unistd.h>

#include <map>

#include "services/locale_language.h"
#include "services/text_encoding.h"
#include "test_files.h"
#include "zip_bytes.h"

namespace {

std::string EnglishFile() {
  return LanguageFileText("English", "[Menu]\ntMenuSTART = START\ntMenuQUIT =   QUIT  \n[Credits]\ntCreditsMUSIC = Music\n");
}
std::string GermanFile() { return LanguageFileText("Deutsch", "[Menu]\ntMenuSTART = START\ntMenuQUIT = BEENDEN\n"); }

TEST(LanguageTable, BucketsAreTheChooserOrder) {
  const std::pair<std::string, uint32_t> buckets[] = {
      {"English", 112}, {"Magyar", 119}, {"Deutsch", 472}, {"", 0},
      {"Fran\xC3\xA7" "ais", 381}, {"Espa\xC3\xB1ol", 271}, {"\xF0\x9F\x83\x8F", 403},  // UTF-16 units, surrogates
  };
  for (const auto& [name, bucket] : buckets) EXPECT_EQ(LanguageTable::Bucket(name), bucket) << name;
  // Within a bucket the newest name comes first; a name written again keeps its place.
  std::string other;
  for (int i = 0; other.empty(); ++i)
    if (LanguageTable::Bucket("L" + std::to_string(i)) == LanguageTable::Bucket("A")) other = "L" + std::to_string(i);
  LanguageTable table;
  table["A"].code = "a", table[other].code = "b", table["A"].code = "a2";
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table.inOrder()[0].name + "/" + table.inOrder()[1].code, other + "/a2");
  EXPECT_TRUE(table.find("a") == nullptr && !table.hasCode("A2"));  // names and codes are case-sensitive
}

class LanguagePack : public ::testing::Test {
 protected:
  std::string pack(const std::vector<ZipItem>& items) { WriteWholeFile(packFile, BuildZip(items)); return packFile; }
  std::vector<std::string> scannedNames(const std::string& path) {
    EXPECT_EQ((info.clear(), ScanLanguages(path, info, list)), 1);
    std::vector<std::string> names;
    for (const LanguageEntry& entry : list.entries()) names.push_back(entry.name);
    return names;
  }
  ScratchDir dir;
  const std::string packFile = dir.file("VesperineLanguages.pack");
  LanguageTable info;
  LanguageList list;
  Translations texts;
};

TEST_F(LanguagePack, ScanListsOnlyLanguageFilesInBucketOrder) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(scannedNames(pack({{"de_DE.language", GermanFile()}, {"hu_HU.language", LanguageFileText("Magyar")},
                               {"en_GB.language", EnglishFile()}})),
            (Names{"English", "Magyar", "Deutsch"}));
  EXPECT_EQ(info.find("English")->version + "/" + info.find("English")->author, "1.0/Quenmarsh");
  EXPECT_EQ(scannedNames(pack({{"readme.txt", "hello"}, {"en_GB.LANGUAGE", EnglishFile()},
                               {"en_GB.language.bak", EnglishFile()}, {"sub/", "", true},
                               {"sub/fr_FR.language", LanguageFileText("Francais")},
                               {"../evil.language", LanguageFileText("Evil")}, {"/tmp/abs.language", LanguageFileText("Abs")},
                               {"dir.language/", "", true}, {"de_DE.language", GermanFile()}})),
            Names{"Deutsch"});
  EXPECT_FALSE(std::filesystem::exists(dir.file("../evil.language")));
  EXPECT_EQ(LoadLanguage(packFile, "../evil", texts) + LoadLanguage(packFile, "sub/fr_FR", texts), 0);
  // Header keys in any letter case; a file without a header under the empty name; one record per name.
  EXPECT_EQ(scannedNames(pack({{"en_GB.language", "\xEF\xBB\xBF[language file]\ntlangfilename = English\n"},
                               {"en_US.language", EnglishFile()}, {"xx.language", "[Menu]\nA = 1\n"}})),
            (Names{"", "English"}));
  EXPECT_EQ(info.find("English")->code + "/" + info.find("")->code, "en_US/xx");
  EXPECT_TRUE(scannedNames(pack({{"readme.txt", "nothing here"}})).empty());
}

TEST_F(LanguagePack, LoadTakesEveryGroupsKeysAndKeepsKeysTheNextLanguageLacks) {
  const std::string path = pack({{"en_GB.language", "Stray = before any group\n" + EnglishFile()},
                                 {"xx.language", "[A]\nk = 1\ntmenustart = go\n[B]\nk = 2\nk = 3\n"},
                                 {"hu.language", "[LANGUAGE FILE]\ntLangFileNAME = Magyar\n[M]\nq = \xC3\x89\n"}});
  ASSERT_EQ(LoadLanguage(path, "en_GB", texts), 1);
  EXPECT_FALSE(texts.contains("Stray"));
  EXPECT_EQ(texts["tMenuQUIT"] + "/" + texts["tLangFileNAME"], "QUIT/English");
  ASSERT_EQ(LoadLanguage(path, "xx", texts), 1);
  // The last of a repeated key; keys are case-sensitive, so English's START stays.
  EXPECT_EQ(texts["k"] + "/" + texts["tmenustart"] + "/" + texts["tMenuSTART"], "3/go/START");
  ASSERT_EQ(LoadLanguage(path, "hu", texts), 1);
  EXPECT_EQ(texts["q"], "\xC3\x83\xC2\x89");  // UTF-8 without the mark arrives as Latin-1
}

TEST_F(LanguagePack, NothingIsExtractedAndNoSymlinkInTmpIsFollowed) {
  const std::string code = "zz_VesperineLink" + std::to_string(getpid()), link = "/tmp/" + code + ".language";
  WriteWholeFile(dir.file("victim"), "precious"), std::filesystem::remove(link), std::filesystem::create_symlink(dir.file("victim"), link);
  const std::string path = pack({{code + ".language", EnglishFile()}});
  EXPECT_EQ(ScanLanguages(path, info, list) + LoadLanguage(path, code, texts), 2);
  EXPECT_EQ(texts["tMenuSTART"] + "/" + ReadWholeFile(dir.file("victim")), "START/precious");
  std::filesystem::remove(link);
}

// The first start's language among the shipped ones, for locales of many regions, read as gettext
// reads them: LANGUAGE (unless the locale is C), else the first of LC_ALL, LC_MESSAGES, LANG.
TEST(LocaleLanguage, TheFirstShippedLanguageTheLocaleAsksFor) {
  LanguageTable info;
  LanguageList shipped;
  ASSERT_EQ(ScanLanguages(std::string(VESPERINE_SOURCE_DIR) + "/data/languages", info, shipped), 1);
  struct Case { const char *language, *all, *messages, *lang, *chosen; };
  const Case cases[] = {
      {"", "", "", "de_AT.UTF-8", "de_DE"},  {"", "", "", "de_CH.UTF-8", "de_DE"},  {"", "", "", "fr_CA.UTF-8", "fr_FR"},
      {"", "", "", "fr_BE@euro", "fr_FR"},   {"", "", "", "es_MX.UTF-8", "es_ES"},  {"", "", "", "pt_PT.UTF-8", "pt_BR"},
      {"", "", "", "pt_BR.UTF-8", "pt_BR"},  {"", "", "", "nl_BE.UTF-8", "nl_NL"},  {"", "", "", "el_CY", "el_GR"},
      {"", "de_DE.UTF-8", "", "en_GB.UTF-8", "de_DE"},  {"", "", "fr_FR.UTF-8", "en_GB.UTF-8", "fr_FR"},
      {"", "sv_SE.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8", "sv_SE"},  // LC_ALL over the others
      {"de", "", "", "en_GB.UTF-8", "de_DE"}, {"eo:hu:de", "", "", "en_GB.UTF-8", "hu_HU"},
      {"en_US:en", "", "", "de_DE.UTF-8", "en_GB"},
      {"eo:fi", "", "", "de_DE.UTF-8", ""},   // none of LANGUAGE shipped: untranslated, as gettext
      {"de", "", "", "C.UTF-8", ""},  {"de", "POSIX", "", "fr_FR.UTF-8", ""},  // LANGUAGE ignored under C
      {"C:de", "", "", "fr_FR.UTF-8", ""},  {"::it", "", "", "C", ""}, {"::it", "", "", "pl_PL", "it_IT"},
      {"", "", "", "ja_JP.UTF-8", ""},  {"", "", "", "", ""},  {"", "", "", "POSIX", ""}};
  for (const Case& c : cases) {
    const std::map<std::string, std::string> environment = {
        {"LANGUAGE", c.language}, {"LC_ALL", c.all}, {"LC_MESSAGES", c.messages}, {"LANG", c.lang}};
    const auto reader = [&](const char* name) { return environment.at(name); };
    EXPECT_EQ(ShippedLanguageFor(LocaleLanguages(reader), shipped), c.chosen)
        << c.language << " / " << c.all << " / " << c.messages << " / " << c.lang;
  }
  // Exactly before by the language alone, whatever the order of the list.
  LanguageList two;
  for (const char* code : {"pt_BR", "pt_PT"}) two.add({code, code});
  EXPECT_EQ(ShippedLanguageFor({"pt_PT", "pt"}, two) + ShippedLanguageFor({"pt"}, two), "pt_PTpt_BR");
}

// The shipped language files: every language defines every text the game shows, and fits its boxes.
TEST(ShippedLanguages, CompleteAndFitting) {
  const std::string dir = std::string(VESPERINE_SOURCE_DIR) + "/data/languages";
  const std::vector<std::string> keys = {  // menu entries and buttons, questions, the rest
      "tMenuSTART", "tMenuCONTINUE", "tMenuSETTINGS", "tMenuCREDITS", "tMenuQUIT", "tMenuYES", "tMenuNO", "tMenuOK",
      "tMenuCANCEL", "tQuestionsQUIT", "tQuestionsSTART", "tMenuLANGUAGE", "tMenuMUSIC", "tMenuSOUNDS", "tCreditsGFX", "tCreditsCODEDESIGN",
      "tCreditsPOINTER", "tCreditsMUSIC", "tErrorERROR", "tErrorSUBSYSTEM", "tErrorASSET", "tErrorSCREEN", "tLangFileNAME",
      "tMenuSCREEN", "tMenuFULLSCREEN", "tMenuWINDOW", "tMenuBORDERLESS",
      "tLangFileVERSION", "tLangFileDATE", "tLangFileAUTHOR", "tLangFileLANGID", "tLangFileSOFTWARE"};
  LanguageTable info;
  LanguageList list;
  ASSERT_EQ(ScanLanguages(dir, info, list), 1);
  ASSERT_EQ(list.size(), 13u);
  for (const LanguageEntry& entry : list.entries()) {
    SCOPED_TRACE(entry.code);
    EXPECT_EQ(info.find(entry.name)->author + "/" + info.find(entry.name)->software, "Quenmarsh/Vesperine");
    const std::string bytes = ReadWholeFile(dir + "/" + entry.code + ".language");
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF") && bytes.find('\r') == std::string::npos);
    Translations texts;
    ASSERT_EQ(LoadLanguage(dir, entry.code, texts), 1);
    for (const std::string& key : keys) EXPECT_FALSE(texts[key].empty()) << key;
    EXPECT_EQ(texts.size(), keys.size()) << "a key the game does not use";
    // Menu entries and buttons: about 12 capitals in their boxes; questions: two lines of about 33.
    for (size_t k = 0; k < 11; ++k) EXPECT_LE(Utf8ToUtf16(texts[keys[k]]).size(), k < 9 ? 12u : 66u) << keys[k];
    // Settings labels: about 14 letters before the arrows and the check boxes, 200 pixels on.
    for (size_t k = 11; k < 14; ++k) EXPECT_LE(Utf8ToUtf16(texts[keys[k]]).size(), 14u) << keys[k];
    // The screen kinds' names, between their arrows: about 24 letters of the small font in 280 pixels.
    for (const char* key : {"tMenuFULLSCREEN", "tMenuWINDOW", "tMenuBORDERLESS"}) EXPECT_LE(Utf8ToUtf16(texts[key]).size(), 24u) << key;
  }
}

}  // namespace
