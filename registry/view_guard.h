#pragma once
// The 64-bit view guard: on a 64-bit system every registry access runs with
// the thread's file-system redirection off and reflection off on its key.
#include <cstdint>

#include "registry/platform.h"

// True when the native processor architecture word is 6 (IA64) or 9 (AMD64).
bool IsSystem64Bit();

// Each switch looks its function up anew; a function that is not found is
// never called and the switch reports failure.
bool DisableFsRedirection(std::uintptr_t& saved_state);
bool RevertFsRedirection(std::uintptr_t saved_state);
std::int32_t DisableKeyReflection(platform::RegKey key);
std::int32_t EnableKeyReflection(platform::RegKey key);
