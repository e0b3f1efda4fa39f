// The main loop: one pass per displayed frame until the player quits.
#pragma once

// One pass: window events (window kinds), flip, then while active the frame (full screen first
// resumes paused music), the mouse (full screen), timers, the pair step and the keys; while
// inactive the music pauses and the loop idles. A quit the desktop asked for ends the loop.
void RunOnePass();
// Passes until quitRequested (none when the desktop asked the game to end while it started); then
// preferences saved and the music faded out (not after a fatal box). The preferences are also saved when the display is
// lost during the loop.
void RunMainLoop();
// The four keys, tested in this order once per active frame, F11 and Alt+Return (full screen or
// back), then the keys of keyboard play.
void HandleKeys();
// Logo and title timers.
void AdvanceTimers();
