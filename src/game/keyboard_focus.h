// Play without a mouse. The arrow keys move a focus over the board's cells in Playing and over the
// clickable items of the menu, the questions, the settings and the credits; Return (or the keypad's
// Enter) acts on the focused one exactly as a left click on it would. The focus shows as a ring
// made in code; it appears with the first arrow key press and hides again at the next mouse click.
#pragma once

// Arrows and Return, read once per active frame after the four keys of the main loop.
void HandleFocusKeys();
// A mouse click: the focus hides until the next arrow key press.
void HideFocus();
// The ring around the focused cell or item, drawn over the frame; nothing while the focus is hidden.
void DrawFocusRing();
