// Conversions between the byte encodings of our text files and the UTF-8 strings the game keeps.
// Used by the preferences syntax reader and by the language table's hash.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Every byte is one ISO 8859-1 character; the result is UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// Keeps well-formed UTF-8 as it is and replaces every malformed sequence (stray continuation bytes,
// overlong forms, surrogates, values above U+10FFFF, cut-off sequences) by U+FFFD, so that everything
// downstream may assume valid UTF-8.
std::string SanitizeUtf8(std::string_view bytes);

// The UTF-16 code units of a UTF-8 text (malformed sequences count as U+FFFD).
std::vector<uint16_t> Utf8ToUtf16(std::string_view text);
