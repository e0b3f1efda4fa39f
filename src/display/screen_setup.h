// Choosing the game screen's size, opening it in one of the three kinds, and the last set-up before
// the main loop.
#pragma once

#include <cstdint>
#include <string>

enum ScreenKind : int64_t { ScreenFull = 0, ScreenWindowed = 1, ScreenBorderless = 2 };

// Width and height from a mode text split at its first "x" or "X" ("1280x720", "1024 X 768"): each
// field's decimal digits after optional blanks; a missing or non-numeric field gives 0.
void ParseScreenMode(const std::string& modeText, int64_t* width, int64_t* height);
// The desktop size (logged), or in the windowed kind the preferred mode. A mode no window can have
// (a side of 0, or longer than screen_largest_side) is logged and replaced by the default 1280x720.
void ChooseScreenSize(int64_t kind, std::string* modeText, int64_t* width, int64_t* height);
// Opens the screen of that kind with its log lines; 1 when it opened. `inOpenWindow`: a window kind's
// screen goes into window 0 as it is, at another size, instead of a new window.
int OpenGameScreen(int64_t kind, int64_t width, int64_t height, const std::string& title, bool inOpenWindow = false);
// Frame rate, bilinear sprites, and in the window kinds the window shown and activated.
void FinishScreenSetup(int64_t kind);
