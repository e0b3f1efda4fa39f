// The language table and chooser list, language packs (zip or directory), and the shipped languages.
#include "services/languages.h"

#include <unistd.h>

#include "services/text_encoding.h"
#include "test_files.h"
#include "zip_bytes.h"

namespace {

std::string EnglishFile() {
  return LanguageFileText("English", "[Menu]\ntMenuSTART = START\ntMenuQUIT =   QUIT  \n[Credits]\ntCreditsMUSIC = Music\n");
}
std::string GermanFile() { return LanguageFileText("Deutsch", "[Menu]\ntMenuSTART = START\ntMenuQUIT = BEENDEN\n"); }
std::string HungarianFile() { return LanguageFileText("Magyar", "[Menu]\ntMenuQUIT = KIL\xC3\x89P\xC3\x89S\n"); }

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
  table["A"].code = "a";
  table[other].code = "b";
  table["A"].code = "a2";
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table.inOrder()[0].name + "/" + table.inOrder()[1].code, other + "/a2");
  EXPECT_TRUE(table.find("a") == nullptr && !table.hasCode("A2"));  // names and codes are case-sensitive
}

class LanguagePack : public ::testing::Test {
 protected:
  std::string pack(const std::vector<ZipItem>& items) { WriteWholeFile(packFile, BuildZip(items)); return packFile; }
  std::vector<std::string> scannedNames(const std::string& path) {
    info.clear();
    EXPECT_EQ(ScanLanguages(path, info, list), 1);
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
  EXPECT_EQ(scannedNames(pack({{"de_DE.language", GermanFile()}, {"hu_HU.language", HungarianFile()},
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
  WriteWholeFile(dir.file("victim"), "precious");
  std::filesystem::remove(link);
  std::filesystem::create_symlink(dir.file("victim"), link);
  const std::string path = pack({{code + ".language", EnglishFile()}});
  EXPECT_EQ(ScanLanguages(path, info, list) + LoadLanguage(path, code, texts), 2);
  EXPECT_EQ(texts["tMenuSTART"] + "/" + ReadWholeFile(dir.file("victim")), "START/precious");
  std::filesystem::remove(link);
}

TEST(SystemLanguage, FromTheEnvironment) {
  const std::tuple<std::optional<std::string>, int, std::string> cases[] = {
      {"de_DE.UTF-8", 0, "de_DE"}, {"de_DE.UTF-8", 2, "DE"}, {"de_DE.UTF-8", 3, ""}, {"de_DE.UTF-8", -1, ""},
      {"POSIX", 0, "POSIX"},       {"POSIX", 2, ""},         {"sr_RS_latin.UTF-8@x", 2, "RS"},
      {std::nullopt, 0, ""},       {std::nullopt, 2, ""}};
  const ScopedEnv language("LANGUAGE", "de:en");
  for (const auto& [lang, kind, expected] : cases) {
    const ScopedEnv env("LANG", lang);
    EXPECT_EQ(SystemLanguage(kind), expected) << lang.value_or("(unset)") << " " << kind;
  }
  EXPECT_EQ(SystemLanguage(1), "de:en");
}

// The shipped language files: every language defines every text the game shows, and fits its boxes.
TEST(ShippedLanguages, CompleteAndFitting) {
  const std::string dir = std::string(VESPERINE_SOURCE_DIR) + "/data/languages";
  const std::vector<std::string> keys = {  // menu entries and buttons, questions, the rest
      "tMenuSTART", "tMenuCONTINUE", "tMenuSETTINGS", "tMenuCREDITS", "tMenuQUIT", "tMenuYES", "tMenuNO", "tMenuOK",
      "tMenuCANCEL", "tQuestionsQUIT", "tQuestionsSTART", "tMenuLANGUAGE", "tMenuMUSIC", "tCreditsGFX", "tCreditsCODEDESIGN",
      "tCreditsPOINTER", "tCreditsMUSIC", "tErrorERROR", "tErrorSUBSYSTEM", "tErrorASSET", "tErrorSCREEN", "tLangFileNAME",
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
  }
}

}  // namespace
