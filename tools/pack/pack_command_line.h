#pragma once
// Parses the pack tool's command line:
//   vesperine-pack create [--version 1|2] [--block-size N] [--level fast|optimal] OUT.pack [NAME=]FILE...
//   vesperine-pack list PACK
//   vesperine-pack extract PACK NAME OUTFILE

#include <string>
#include <vector>

#include "display/data_pack_writer.h"

struct PackInputFile {
  std::string name;  // entry name: NAME of NAME=FILE, else the file's base name
  std::string path;
};

struct PackCommand {
  enum class Kind { Create, List, Extract } kind = Kind::List;
  PackWriteOptions options;
  std::string packPath;
  std::vector<PackInputFile> inputs;  // create
  std::string entryName;              // extract
  std::string outputPath;             // extract
};

// False with *error set on any unknown command, unknown option, bad value or missing operand.
bool parsePackCommand(const std::vector<std::string>& args, PackCommand* command, std::string* error);

extern const char* const kPackUsage;
