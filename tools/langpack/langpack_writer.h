// Writes the language pack: a zip archive with one top-level entry per language file, named by the
// file's base name. Used by the vesperine-langpack build step.
#pragma once

#include <string>
#include <vector>

// 1 on success; on failure 0 with a reason in `error`.
int WriteLanguagePack(const std::string& outPath, const std::vector<std::string>& files, std::string& error);
