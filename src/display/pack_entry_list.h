#pragma once
// Reads the entry list of a data pack once, on DataPack's first access.

#include <cstddef>
#include <vector>

#include "display/data_pack.h"

// Walks the entries from just after the magic. A short read of a header or a name ends the
// list, as does a negative name length (nothing after it can be located). An entry whose data
// runs past the end of the pack is kept, so that unpacking it fails with a short read, and ends
// the list.
std::vector<PackEntry> readPackEntryList(PackSource& source, size_t headerSize);
