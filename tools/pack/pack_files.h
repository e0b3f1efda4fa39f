#pragma once
// Whole-file reads and all-or-nothing writes for the pack tool.

#include <cstdint>
#include <string>
#include <vector>

bool readWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* error);

// Writes to a temporary file beside path and renames it over path, so a failed run never
// leaves a half-written pack or extract behind.
bool writeFileReplacing(const std::string& path, const uint8_t* data, size_t size, std::string* error);
