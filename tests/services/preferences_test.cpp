#include "services/preferences.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "services_test_support.h"

namespace {

const std::string kDesignedFile =
    "\xEF\xBB\xBF\n"
    "; Vesperine 1.0 Preferences\n"
    "[Settings]\n"
    "Language = en_GB\n"
    "Music = 1\n"
    "GameScreen = 0\n"
    "ScreenMode = 1280x720\n";

Preferences Load(const std::string& fileText, Preferences start = {}) {
  ScratchDir dir;
  WriteWholeFile(dir.file("Vesperine.prefs"), fileText);
  EXPECT_EQ(LoadPreferences(dir.path(), start), 1);
  return start;
}

TEST(Preferences, WritesTheDesignedBytes) {
  ScratchDir dir;
  Preferences prefs;
  prefs.languageCode = "en_GB";
  ASSERT_EQ(SavePreferences(dir.path(), prefs), 1);
  EXPECT_EQ(ReadWholeFile(dir.file("Vesperine.prefs")), kDesignedFile);
}

TEST(Preferences, ReadBackAndWrittenAgainByteForByte) {
  ScratchDir dir;
  Preferences prefs;
  prefs.languageCode = "hu_HU";
  prefs.musicOn = 0;
  prefs.screenKind = 2;
  prefs.screenModeText = "1024x768";
  ASSERT_EQ(SavePreferences(dir.path(), prefs), 1);
  const std::string firstBytes = ReadWholeFile(dir.file("Vesperine.prefs"));

  Preferences reread;
  ASSERT_EQ(LoadPreferences(dir.path(), reread), 1);
  EXPECT_EQ(reread.languageCode, "hu_HU");
  EXPECT_EQ(reread.musicOn, 0);
  EXPECT_EQ(reread.screenKind, 2);
  EXPECT_EQ(reread.screenModeText, "1024x768");

  ASSERT_EQ(SavePreferences(dir.path(), reread), 1);
  EXPECT_EQ(ReadWholeFile(dir.file("Vesperine.prefs")), firstBytes);
}

TEST(Preferences, IntegersAreWrittenFromTheirLow32Bits) {
  Preferences prefs;
  prefs.musicOn = 4294967297LL;
  prefs.screenKind = 2147483648LL;
  const std::string bytes = PreferencesFileBytes(prefs);
  EXPECT_NE(bytes.find("Music = 1\n"), std::string::npos);
  EXPECT_NE(bytes.find("GameScreen = -2147483648\n"), std::string::npos);
}

TEST(Preferences, MissingFileLeavesTheValues) {
  ScratchDir dir;
  Preferences prefs;
  prefs.languageCode = "de_DE";
  prefs.musicOn = 0;
  EXPECT_EQ(LoadPreferences(dir.path(), prefs), 0);
  EXPECT_EQ(prefs.languageCode, "de_DE");
  EXPECT_EQ(prefs.musicOn, 0);
}

TEST(Preferences, FileWithoutSettingsGroupGivesDefaults) {
  Preferences start;
  start.languageCode = "fr_FR";
  start.musicOn = 0;
  start.screenKind = 1;
  start.screenModeText = "800x600";
  const Preferences read = Load("[Other]\nLanguage = de_DE\nMusic = 0\n", start);
  EXPECT_EQ(read.languageCode, "");
  EXPECT_EQ(read.musicOn, 1);
  EXPECT_EQ(read.screenKind, 1);  // GameScreen keeps the current value
  EXPECT_EQ(read.screenModeText, "1280x720");
}

TEST(Preferences, MissingLanguageReadsEmpty) {
  Preferences start;
  start.languageCode = "it_IT";
  const Preferences read = Load("[Settings]\nMusic = 0\n", start);
  EXPECT_EQ(read.languageCode, "");
  EXPECT_EQ(read.musicOn, 0);
}

TEST(Preferences, EdgeCasesOfTheSettingsFile) {
  EXPECT_EQ(Load("[settings]\nMUSIC=0\n").musicOn, 0);
  EXPECT_EQ(Load("[Settings]\n music = 0 \n").musicOn, 0);
  EXPECT_EQ(Load("[Settings]\nMusic = yes\n").musicOn, 0);
  EXPECT_EQ(Load("[Settings]\nMusic = 2x\n").musicOn, 2);
  EXPECT_EQ(Load("[Settings]\nMusic = 0\nMusic = 1\n").musicOn, 0);
  EXPECT_EQ(Load("Music = 0\n[Settings]\n").musicOn, 1);
  EXPECT_EQ(Load("[Sound]\nMusic = 0\n[Settings]\n").musicOn, 1);
  EXPECT_EQ(Load("[Settings]\nScreenMode = 1024x768   \n").screenModeText, "1024x768");
  EXPECT_EQ(Load("[Settings]\nLanguage = caf\xE9\n").languageCode, "caf\xC3\xA9");
  EXPECT_EQ(Load("[Settings]\nGameScreen = 4294967297\n").screenKind, 1);
  EXPECT_EQ(Load("[Settings]\nGameScreen = 2147483648\n").screenKind, -2147483648LL);
}

TEST(Preferences, GarbageFilesAreReadWithoutKeys) {
  std::string garbage;
  for (int i = 0; i < 300000; ++i) garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
  const Preferences read = Load(garbage);
  EXPECT_EQ(read.musicOn, 1);
  EXPECT_EQ(read.screenModeText, "1280x720");
  EXPECT_EQ(Load(std::string(1 << 20, 'a')).musicOn, 1);
  EXPECT_EQ(Load("=").musicOn, 1);
  EXPECT_EQ(Load("[").musicOn, 1);
}

TEST(Preferences, SaveReplacesAtomicallyAndLeavesNoTemporaryFile) {
  ScratchDir dir;
  WriteWholeFile(dir.file("Vesperine.prefs"), "old contents that are much longer than the new ones will be\n");
  Preferences prefs;
  prefs.languageCode = "en_GB";
  ASSERT_EQ(SavePreferences(dir.path(), prefs), 1);
  EXPECT_EQ(ReadWholeFile(dir.file("Vesperine.prefs")), kDesignedFile);
  int files = 0;
  for (const auto& item : std::filesystem::directory_iterator(dir.path())) {
    ++files;
    EXPECT_EQ(item.path().filename(), "Vesperine.prefs");
  }
  EXPECT_EQ(files, 1);
}

TEST(Preferences, NewFileGetsTheDefaultPermissions) {
  ScratchDir dir;
  const mode_t old = umask(022);
  ASSERT_EQ(SavePreferences(dir.path(), Preferences{}), 1);
  umask(old);
  struct stat info {};
  ASSERT_EQ(stat(dir.file("Vesperine.prefs").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(Preferences, SaveIntoMissingDirectoryFailsAndKeepsOldFileOnFailure) {
  ScratchDir dir;
  EXPECT_EQ(SavePreferences(dir.file("missing/"), Preferences{}), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST(Preferences, ReadOnlyDirectoryKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  ScratchDir dir;
  WriteWholeFile(dir.file("Vesperine.prefs"), "old");
  chmod(dir.path().c_str(), 0500);
  EXPECT_EQ(SavePreferences(dir.path(), Preferences{}), 0);
  chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(ReadWholeFile(dir.file("Vesperine.prefs")), "old");
}

TEST(Preferences, DirectoryInsteadOfFileIsNotAPreferencesFile) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.file("Vesperine.prefs"));
  Preferences prefs;
  EXPECT_EQ(LoadPreferences(dir.path(), prefs), 0);
}

}  // namespace
