#include "game_fixture.h"

#include <stdlib.h>

#include <cstdio>
#include <fstream>

#include "game/board.h"
#include "game/main_loop.h"
#include "game/sprite_numbers.h"
#include "game/text_sprites.h"
#include "services/log.h"

std::string FakePng(int width, int height) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  png += std::string("\0\0\0\x0dIHDR", 8);
  for (int v : {width, height}) {
    png += char((v >> 24) & 255);
    png += char((v >> 16) & 255);
    png += char((v >> 8) & 255);
    png += char(v & 255);
  }
  png += std::string("\x08\x06\0\0\0", 5);
  return png;
}

void WriteStoredPack(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  std::ofstream out(path, std::ios::binary);
  out << "2zlp";
  auto le = [&](uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(char((v >> (8 * i)) & 255));
  };
  for (const auto& [name, data] : entries) {
    le(data.size(), 8);
    le(data.size(), 8);
    le(name.size(), 2);
    out << name << data;
  }
}

std::vector<std::pair<std::string, std::string>> CompleteAssetEntries() {
  std::vector<std::pair<std::string, std::string>> e;
  for (int n = 1; n <= 4; ++n) e.emplace_back("background " + std::to_string(n) + ".png", FakePng(1920, 1080));
  for (int n = 1; n <= 2; ++n) {
    e.emplace_back(std::to_string(n) + "-back.png", FakePng(256, 256));
    for (int m = 1; m <= 24; ++m) {
      char name[32];
      std::snprintf(name, sizeof name, "%d-card%02d.png", n, m);
      e.emplace_back(name, FakePng(256, 256));
    }
  }
  e.emplace_back("shadow.png", FakePng(256, 256));
  e.emplace_back("menu.png", FakePng(680, 640));
  e.emplace_back("menushadow.png", FakePng(680, 640));
  e.emplace_back("well done shadow.png", FakePng(600, 300));
  e.emplace_back("well done.png", FakePng(600, 300));
  e.emplace_back("gradient.png", FakePng(500, 6));
  e.emplace_back("pointer.png", FakePng(32, 32));
  for (const char* arrow : {"left.png", "left off.png", "right.png", "right off.png", "box.png", "boxx.png"})
    e.emplace_back(arrow, FakePng(20, 20));
  e.emplace_back("title.png", FakePng(1920, 1080));
  e.emplace_back("zelt.png", FakePng(1920, 1080));
  e.emplace_back("music.ogg", std::string("OggS fake music"));
  return e;
}

std::string MakeTempDir() {
  char pattern[] = "/tmp/vesperine-test-XXXXXX";
  const char* dir = mkdtemp(pattern);
  return dir ? std::string(dir) + "/" : std::string();
}

void WriteLanguageFile(const std::string& path, const std::string& name,
                       const std::vector<std::pair<std::string, std::string>>& keys) {
  std::ofstream out(path, std::ios::binary);
  out << "\xEF\xBB\xBF\n[LANGUAGE FILE]\ntLangFileNAME = " << name << "\n[Texts]\n";
  for (const auto& [key, text] : keys) out << key << " = " << text << "\n";
}

void GameTest::SetUp() {
  fake::reset();
  ResetGameState();
  CloseLogForTests();
}

void GameTest::OpenScreen(int width, int height) {
  fake::state().desktopWidth = width;
  fake::state().desktopHeight = height;
  screen_open_fullscreen(width, height, 32, "test", kFlipVsync);
  game.screenWidth = width;
  game.screenHeight = height;
  layoutBoard();
  const std::string panel = FakePng(680, 640);
  sprite_load_png(kSpriteMenuPanel, panel.data(), panel.size(), kSpriteKeepAlpha);
  const std::string small = FakePng(20, 20);
  for (SpriteId s : {kSpritePointer, kSpriteCardShadow, kSpriteMenuShadow, kSpriteWellDone, kSpriteWellDoneShadow,
                     kSpriteGradient, kSpriteLeftArrowOff, kSpriteRightArrowOff, kSpriteBox, kSpriteBoxTicked,
                     kSpriteTitle, kSpriteLogo})
    sprite_load_png(s, small.data(), small.size(), 0);
  image_load_png(kImageLeftArrow, small.data(), small.size());
  image_load_png(kImageRightArrow, small.data(), small.size());
  for (int set = 0; set < 2; ++set) {
    game.cardSets[set].back = sprite_load_png(kNewSprite, small.data(), small.size(), kSpriteKeepAlpha);
    for (int f = 1; f <= kFacesPerSet; ++f)
      game.cardSets[set].faces[f] = sprite_load_png(kNewSprite, small.data(), small.size(), kSpriteKeepAlpha);
  }
  for (auto& background : game.backgroundSprites)
    background = sprite_load_png(kNewSprite, small.data(), small.size(), 0);
  fake::state().sounds[0] = SoundIdle;
  renderAllTexts();
  fake::clearCalls();
}

void GameTest::UseMenuTexts() {
  for (const char* key : {"tMenuSTART", "tMenuCONTINUE", "tMenuSETTINGS", "tMenuCREDITS", "tMenuQUIT", "tMenuOK",
                          "tMenuYES", "tMenuNO", "tMenuCANCEL"})
    game.translations.set(key, std::string(key).substr(5));
}

void GameTest::UseThreeLanguages() {
  for (const auto& [code, name] : {std::pair<std::string, std::string>{"de_DE", "Deutsch"},
                                   {"en_GB", "English"}, {"hu_HU", "Magyar"}}) {
    LanguageInfo& info = game.languageInfo[name];
    info.code = code;
  }
  RebuildLanguageList(game.languageInfo, game.languageList);
}

void GameTest::Passes(int n) {
  for (int i = 0; i < n; ++i) RunOnePass();
}

void GameTest::ClickFullScreen(int64_t x, int64_t y) {
  fake::state().mouseX = static_cast<int>(x);
  fake::state().mouseY = static_cast<int>(y);
  fake::state().buttons[1] = true;
  RunOnePass();
  fake::state().buttons[1] = false;
}

int64_t GameTest::ItemCentreX(int record) { return game.items[record].x + game.items[record].width / 2; }
int64_t GameTest::ItemCentreY(int record, int64_t height) { return game.items[record].y + height / 2; }
