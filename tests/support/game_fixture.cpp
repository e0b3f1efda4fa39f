#include "game_fixture.h"

#include <stdlib.h>

#include <fstream>

#include "game/board.h"
#include "game/main_loop.h"
#include "game/sprite_numbers.h"
#include "game/text_sprites.h"
#include "services/log.h"

std::string FakePng(int width, int height) {
  std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
  for (const int v : {width, height})
    for (const int shift : {24, 16, 8, 0}) png += static_cast<char>(v >> shift & 255);
  return png + std::string("\x08\x06\0\0\0", 5);
}

void WriteStoredPack(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  std::ofstream out(path, std::ios::binary);
  out << "2zlp";
  for (const auto& [name, data] : entries) {
    for (const auto& [v, bytes] : {std::pair{data.size(), 8}, {data.size(), 8}, {name.size(), 2}})
      for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(v >> (8 * i) & 255));
    out << name << data;
  }
}

std::vector<std::pair<std::string, std::string>> CompleteAssetEntries() {
  std::vector<std::pair<std::string, std::string>> e;
  const auto add = [&](const std::string& name, int w, int h) { e.emplace_back(name, FakePng(w, h)); };
  for (int n = 1; n <= 4; ++n) add("background " + std::to_string(n) + ".png", 1920, 1080);
  for (int n = 1; n <= 2; ++n) {
    add(std::to_string(n) + "-back.png", 256, 256);
    for (int m = 1; m <= 24; ++m) add(std::to_string(n) + (m < 10 ? "-card0" : "-card") + std::to_string(m) + ".png", 256, 256);
  }
  for (const auto& [name, w, h] : {std::tuple{"shadow.png", 256, 256}, {"menu.png", 680, 640}, {"menushadow.png", 680, 640},
                                    {"well done shadow.png", 600, 300}, {"well done.png", 600, 300}, {"gradient.png", 500, 6},
                                    {"pointer.png", 32, 32}, {"title.png", 1920, 1080}, {"zelt.png", 1920, 1080}})
    add(name, w, h);
  for (const char* name : {"left.png", "left off.png", "right.png", "right off.png", "box.png", "boxx.png"}) add(name, 20, 20);
  e.emplace_back("music.ogg", "OggS fake music");
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
  fake::state().desktopWidth = game.screenWidth = width;
  fake::state().desktopHeight = game.screenHeight = height;
  screen_open_fullscreen(width, height, 32, "test", kFlipVsync);
  layoutBoard();
  const std::string panel = FakePng(680, 640), small = FakePng(20, 20);
  sprite_load_png(kSpriteMenuPanel, panel.data(), panel.size(), kSpriteKeepAlpha);
  for (SpriteId s : {kSpritePointer, kSpriteCardShadow, kSpriteMenuShadow, kSpriteWellDone, kSpriteWellDoneShadow,
                     kSpriteGradient, kSpriteLeftArrowOff, kSpriteRightArrowOff, kSpriteBox, kSpriteBoxTicked,
                     kSpriteTitle, kSpriteLogo})
    sprite_load_png(s, small.data(), small.size(), 0);
  for (SpriteId i : {kImageLeftArrow, kImageRightArrow}) image_load_png(i, small.data(), small.size());
  const auto load = [&](int flags) { return sprite_load_png(kNewSprite, small.data(), small.size(), flags); };
  for (auto& set : game.cardSets) {
    set.back = load(kSpriteKeepAlpha);
    for (int f = 1; f <= kFacesPerSet; ++f) set.faces[f] = load(kSpriteKeepAlpha);
  }
  for (auto& background : game.backgroundSprites) background = load(0);
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
