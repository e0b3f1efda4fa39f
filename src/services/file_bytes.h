// Whole-file reading and atomic whole-file writing for the small text files of the game
// (preferences, language files in a directory).
#pragma once

#include <string>

// 1 and the file's bytes in `bytes` when the file could be opened and read to its end, else 0.
int ReadFileBytes(const std::string& path, std::string& bytes);

// Writes the bytes to a new temporary file in the target's directory and renames it over the target,
// so a crash or a full disk never leaves a half-written file behind. The new file gets the default
// permission bits (0666 less the umask). 1 on success; on failure the old file is untouched, 0.
int WriteFileAtomically(const std::string& path, const std::string& bytes);
