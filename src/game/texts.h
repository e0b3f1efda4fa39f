// Translated texts: every word the player reads comes from the current language by key.
#pragma once

#include <string>

// The text of a translation key; a missing key is added with "" and reads as "".
const std::string& Tr(const std::string& key);
