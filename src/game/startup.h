// The program from entry to exit: start-up, screen set-up, the main loop, shutdown.
#pragma once

#include <string>

#include "game/command_line.h"

// Start-up up to the hand-over to the screen: fonts, directories, preferences, the log, the
// language, the subsystems, for a game living in gameDir (ending in "/") started with that command
// line. Returns false after a subsystem failed (its box was shown).
bool StartUp(int argc, char** argv, const CommandLine& line, const std::string& gameDir);
// Screen size, board layout, music, the screen, the pictures, the texts and the final touches.
// Returns false after a fatal error box.
bool SetUpDisplay();
// The whole run; the process exit status.
int RunGame(int argc, char** argv);
