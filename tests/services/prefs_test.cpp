// The preferences syntax (one table per kind of value read), its writer, and the preferences file.

#include "services/preferences.h"
#include "services/prefs_syntax.h"
#include "test_files.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kDesignedFile =
    kBom + "\n; Vesperine 1.0 Preferences\n[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 0\nScreenMode = 1280x720\n";

PrefsDocument Settings(const std::string& bytes) {
  PrefsDocument document = PrefsDocument::Parse(bytes);
  document.selectGroup("Settings");
  return document;
}

TEST(PrefsSyntax, IntegersAndTextsRead) {
  const std::pair<std::string, int64_t> integers[] = {
      // Names of any letter case, blanks around; the number at the start of the value.
      {"[settings]\nMUSIC=0\n", 0},            {"[SETTINGS]\n  music  =  0  \n", 0}, {"[Settings]\n\tmusic\t=\t0\n", 0},
      {"[Settings]\nMusic = yes\n", 0},        {"[Settings]\nMusic = 2x\n", 2},     {"[Settings]\nMusic = -17\n", -17},
      {"[Settings]\nMusic = +5\n", 5},         {"[Settings]\nMusic =\n", 0},        {"[Settings]\nMusic = - 5\n", 0},
      // The low 32 bits, signed.
      {"[Settings]\nMusic = 4294967297\n", 1}, {"[Settings]\nMusic = 2147483648\n", -2147483648LL},
      {"[Settings]\nMusic = -2147483649\n", 2147483647},
      {"[Settings]\nMusic = 0\nMusic = 1\n", 0},  // the first of two keys
      // Outside the group: the default.
      {"Music = 0\n[Settings]\nLanguage = de_DE\n", 1}, {"[Other]\nMusic = 0\n[Settings]\n", 1}, {"", 1},
      {"[Settings]\nLanguage = x\n[Other]\nMusic = 0\n", 1}, {"[Settings]\n; Music = 0\nno equals sign here\nMusic = 0\n", 0},
      {"[Settings]\r\n\r\nA = 1\rMusic = 2\n\n\n", 2},  // every line end
      {std::string("=\n[\n]\n\0\0\0=\0\n", 12) + std::string(100000, 'x') + "\n[Settings]\nMusic = 0\n", 0},
      {std::string(200000, '['), 1}, {std::string(200000, '='), 1}};
  for (const auto& [bytes, expected] : integers) EXPECT_EQ(Settings(bytes).readInt("Music", 1), expected) << bytes.substr(0, 50);
  EXPECT_EQ(ParsePrefsInt("100000000000000000000000"), -159383552);  // 10^23 in 32 bits
  EXPECT_EQ(ParsePrefsInt("   42abc"), 42);
  const std::pair<std::string, std::string> texts[] = {
      {"[Settings]\nV = 1024x768  \t \n", "1024x768"}, {"[Settings]\nV=\t 800x600\n", "800x600"}, {"[Settings]\nV = a = b\n", "a = b"},
      // Latin-1 without the byte-order mark, UTF-8 with it.
      {"[Settings]\nV = caf\xE9\n", "caf\xC3\xA9"}, {kBom + "[Settings]\nV = caf\xC3\xA9\n", "caf\xC3\xA9"},
      {"[Settings]\nV = caf\xC3\xA9\n", "caf\xC3\x83\xC2\xA9"}, {kBom + "[Settings]\nV = a\xFF" "b\xC3\n", "a\xEF\xBF\xBD" "b\xEF\xBF\xBD"},
      // The first group of the name counts.
      {"[Other]\nV = de_DE\n", "<none>"}, {"[Settings]\nA = 1\n[Settings]\nV = de\n", "<none>"}, {"  [Settings] trailing\nV=1\n", "1"}};
  for (const auto& [bytes, expected] : texts) EXPECT_EQ(Settings(bytes).readText("V", "<none>"), expected) << bytes;
  PrefsDocument document = PrefsDocument::Parse(kBom + "[Gr\xC3\xBC\xC3\x9F" "e]\nK = 1\n[Open\nB = 2\n");
  EXPECT_TRUE(document.selectGroup("GR\xC3\xBC\xC3\x9F" "E") && !document.selectGroup("GR\xC3\x9C\xC3\x9F" "E"));  // only ASCII folds
  EXPECT_TRUE(document.selectGroup("Open") && document.readInt("B", 9) == 2);
}

