// vesperine-pack: the build writes the game's data pack with it; developers list and extract
// entries to check a pack.

#include <cstdio>
#include <string>
#include <vector>

#include "pack_command_line.h"
#include "pack_commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kPackUsage, stdout);
    return 0;
  }
  PackCommand command;
  std::string error;
  if (!parsePackCommand(args, &command, &error)) {
    std::fprintf(stderr, "vesperine-pack: %s\n%s", error.c_str(), kPackUsage);
    return 2;
  }
  switch (command.kind) {
    case PackCommand::Kind::Create:
      return createPack(command);
    case PackCommand::Kind::List:
      return listPack(command);
    case PackCommand::Kind::Extract:
      return extractEntry(command);
  }
  return 2;
}
