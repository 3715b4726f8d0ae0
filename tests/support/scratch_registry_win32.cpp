#include "tests/support/scratch_registry.h"

#include <windows.h>

#include <utility>

namespace scratch {
namespace {

// An HKEY opened here, closed when it goes.
class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_ != nullptr) ::RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  HKEY* Receive() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

HKEY ToHkey(platform::RegKey root) { return reinterpret_cast<HKEY>(root); }
REGSAM ViewFlag(View view) { return view == View::k32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }

// Creates the key one component at a time: Wine's ANSI registry functions
// refuse a whole path longer than 260 characters, and the tests need names of
// 255 below their scratch key.
bool CreateKeyInto(platform::RegKey root, const std::string& path, View view, Key& out) {
  HKEY parent = ToHkey(root);
  Key current;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string component = path.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    Key next;
    if (::RegCreateKeyExA(parent, component.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | ViewFlag(view), nullptr,
                          next.Receive(), nullptr) != ERROR_SUCCESS)
      return false;
    std::swap(*current.Receive(), *next.Receive());
    parent = current.Get();
  }
  std::swap(*out.Receive(), *current.Receive());
  return out.Get() != nullptr;
}

}  // namespace

void StartTest() {}

bool CreateKey(platform::RegKey root, const std::string& path, View view) {
  Key key;
  return CreateKeyInto(root, path, view, key);
}

bool SetValue(platform::RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
              const ByteBuffer& data, View view) {
  Key key;
  if (!CreateKeyInto(root, path, view, key)) return false;
  // RegSetValueExA counts a string's NUL in when the byte after the data is
  // one (NT does, and Wine copies it): a non-NUL byte after the data keeps a
  // string stored exactly as given.
  ByteBuffer padded = data;
  padded.push_back('#');
  return ::RegSetValueExA(key.Get(), name.empty() ? nullptr : name.c_str(), 0, type, padded.data(),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool KeyExists(platform::RegKey root, const std::string& path, View view) {
  Key key;
  return ::RegOpenKeyExA(ToHkey(root), path.c_str(), 0, KEY_READ | ViewFlag(view), key.Receive()) == ERROR_SUCCESS;
}

bool DeleteTree(platform::RegKey root, const std::string& path, View view) {
  {
    Key key;
    if (::RegOpenKeyExA(ToHkey(root), path.c_str(), 0, KEY_ALL_ACCESS | ViewFlag(view), key.Receive()) ==
        ERROR_SUCCESS) {
      ::RegDeleteTreeA(key.Get(), nullptr);
    }
  }
  ::RegDeleteKeyExA(ToHkey(root), path.c_str(), ViewFlag(view), 0);
  return !KeyExists(root, path, view);
}

std::vector<std::string> SubkeyNames(platform::RegKey root, const std::string& path, View view) {
  std::vector<std::string> names;
  Key key;
  if (::RegOpenKeyExA(ToHkey(root), path.c_str(), 0, KEY_READ | ViewFlag(view), key.Receive()) != ERROR_SUCCESS)
    return names;
  for (DWORD index = 0;; ++index) {
    char name[1024];
    DWORD length = sizeof name;
    if (::RegEnumKeyExA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace scratch