TEST(PrefsSyntax, Writer) {
  PrefsDocument fresh;
  fresh.writeComment("Hello"), fresh.selectGroup("Settings");
  fresh.writeText("Language", "de\nMusic = 0");  // never a line break inside an element
  fresh.writeInt("Big", 4294967297LL), fresh.writeInt("Negative", -3);
  EXPECT_EQ(fresh.serialise(), kBom + "\n; Hello\n[Settings]\nLanguage = de Music = 0\nBig = 1\nNegative = -3\n");
  PrefsDocument document = PrefsDocument::Parse("[A]\nx = 1\ny = 2\n[B]\nz = 3\n");
  document.selectGroup("a"), document.writeText("X", "9"), document.writeText("w", "4");
  document.selectGroup("C"), document.writeInt("q", 5);
  EXPECT_EQ(document.serialise(), kBom + "\n[A]\nx = 9\ny = 2\nw = 4\n[B]\nz = 3\n[C]\nq = 5\n");
  const PrefsDocument first = PrefsDocument::Parse("; note\n[ G ]\n k\t= v \n=\n[\n;\nx=\xE9\n");
  EXPECT_EQ(PrefsDocument::Parse(first.serialise()).lines(), first.lines());
}

TEST(Preferences, DesignedBytesWrittenReadAndWrittenAgainAndMissingKeysGiveDefaultsButGameScreenKeepsItsValue) {
  ScratchDir dir;
  ASSERT_EQ(SavePreferences(dir.path(), {"en_GB"}), 1);  // (its permission bits and no file left: PreferencesSave)
  EXPECT_EQ(ReadWholeFile(dir.file("Vesperine.prefs")), kDesignedFile);
  ASSERT_EQ(SavePreferences(dir.path(), {"hu_HU", 0, 2, "1024x768"}), 1);
  Preferences reread;
  ASSERT_EQ(LoadPreferences(dir.path(), reread), 1);
  EXPECT_EQ(std::tie(reread.languageCode, reread.musicOn, reread.screenKind, reread.screenModeText),
            std::make_tuple("hu_HU", 0, 2, "1024x768"));
  std::filesystem::remove(dir.file("Vesperine.prefs"));
  Preferences prefs{"fr_FR", 0, 1, "800x600"};
  EXPECT_EQ(LoadPreferences(dir.path(), prefs), 0);  // no file: nothing changes
  std::filesystem::create_directory(dir.file("Vesperine.prefs"));
  EXPECT_EQ(LoadPreferences(dir.path(), prefs), 0);  // nor a directory in its place
  std::filesystem::remove(dir.file("Vesperine.prefs")), WriteWholeFile(dir.file("Vesperine.prefs"), "[Other]\nLanguage = de_DE\nMusic = 0\n");
  ASSERT_EQ(LoadPreferences(dir.path(), prefs), 1);
  EXPECT_EQ(std::tie(prefs.languageCode, prefs.musicOn, prefs.screenKind, prefs.screenModeText),
            std::make_tuple("", 1, 1, "1280x720"));
}

// The effects' switch: a seventh line after the six, only while off, so the six read as before; no
// line, a line in another group, or any value but 0 is on.
TEST(Preferences, SoundsSwitchIsASeventhLineOnlyWhileOff) {
  ScratchDir dir;
  for (const auto& [sounds, bytes] : {std::pair{int64_t{1}, kDesignedFile}, {int64_t{0}, kDesignedFile + "Sounds = 0\n"}}) {
    Preferences prefs{"en_GB"};
    prefs.soundsOn = sounds;
    ASSERT_EQ(SavePreferences(dir.path(), prefs), 1);
    EXPECT_EQ(ReadWholeFile(dir.file("Vesperine.prefs")), bytes);
    Preferences reread{"xx_XX", 0, 2, "1x1"};
    reread.soundsOn = 1 - sounds;
    ASSERT_EQ(LoadPreferences(dir.path(), reread), 1);
    EXPECT_EQ(std::tie(reread.languageCode, reread.musicOn, reread.screenKind, reread.screenModeText, reread.soundsOn),
              std::make_tuple("en_GB", 1, 0, "1280x720", sounds));
  }
  const std::pair<const char*, int64_t> lines[] = {
      {"", 1}, {"Sounds = 0\n", 0}, {"sounds=2\n", 1}, {"Sounds = off\n", 0}, {"[Other]\nSounds = 0\n", 1}};
  for (const auto& [line, on] : lines) {
    WriteWholeFile(dir.file("Vesperine.prefs"), std::string("[Settings]\nMusic = 0\n") + line);
    Preferences prefs;
    prefs.soundsOn = 1 - on;
    ASSERT_EQ(LoadPreferences(dir.path(), prefs), 1);
    EXPECT_EQ(prefs.soundsOn, on) << line;
  }
}

}  // namespace
