// Files that must never replace an older one (logs, screenshots): named by the time they are made,
// two made within the same second (or by two games started at once) each get a name of their own.
#pragma once

#include <string>

// Creates a new, empty file at `path`; when that name is taken, at the same name with " (2)",
// " (3)"... put before its extension ("Log x.log" -> "Log x (2).log"). The creation itself claims
// the name (O_EXCL), so two processes never end up with the same file. Returns the descriptor,
// open for writing and closed on exec, with the name made in `chosen`; -1 when no file could be
// made (`chosen` then unchanged).
int CreateNewFile(const std::string& path, std::string& chosen);

// Removes the file made by CreateNewFile (still open as `fd`) when it is still at `path`: a file
// another game has made under the name since ours went is left alone.
void RemoveNewFile(const std::string& path, int fd);

// The name with its number: NumberedName("/d/Log x.log", 2) is "/d/Log x (2).log"; 1 gives the name.
std::string NumberedName(const std::string& path, int number);
