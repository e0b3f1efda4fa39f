#include "game/command_line.h"

#include <strings.h>

#include <cstdio>

CommandLine ReadCommandLine(const std::vector<std::string>& parameters) {
  CommandLine line;
  line.log = !parameters.empty() && strcasecmp(parameters.front().c_str(), "/LOG") == 0;
  for (const std::string& parameter : parameters) {
    if (parameter == "-h" || parameter == "--help") {
      line.action = CommandLine::Help;
    } else if (parameter == "--version") {
      line.action = CommandLine::Version;
    } else if (strcasecmp(parameter.c_str(), "/LOG") != 0) {
      line.action = CommandLine::Wrong;
      line.wrong = parameter;
    } else {
      continue;
    }
    break;
  }
  return line;
}

std::string UsageText(const std::string& saveDir) {
  return "Usage: vesperine [/LOG] [GTK option...]\n"
         "       vesperine --help | --version\n"
         "Vesperine, a calm memory card game: turn two cards at a time and find the 24 pairs.\n"
         "\n"
         "  /LOG         write a start-up log (Log DATE.log)\n"
         "  -h, --help   print this help and exit\n"
         "  --version    print the name and version and exit\n"
         "GTK's own options, such as --display=DISPLAY, go to GTK.\n"
         "\n"
         "Preferences (Vesperine.prefs), logs and screenshots (Vesperine DATE.png) are kept in\n"
         "  " + saveDir + "\n"
         "\n"
         "Keys: S saves a screenshot, M switches the music on and off, Escape opens the menu\n"
         "(and in the menu ends the game), Space skips the logo and the title, the arrow keys\n"
         "and Return play without a mouse.\n"
         "\n"
         "The language of the first start is the first one the locale asks for (LANGUAGE,\n"
         "LC_ALL, LC_MESSAGES, LANG) that the game has, else English; SETTINGS changes it.\n";
}

int AnswerCommandLine(const CommandLine& line, const std::string& saveDir) {
  switch (line.action) {
    case CommandLine::Help:
      std::fputs(UsageText(saveDir).c_str(), stdout);
      return 0;
    case CommandLine::Version:
      std::fputs("Vesperine " VESPERINE_VERSION "\n", stdout);
      return 0;
    case CommandLine::Wrong:
      std::fprintf(stderr, "vesperine: %s '%s'\n", line.wrong.starts_with("-") ? "unknown option" : "unexpected parameter",
                   line.wrong.c_str());
      std::fputs(UsageText(saveDir).c_str(), stderr);
      return 2;
    case CommandLine::Play:
      break;
  }
  return -1;
}
