#include "registry/platform.h"

#include <windows.h>

#include <cstring>

namespace platform {
namespace {

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

RegResult RegCreateKeyA(RegKey root, const char* path, RegKey* out) {
  HKEY key = nullptr;
  const LONG result = ::RegCreateKeyA(ToHkey(root), path, &key);
  if (result == ERROR_SUCCESS) *out = reinterpret_cast<RegKey>(key);
  return result;
}

RegResult RegEnumKeyA(RegKey key, std::uint32_t index, char* buffer, std::uint32_t size) {
  return ::RegEnumKeyA(ToHkey(key), index, buffer, size);
}

RegResult RegOpenKeyExA(RegKey root, const char* path, std::uint32_t options, std::uint32_t mask, RegKey* out) {
  HKEY key = nullptr;
  const LONG result = ::RegOpenKeyExA(ToHkey(root), path, options, mask, &key);
  if (result == ERROR_SUCCESS) *out = reinterpret_cast<RegKey>(key);
  return result;
}

RegResult RegQueryValueExA(RegKey key, const char* name, std::uint8_t* data, std::uint32_t* size) {
  DWORD count = size != nullptr ? *size : 0;
  const LONG result = ::RegQueryValueExA(ToHkey(key), name, nullptr, nullptr, data, size != nullptr ? &count : nullptr);
  if (size != nullptr) *size = count;
  return result;
}

RegResult RegCloseKey(RegKey key) { return ::RegCloseKey(ToHkey(key)); }

void GetNativeSystemInfo(std::uint8_t (&buffer)[44]) {
  // SYSTEM_INFO is 36 bytes in the 32-bit build and 48 in the 64-bit one:
  // fill the whole structure, hand back what fits.
  SYSTEM_INFO info;
  std::memset(&info, 0, sizeof info);
  ::GetNativeSystemInfo(&info);
  std::memcpy(buffer, &info, sizeof info < sizeof buffer ? sizeof info : sizeof buffer);
}

ModuleHandle GetModuleHandleA(const char* module_name) {
  return reinterpret_cast<ModuleHandle>(::GetModuleHandleA(module_name));
}

ProcAddress GetProcAddress(ModuleHandle module, const char* function_name) {
  return reinterpret_cast<ProcAddress>(::GetProcAddress(reinterpret_cast<HMODULE>(module), function_name));
}

std::int32_t CallByAddress(ProcAddress address, std::uintptr_t argument) {
  // Wow64DisableWow64FsRedirection(PVOID*), Wow64RevertWow64FsRedirection(PVOID),
  // RegDisableReflectionKey(HKEY) and RegEnableReflectionKey(HKEY) all share
  // this shape; calling through it lets the callee pop its own argument.
  using OneArgument = LONG(WINAPI*)(ULONG_PTR);
  return reinterpret_cast<OneArgument>(address)(argument);
}

// The 32-bit product runs under WOW64 on a 64-bit system and must switch
// redirection off. The 64-bit build that runs this code under Wine is native:
// there is nothing to switch, and the view guard skips the two WOW64 calls.
bool ProcessHasFsRedirection() { return sizeof(void*) == 4; }

}  // namespace platform
