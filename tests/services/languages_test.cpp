#include "services/languages.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "services/log.h"
#include "services_test_support.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::string EnglishFile() {
  return LanguageFileText("English", "[Menu]\ntMenuSTART = START\ntMenuQUIT =   QUIT  \n[Credits]\ntCreditsMUSIC = Music\n");
}
std::string GermanFile() {
  return LanguageFileText("Deutsch", "[Menu]\ntMenuSTART = START\ntMenuQUIT = BEENDEN\n");
}
std::string HungarianFile() { return LanguageFileText("Magyar", "[Menu]\ntMenuQUIT = KIL\xC3\x89P\xC3\x89S\n"); }

class LanguagePack : public ::testing::Test {
 protected:
  std::string writePack(const std::vector<ZipItem>& items) {
    const std::string path = dir.file("VesperineLanguages.pack");
    WriteWholeFile(path, BuildZip(items));
    return path;
  }
  std::vector<std::string> namesInOrder() const {
    std::vector<std::string> names;
    for (const LanguageEntry& entry : list.entries()) names.push_back(entry.name);
    return names;
  }

  ScratchDir dir;
  LanguageTable info;
  LanguageList list;
  Translations translations;
};

TEST_F(LanguagePack, ScanFindsEveryLanguageInBucketOrder) {
  const std::string pack = writePack({{"de_DE.language", GermanFile()},
                                      {"hu_HU.language", HungarianFile()},
                                      {"en_GB.language", EnglishFile()}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  EXPECT_EQ(namesInOrder(), (std::vector<std::string>{"English", "Magyar", "Deutsch"}));
  EXPECT_EQ(list[0].code, "en_GB");
  EXPECT_EQ(list[2].code, "de_DE");
  const LanguageInfo* english = info.find("English");
  ASSERT_NE(english, nullptr);
  EXPECT_EQ(english->code, "en_GB");
  EXPECT_EQ(english->version, "1.0");
  EXPECT_EQ(english->author, "Quenmarsh");
  EXPECT_EQ(english->date, "");
}

TEST_F(LanguagePack, OrderDoesNotDependOnThePackOrder) {
  const std::string pack = writePack({{"en_GB.language", EnglishFile()},
                                      {"de_DE.language", GermanFile()},
                                      {"hu_HU.language", HungarianFile()}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  EXPECT_EQ(namesInOrder(), (std::vector<std::string>{"English", "Magyar", "Deutsch"}));
  EXPECT_EQ(LanguageIndex(list, "de_DE"), 2);
}

TEST_F(LanguagePack, OtherEntriesAreIgnored) {
  const std::string pack = writePack({{"readme.txt", "hello"},
                                      {"en_GB.LANGUAGE", EnglishFile()},
                                      {"en_GB.language.bak", EnglishFile()},
                                      {"de_DE.language", GermanFile()}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  EXPECT_EQ(namesInOrder(), (std::vector<std::string>{"Deutsch"}));
}

TEST_F(LanguagePack, EntriesWithADirectoryPartAreSkipped) {
  const std::string pack = writePack({{"sub/", "", true},
                                      {"sub/fr_FR.language", LanguageFileText("Francais")},
                                      {"../evil.language", LanguageFileText("Evil")},
                                      {"../../tmp/evil2.language", LanguageFileText("Evil2")},
                                      {"/tmp/abs.language", LanguageFileText("Abs")},
                                      {"dir.language/", "", true},
                                      {"en_GB.language", EnglishFile()}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  EXPECT_EQ(namesInOrder(), (std::vector<std::string>{"English"}));
  EXPECT_FALSE(std::filesystem::exists(dir.file("../evil.language")));
  EXPECT_FALSE(std::filesystem::exists("/tmp/evil2.language"));
  EXPECT_EQ(LoadLanguage(pack, "../evil", translations), 0);
  EXPECT_EQ(LoadLanguage(pack, "sub/fr_FR", translations), 0);
  EXPECT_EQ(translations.size(), 0u);
}

TEST_F(LanguagePack, NothingIsExtractedToTheTemporaryDirectory) {
  const std::string code = "zz_VesperineTest" + std::to_string(getpid());
  const std::string temporary = "/tmp/" + code + ".language";
  const std::string pack = writePack({{code + ".language", EnglishFile()}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  ASSERT_EQ(LoadLanguage(pack, code, translations), 1);
  EXPECT_FALSE(std::filesystem::exists(temporary));
  EXPECT_EQ(translations["tMenuSTART"], "START");
}

TEST_F(LanguagePack, AnAttackersSymlinkInTmpIsNeverFollowed) {
  const std::string code = "zz_VesperineLink" + std::to_string(getpid());
  const std::string link = "/tmp/" + code + ".language";
  const std::string victim = dir.file("victim");
  WriteWholeFile(victim, "precious");
  std::filesystem::remove(link);
  std::filesystem::create_symlink(victim, link);
  const std::string pack = writePack({{code + ".language", EnglishFile()}});
  EXPECT_EQ(ScanLanguages(pack, info, list), 1);
  EXPECT_EQ(LoadLanguage(pack, code, translations), 1);
  EXPECT_EQ(ReadWholeFile(victim), "precious");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  std::filesystem::remove(link);
}

TEST_F(LanguagePack, LoadPutsEveryGroupsKeysIntoTheTable) {
  const std::string pack = writePack({{"en_GB.language", "Stray = before any group\n" + EnglishFile()}});
  ASSERT_EQ(LoadLanguage(pack, "en_GB", translations), 1);
  EXPECT_EQ(translations["tMenuSTART"], "START");
  EXPECT_EQ(translations["tMenuQUIT"], "QUIT");
  EXPECT_EQ(translations["tCreditsMUSIC"], "Music");
  EXPECT_EQ(translations["tLangFileNAME"], "English");
  EXPECT_FALSE(translations.contains("Stray"));
}

TEST_F(LanguagePack, TranslationKeysAreCaseSensitive) {
  const std::string pack = writePack({{"xx.language", LanguageFileText("X", "[Menu]\ntmenustart = go\n")}});
  ASSERT_EQ(LoadLanguage(pack, "xx", translations), 1);
  EXPECT_EQ(translations["tMenuSTART"], "");
  EXPECT_EQ(translations["tmenustart"], "go");
}

TEST_F(LanguagePack, LastOfARepeatedKeyWins) {
  const std::string pack = writePack({{"xx.language", "[A]\nk = 1\n[B]\nk = 2\nk = 3\n"}});
  ASSERT_EQ(LoadLanguage(pack, "xx", translations), 1);
  EXPECT_EQ(translations["k"], "3");
}

TEST_F(LanguagePack, HeaderKeysAndGroupInAnyCase) {
  const std::string pack = writePack(
      {{"en_GB.language", kBom + "[language file]\ntlangfilename = English\nTLANGFILEVERSION =  2.5 \n"}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  ASSERT_NE(info.find("English"), nullptr);
  EXPECT_EQ(info.find("English")->version, "2.5");
}

TEST_F(LanguagePack, FileWithoutHeaderIsRecordedUnderAnEmptyName) {
  const std::string pack = writePack({{"xx.language", "[Menu]\ntMenuSTART = GO\n"}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  ASSERT_NE(info.find(""), nullptr);
  EXPECT_EQ(info.find("")->code, "xx");
}

TEST_F(LanguagePack, SameNameSharesOneRecordAndTheLaterWins) {
  const std::string pack = writePack({{"en_GB.language", EnglishFile()}, {"en_US.language", EnglishFile()}});
  ASSERT_EQ(ScanLanguages(pack, info, list), 1);
  EXPECT_EQ(info.size(), 1u);
  EXPECT_EQ(info.find("English")->code, "en_US");
}

TEST_F(LanguagePack, Utf8WithoutMarkArrivesAsLatin1) {
  const std::string pack = writePack({{"hu.language", "[LANGUAGE FILE]\ntLangFileNAME = Magyar\n[M]\nq = \xC3\x89\n"}});
  ASSERT_EQ(LoadLanguage(pack, "hu", translations), 1);
  EXPECT_EQ(translations["q"], "\xC3\x83\xC2\x89");
}

TEST_F(LanguagePack, SwitchingLanguageKeepsKeysTheNewOneLacks) {
  const std::string pack = writePack({{"en_GB.language", EnglishFile()}, {"de_DE.language", GermanFile()}});
  ASSERT_EQ(LoadLanguage(pack, "en_GB", translations), 1);
  ASSERT_EQ(LoadLanguage(pack, "de_DE", translations), 1);
  EXPECT_EQ(translations["tMenuQUIT"], "BEENDEN");
  EXPECT_EQ(translations["tCreditsMUSIC"], "Music");
}

TEST_F(LanguagePack, MissingEmptyTruncatedOrForeignPacksGiveNothing) {
  const std::string good = BuildZip({{"en_GB.language", EnglishFile()}, {"de_DE.language", GermanFile()}});
  const std::vector<std::pair<std::string, std::string>> broken = {
      {"empty", ""},
      {"truncated", good.substr(0, good.size() / 2)},
      {"cut-header", good.substr(0, 20)},
      {"text", "this is not a zip archive at all\n"},
      {"garbage", std::string(5000, '\xA5')},
  };
  for (const auto& [label, bytes] : broken) {
    SCOPED_TRACE(label);
    LanguageTable table;
    LanguageList languages;
    Translations texts;
    const std::string path = dir.file(label + ".pack");
    WriteWholeFile(path, bytes);
    ScanLanguages(path, table, languages);
    EXPECT_FALSE(table.hasCode("en_GB"));
    EXPECT_EQ(LoadLanguage(path, "en_GB", texts), 0);
    EXPECT_EQ(texts.size(), 0u);
  }
  EXPECT_EQ(ScanLanguages(dir.file("missing.pack"), info, list), 0);
  EXPECT_EQ(LoadLanguage(dir.file("missing.pack"), "en_GB", translations), 0);
  EXPECT_EQ(info.size(), 0u);
  EXPECT_TRUE(list.empty());
}

TEST_F(LanguagePack, NotAZipArchiveReportsFailure) {
  const std::string path = dir.file("not.pack");
  WriteWholeFile(path, "PK but not really");
  EXPECT_EQ(ScanLanguages(path, info, list), 0);
}

TEST_F(LanguagePack, PackWithoutLanguagesScansToAnEmptyList) {
  const std::string pack = writePack({{"readme.txt", "nothing here"}});
  EXPECT_EQ(ScanLanguages(pack, info, list), 1);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(LoadLanguage(pack, "en_GB", translations), 0);
}

TEST_F(LanguagePack, InMemoryEntryPoints) {
  const std::string bytes = BuildZip({{"en_GB.language", EnglishFile()}});
  ASSERT_EQ(ScanLanguagePackMemory(bytes.data(), bytes.size(), info, list), 1);
  EXPECT_EQ(list.size(), 1u);
  ASSERT_EQ(LoadLanguageFromMemory(bytes.data(), bytes.size(), "en_GB", translations), 1);
  EXPECT_EQ(translations["tMenuQUIT"], "QUIT");
}

TEST_F(LanguagePack, DirectoryPack) {
  const std::string packDir = dir.file("VesperineLanguages.pack");
  std::filesystem::create_directory(packDir);
  WriteWholeFile(packDir + "/en_GB.language", EnglishFile());
  WriteWholeFile(packDir + "/hu_HU.language", HungarianFile());
  WriteWholeFile(packDir + "/de_DE.language", GermanFile());
  WriteWholeFile(packDir + "/notes.txt", "x");
  std::filesystem::create_directory(packDir + "/fr_FR.language");
  ASSERT_EQ(ScanLanguages(packDir, info, list), 1);
  EXPECT_EQ(namesInOrder(), (std::vector<std::string>{"English", "Magyar", "Deutsch"}));
  ASSERT_EQ(LoadLanguage(packDir, "hu_HU", translations), 1);
  EXPECT_EQ(translations["tMenuQUIT"], "KIL\xC3\x89P\xC3\x89S");
  EXPECT_EQ(LoadLanguage(packDir, "fr_FR", translations), 0);
  EXPECT_EQ(LoadLanguage(packDir, "xx_XX", translations), 0);
}

TEST_F(LanguagePack, UnreadableDirectoryPackFails) {
  if (geteuid() == 0) GTEST_SKIP() << "root lists any directory";
  const std::string packDir = dir.file("locked.pack");
  std::filesystem::create_directory(packDir);
  std::filesystem::permissions(packDir, std::filesystem::perms::none);
  EXPECT_EQ(ScanLanguages(packDir, info, list), 0);
  std::filesystem::permissions(packDir, std::filesystem::perms::owner_all);
}

TEST(LanguageIndex, CursorIsLeftWhereTheSearchEnded) {
  LanguageList list;
  EXPECT_EQ(LanguageIndex(list, "en_GB"), 0);
  EXPECT_EQ(list.current(), nullptr);
  list.add({"en_GB", "English"});
  list.add({"hu_HU", "Magyar"});
  list.add({"de_DE", "Deutsch"});
  EXPECT_EQ(LanguageIndex(list, "hu_HU"), 1);
  EXPECT_EQ(list.current()->code, "hu_HU");
  EXPECT_EQ(LanguageIndex(list, "en_GB"), 0);
  EXPECT_EQ(list.currentIndex(), 0);
  EXPECT_EQ(LanguageIndex(list, "fr_FR"), 0);
  EXPECT_EQ(list.current()->code, "de_DE");
  EXPECT_FALSE(list.next());
  EXPECT_EQ(LanguageIndex(list, "HU_hu"), 0);  // exact comparison
}

TEST(LanguageIndex, FirstOfEqualCodes) {
  LanguageList list;
  list.add({"a", "A"});
  list.add({"b", "B1"});
  list.add({"b", "B2"});
  EXPECT_EQ(LanguageIndex(list, "b"), 1);
}

TEST(RebuildLanguageList, ReplacesTheOldList) {
  LanguageTable table;
  table["Deutsch"].code = "de_DE";
  table["English"].code = "en_GB";
  LanguageList list;
  list.add({"xx", "Old"});
  RebuildLanguageList(table, list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].code, "en_GB");
  EXPECT_EQ(list[0].name, "English");
  EXPECT_EQ(list[1].code, "de_DE");
}

TEST(SystemLanguage, Kinds) {
  const ScopedEnv lang("LANG", "de_DE.UTF-8");
  const ScopedEnv language("LANGUAGE", "de:en");
  EXPECT_EQ(SystemLanguage(0), "de_DE");
  EXPECT_EQ(SystemLanguage(1), "de:en");
  EXPECT_EQ(SystemLanguage(2), "DE");
  EXPECT_EQ(SystemLanguage(3), "");
  EXPECT_EQ(SystemLanguage(-1), "");
}

TEST(SystemLanguage, UnusualValues) {
  {
    const ScopedEnv lang("LANG", "POSIX");
    EXPECT_EQ(SystemLanguage(0), "POSIX");
    EXPECT_EQ(SystemLanguage(2), "");
  }
  {
    const ScopedEnv lang("LANG", "sr_RS_latin.UTF-8@x");
    EXPECT_EQ(SystemLanguage(2), "RS");
  }
  {
    const ScopedEnv lang("LANG", std::nullopt);
    const ScopedEnv language("LANGUAGE", std::nullopt);
    EXPECT_EQ(SystemLanguage(0), "");
    EXPECT_EQ(SystemLanguage(1), "");
    EXPECT_EQ(SystemLanguage(2), "");
  }
}

TEST(LoadLanguageLogLine, Format) {
  EXPECT_EQ(LoadLanguageLogLine("en_GB", 1), "Load language (en_GB):\t\tOK");
  EXPECT_EQ(LoadLanguageLogLine("en_GB", 0), "Load language (en_GB):\t\tFAILED");
}

}  // namespace
