// The program from entry to exit: start-up, screen set-up, the main loop, shutdown.
#pragma once

// Start-up up to the hand-over to the screen: fonts, directories, preferences, the log, the
// language, the subsystems. Returns false after a subsystem failed (its box was shown).
bool StartUp(int argc, char** argv);
// The whole run; the process exit status.
int RunGame(int argc, char** argv);
