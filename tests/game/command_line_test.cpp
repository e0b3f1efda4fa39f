// The command line's parameters as the game reads them once GTK took its own (the built game's output
// and exit statuses: end to end).
#include <gtest/gtest.h>

#include "game/command_line.h"

namespace {

// What the line does: play, help, version or "wrong:" and the parameter; " +log" when it asks for the log.
TEST(CommandLine, TheFirstDecisiveParameterDecides) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "play"},          {{"/LOG"}, "play +log"},          {{"/log", "/Log"}, "play +log"},
      {{"-h"}, "help"},      {{"/LOG", "--help"}, "help +log"}, {{"--version", "--bogus"}, "version"},
      {{"--HELP"}, "wrong:--HELP"},  {{"/LOGS"}, "wrong:/LOGS"},  {{"--bogus", "--help"}, "wrong:--bogus"},
      {{"/LOG", "-H"}, "wrong:-H +log"},  {{"scores.txt", "/LOG"}, "wrong:scores.txt"},
      {{"--sync"}, "wrong:--sync"}};  // GTK 2's, unknown to GTK 3: GTK leaves it to us
  const char* const actions[] = {"play", "help", "version", "wrong:"};
  for (const auto& [parameters, expected] : cases) {
    const CommandLine line = ReadCommandLine(parameters);
    EXPECT_EQ(actions[line.action] + line.wrong + (line.log ? " +log" : ""), expected) << testing::PrintToString(parameters);
  }
}

}  // namespace
