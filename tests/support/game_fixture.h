// Shared set-up for the game's unit tests: a fresh fake platform and game state, a 1280 x 720
// screen, the fixed sprites in place and the board laid out.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/fake/fake_platform.h"

// A byte string that the fake platform takes for a PNG of width x height.
std::string FakePng(int width, int height);

// Writes a version-2 data pack with the entries stored as they are.
void WriteStoredPack(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries);

// Every picture entry of the data pack plus "music.ogg", as fake PNGs of plausible sizes.
std::vector<std::pair<std::string, std::string>> CompleteAssetEntries();

// A fresh directory under the system's temporary directory, ending in "/".
std::string MakeTempDir();

// Writes a language file (UTF-8 with byte-order mark) with the header group and one group of keys.
void WriteLanguageFile(const std::string& path, const std::string& name,
                       const std::vector<std::pair<std::string, std::string>>& keys);

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override;
  // Lays the screen out at that size with a 680 x 640 menu panel and the fixed sprites.
  void OpenScreen(int width, int height);
  // Every menu entry and button has its text ("START", "OK", ...), so each gets a clickable width.
  void UseMenuTexts();
  // Three languages in chooser order: English (en_GB), Magyar (hu_HU), Deutsch (de_DE).
  void UseThreeLanguages();
  // Runs n passes of the main loop.
  void Passes(int n);
  // Presses the left button at (x, y) for one full-screen pass.
  void ClickFullScreen(int64_t x, int64_t y);
  // Centre of an item record with its hit height.
  static int64_t ItemCentreX(int record);
  static int64_t ItemCentreY(int record, int64_t height);
};
