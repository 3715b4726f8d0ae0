#pragma once
// The simulated machine behind registry/platform.h: a registry of keys with
// typed values as a 32-bit process on 64-bit Windows (7 and later) sees it,
// the thread's file-system redirection, per-key reflection, the processor
// architecture word, failures on demand and a log of every platform call.
#include <cstdint>
#include <string>
#include <vector>

#include "app/text.h"
#include "registry/platform.h"

namespace sim {

// Which view a path is reached through. k32 is the process's default view;
// k64 is what KEY_WOW64_64KEY (or reg's /reg:64) reaches. In the 32-bit view
// HKLM\SOFTWARE\X is HKLM\SOFTWARE\Wow6432Node\X, except under the shared
// HKLM\SOFTWARE\Classes; HKCU\Software is shared.
enum class View { k32, k64 };

enum ValueType : std::uint32_t {
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
};

// Calls that can be made to fail on demand.
enum class Fail {
  kCreateKey,          // RegCreateKeyA
  kOpenKey,            // RegOpenKeyExA
  kFirstQuery,         // RegQueryValueExA without a data buffer
  kSecondQuery,        // RegQueryValueExA with a data buffer
  kFsRedirection,      // Wow64DisableWow64FsRedirection returns FALSE
};

// Back to a new machine: empty registry, architecture word 9, redirection
// available, all WOW64 functions present, no failures, empty call log.
void Reset();

void SetArchitectureWord(std::uint32_t word);
// Makes GetProcAddress return 0 for this function name.
void RemoveFunction(const std::string& function_name);
// Makes the next `count` calls of that kind fail (count -1: every call).
void FailCalls(Fail what, int count = -1);
// RegEnumKeyA fails with this error at `index` (and after it) from now on.
void FailEnumAt(std::uint32_t index, platform::RegResult error = 259);

// Seeding and inspection. root is a predefined key; path has no trailing "\".
void CreateKey(platform::RegKey root, const std::string& path, View view = View::k64);
void SetValue(platform::RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
              const ByteBuffer& data, View view = View::k64);
void SetString(platform::RegKey root, const std::string& path, const std::string& name,
               const std::string& text, View view = View::k64);  // REG_SZ with its NUL
bool KeyExists(platform::RegKey root, const std::string& path, View view = View::k64);
bool DeleteKeyTree(platform::RegKey root, const std::string& path, View view = View::k64);
// Every key and value of the physical registry, one line each, sorted: for
// comparing the whole machine before and after.
std::vector<std::string> Dump();

// The value as stored: false when the key or the value is missing. An empty
// name is the key's default value.
bool GetValue(platform::RegKey root, const std::string& path, const std::string& name, std::uint32_t* type,
              ByteBuffer* data, View view = View::k64);
// The names of the key's direct subkeys in the order RegEnumKeyA hands them out.
std::vector<std::string> SubkeyNames(platform::RegKey root, const std::string& path, View view = View::k64);

// Thread state, for the guard's tests.
bool FsRedirectionDisabled();
// Of the key an open handle refers to (false for a handle that is not open).
bool ReflectionDisabled(platform::RegKey key);
// Of a key named by its path.
bool ReflectionDisabledAt(platform::RegKey root, const std::string& path, View view = View::k64);
std::size_t OpenKeyCount();  // keys opened and not yet closed

// One line per platform call, in order, such as
// "RegOpenKeyExA HKLM\SOFTWARE\X 0x101" or "GetProcAddress RegDisableReflectionKey".
const std::vector<std::string>& CallLog();
void ClearCallLog();

// What reg.exe (through cmd /c, started by the 32-bit process) does with one
// command line: "cmd /c reg delete KEY /f [/reg:32|/reg:64]" deletes the key
// and its subtree in that view (default 32) and gives 0, or 1 when the key is
// missing; any other line changes nothing and gives 1.
int RunRegCommand(const std::string& command_line);

}  // namespace sim
