#include "sim/sim_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>

namespace sim {
namespace {

using platform::RegKey;
using platform::RegResult;

constexpr RegResult kSuccess = 0;
constexpr RegResult kFileNotFound = 2;
constexpr RegResult kAccessDenied = 5;
constexpr RegResult kInvalidHandle = 6;
constexpr RegResult kInvalidParameter = 87;
constexpr RegResult kCallNotImplemented = 120;
constexpr RegResult kBadPathname = 161;
constexpr RegResult kMoreData = 234;
constexpr RegResult kNoMoreItems = 259;
constexpr RegResult kKeyDeleted = 1018;

constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyWow6432Key = 0x0200;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kMaximumAllowed = 0x02000000;

constexpr platform::ModuleHandle kKernel32Module = 0x75A10000;
constexpr platform::ModuleHandle kAdvapi32Module = 0x76B20000;
// What Wow64DisableWow64FsRedirection stores for the caller: a tag and the
// previous state in bit 0. Anything else handed back to the revert is refused.
constexpr std::uintptr_t kSavedStateTag = 0x5AFE0000;

// The simulated machine's ANSI code page is 936: a byte from 0x81 to 0xFE
// starts a two-byte character, whose second byte is never a separator and is
// not case-folded.
bool IsLeadByte(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

// Registry names compare without regard to case; keys are listed in the order
// of their upper-cased names, as Windows lists them.
std::string Fold(const std::string& name) {
  std::string folded = name;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (IsLeadByte(folded[i])) {
      ++i;
    } else if (folded[i] >= 'a' && folded[i] <= 'z') {
      folded[i] = static_cast<char>(folded[i] - 'a' + 'A');
    }
  }
  return folded;
}

bool Same(const std::string& a, const char* b) { return Fold(a) == Fold(b); }

struct Value {
  std::string name;
  std::uint32_t type;
  ByteBuffer data;
};

struct Node {
  std::string name;
  std::map<std::string, std::shared_ptr<Node>> subkeys;  // by folded name
  std::map<std::string, Value> values;                    // by folded name
  bool reflection_disabled = false;
  bool deleted = false;  // handles may outlive their key
};
using NodePtr = std::shared_ptr<Node>;

enum Hive { kMachine, kUser, kUsers, kHiveCount };
const char* const kHiveNames[kHiveCount] = {"HKLM", "HKCU", "HKU"};

using Components = std::vector<std::string>;

struct Place {
  Hive hive;
  Components path;  // physical: the 64-bit view's names
};

struct Handle {
  NodePtr node;
  Place place;
  std::uint32_t access;
};

struct Machine {
  Machine() {
    for (NodePtr& root : roots) root = std::make_shared<Node>();
  }
  NodePtr roots[kHiveCount];
  std::uint32_t architecture = 9;
  bool fs_redirection_disabled = false;
  std::set<std::string> removed_functions;
  std::map<Fail, int> failures;
  bool enum_fails = false;
  std::uint32_t enum_fail_index = 0;
  RegResult enum_fail_error = kNoMoreItems;
  std::map<RegKey, Handle> handles;
  RegKey next_handle = 0x100;
  std::vector<std::string> log;
};

Machine& State() {
  static Machine machine;
  return machine;
}

void Log(const std::string& line) { State().log.push_back(line); }

// A 32-bit process runs under WOW64 on x64, IA64 and ARM64 Windows; on any
// other architecture the system is 32-bit and has a single registry view.
bool IsWow64() {
  const std::uint32_t architecture = State().architecture & 0xFFFF;
  return architecture == 6 || architecture == 9 || architecture == 12;
}

bool TakeFailure(Fail what) {
  int& count = State().failures[what];
  if (count == 0) return false;
  if (count > 0) --count;
  return true;
}

// Splits at "\" (never at a trail byte). Trailing "\"s are accepted, as
// Windows accepts them; an empty component anywhere else is not a path.
bool SplitPath(const char* text, Components& out) {
  out.clear();
  if (text == nullptr) return true;
  const std::string path = text;
  std::string current;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsLeadByte(path[i]) && i + 1 < path.size()) {
      current += path[i];
      current += path[++i];
    } else if (path[i] == '\\') {
      if (current.empty()) return path.find_first_not_of('\\', i) == std::string::npos && !out.empty();
      out.push_back(current);
      current.clear();
    } else {
      current += path[i];
    }
  }
  if (!current.empty()) out.push_back(current);
  return true;
}

