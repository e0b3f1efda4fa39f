#pragma once

// OK of the settings screen: applies what the working copies changed (language, music, the sound
// effects' switch, then the screen kind, opening the screen anew) and returns to the menu. Nothing
// happens for what did not change.
void applySettings();
