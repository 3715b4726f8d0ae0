#pragma once
// Root codes and registry paths. Nothing here touches the registry.
#include <cstdint>

#include "app/text.h"
#include "registry/platform.h"

// 1 HKEY_CLASSES_ROOT, 2 HKEY_CURRENT_CONFIG, 3 HKEY_CURRENT_USER,
// 4 HKEY_LOCAL_MACHINE, 5 HKEY_USERS.
using RootCode = std::int32_t;
constexpr RootCode kRootLocalMachine = 4;

// The predefined root key for a code from 1 to 5; any other code is a
// programming error and stops the program with exit code -1.
platform::RegKey RootKeyFromCode(RootCode code);

// Splits a value path at its last "\" (stepping over double-byte characters):
// path becomes the key path and the value name is returned. A path ending in
// "\" sets key_only to 1; while key_only is non-zero the path is not split.
Text SplitValuePath(Text& path, std::int32_t& key_only);