bool IsPredefined(RegKey key) {
  return key == platform::kHkeyClassesRoot || key == platform::kHkeyCurrentUser || key == platform::kHkeyLocalMachine ||
         key == platform::kHkeyUsers || key == platform::kHkeyCurrentConfig;
}

// Where a predefined key leads in the physical registry.
Place PredefinedPlace(RegKey key) {
  if (key == platform::kHkeyClassesRoot) return {kMachine, {"SOFTWARE", "Classes"}};
  if (key == platform::kHkeyCurrentUser) return {kUser, {}};
  if (key == platform::kHkeyUsers) return {kUsers, {}};
  if (key == platform::kHkeyCurrentConfig)
    return {kMachine, {"SYSTEM", "CurrentControlSet", "Hardware Profiles", "Current"}};
  return {kMachine, {}};
}

std::string PredefinedName(RegKey key) {
  if (key == platform::kHkeyClassesRoot) return "HKCR";
  if (key == platform::kHkeyCurrentUser) return "HKCU";
  if (key == platform::kHkeyLocalMachine) return "HKLM";
  if (key == platform::kHkeyUsers) return "HKU";
  return "HKCC";
}

std::string PlaceName(const Place& place) {
  std::string name = kHiveNames[place.hive];
  for (const std::string& component : place.path) name += "\\" + component;
  return name;
}

// Under the shared Classes keys a few COM subkeys still have a 32-bit copy.
void RedirectClassesSubkey(Components& path, std::size_t at) {
  static const char* const kRedirected[] = {"CLSID", "DirectShow", "Interface", "Media Type", "MediaFoundation"};
  if (path.size() <= at) return;
  for (const char* name : kRedirected) {
    if (Same(path[at], name)) {
      path.insert(path.begin() + static_cast<std::ptrdiff_t>(at), "Wow6432Node");
      return;
    }
  }
}

// The physical path behind a path seen through a view. The 32-bit view of
// HKLM\SOFTWARE is HKLM\SOFTWARE\Wow6432Node, except for the shared Classes
// key; HKCU\Software is shared. A path already naming Wow6432Node stays.
Components ToPhysical(Hive hive, Components path, View view) {
  if (view == View::k64 || !IsWow64()) return path;
  if (hive == kMachine && !path.empty() && Same(path[0], "SOFTWARE")) {
    if (path.size() >= 2 && Same(path[1], "Classes")) {
      RedirectClassesSubkey(path, 2);
    } else if (path.size() < 2 || !Same(path[1], "Wow6432Node")) {
      path.insert(path.begin() + 1, "Wow6432Node");
    }
  } else if (hive == kUser && path.size() >= 2 && Same(path[0], "Software") && Same(path[1], "Classes")) {
    RedirectClassesSubkey(path, 2);
  }
  return path;
}

Handle* FindHandle(RegKey key) {
  auto found = State().handles.find(key);
  return found == State().handles.end() ? nullptr : &found->second;
}

// Root and path as a call names them, resolved to a physical place.
RegResult Resolve(RegKey root, const char* path, View view, Place& place) {
  Components components;
  if (!SplitPath(path, components)) return kBadPathname;
  Place base;
  if (IsPredefined(root)) {
    base = PredefinedPlace(root);
  } else {
    const Handle* handle = FindHandle(root);
    if (handle == nullptr) return kInvalidHandle;
    if (handle->node->deleted) return kKeyDeleted;
    base = handle->place;
  }
  base.path.insert(base.path.end(), components.begin(), components.end());
  place = {base.hive, ToPhysical(base.hive, base.path, view)};
  return kSuccess;
}

NodePtr Walk(const Place& place, bool create) {
  NodePtr node = State().roots[place.hive];
  for (const std::string& component : place.path) {
    const std::string folded = Fold(component);
    auto found = node->subkeys.find(folded);
    if (found == node->subkeys.end()) {
      if (!create) return nullptr;
      auto child = std::make_shared<Node>();
      child->name = component;
      found = node->subkeys.emplace(folded, child).first;
    }
    node = found->second;
  }
  return node;
}

NodePtr SeedPlace(RegKey root, const std::string& path, View view, bool create) {
  Place place;
  if (Resolve(root, path.c_str(), view, place) != kSuccess) return nullptr;
  return Walk(place, create);
}

