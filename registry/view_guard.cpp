#include "registry/view_guard.h"

namespace {

constexpr const char* kKernel32 = "kernel32.dll";
constexpr const char* kAdvapi32 = "advapi32.dll";
constexpr std::int32_t kErrorProcNotFound = 127;

// Looks the function up and, only when it is found, calls it with its one
// argument. False when the module or the function is missing.
bool CallSwitch(const char* module_name, const char* function_name, std::uintptr_t argument,
                std::int32_t& result) {
  const platform::ModuleHandle module = platform::GetModuleHandleA(module_name);
  if (module == 0) return false;
  const platform::ProcAddress address = platform::GetProcAddress(module, function_name);
  if (address == 0) return false;
  result = platform::CallByAddress(address, argument);
  return true;
}

}  // namespace

bool IsSystem64Bit() {
  std::uint8_t buffer[44] = {};
  platform::GetNativeSystemInfo(buffer);
  // The architecture and the reserved word together, compared whole.
  const std::uint32_t word = static_cast<std::uint32_t>(buffer[0]) | static_cast<std::uint32_t>(buffer[1]) << 8 |
                             static_cast<std::uint32_t>(buffer[2]) << 16 | static_cast<std::uint32_t>(buffer[3]) << 24;
  return word == 6 || word == 9;
}

// NOTE: the 64-bit build exists only so that this code can run against a real
// registry under Wine. That process is native to the system: nothing is
// redirected for it, so the two file-system switches report success without
// calling the platform. The 32-bit product always calls the WOW64 functions.
bool DisableFsRedirection(std::uintptr_t& saved_state) {
  if (!platform::ProcessHasFsRedirection()) return true;
  std::int32_t result = 0;
  return CallSwitch(kKernel32, "Wow64DisableWow64FsRedirection", reinterpret_cast<std::uintptr_t>(&saved_state),
                    result) &&
         result != 0;
}

bool RevertFsRedirection(std::uintptr_t saved_state) {
  if (!platform::ProcessHasFsRedirection()) return true;
  std::int32_t result = 0;
  return CallSwitch(kKernel32, "Wow64RevertWow64FsRedirection", saved_state, result) && result != 0;
}

std::int32_t DisableKeyReflection(platform::RegKey key) {
  std::int32_t result = kErrorProcNotFound;
  CallSwitch(kAdvapi32, "RegDisableReflectionKey", key, result);
  return result;
}

std::int32_t EnableKeyReflection(platform::RegKey key) {
  std::int32_t result = kErrorProcNotFound;
  CallSwitch(kAdvapi32, "RegEnableReflectionKey", key, result);
  return result;
}
