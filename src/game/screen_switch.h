// Changing the screen while the game goes on: another screen kind (OK of the settings, F11,
// Alt+Return), or the window laid out anew at the size it was given. The screen is closed and opened
// again, every picture and text made anew for it and the board laid out for its size; the deal, the
// cards up and removed, the card set, the background and the music go on as they were.
#pragma once

#include <cstdint>

// The screen of `kind`: true once it is open. A kind that does not open is logged and the kind in
// force opens again; where that fails too, or a picture cannot be had, the fatal box ends the game.
bool SwitchScreenKind(int64_t kind);
// F11 and Alt+Return: full screen, or back from it to the window kind last used.
void ToggleFullScreen();
// The screen opened anew at width x height game pixels inside the window it is in.
void LayOutWindowAgain(int64_t width, int64_t height);
