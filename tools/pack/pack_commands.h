#pragma once
// The three things the pack tool does. Each returns the process exit code and prints its own
// error messages to stderr.

#include "pack_command_line.h"

int createPack(const PackCommand& command);
int listPack(const PackCommand& command);
int extractEntry(const PackCommand& command);
