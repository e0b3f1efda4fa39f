// The game tests' set-up: a fresh fake and game state, a screen with its sprites and board, fake pictures.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "display/data_pack_writer.h"
#include "game/board.h"
#include "game/game_state.h"
#include "game/main_loop.h"
#include "game/sprite_numbers.h"
#include "game/text_sprites.h"
#include "platform/fake/fake_platform.h"
#include "services/log.h"
#include "test_files.h"

// A byte string that the fake platform takes for a PNG of width x height.
inline std::string FakePng(int width, int height) {
  std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
  for (const int v : {width, height})
    for (const int shift : {24, 16, 8, 0}) png += static_cast<char>(v >> shift & 255);
  return png + std::string("\x08\x06\0\0\0", 5);
}

// A data pack of every picture (fake PNGs of plausible sizes, a 680 x 640 menu panel), "music.ogg" and the
// effects given (name, bytes; all five unless told) in dir.
inline void WriteFakeDataPack(const std::string& dir, const std::vector<std::pair<std::string, std::string>>& effects = {
                                  {"card turned 1.ogg", "OggS 1"}, {"card turned 2.ogg", "OggS 2"}, {"pair found.ogg", "OggS 3"},
                                  {"wrong pair.ogg", "OggS 4"}, {"well done.ogg", "OggS 5"}}) {
  DataPackWriter pack({});
  std::string error;
  const auto entry = [&](const std::string& name, const std::string& data) {
    EXPECT_TRUE(pack.add(name, reinterpret_cast<const uint8_t*>(data.data()), data.size(), &error)) << error;
  };
  const auto add = [&](const std::string& name, int w, int h) { entry(name, FakePng(w, h)); };
  for (int n = 1; n <= 4; ++n) add("background " + std::to_string(n) + ".png", 1920, 1080);
  for (int n = 1; n <= 2; ++n)
    for (int m = 0; m <= 24; ++m) add(std::to_string(n) + (m == 0 ? "-back" : m < 10 ? "-card0" : "-card") + (m ? std::to_string(m) : "") + ".png", 256, 256);
  for (const auto& [name, w, h] : {std::tuple{"shadow.png", 256, 256}, {"menu.png", 680, 640}, {"menushadow.png", 680, 640},
                                    {"well done shadow.png", 600, 300}, {"well done.png", 600, 300}, {"gradient.png", 500, 6},
                                    {"pointer.png", 32, 32}, {"title.png", 1920, 1080}, {"zelt.png", 1920, 1080}})
    add(name, w, h);
  for (const char* name : {"left.png", "left off.png", "right.png", "right off.png", "box.png", "boxx.png"}) add(name, 20, 20);
  entry("music.ogg", "OggS fake music");
  for (const auto& [name, bytes] : effects) entry(name, bytes);
  WriteWholeFile(dir + "VesperineData.pack", std::string(pack.bytes().begin(), pack.bytes().end()));
}

