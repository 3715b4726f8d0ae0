#pragma once
// The Windows functions the registry routines reach the registry and the
// WOW64 layer through. platform_win32.cpp calls the real ones; the simulated
// machine in sim/ implements the same declarations for the native tests.
// Results are Windows error codes: 0 is success, anything else failure.
#include <cstdint>

namespace platform {

using RegKey = std::uintptr_t;        // an HKEY's value; 0 is no key
using ModuleHandle = std::uintptr_t;  // an HMODULE's value; 0 is none
using ProcAddress = std::uintptr_t;   // a routine's address; 0 is none
using RegResult = std::int32_t;

// The predefined root keys are 32-bit values sign-extended to pointer size,
// as <windows.h> defines them.
constexpr RegKey PredefinedKey(std::uint32_t value) {
  return static_cast<RegKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
constexpr RegKey kHkeyClassesRoot = PredefinedKey(0x80000000u);
constexpr RegKey kHkeyCurrentUser = PredefinedKey(0x80000001u);
constexpr RegKey kHkeyLocalMachine = PredefinedKey(0x80000002u);
constexpr RegKey kHkeyUsers = PredefinedKey(0x80000003u);
constexpr RegKey kHkeyCurrentConfig = PredefinedKey(0x80000005u);

constexpr std::uint32_t kKeyQueryValue = 0x0001;  // KEY_QUERY_VALUE
constexpr std::uint32_t kKeyWow6464Key = 0x0100;  // KEY_WOW64_64KEY
constexpr std::uint32_t kKeyRead = 0x20019;       // KEY_READ

// Opens root\path, creating it when missing (default view of the process).
RegResult RegCreateKeyA(RegKey root, const char* path, RegKey* out);
// Copies the name of subkey `index` into buffer, NUL-terminated.
RegResult RegEnumKeyA(RegKey key, std::uint32_t index, char* buffer, std::uint32_t size);
RegResult RegOpenKeyExA(RegKey root, const char* path, std::uint32_t options, std::uint32_t mask, RegKey* out);
// name nullptr reads the default value; data nullptr asks for the size only.
// No value type is asked for.
RegResult RegQueryValueExA(RegKey key, const char* name, std::uint8_t* data, std::uint32_t* size);
RegResult RegCloseKey(RegKey key);

// Fills the 44-byte SYSTEM_INFO buffer.
void GetNativeSystemInfo(std::uint8_t (&buffer)[44]);

ModuleHandle GetModuleHandleA(const char* module_name);
ProcAddress GetProcAddress(ModuleHandle module, const char* function_name);

// Calls a WINAPI routine that takes one pointer-sized argument and returns a
// 32-bit result (BOOL or LONG), through that exact typed signature, so the
// stack stays intact whoever pops the argument. address must not be 0.
std::int32_t CallByAddress(ProcAddress address, std::uintptr_t argument);

// False where the process is native to the system (the 64-bit build that runs
// the real Win32 code under Wine): there is no file-system redirection to
// switch off, and the switches report success without calling the platform.
bool ProcessHasFsRedirection();

}  // namespace platform
