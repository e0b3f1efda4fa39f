// The command line's parameters as the game reads them once GTK took its own (the built game's output
// and exit statuses: end to end).
#include <gtest/gtest.h>

#include "game/command_line.h"

namespace {

// What the line does: "play", "play+log", "help", "version" or "wrong:" and the parameter.
std::string Read(const std::vector<std::string>& parameters) {
  const CommandLine line = ReadCommandLine(parameters);
  switch (line.action) {
    case CommandLine::Play: return line.log ? "play+log" : "play";
    case CommandLine::Help: return "help";
    case CommandLine::Version: return "version";
    case CommandLine::Wrong: return "wrong:" + line.wrong;
  }
  return "";
}

TEST(CommandLine, TheFirstDecisiveParameterDecides) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "play"},          {{"/LOG"}, "play+log"},           {{"/log", "/Log"}, "play+log"},
      {{"-h"}, "help"},      {{"/LOG", "--help"}, "help"},     {{"--version", "--bogus"}, "version"},
      {{"--HELP"}, "wrong:--HELP"},  {{"/LOGS"}, "wrong:/LOGS"},  {{"--bogus", "--help"}, "wrong:--bogus"},
      {{"/LOG", "-H"}, "wrong:-H"},  {{"scores.txt", "/LOG"}, "wrong:scores.txt"},
      {{"--sync"}, "wrong:--sync"}};  // GTK 2's, unknown to GTK 3: GTK leaves it to us
  for (const auto& [parameters, expected] : cases) EXPECT_EQ(Read(parameters), expected) << testing::PrintToString(parameters);
}

}  // namespace
