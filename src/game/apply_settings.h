#pragma once

// OK of the settings screen: applies what the working copies changed (language, then music, then the
// sound effects' switch) and returns to the menu. Nothing happens for what did not change.
void applySettings();
