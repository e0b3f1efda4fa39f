// Left-button actions of the menu, the questions, the credits, the settings and the well-done
// screen. Full screen calls them every frame while the button is held, with 100 ms waits spacing the
// repeats; the window kinds call them once per release, without waits.
#pragma once

#include <cstdint>

enum class ClickPath { FullScreen, Window };

// Strict on all four sides: the item's first row and column of pixels do not count.
bool HitItem(int record, int64_t height, int64_t px, int64_t py);
// The three kinds of clickable item: the menu entries, the arrows and the check box, the buttons.
enum class ItemKind { Entry, Small, Button };
ItemKind KindOfItem(int record);
// The hit height of a record: 80 for the menu entries, 20 for the arrows and the check boxes, 40 for
// the buttons.
int64_t ItemHeight(int record);
// The left-button action of the current state at (px, py). Returns true when OK of the settings was
// hit (the window path stops draining its events for the pass then).
bool LeftButtonAction(int64_t px, int64_t py, ClickPath path);
