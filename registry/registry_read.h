#pragma once
// Listing subkeys and reading values. Failures give empty results.
#include <cstdint>

#include "app/text.h"
#include "registry/paths.h"

// Empties names, then fills it with the direct subkeys of the key that path
// names (opened so that a missing key is created, in the process's default
// view). The fourth argument is ignored. Returns the number of names.
std::int32_t EnumerateSubkeys(RootCode code, const Text& path, TextArray& names, std::int32_t unused);

// The raw data of the value that path names (64-bit view on a 64-bit system).
ByteBuffer ReadValueBytes(RootCode code, const Text& path);
// The same data up to its first NUL.
Text ReadValueText(RootCode code, const Text& path);
