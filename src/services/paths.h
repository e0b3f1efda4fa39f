// The game's directories: where the executable lies, the per-user directory and its creation.
#pragma once

#include <string>

// The home directory (with "/" appended when it is longer than one character and does not end in
// "/"), then ".", the sub-path and "/". "Quenmarsh/Vesperine" with HOME=/home/player gives
// /home/player/.Quenmarsh/Vesperine/. The home directory is HOME, or when HOME is unset or empty the
// user's entry in the password database ("" when there is none either).
std::string UserDirectory(const std::string& subPath);

// Creates every missing directory along the path with mode 0700. 1 when the path existed or every
// creation succeeded. The first, empty prefix of an absolute path counts as a failed creation, so a
// new absolute path reports 0 even though its directories are made; the game ignores the result.
int CreatePath(const std::string& path);

// The directory of the running executable including its final "/", from /proc/self/exe, or from
// argv0 when that link cannot be read; a leading double quote is skipped.
std::string ExecutableDirectory(const char* argv0);

// The directory part up to and including the last "/" ("" when there is none).
std::string DirectoryPart(const std::string& path);

bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
