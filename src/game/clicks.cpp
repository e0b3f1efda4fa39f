#include "game/clicks.h"

#include <utility>

#include "game/apply_settings.h"
#include "game/board.h"
#include "game/game_state.h"
#include "game/sprite_numbers.h"
#include "game/text_sprites.h"

namespace {
constexpr int64_t kEntryHeight = 80;
constexpr int64_t kButtonHeight = 40;
constexpr int64_t kSmallItemHeight = 20;

void pause100(ClickPath path) {
  if (path == ClickPath::FullScreen) wait_ms(100);
}

void enterSettings() {
  game.gameState = Settings;
  game.setLangIdx = LanguageIndex(game.languageList, game.prefs.languageCode);
  game.setLangCode = game.prefs.languageCode;
  game.setMusic = game.prefs.musicOn;
  game.setSounds = game.prefs.soundsOn;
  game.setScreenKind = game.prefs.screenKind;
  // The strips always open on what is in use, even after an earlier visit left by Escape.
  ClipLanguageStrip(game.setLangIdx);
  ClipScreenKindStrip(game.setScreenKind);
}

void menuAction(int64_t px, int64_t py, ClickPath path) {
  for (int record = ItemStart; record <= ItemQuit; ++record) {
    if (!HitItem(record, kEntryHeight, px, py)) continue;
    pause100(path);
    switch (game.items[record].sprite) {
      case kSpriteStart:
        if (game.gameRunning != 0)
          game.gameState = AskNewGame;
        else
          dealNewGame();
        break;
      case kSpriteContinue:
        if (game.gameRunning == 1) game.gameState = Playing;
        break;
      case kSpriteSettings: enterSettings(); break;
      case kSpriteCredits: game.gameState = Credits; break;
      case kSpriteQuit: game.gameState = AskQuit; break;
      default: break;
    }
    return;
  }
}

void askNewGameAction(int64_t px, int64_t py, ClickPath path) {
  if (HitItem(ItemYes, kButtonHeight, px, py)) {
    dealNewGame();
    pause100(path);
  } else if (HitItem(ItemNo, kButtonHeight, px, py)) {
    pause100(path);
    game.gameState = Menu;
  }
}

void askQuitAction(int64_t px, int64_t py, ClickPath path) {
  if (HitItem(ItemYes, kButtonHeight, px, py)) {
    game.quitRequested = 1;
  } else if (HitItem(ItemNo, kButtonHeight, px, py)) {
    pause100(path);
    game.gameState = Menu;
  }
}

void stepLanguage(bool forward) {
  const bool moved = forward ? game.languageList.next() : game.languageList.previous();
  if (!moved) return;
  game.setLangIdx += forward ? 1 : -1;
  game.setLangCode = game.languageList.current()->code;
  ClipLanguageStrip(game.setLangIdx);
}

// Returns true when OK was hit.
bool settingsAction(int64_t px, int64_t py, ClickPath path) {
  const bool ok = HitItem(ItemSettingsOk, kButtonHeight, px, py);
  if (ok) {
    applySettings();
    pause100(path);
    if (path == ClickPath::Window) return true;
  }
  if (HitItem(ItemCancel, kButtonHeight, px, py)) {
    game.setLangCode = game.prefs.languageCode;
    game.setMusic = game.prefs.musicOn;
    game.setSounds = game.prefs.soundsOn;
    game.setScreenKind = game.prefs.screenKind;
    ClipLanguageStrip(LanguageIndex(game.languageList, game.setLangCode));
    ClipScreenKindStrip(game.setScreenKind);
    game.gameState = Menu;
    pause100(path);
  }
  if (HitItem(ItemMusicBox, kSmallItemHeight, px, py)) {
    pause100(path);
    game.setMusic = game.setMusic == 1 ? 0 : 1;
  }
  if (HitItem(ItemSoundsBox, kSmallItemHeight, px, py)) {
    pause100(path);
    game.setSounds = game.setSounds == 1 ? 0 : 1;
  }
  // At the ends of the list the arrows do nothing at all, not even the wait.
  if (HitItem(ItemLeftArrow, kSmallItemHeight, px, py) && game.setLangIdx > 0) {
    pause100(path);
    stepLanguage(false);
  }
  if (HitItem(ItemRightArrow, kSmallItemHeight, px, py) &&
      game.setLangIdx < static_cast<int64_t>(game.languageList.size()) - 1) {
    pause100(path);
    stepLanguage(true);
  }
  // Full screen, window, borderless window; like the language's, the arrows do nothing at the ends.
  for (const auto& [record, step] : {std::pair{ItemScreenLeft, -1}, {ItemScreenRight, 1}}) {
    const int64_t kind = game.setScreenKind + step;
    if (!HitItem(record, kSmallItemHeight, px, py) || kind < 0 || kind > 2) continue;
    pause100(path);
    game.setScreenKind = kind;
    ClipScreenKindStrip(kind);
  }
  return ok;
}
}  // namespace

bool HitItem(int record, int64_t height, int64_t px, int64_t py) {
  const HitArea& a = game.items[record];
  return px > a.x && px < a.x + a.width && py > a.y && py < a.y + height;
}

ItemKind KindOfItem(int record) {
  if (record <= ItemQuit) return ItemKind::Entry;
  if (record >= ItemLeftArrow && record <= ItemScreenRight) return ItemKind::Small;
  return ItemKind::Button;
}

int64_t ItemHeight(int record) {
  switch (KindOfItem(record)) {
    case ItemKind::Entry: return kEntryHeight;
    case ItemKind::Small: return kSmallItemHeight;
    case ItemKind::Button: break;
  }
  return kButtonHeight;
}

bool LeftButtonAction(int64_t px, int64_t py, ClickPath path) {
  switch (game.gameState) {
    case Playing: PickCardAt(px, py); break;
    case Menu: menuAction(px, py, path); break;
    case AskNewGame: askNewGameAction(px, py, path); break;
    case AskQuit: askQuitAction(px, py, path); break;
    case Credits:
      if (HitItem(ItemCreditsOk, kButtonHeight, px, py)) {
        pause100(path);
        game.gameState = Menu;
      }
      break;
    case WellDone:
      pause100(path);
      game.gameState = Menu;
      break;
    case Settings: return settingsAction(px, py, path);
    default: break;
  }
  return false;
}
