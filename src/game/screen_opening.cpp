#include "game/screen_opening.h"

#include "display/screen_setup.h"
#include "game/credits.h"
#include "game/game_state.h"
#include "game/text_sprites.h"
#include "game/window_layout.h"

std::string DataPackPath() { return game.gameDir + "VesperineData.pack"; }

Opening OpenScreenWithPictures(int64_t kind, UnpackedPictures& pictures, std::string* failed, bool inOpenWindow) {
  if (!OpenGameScreen(kind, game.screenWidth, game.screenHeight, kWindowTitle, inOpenWindow)) return Opening::NoScreen;
  game.prefs.screenKind = kind;
  if (kind != ScreenFull) game.windowKind = kind;
  LoadedAssets assets;
  const bool loaded = LoadAssets(pictures, static_cast<int>(game.screenWidth), static_cast<int>(game.screenHeight),
                                 &assets, failed);
  game.backgroundSprites = assets.backgrounds;
  game.cardSets = assets.cardSets;
  if (!loaded) return Opening::NoAsset;
  renderAllTexts();
  FinishScreenSetup(kind);
  WindowLaidOut(!inOpenWindow);
  return Opening::Opened;
}