// The board as dealt, column by column: face f of set s as 100 * s + f, plus 1000 unless face down.
inline std::vector<int64_t> DealtFaces() {
  std::vector<int64_t> numbers;
  const auto& set = game.cardSets[game.cardSetIndex].faces;
  for (auto& column : game.board)
    for (auto& cell : column) numbers.push_back(100 * game.cardSetIndex + (std::ranges::find(set, cell.face) - set.begin()) + 1000 * (cell.state != FaceDown));
  return numbers;
}

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::reset(), ResetGameState(), CloseLogForTests(); }
  // Lays the screen out at that size with a 680 x 640 menu panel and the fixed sprites.
  void OpenScreen(int width, int height) {
    fake::state().desktopWidth = game.screenWidth = width;
    fake::state().desktopHeight = game.screenHeight = height;
    screen_open_fullscreen(width, height, 32, "test", kFlipVsync), layoutBoard();
    const std::string panel = FakePng(680, 640), small = FakePng(20, 20);
    sprite_load_png(kSpriteMenuPanel, panel.data(), panel.size(), kSpriteKeepAlpha);
    for (SpriteId s : {kSpritePointer, kSpriteCardShadow, kSpriteMenuShadow, kSpriteWellDone, kSpriteWellDoneShadow,
                       kSpriteGradient, kSpriteLeftArrowOff, kSpriteRightArrowOff, kSpriteBox, kSpriteBoxTicked,
                       kSpriteTitle, kSpriteLogo})
      sprite_load_png(s, small.data(), small.size(), 0);
    for (SpriteId i : {kImageLeftArrow, kImageRightArrow}) image_load_png(i, small.data(), small.size());
    const auto load = [&](int flags) { return sprite_load_png(kNewSprite, small.data(), small.size(), flags); };
    for (auto& set : game.cardSets)
      for (int f = 0; f <= kFacesPerSet; ++f) (f == 0 ? set.back : set.faces[f]) = load(kSpriteKeepAlpha);
    for (auto& background : game.backgroundSprites) background = load(0);
    fake::state().sounds[0] = SoundIdle, renderAllTexts(), fake::clearCalls();
  }
  // Every menu entry and button has its text ("START", "OK", ...), so each gets a clickable width.
  void UseMenuTexts() {
    for (const char* key : {"tMenuSTART", "tMenuCONTINUE", "tMenuSETTINGS", "tMenuCREDITS", "tMenuQUIT", "tMenuOK",
                            "tMenuYES", "tMenuNO", "tMenuCANCEL"})
      game.translations.set(key, std::string(key).substr(5));
  }
  // Three languages in chooser order: English (en_GB), Magyar (hu_HU), Deutsch (de_DE).
  void UseThreeLanguages() {
    for (const auto& [code, name] : {std::pair{"de_DE", "Deutsch"}, {"en_GB", "English"}, {"hu_HU", "Magyar"}})
      game.languageInfo[name].code = code;
    RebuildLanguageList(game.languageInfo, game.languageList);
  }
  // The 1280 x 720 menu with every text and three languages, English in use.
  void OpenMenu() {
    UseMenuTexts(), UseThreeLanguages(), game.prefs.languageCode = "en_GB";
    OpenScreen(1280, 720), game.gameState = Menu;
  }
  void Passes(int n) { for (int i = 0; i < n; ++i) RunOnePass(); }
  // Presses the left button at (x, y) for one full-screen pass.
  void ClickFullScreen(int64_t x, int64_t y) {
    fake::state().mouseX = static_cast<int>(x), fake::state().mouseY = static_cast<int>(y);
    fake::state().buttons[1] = true, RunOnePass(), fake::state().buttons[1] = false;
  }
  // A cell whose face is (same) or is not (!same) the face of (0, 0), other than it and those given.
  static std::pair<int, int> OtherCell(bool same, std::vector<std::pair<int, int>> taken = {}) {
    taken.push_back({0, 0});
    for (int c = 0; c < kBoardColumns; ++c)
      for (int r = 0; r < kBoardRows; ++r)
        if ((game.board[c][r].face == game.board[0][0].face) == same && std::ranges::find(taken, std::pair{c, r}) == taken.end())
          return {c, r};
    return {-1, -1};
  }
  void ClickCell(int c, int r) { ClickFullScreen(game.board[c][r].x + 5, game.board[c][r].y + 5); }
  // Passes run while cell (c, r) stays in `state` (at most 500).
  int PassesWhile(int c, int r, int8_t state) {
    int passes = 0;
    for (; game.board[c][r].state == state && passes < 500; ++passes) RunOnePass();
    return passes;
  }
  // Centre of an item record with its hit height.
  static int64_t ItemCentreX(int record) { return game.items[record].x + game.items[record].width / 2; }
  static int64_t ItemCentreY(int record, int64_t height) { return game.items[record].y + height / 2; }
  void ClickItem(int record, int64_t height) { ClickFullScreen(ItemCentreX(record), ItemCentreY(record, height)); }
  // One key released per pass, as a player presses them one after the other.
  void Keys(const std::vector<int>& codes) {
    for (int code : codes) { fake::state().releasedKeys.insert(code); RunOnePass(); }
  }
};
