#include "pack_command_line.h"

#include <charconv>
#include <filesystem>

const char* const kPackUsage =
    "usage: vesperine-pack create [--version 1|2] [--block-size N] [--level fast|optimal] OUT.pack [NAME=]FILE...\n"
    "       vesperine-pack list PACK\n"
    "       vesperine-pack extract PACK NAME OUTFILE\n"
    "create: entries are named NAME, or the file's base name without NAME=; defaults: version 2,\n"
    "block size 65536, level optimal.\n"
    "list: one line per entry: name, unpacked size, stored size, separated by tabs.\n";

namespace {

bool parseUnsigned(const std::string& text, uint64_t* value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, *value);
  return ec == std::errc() && ptr == end && !text.empty();
}

bool parseOption(const std::string& option, const std::string& value, PackWriteOptions* options, std::string* error) {
  uint64_t number = 0;
  if (option == "--version") {
    if (value != "1" && value != "2") {
      *error = "--version must be 1 or 2, not '" + value + "'";
      return false;
    }
    options->version = value == "1" ? 1 : 2;
  } else if (option == "--block-size") {
    if (!parseUnsigned(value, &number)) {
      *error = "--block-size needs a positive whole number, not '" + value + "'";
      return false;
    }
    options->blockSize = number;
  } else if (option == "--level") {
    if (value != "fast" && value != "optimal") {
      *error = "--level must be fast or optimal, not '" + value + "'";
      return false;
    }
    options->level = value == "fast" ? BriefLzLevel::Fast : BriefLzLevel::Optimal;
  } else {
    *error = "unknown option " + option;
    return false;
  }
  return true;
}

// NAME=FILE names the entry; a whole argument that is an existing file is taken as a path even
// when it contains '='.
PackInputFile parseInput(const std::string& arg) {
  const size_t equals = arg.find('=');
  if (equals != std::string::npos && equals > 0 && !std::filesystem::is_regular_file(arg)) {
    return {arg.substr(0, equals), arg.substr(equals + 1)};
  }
  return {std::filesystem::path(arg).filename().string(), arg};
}

bool parseCreate(const std::vector<std::string>& args, PackCommand* command, std::string* error) {
  size_t i = 1;
  for (; i < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
    if (i + 1 >= args.size()) {
      *error = "option " + args[i] + " needs a value";
      return false;
    }
    if (!parseOption(args[i], args[i + 1], &command->options, error)) return false;
  }
  *error = checkPackWriteOptions(command->options);
  if (!error->empty()) return false;
  if (i + 1 >= args.size()) {
    *error = "create needs an output pack and at least one input file";
    return false;
  }
  command->packPath = args[i];
  for (++i; i < args.size(); ++i) command->inputs.push_back(parseInput(args[i]));
  return true;
}

}  // namespace

bool parsePackCommand(const std::vector<std::string>& args, PackCommand* command, std::string* error) {
  const std::string verb = args.empty() ? "" : args[0];
  if (verb == "create") {
    command->kind = PackCommand::Kind::Create;
    return parseCreate(args, command, error);
  }
  if (verb == "list" && args.size() == 2) {
    command->kind = PackCommand::Kind::List;
    command->packPath = args[1];
    return true;
  }
  if (verb == "extract" && args.size() == 4) {
    command->kind = PackCommand::Kind::Extract;
    command->packPath = args[1];
    command->entryName = args[2];
    command->outputPath = args[3];
    return true;
  }
  *error = verb.empty() ? "no command given" : "wrong use of '" + verb + "'";
  return false;
}
