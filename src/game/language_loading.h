#pragma once

#include <string>

// Path of the language pack beside the executable.
std::string LanguagePackPath();
// Loads a language into the translations and writes its "Load language (code):" line. 1 or 0.
int LoadLanguageLogged(const std::string& code);
