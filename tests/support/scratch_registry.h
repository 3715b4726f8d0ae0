#pragma once
// The contract tests' own keys and values, made and removed on whichever
// registry the tests run against: the simulated one natively, the real one
// under Wine. Each call works on one view of the registry.
#include <cstdint>
#include <string>
#include <vector>

#include "app/text.h"
#include "registry/platform.h"

namespace scratch {

// k32 is what a 32-bit process sees by default, k64 the 64-bit (native) view.
enum class View { k32, k64 };

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Called by each test before its first scratch call (a fresh simulated
// machine; nothing on the real registry).
void StartTest();

bool CreateKey(platform::RegKey root, const std::string& path, View view = View::k64);
// Stores exactly these bytes, even for a string type without its NUL.
bool SetValue(platform::RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
              const ByteBuffer& data, View view = View::k64);
bool KeyExists(platform::RegKey root, const std::string& path, View view = View::k64);
// Removes the key with everything under it; true when it is gone afterwards.
bool DeleteTree(platform::RegKey root, const std::string& path, View view = View::k64);
// The key's direct subkeys, in the registry's order; empty for a missing key.
std::vector<std::string> SubkeyNames(platform::RegKey root, const std::string& path, View view = View::k64);

}  // namespace scratch
