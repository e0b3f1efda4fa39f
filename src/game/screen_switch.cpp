#include "game/screen_switch.h"

#include <array>
#include <string>

#include "display/screen_setup.h"
#include "game/board.h"
#include "game/fatal_error.h"
#include "game/frame_drawing.h"
#include "game/game_state.h"
#include "game/screen_opening.h"
#include "game/text_sprites.h"
#include "game/texts.h"
#include "game/window_layout.h"

namespace {
// The board's cards by their place in the card set: the sprites they are drawn from are made anew.
using FaceNumbers = std::array<int, kCardCount>;

FaceNumbers faceNumbers() {
  FaceNumbers numbers{};
  const auto& faces = game.cardSets[game.cardSetIndex].faces;
  for (int i = 0; i < kCardCount; ++i) {
    const SpriteId face = game.board[i / kBoardRows][i % kBoardRows].face;
    for (int f = 1; f <= kFacesPerSet; ++f)
      if (face != 0 && faces[f] == face) numbers[i] = f;
  }
  return numbers;
}

void restoreFaces(const FaceNumbers& numbers) {
  const auto& faces = game.cardSets[game.cardSetIndex].faces;
  for (int i = 0; i < kCardCount; ++i)
    if (numbers[i] != 0) game.board[i / kBoardRows][i % kBoardRows].face = faces[numbers[i]];
}

void endWithBox(const std::string& body) {
  ShowFatalBox(body);
  game.quitRequested = game.endedByError = 1;
}

// The size of the kind, the board laid out for it, the screen opened: true once open. A failed asset
// ends the game.
bool openAt(int64_t kind, int64_t width, int64_t height, UnpackedPictures& pictures) {
  if (width > 0) {
    game.screenWidth = width, game.screenHeight = height;
  } else {
    ChooseScreenSize(kind, &game.prefs.screenModeText, &game.screenWidth, &game.screenHeight);
  }
  layoutBoard();
  std::string failed;
  switch (OpenScreenWithPictures(kind, pictures, &failed, width > 0)) {
    case Opening::Opened: return true;
    case Opening::NoScreen: return false;
    case Opening::NoAsset: break;
  }
  ReportFailedAsset(failed);
  game.quitRequested = game.endedByError = 1;
  return false;
}

// Closes the screen (and its window, unless the new screen goes into it) and opens the new one; width
// 0 takes the kind's own size.
bool reopen(int64_t kind, int64_t width, int64_t height) {
  const int64_t oldKind = game.prefs.screenKind;
  const FaceNumbers faces = faceNumbers();
  // Unpacked, and decoding on the other core, while the old screen still shows.
  UnpackedPictures pictures = UnpackPictures(DataPackPath());
  const StopDecodingAhead stopOnReturn;
  const bool sameWindow = width > 0;
  screen_close();
  if (oldKind != ScreenFull && !sameWindow) window_close(0);
  bool opened = openAt(kind, width, height, pictures);
  if (!opened && game.endedByError == 0 && kind != oldKind) opened = openAt(oldKind, 0, 0, pictures);
  if (!opened) {
    if (game.endedByError == 0) endWithBox(Tr("tErrorSCREEN"));
    return false;
  }
  restoreFaces(faces);
  game.focus.ringWidth = game.focus.ringHeight = 0;  // the ring is made again when it shows
  ClipLanguageStrip(game.gameState == Settings ? game.setLangIdx : LanguageIndex(game.languageList, game.prefs.languageCode));
  if (game.gameState == Settings) game.setScreenKind = game.prefs.screenKind, ClipScreenKindStrip(game.setScreenKind);
  // The first flip of the new screen shows the game, not its empty buffer.
  DrawFrame();
  return game.prefs.screenKind == kind;
}
}  // namespace

bool SwitchScreenKind(int64_t kind) { return reopen(kind, 0, 0); }

void ToggleFullScreen() { SwitchScreenKind(game.prefs.screenKind == ScreenFull ? game.windowKind : ScreenFull); }

void LayOutWindowAgain(int64_t width, int64_t height) { reopen(game.prefs.screenKind, width, height); }