// The key an open handle (or a predefined key, in the default view) refers to.
RegResult KeyOf(RegKey key, std::uint32_t needed_access, NodePtr& node) {
  if (IsPredefined(key)) {
    node = Walk({PredefinedPlace(key).hive, ToPhysical(PredefinedPlace(key).hive, PredefinedPlace(key).path, View::k32)},
                true);
    return kSuccess;
  }
  const Handle* handle = FindHandle(key);
  if (handle == nullptr) return kInvalidHandle;
  if (handle->node->deleted) return kKeyDeleted;
  if ((handle->access & needed_access) != needed_access) return kAccessDenied;
  node = handle->node;
  return kSuccess;
}

RegKey NewHandle(const NodePtr& node, const Place& place, std::uint32_t access) {
  Machine& machine = State();
  const RegKey key = machine.next_handle;
  machine.next_handle += 4;
  machine.handles[key] = {node, place, access};
  return key;
}

std::string KeyName(RegKey root, const char* path) {
  std::string name;
  if (IsPredefined(root)) {
    name = PredefinedName(root);
  } else if (const Handle* handle = FindHandle(root)) {
    name = PlaceName(handle->place);
  } else {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(root));
    name = text;
  }
  if (path != nullptr && *path != '\0') name += std::string("\\") + path;
  return name;
}

