// The board itself: layout, dealing, picking cards and resolving a turned pair.
#pragma once

#include <cstdint>

// Card size and board position from the screen size; sets x, y of every cell. Called once the
// screen size is known, before the screen opens.
void layoutBoard();
// Fresh shuffled board of the other card set over a random background; enters Playing.
void dealNewGame();
// Fisher-Yates over the flat column-major order, whole cells moved.
void shuffleCells();
// The left-button action of Playing: turns the face-down card strictly containing the point.
void PickCardAt(int64_t x, int64_t y);
// Once per active frame while two cards are up, whatever the state.
void PairStep();
