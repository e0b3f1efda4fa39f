// Whole-file reading and saving for the small text files of the game (preferences, language files
// in a directory).
#pragma once

#include <string>

// 1 and the file's bytes in `bytes` when the file could be opened and read to its end, else 0.
int ReadFileBytes(const std::string& path, std::string& bytes);

// Saves the bytes as the file's new content, as the player's own editor would:
// - a symbolic link is saved through: the file it leads to gets the bytes, the link stays a link;
// - a file the player may not write (made read-only) is left exactly as it is: 0;
// - otherwise a new temporary file beside the file is written and renamed onto it, so a kill or a
//   full disk never leaves a half-written file behind; it keeps the old file's permission bits (a
//   file made anew gets 0666 less the umask);
// - only where the directory refuses that new file, the file itself is rewritten in place.
// 1 on success; on failure the old file is untouched (bar a failure in the middle of an in-place
// rewrite), 0.
int SaveFileBytes(const std::string& path, const std::string& bytes);
