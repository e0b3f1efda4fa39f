#include "game/board.h"

#include <utility>

#include "display/effect_sounds.h"
#include "game/game_state.h"
#include "game/random.h"

namespace {
int64_t pitch() { return game.cardSize + 10; }

void cue(EffectSound effect) { PlayEffect(effect, game.prefs.soundsOn); }

BoardCell& cellAtFlat(int index) { return game.board[index / kBoardRows][index % kBoardRows]; }

void placeCells() {
  for (int c = 0; c < kBoardColumns; ++c)
    for (int r = 0; r < kBoardRows; ++r) {
      game.board[c][r].x = game.boardLeft + pitch() * c;
      game.board[c][r].y = game.boardTop + pitch() * r;
    }
}
}  // namespace

void layoutBoard() {
  const int64_t w = game.screenWidth, h = game.screenHeight;
  const bool tallSquare = (w == 1280 && h == 1024) || (w == 1024 && h == 1280);
  game.cardSize = tallSquare ? (w - 80) / 8 : (h - 60) / 6;
  // A screen too small for the board still lays out without negative sizes.
  if (game.cardSize < 0) game.cardSize = 0;
  game.boardLeft = (w - pitch() * kBoardColumns) / 2 + 5;
  game.boardTop = (h - pitch() * kBoardRows) / 2 + 5;
  placeCells();
}

void shuffleCells() {
  for (int i = 1; i < kCardCount; ++i) {
    const int j = static_cast<int>(RandomInt(i));
    if (j != i) std::swap(cellAtFlat(i), cellAtFlat(j));
  }
}

void dealNewGame() {
  game.backgroundIndex = RandomInt(3);
  game.cardSetIndex ^= 1;
  const CardSet& set = game.cardSets[game.cardSetIndex];
  for (int half = 0; half < 2; ++half) {
    int k = 1;
    for (int r = half * 3; r < half * 3 + 3; ++r)
      for (int c = 0; c < kBoardColumns; ++c) {
        game.board[c][r].face = set.faces[k++];
        game.board[c][r].state = FaceDown;
      }
  }
  for (int i = 0; i < 3; ++i) shuffleCells();
  placeCells();
  for (auto& column : game.board)
    for (auto& cell : column) cell.state = FaceDown;
  game.gameState = Playing;
  game.cardsLeft = kCardCount;
  game.selCount = 0;
  game.gameRunning = 1;
  game.pairFade = 255;
}

void PickCardAt(int64_t x, int64_t y) {
  if (game.selCount >= 2) return;
  for (int r = 0; r < kBoardRows; ++r)
    for (int c = 0; c < kBoardColumns; ++c) {
      BoardCell& cell = game.board[c][r];
      const bool hit = x > cell.x && x < cell.x + game.cardSize && y > cell.y && y < cell.y + game.cardSize;
      if (!hit || cell.state != FaceDown) continue;
      cell.state = FaceUp;
      // Its face shows in the frame drawn next; the second card of a turn sounds a little higher.
      cue(game.selCount == 0 ? kSoundCardTurned1 : kSoundCardTurned2);
      if (game.selCount == 0) {
        game.pick1Col = c;
        game.pick1Row = r;
      } else {
        game.pick2Col = c;
        game.pick2Row = r;
      }
      ++game.selCount;
      if (game.selCount >= 2) return;
    }
}

void PairStep() {
  BoardCell& first = game.board[game.pick1Col][game.pick1Row];
  BoardCell& second = game.board[game.pick2Col][game.pick2Row];
  if (first.face == second.face) {
    if (game.pairFade == 255) {
      if (first.state != Vanishing) cue(kSoundPairFound);  // the fade starts
      first.state = second.state = Vanishing;
    } else if (game.pairFade <= 0) {
      first.state = second.state = Removed;
      game.selCount = 0;
      game.cardsLeft -= 2;
      if (game.cardsLeft == 0) {
        game.gameState = WellDone;
        game.wellDoneFade = 0;
        game.gameRunning = 0;
        cue(kSoundWellDone);  // as the banner starts to come up
      }
      game.pairFade = 255;
    }
    return;
  }
  if (game.frameCounter > 80) {
    first.state = second.state = FaceDown;
    cue(kSoundWrongPair);
    game.frameCounter = 0;
    game.selCount = 0;
  } else {
    ++game.frameCounter;
  }
}
