// The command line's parameters as the game reads them once GTK took its own, and its answers (the
// built game's: end to end).
#include <gtest/gtest.h>

#include <sstream>

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

// Help and version on standard output, status 0; a wrong parameter named on standard error, the
// usage after it, status 2; a line to play answers nothing. The first two lines of each stream.
TEST(CommandLine, HelpAndVersionOnStandardOutputAWrongParameterAndTheUsageOnStandardError) {
  const std::string usage = "Usage: vesperine [/LOG] [GTK option...]|       vesperine --help | --version";
  const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
      {{"--help"}, 0, usage, ""}, {{"--version"}, 0, "Vesperine 1.0.0.1", ""}, {{"/LOG"}, -1, "", ""},
      {{"--bogus"}, 2, "", "vesperine: unknown option '--bogus'|" + usage.substr(0, usage.find('|'))},
      {{"scores.txt"}, 2, "", "vesperine: unexpected parameter 'scores.txt'|" + usage.substr(0, usage.find('|'))}};
  const auto firstLines = [](const std::string& text) {  // "first|second", or the first alone
    std::istringstream in(text);
    std::string first, second;
    std::getline(in, first);
    return std::getline(in, second) ? first + "|" + second : first;
  };
  for (const auto& [parameters, status, out, err] : cases) {
    testing::internal::CaptureStdout(), testing::internal::CaptureStderr();
    const int answered = AnswerCommandLine(ReadCommandLine(parameters), "/home/player/.Quenmarsh/Vesperine/");
    const std::string stdoutText = testing::internal::GetCapturedStdout(), stderrText = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::tuple(answered, firstLines(stdoutText), firstLines(stderrText)), std::tuple(status, out, err)) << parameters[0];
  }
}

}  // namespace