void MarkDeleted(Node& node) {
  node.deleted = true;
  for (auto& child : node.subkeys) MarkDeleted(*child.second);
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

std::string Quoted(const char* name) { return name == nullptr ? "NULL" : "\"" + std::string(name) + "\""; }

void DumpNode(const Node& node, const std::string& name, std::vector<std::string>& lines) {
  lines.push_back(name);
  for (const auto& entry : node.values) {
    const Value& value = entry.second;
    std::string line = name + " = \"" + value.name + "\" type " + std::to_string(value.type) + " data";
    for (std::uint8_t byte : value.data) {
      char text[4];
      std::snprintf(text, sizeof text, " %02x", byte);
      line += text;
    }
    lines.push_back(line);
  }
  for (const auto& child : node.subkeys) DumpNode(*child.second, name + "\\" + child.second->name, lines);
}

// The switches of kernel32 and advapi32, reached through GetProcAddress.
std::int32_t Wow64DisableWow64FsRedirection(std::uintptr_t old_value_address) {
  Log("Wow64DisableWow64FsRedirection");
  Machine& machine = State();
  if (!IsWow64() || TakeFailure(Fail::kFsRedirection) || old_value_address == 0) return 0;
  *reinterpret_cast<std::uintptr_t*>(old_value_address) = kSavedStateTag | (machine.fs_redirection_disabled ? 1 : 0);
  machine.fs_redirection_disabled = true;
  return 1;
}

std::int32_t Wow64RevertWow64FsRedirection(std::uintptr_t old_value) {
  Log("Wow64RevertWow64FsRedirection");
  if (!IsWow64() || (old_value & ~static_cast<std::uintptr_t>(1)) != kSavedStateTag) return 0;
  State().fs_redirection_disabled = (old_value & 1) != 0;
  return 1;
}

std::int32_t SetReflection(std::uintptr_t key, bool disabled) {
  // 32-bit Windows has no reflection to switch.
  if (!IsWow64()) return kCallNotImplemented;
  NodePtr node;
  const RegResult result = KeyOf(key, 0, node);
  if (result != kSuccess) return result;
  node->reflection_disabled = disabled;
  return kSuccess;
}

std::int32_t RegDisableReflectionKey(std::uintptr_t key) {
  Log("RegDisableReflectionKey");
  return SetReflection(key, true);
}

std::int32_t RegEnableReflectionKey(std::uintptr_t key) {
  Log("RegEnableReflectionKey");
  return SetReflection(key, false);
}

struct Export {
  platform::ModuleHandle module;
  const char* name;
  std::int32_t (*function)(std::uintptr_t);
};

const Export kExports[] = {
    {kKernel32Module, "Wow64DisableWow64FsRedirection", &Wow64DisableWow64FsRedirection},
    {kKernel32Module, "Wow64RevertWow64FsRedirection", &Wow64RevertWow64FsRedirection},
    {kAdvapi32Module, "RegDisableReflectionKey", &RegDisableReflectionKey},
    {kAdvapi32Module, "RegEnableReflectionKey", &RegEnableReflectionKey},
};

// reg.exe's view of a command line: words split at blanks, quotes grouping.
// cmd's own operators are not modelled: a line that holds one outside quotes
// is refused as a whole.
bool SplitCommandLine(const std::string& line, std::vector<std::string>& words) {
  std::string word;
  bool quoted = false, in_word = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else if (!quoted && std::strchr("&|<>^%()", c) != nullptr) {
      return false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (quoted) return false;
  if (in_word) words.push_back(word);
  return true;
}

bool RootFromName(const std::string& name, RegKey& root) {
  static const struct {
    const char* short_name;
    const char* long_name;
    RegKey key;
  } kRoots[] = {
      {"HKLM", "HKEY_LOCAL_MACHINE", platform::kHkeyLocalMachine},
      {"HKCU", "HKEY_CURRENT_USER", platform::kHkeyCurrentUser},
      {"HKCR", "HKEY_CLASSES_ROOT", platform::kHkeyClassesRoot},
      {"HKU", "HKEY_USERS", platform::kHkeyUsers},
      {"HKCC", "HKEY_CURRENT_CONFIG", platform::kHkeyCurrentConfig},
  };
  for (const auto& entry : kRoots) {
    if (Same(name, entry.short_name) || Same(name, entry.long_name)) {
      root = entry.key;
      return true;
    }
  }
  return false;
}

}  // namespace

void Reset() { State() = Machine(); }

void SetArchitectureWord(std::uint32_t word) { State().architecture = word; }
void RemoveFunction(const std::string& function_name) { State().removed_functions.insert(function_name); }
void FailCalls(Fail what, int count) { State().failures[what] = count; }

void FailEnumAt(std::uint32_t index, platform::RegResult error) {
  Machine& machine = State();
  machine.enum_fails = true;
  machine.enum_fail_index = index;
  machine.enum_fail_error = error;
}

void CreateKey(RegKey root, const std::string& path, View view) { SeedPlace(root, path, view, true); }

void SetValue(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
              const ByteBuffer& data, View view) {
  const NodePtr node = SeedPlace(root, path, view, true);
  if (node != nullptr) node->values[Fold(name)] = {name, type, data};
}

void SetString(RegKey root, const std::string& path, const std::string& name, const std::string& text, View view) {
  ByteBuffer data(text.begin(), text.end());
  data.push_back(0);
  SetValue(root, path, name, kRegSz, data, view);
}

bool KeyExists(RegKey root, const std::string& path, View view) {
  return SeedPlace(root, path, view, false) != nullptr;
}

bool DeleteKeyTree(RegKey root, const std::string& path, View view) {
  Place place;
  if (Resolve(root, path.c_str(), view, place) != kSuccess || place.path.empty()) return false;
  const std::string last = Fold(place.path.back());
  place.path.pop_back();
  const NodePtr parent = Walk(place, false);
  if (parent == nullptr) return false;
  auto found = parent->subkeys.find(last);
  if (found == parent->subkeys.end()) return false;
  MarkDeleted(*found->second);
  parent->subkeys.erase(found);
  return true;
}

bool GetValue(RegKey root, const std::string& path, const std::string& name, std::uint32_t* type, ByteBuffer* data,
              View view) {
  const NodePtr node = SeedPlace(root, path, view, false);
  if (node == nullptr) return false;
  auto found = node->values.find(Fold(name));
  if (found == node->values.end()) return false;
  if (type != nullptr) *type = found->second.type;
  if (data != nullptr) *data = found->second.data;
  return true;
}

std::vector<std::string> SubkeyNames(RegKey root, const std::string& path, View view) {
  std::vector<std::string> names;
  const NodePtr node = SeedPlace(root, path, view, false);
  if (node == nullptr) return names;
  for (const auto& child : node->subkeys) names.push_back(child.second->name);
  return names;
}

std::vector<std::string> Dump() {
  std::vector<std::string> lines;
  for (int hive = 0; hive < kHiveCount; ++hive) {
    const Node& root = *State().roots[hive];
    for (const auto& entry : root.values) {
      lines.push_back(std::string(kHiveNames[hive]) + " = \"" + entry.second.name + "\"");
    }
    for (const auto& child : root.subkeys)
      DumpNode(*child.second, std::string(kHiveNames[hive]) + "\\" + child.second->name, lines);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool FsRedirectionDisabled() { return State().fs_redirection_disabled; }

bool ReflectionDisabled(RegKey key) {
  const Handle* handle = FindHandle(key);
  return handle != nullptr && handle->node->reflection_disabled;
}

bool ReflectionDisabledAt(RegKey root, const std::string& path, View view) {
  const NodePtr node = SeedPlace(root, path, view, false);
  return node != nullptr && node->reflection_disabled;
}

std::size_t OpenKeyCount() { return State().handles.size(); }
const std::vector<std::string>& CallLog() { return State().log; }
void ClearCallLog() { State().log.clear(); }

int RunRegCommand(const std::string& command_line) {
  std::vector<std::string> words;
  if (!SplitCommandLine(command_line, words) || words.size() < 5) return 1;
  if (!Same(words[0], "cmd") || !Same(words[1], "/c") || !(Same(words[2], "reg") || Same(words[2], "reg.exe")) ||
      !Same(words[3], "delete"))
    return 1;
  bool force = false, view_given = false;
  View view = View::k32;  // reg started by the 32-bit process is the 32-bit one
  for (std::size_t i = 5; i < words.size(); ++i) {
    if (Same(words[i], "/f") && !force) {
      force = true;
    } else if ((Same(words[i], "/reg:32") || Same(words[i], "/reg:64")) && !view_given) {
      view_given = true;
      view = Same(words[i], "/reg:64") ? View::k64 : View::k32;
    } else {
      return 1;
    }
  }
  // Without /f reg asks on the console, where nobody answers.
  if (!force) return 1;

  std::string key = words[4];
  const std::size_t separator = key.find('\\');
  RegKey root = 0;
  if (separator == std::string::npos || !RootFromName(key.substr(0, separator), root)) return 1;
  std::string path = key.substr(separator + 1);
  if (!path.empty() && path.back() == '\\') path.pop_back();
  Components components;
  if (path.empty() || !SplitPath(path.c_str(), components)) return 1;
  return DeleteKeyTree(root, path, view) ? 0 : 1;
}

}  // namespace sim

namespace platform {

namespace {

sim::View ViewOfMask(std::uint32_t mask) {
  return (mask & kKeyWow6464Key) != 0 && (mask & sim::kKeyWow6432Key) == 0 ? sim::View::k64 : sim::View::k32;
}

}  // namespace

RegResult RegCreateKeyA(RegKey root, const char* path, RegKey* out) {
  sim::Log("RegCreateKeyA " + sim::KeyName(root, path));
  if (out == nullptr) return sim::kInvalidParameter;
  if (sim::TakeFailure(sim::Fail::kCreateKey)) return sim::kAccessDenied;
  sim::Place place;
  const RegResult result = sim::Resolve(root, path, sim::View::k32, place);
  if (result != sim::kSuccess) return result;
  const sim::NodePtr node = sim::Walk(place, true);
  *out = sim::NewHandle(node, place, sim::kKeyAllAccess);
  return sim::kSuccess;
}

RegResult RegEnumKeyA(RegKey key, std::uint32_t index, char* buffer, std::uint32_t size) {
  sim::Log("RegEnumKeyA " + std::to_string(index) + " " + std::to_string(size));
  sim::NodePtr node;
  const RegResult result = sim::KeyOf(key, sim::kKeyEnumerateSubKeys, node);
  if (result != sim::kSuccess) return result;
  const sim::Machine& machine = sim::State();
  if (machine.enum_fails && index >= machine.enum_fail_index) return machine.enum_fail_error;
  if (index >= node->subkeys.size()) return sim::kNoMoreItems;
  if (buffer == nullptr) return sim::kInvalidParameter;
  auto entry = node->subkeys.begin();
  std::advance(entry, index);
  const std::string& name = entry->second->name;
  if (name.size() + 1 > size) return sim::kMoreData;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return sim::kSuccess;
}

RegResult RegOpenKeyExA(RegKey root, const char* path, std::uint32_t /*options*/, std::uint32_t mask, RegKey* out) {
  sim::Log("RegOpenKeyExA " + sim::KeyName(root, path) + " " + sim::Hex(mask));
  if (out == nullptr) return sim::kInvalidParameter;
  if (sim::TakeFailure(sim::Fail::kOpenKey)) return sim::kAccessDenied;
  sim::Place place;
  const RegResult result = sim::Resolve(root, path, ViewOfMask(mask), place);
  if (result != sim::kSuccess) return result;
  const sim::NodePtr node = sim::Walk(place, false);
  if (node == nullptr) {
    *out = 0;
    return sim::kFileNotFound;
  }
  const std::uint32_t access = (mask & sim::kMaximumAllowed) != 0 ? sim::kKeyAllAccess : mask;
  *out = sim::NewHandle(node, place, access);
  return sim::kSuccess;
}

RegResult RegQueryValueExA(RegKey key, const char* name, std::uint8_t* data, std::uint32_t* size) {
  sim::Log("RegQueryValueExA " + sim::Quoted(name) + (data == nullptr ? " data=NULL" : " data") +
           (size == nullptr ? " size=NULL" : " size=" + std::to_string(*size)));
  if (sim::TakeFailure(data == nullptr ? sim::Fail::kFirstQuery : sim::Fail::kSecondQuery)) return sim::kAccessDenied;
  sim::NodePtr node;
  const RegResult result = sim::KeyOf(key, kKeyQueryValue, node);
  if (result != sim::kSuccess) return result;
  if (data != nullptr && size == nullptr) return sim::kInvalidParameter;
  auto found = node->values.find(sim::Fold(name == nullptr ? "" : name));
  if (found == node->values.end()) {
    if (data == nullptr && size != nullptr) *size = 0;  // as NT does; a buffer's size stays
    return sim::kFileNotFound;
  }
  const sim::Value& value = found->second;
  const std::uint32_t length = static_cast<std::uint32_t>(value.data.size());
  if (size == nullptr) return sim::kSuccess;
  if (data == nullptr) {
    *size = length;
    return sim::kSuccess;
  }
  if (*size < length) {
    *size = length;
    return sim::kMoreData;
  }
  if (length != 0) std::memcpy(data, value.data.data(), length);
  // A string stored without its NUL gets one where the buffer has room; the
  // size reported stays the stored one.
  const bool is_string = value.type == sim::kRegSz || value.type == sim::kRegExpandSz || value.type == sim::kRegMultiSz;
  if (is_string && *size > length && (length == 0 || value.data.back() != 0)) data[length] = 0;
  *size = length;
  return sim::kSuccess;
}

RegResult RegCloseKey(RegKey key) {
  sim::Log("RegCloseKey");
  if (sim::IsPredefined(key)) return sim::kSuccess;
  return sim::State().handles.erase(key) != 0 ? sim::kSuccess : sim::kInvalidHandle;
}

void GetNativeSystemInfo(std::uint8_t (&buffer)[44]) {
  sim::Log("GetNativeSystemInfo");
  // SYSTEM_INFO as a 32-bit process receives it (36 bytes).
  const std::uint32_t architecture = sim::State().architecture;
  const bool intel = (architecture & 0xFFFF) == 0;
  const std::uint32_t fields[9] = {architecture, 0x1000, 0x10000, 0x7FFEFFFF, 0x3, 2, intel ? 586u : 8664u, 0x10000,
                                   intel ? 0x0F06u : 0x3A09u};
  std::memcpy(buffer, fields, sizeof fields);
}

ModuleHandle GetModuleHandleA(const char* module_name) {
  sim::Log(std::string("GetModuleHandleA ") + (module_name == nullptr ? "NULL" : module_name));
  if (module_name == nullptr) return 0x400000;  // the program itself
  const std::string name = module_name;
  if (sim::Same(name, "kernel32.dll") || sim::Same(name, "kernel32")) return sim::kKernel32Module;
  if (sim::Same(name, "advapi32.dll") || sim::Same(name, "advapi32")) return sim::kAdvapi32Module;
  return 0;
}

ProcAddress GetProcAddress(ModuleHandle module, const char* function_name) {
  sim::Log(std::string("GetProcAddress ") + (function_name == nullptr ? "NULL" : function_name));
  if (function_name == nullptr || sim::State().removed_functions.count(function_name) != 0) return 0;
  for (const sim::Export& entry : sim::kExports) {
    if (entry.module == module && std::strcmp(entry.name, function_name) == 0)
      return reinterpret_cast<ProcAddress>(entry.function);
  }
  return 0;
}

std::int32_t CallByAddress(ProcAddress address, std::uintptr_t argument) {
  if (address == 0) {
    // On Windows this would jump to address 0.
    std::fprintf(stderr, "CallByAddress: called through a missing address\n");
    std::abort();
  }
  return reinterpret_cast<std::int32_t (*)(std::uintptr_t)>(address)(argument);
}

// The simulated process is the 32-bit product.
bool ProcessHasFsRedirection() { return true; }

}  // namespace platform
