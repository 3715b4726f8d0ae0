#pragma once
// The installer product scan that fills ProductList for the chosen release.
#include <cstdint>

#include "app/text.h"

// Relative to HKEY_LOCAL_MACHINE, with the trailing "\" that marks a key path.
constexpr const char* kProductsKeyPath = "SOFTWARE\\Classes\\Installer\\Products\\";
// The same key with its root written out, as the rows and the delete lines name it.
constexpr const char* kProductsKeyFullPath = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Products\\";

// The 1-based byte position of the first match of sought in searched, or -1.
// ASCII letters match either case; every other byte must be identical. A byte
// from 0x80 up always starts a two-byte character, so no match starts on the
// byte after it.
std::int32_t FindText(const Text& searched, const Text& sought);
