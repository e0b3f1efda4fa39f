// What each game state draws, once per active frame. Advances the pair fade and the well-done fade
// as it draws.
#pragma once

#include <cstdint>

void DrawFrame();
// Top-left corner of the centred menu panel.
int64_t MenuLeft();
int64_t MenuTop();
