// The command line, read as a Linux program reads it: the game's own parameters once GTK has taken
// its options out, answered before any display or window is opened.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  enum Action { Play, Help, Version, Wrong };
  Action action = Play;
  bool log = false;        // "/LOG", in any letter case, as the first parameter
  std::string wrong;       // the parameter that made the line Wrong
};

// Left to right, the first of -h or --help, --version or a parameter that is neither these nor
// "/LOG" decides; without one the game plays.
CommandLine ReadCommandLine(const std::vector<std::string>& parameters);

// Help and version on standard output (exit status 0), a wrong parameter's one-line complaint and the
// usage on standard error (exit status 2); -1 and nothing written for Play. saveDir is where the
// preferences, the logs and the screenshots go.
int AnswerCommandLine(const CommandLine& line, const std::string& saveDir);
// The usage, for saveDir.
std::string UsageText(const std::string& saveDir);
