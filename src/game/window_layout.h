// The windowed kind's window at any size the player or the window manager gives it: while the size
// changes the picture is fitted to the window; once a new size has held for half a second the game
// is laid out anew at it, and that size, unless the window manager gave it while placing the window,
// is the ScreenMode saved at exit.
#pragma once

#include <cstdint>

constexpr int64_t kWindowSettleMs = 500;

// Once a pass in the windowed kind.
void FollowWindowSize();
// The window's size now is the one the game is laid out for (each time the screen opened); a window
// just opened (`fresh`) is then being placed by the window manager.
void WindowLaidOut(bool fresh);
// The window has the focus: a window being placed waits for its size to settle once more.
void WindowFocused();
// The game's size for a window of width x height: the window's own, or where the menu panel would
// not fit, the smallest size of the window's shape that holds it (the picture is fitted to the window).
void GameSizeForWindow(int64_t width, int64_t height, int64_t* gameWidth, int64_t* gameHeight);
