// The language a player's locale asks for, read from the environment as gettext reads it: what the
// game speaks at its first start, before a preferences file names a language.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "services/language_table.h"

// One environment variable's value; "" when it is unset.
using EnvironmentReader = std::function<std::string(const char* name)>;
std::string ProcessEnvironment(const char* name);

// The languages the locale asks for, best first, each cut to its language and territory
// ("de_AT.UTF-8@euro" asks for "de_AT"). The locale is the first of LC_ALL, LC_MESSAGES and LANG
// that is set; LANGUAGE, a colon-separated list, comes before it when set. A locale of C or POSIX
// (or none at all) asks for no language, and LANGUAGE is then ignored, as gettext ignores it; a C
// or POSIX inside LANGUAGE ends the list there.
std::vector<std::string> LocaleLanguages(const EnvironmentReader& environment = ProcessEnvironment);

// The code of the first shipped language asked for: each asked language exactly first, then by its
// language alone ("de_AT" finds "de_DE", "pt" finds "pt_BR"; the first such in the list's order).
// "" when none is shipped.
std::string ShippedLanguageFor(const std::vector<std::string>& asked, const LanguageList& shipped);
