#include "tests/wine/e2e_support.h"

#include <commctrl.h>
#include <msi.h>

#include <cstdio>
#include <cwctype>
#include <utility>

#include "app/layout.h"
#include "app/win32_handles.h"
#include "tests/wine/drive.h"

namespace e2e {
namespace {

constexpr wchar_t kProductsPath[] = L"SOFTWARE\\Classes\\Installer\\Products\\";
constexpr wchar_t kFeaturesPath[] = L"SOFTWARE\\Classes\\Installer\\Features\\";
constexpr wchar_t kUserDataPath[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\";

// An open registry key; nullptr is none.
class RegistryKeyHandle {
 public:
  RegistryKeyHandle() = default;
  RegistryKeyHandle(const RegistryKeyHandle&) = delete;
  RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;
  ~RegistryKeyHandle() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY* Receive() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// ---- the .reg file ----------------------------------------------------------

std::wstring Quoted(const std::wstring& text) {
  std::wstring quoted = L"\"";
  for (wchar_t c : text) {
    if (c == L'\\' || c == L'"') quoted += L'\\';
    quoted += c;
  }
  return quoted + L"\"";
}

class RegWriter {
 public:
  RegWriter() : text_(L"Windows Registry Editor Version 5.00\r\n") {}
  void Key(const std::wstring& path) { text_ += L"\r\n[" + path + L"]\r\n"; }
  void String(const std::wstring& name, const std::wstring& value) {
    text_ += Quoted(name) + L"=" + Quoted(value) + L"\r\n";
  }
  void Dword(const std::wstring& name, DWORD value) {
    wchar_t digits[16] = {};
    std::swprintf(digits, 16, L"%08lx", static_cast<unsigned long>(value));
    text_ += Quoted(name) + L"=dword:" + digits + L"\r\n";
  }
  // REG_MULTI_SZ (7) and REG_EXPAND_SZ (2) go as their UTF-16 bytes.
  void Hex(const std::wstring& name, int type, const std::wstring& utf16_with_nuls) {
    text_ += Quoted(name) + L"=hex(" + std::to_wstring(type) + L"):";
    for (std::size_t i = 0; i < utf16_with_nuls.size(); ++i) {
      wchar_t bytes[16] = {};
      const unsigned c = utf16_with_nuls[i];
      std::swprintf(bytes, 16, L"%s%02x,%02x", i == 0 ? L"" : L",", c & 0xFF, c >> 8);
      text_ += bytes;
    }
    text_ += L"\r\n";
  }
  const std::wstring& Text() const { return text_; }

 private:
  std::wstring text_;
};

std::wstring WithNul(const wchar_t* text) { return std::wstring(text) + L'\0'; }

// A registration as Windows Installer leaves it after a per-machine install.
void WriteProduct(RegWriter& reg, const seed::Product& product) {
  const std::wstring packed = PackedCode(product.code);
  const std::wstring products = std::wstring(L"HKEY_LOCAL_MACHINE\\") + kProductsPath + packed;
  reg.Key(products);
  if (product.name != nullptr) reg.String(L"ProductName", product.name);
  reg.String(L"PackageCode", std::wstring(packed.rbegin(), packed.rend()));
  reg.Dword(L"Language", product.language);
  reg.Dword(L"Assignment", 1);
  reg.Dword(L"AdvertiseFlags", 0x184);
  reg.Dword(L"InstanceType", 0);
  reg.Dword(L"DeploymentFlags", 3);
  reg.Hex(L"Clients", 7, WithNul(L":") + L'\0');
  reg.Key(products + L"\\SourceList");
  reg.String(L"PackageName", L"acad.msi");
  reg.Hex(L"LastUsedSource", 2, WithNul(L"n;1;C:\\Autodesk\\Setup\\x64\\acad\\"));
  reg.Key(products + L"\\SourceList\\Media");
  reg.String(L"1", L";1");
  reg.Key(products + L"\\SourceList\\Net");
  reg.Hex(L"1", 2, WithNul(L"C:\\Autodesk\\Setup\\x64\\acad\\"));
  reg.Key(std::wstring(L"HKEY_LOCAL_MACHINE\\") + kFeaturesPath + packed);
  reg.String(L"ACAD", L"");
  if (!product.installed) return;
  reg.Key(std::wstring(L"HKEY_LOCAL_MACHINE\\") + kUserDataPath + packed + L"\\InstallProperties");
  reg.String(L"DisplayName", product.name != nullptr ? product.name : L"");
  reg.String(L"DisplayVersion", L"18.0.55.0");
  reg.String(L"InstallDate", L"20150312");
  reg.String(L"LocalPackage", L"C:\\Windows\\Installer\\" + packed.substr(0, 8) + L".msi");
  reg.Dword(L"Language", product.language);
  reg.Dword(L"WindowsInstaller", 1);
  reg.Dword(L"SystemComponent", 1);
}

std::wstring AutodeskKeyPath(const seed::AutodeskKey& key) {
  if (key.hive == seed::Hive::kCurrentUser) return std::wstring(L"HKEY_CURRENT_USER\\Software\\Autodesk\\") + key.path;
  // The import runs as a 64-bit program: the 32-bit view is Wow6432Node.
  return std::wstring(key.view == seed::View::k64 ? L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\"
                                                  : L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Autodesk\\") +
         key.path;
}

bool WriteUtf16File(const std::wstring& path, const std::wstring& text) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return false;
  const unsigned char bom[] = {0xFF, 0xFE};
  bool ok = std::fwrite(bom, 1, 2, file) == 2;
  for (wchar_t c : text) {
    const unsigned char bytes[] = {static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>(c >> 8)};
    ok = ok && std::fwrite(bytes, 1, 2, file) == 2;
  }
  return std::fclose(file) == 0 && ok;
}

// ---- the snapshot -------------------------------------------------------------

struct Root {
  HKEY key;
  const wchar_t* name;
};
const Root kRoots[] = {{HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"}, {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"}};

RegistryKey ReadKey(HKEY key, std::vector<std::wstring>& subkeys) {
  RegistryKey state;
  DWORD subkey_count = 0, max_subkey = 0, value_count = 0, max_name = 0, max_data = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkey_count, &max_subkey, nullptr, &value_count, &max_name,
                       &max_data, nullptr, nullptr) != ERROR_SUCCESS) {
    state.readable = false;
    return state;
  }
  std::vector<wchar_t> name(std::max<DWORD>(max_name, max_subkey) + 2);
  std::vector<BYTE> data(max_data + 2);
  for (DWORD i = 0;; ++i) {
    DWORD name_size = static_cast<DWORD>(name.size());
    DWORD data_size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG result = RegEnumValueW(key, i, name.data(), &name_size, nullptr, &type, data.data(), &data_size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) {
      state.readable = false;
      break;
    }
    state.values[std::wstring(name.data(), name_size)] =
        RegistryValue{type, std::vector<BYTE>(data.begin(), data.begin() + data_size)};
  }
  for (DWORD i = 0;; ++i) {
    DWORD name_size = static_cast<DWORD>(name.size());
    const LONG result = RegEnumKeyExW(key, i, name.data(), &name_size, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) {
      state.readable = false;
      break;
    }
    subkeys.emplace_back(name.data(), name_size);
  }
  return state;
}

bool InTree(const std::wstring& name, const std::wstring& tree);

// NOTE: Wine keeps the system parameters that programs set for the session
// only (the mouse's, after keyboard input) in a key of its own. It is no part
// of the registry that a program could change.
constexpr wchar_t kWineSessionKey[] = L"HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters";

void WalkView(const Root& root, REGSAM view, const std::wstring& prefix, Snapshot& snapshot) {
  std::vector<std::wstring> pending = {L""};
  while (!pending.empty()) {
    const std::wstring path = std::move(pending.back());
    pending.pop_back();
    const std::wstring name = prefix + root.name + (path.empty() ? L"" : L"\\" + path);
    if (InTree(name, prefix + kWineSessionKey)) continue;
    RegistryKeyHandle key;
    if (RegOpenKeyExW(root.key, path.empty() ? nullptr : path.c_str(), 0, KEY_READ | view, key.Receive()) !=
        ERROR_SUCCESS) {
      snapshot[name].readable = false;
      continue;
    }
    std::vector<std::wstring> subkeys;
    snapshot[name] = ReadKey(key.Get(), subkeys);
    for (const std::wstring& subkey : subkeys) pending.push_back(path.empty() ? subkey : path + L"\\" + subkey);
  }
}

// Whether name is tree itself or lies under it.
bool InTree(const std::wstring& name, const std::wstring& tree) {
  if (name.size() < tree.size()) return false;
  if (CompareStringOrdinal(name.c_str(), static_cast<int>(tree.size()), tree.c_str(), static_cast<int>(tree.size()),
                           TRUE) != CSTR_EQUAL) {
    return false;
  }
  return name.size() == tree.size() || name[tree.size()] == L'\\';
}

bool InAnyTree(const std::wstring& name, const std::vector<std::wstring>& trees) {
  for (const std::wstring& tree : trees) {
    if (InTree(name, tree)) return true;
  }
  return false;
}

// Up to a few names, for a failure message.
std::string Some(const std::vector<std::wstring>& names) {
  std::string listed;
  for (std::size_t i = 0; i < names.size() && i < 8; ++i) listed += "\n      " + drive::Narrow(names[i]);
  if (names.size() > 8) listed += "\n      ... " + std::to_string(names.size() - 8) + " more";
  return listed;
}

}  // namespace

std::string Ansi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &ansi[0], size, nullptr, nullptr);
  return ansi;
}

std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &wide[0], size);
  return wide;
}

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::wstring PackedCode(const std::wstring& product_code) {
  std::wstring hex;
  for (wchar_t c : product_code) {
    if (std::iswxdigit(c)) hex += static_cast<wchar_t>(std::towupper(c));
  }
  if (hex.size() != 32) return L"";
  std::wstring packed;
  packed.append(hex.rbegin() + 24, hex.rend());        // 8 digits, reversed
  packed.append(hex.rbegin() + 20, hex.rbegin() + 24);  // 4
  packed.append(hex.rbegin() + 16, hex.rbegin() + 20);  // 4
  for (std::size_t i = 16; i < 32; i += 2) {
    packed += hex[i + 1];
    packed += hex[i];
  }
  return packed;
}

std::wstring LeftoversRegText(bool with_odd_products) {
  RegWriter reg;
  for (const seed::Product& product : seed::kProducts) WriteProduct(reg, product);
  if (with_odd_products) {
    for (const seed::OddProduct& odd : seed::kOddProducts) {
      reg.Key(std::wstring(L"HKEY_LOCAL_MACHINE\\") + kProductsPath + odd.key);
      reg.String(L"ProductName", odd.name);
      reg.Dword(L"Language", 0x409);
      reg.Dword(L"Assignment", 1);
    }
  }
  for (const seed::AutodeskKey& key : seed::kAutodeskKeys) {
    reg.Key(AutodeskKeyPath(key));
    reg.String(key.value_name, key.value);
  }
  return reg.Text();
}

bool SeedRegistry(const std::wstring& reg_file, bool with_odd_products) {
  if (!WriteUtf16File(reg_file, LeftoversRegText(with_odd_products))) return false;
  wchar_t full[MAX_PATH] = {};
  if (GetFullPathNameW(reg_file.c_str(), MAX_PATH, full, nullptr) == 0) return false;
  const std::wstring system = SystemDirectory();
  return RunProcess(system + L"\\reg.exe", L"reg import \"" + std::wstring(full) + L"\"", system) == 0;
}

std::wstring SystemDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer, length < MAX_PATH ? length : 0);
}

long RunProcess(const std::wstring& application, const std::wstring& command_line, const std::wstring& directory,
                DWORD timeout_ms) {
  std::vector<wchar_t> line(command_line.begin(), command_line.end());
  line.push_back(L'\0');
  // Its console output (in the ANSI code page) would garble the walk-through.
  SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
  const HANDLE opened = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &inheritable, OPEN_EXISTING, 0, nullptr);
  const UniqueHandle null_device(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = null_device.Get();
  startup.hStdOutput = null_device.Get();
  startup.hStdError = null_device.Get();
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                      nullptr, directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
    return -1;
  }
  const ProcessHandles process(info);
  if (WaitForSingleObject(process.process.Get(), timeout_ms) != WAIT_OBJECT_0) {
    TerminateProcess(process.process.Get(), 99);
    return -1;
  }
  DWORD exit_code = 0;
  GetExitCodeProcess(process.process.Get(), &exit_code);
  return static_cast<long>(exit_code);
}

int ProductState(const std::wstring& product_code) { return MsiQueryProductStateW(product_code.c_str()); }

bool NoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_LESS_THAN;
}

Snapshot TakeSnapshot() {
  Snapshot snapshot;
  for (const Root& root : kRoots) {
    WalkView(root, KEY_WOW64_64KEY, L"64:", snapshot);
    WalkView(root, KEY_WOW64_32KEY, L"32:", snapshot);
  }
  return snapshot;
}

std::vector<std::wstring> SnapshotNames(seed::Hive hive, seed::View view, const std::wstring& path) {
  if (hive == seed::Hive::kCurrentUser) {
    // HKCU\Software is the same key in both views.
    const std::wstring name = L"HKEY_CURRENT_USER\\Software\\" + path;
    return {L"64:" + name, L"32:" + name};
  }
  if (view == seed::View::k64) return {L"64:HKEY_LOCAL_MACHINE\\SOFTWARE\\" + path};
  return {L"32:HKEY_LOCAL_MACHINE\\SOFTWARE\\" + path, L"64:HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\" + path};
}

std::wstring ProductSnapshotName(const std::wstring& key) {
  return std::wstring(L"64:HKEY_LOCAL_MACHINE\\") + kProductsPath + key;
}

void CheckRegistryChange(const Snapshot& before, const Snapshot& after, const std::vector<std::wstring>& removed) {
  for (const std::wstring& tree : removed) {
    drive::Check(before.count(tree) == 1, "seeded before the run: " + drive::Narrow(tree));
  }
  std::vector<std::wstring> gone, unexpected_gone, left, added, changed;
  for (const auto& [name, key] : before) {
    const auto found = after.find(name);
    const bool expected = InAnyTree(name, removed);
    if (found == after.end()) {
      gone.push_back(name);
      if (!expected) unexpected_gone.push_back(name);
    } else if (expected) {
      left.push_back(name);
    } else if (!(found->second == key)) {
      changed.push_back(name);
    }
  }
  for (const auto& entry : after) {
    if (before.count(entry.first) == 0) added.push_back(entry.first);
  }
  for (const std::wstring& name : gone) {
    const std::size_t slash = name.rfind(L'\\');
    const bool parent_gone = slash != std::wstring::npos && before.count(name.substr(0, slash)) == 1 &&
                             after.count(name.substr(0, slash)) == 0;
    if (!parent_gone) Say("  deleted: " + drive::Narrow(name) + " (and everything under it)");
  }
  drive::Check(left.empty(), "the expected keys are gone with everything under them" + Some(left));
  drive::Check(unexpected_gone.empty(), "no other key was deleted" + Some(unexpected_gone));
  drive::Check(added.empty(), "no key was added" + Some(added));
  drive::Check(changed.empty(), "every other key kept its values" + Some(changed));
}

std::vector<std::wstring> ExpectedRemovals(int release_index, bool with_odd_products) {
  std::vector<std::wstring> trees;
  for (const seed::Product& product : seed::kProducts) {
    if (product.listed_for == release_index) trees.push_back(ProductSnapshotName(PackedCode(product.code)));
  }
  if (with_odd_products) {
    for (const seed::OddProduct& odd : seed::kOddProducts) {
      if (odd.listed_for == release_index && odd.deleted) trees.push_back(ProductSnapshotName(odd.key));
    }
  }
  for (const seed::AutodeskKey& key : seed::kAutodeskKeys) {
    if (key.deleted_for != release_index) continue;
    // Only the top of each deleted tree: what lies under it goes with it.
    const std::wstring path = key.path;
    bool under_another = false;
    for (const seed::AutodeskKey& other : seed::kAutodeskKeys) {
      const std::wstring other_path = other.path;
      under_another = under_another || (other.deleted_for == release_index && other.hive == key.hive &&
                                        other.view == key.view && path.size() > other_path.size() &&
                                        InTree(path, other_path));
    }
    if (under_another) continue;
    for (const std::wstring& name : SnapshotNames(key.hive, key.view, L"Autodesk\\" + path)) trees.push_back(name);
  }
  return trees;
}

bool RunAsPlantedProgram() {
  const std::wstring self = ThisProgram();
  const std::wstring base = Lower(self.substr(self.rfind(L'\\') + 1));
  if (base != L"cmd.exe" && base != L"reg.exe" && base != L"reg.com") return false;
  FILE* marker = _wfopen((FolderOf(self) + L"\\" + MarkerName(base)).c_str(), L"wb");
  if (marker != nullptr) {
    std::fprintf(marker, "%s\n", drive::Narrow(GetCommandLineW()).c_str());
    std::fclose(marker);
  }
  return true;
}

std::wstring MarkerName(const std::wstring& planted_name) { return L"planted-" + planted_name + L".ran"; }

// ---- working the tool ---------------------------------------------------------

namespace {

HWND Control(const drive::Tool& tool, int id) { return GetDlgItem(tool.Window(), id); }

std::vector<std::wstring> EnumeratedProductKeys() {
  std::vector<std::wstring> names;
  RegistryKeyHandle key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProductsPath, 0, KEY_READ | KEY_WOW64_64KEY, key.Receive()) !=
      ERROR_SUCCESS) {
    return names;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256] = {};
    DWORD size = 256;
    if (RegEnumKeyExW(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, size);
  }
  return names;
}

std::wstring UnixPath(const std::wstring& windows_path) {
  std::wstring path = windows_path;
  if (path.size() >= 2 && (path[0] == L'Z' || path[0] == L'z') && path[1] == L':') path.erase(0, 2);
  for (wchar_t& c : path) {
    if (c == L'\\') c = L'/';
  }
  return path;
}

}  // namespace

// NOTE: Under Wine with no window manager, closing a task-modal box leaves no
// window active (the tool's window is still disabled when the box goes), so
// keys would reach nothing until the user clicks the window. The driver
// activates it as that click would; on Windows it is active again at once.
void Activate(const drive::Tool& tool) {
  if (drive::WaitUntil([&] { return GetForegroundWindow() == tool.Window(); }, 500)) return;
  Say("  (the tool's window is not active after the box: activating it, as a click would)");
  SetForegroundWindow(tool.Window());
  drive::Check(drive::WaitUntil([&] { return GetForegroundWindow() == tool.Window(); }), "the tool's window active");
}

std::vector<Row> ListedRows(const drive::Tool& tool) {
  HWND list = Control(tool, layout::kProductList);
  std::vector<Row> rows;
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    rows.push_back(
        {drive::ListCellText(tool.Process(), list, row, 0), drive::ListCellText(tool.Process(), list, row, 1)});
  }
  return rows;
}

std::vector<Row> ExpectedRows(int release_index, bool with_odd_products) {
  std::map<std::wstring, const wchar_t*, NoCaseLess> listed;  // key -> ProductName
  for (const seed::Product& product : seed::kProducts) {
    if (product.listed_for == release_index) listed[PackedCode(product.code)] = product.name;
  }
  if (with_odd_products) {
    for (const seed::OddProduct& odd : seed::kOddProducts) {
      if (odd.listed_for == release_index) listed[odd.key] = odd.name;
    }
  }
  const std::wstring prefix = std::wstring(L"HKEY_LOCAL_MACHINE\\") + kProductsPath;
  std::vector<Row> rows;
  for (const std::wstring& key : EnumeratedProductKeys()) {
    const auto found = listed.find(key);
    if (found == listed.end()) continue;
    rows.push_back({Ansi(found->second), Ansi(prefix + key)});
    listed.erase(found);
  }
  // A seeded key the registry does not hold still belongs in the list.
  for (const auto& [key, name] : listed) rows.push_back({Ansi(name), Ansi(prefix + key)});
  return rows;
}

void SayRows(const std::vector<Row>& rows) {
  if (rows.empty()) Say("  (the list is empty)");
  for (const Row& row : rows) {
    Say("  row: " + drive::Narrow(FromAnsi(row.name)) + "  |  " + drive::Narrow(FromAnsi(row.path)));
  }
}

void CheckRows(const drive::Tool& tool, const std::vector<Row>& expected, const std::string& what) {
  const std::vector<Row> rows = ListedRows(tool);
  std::string detail;
  if (!(rows == expected)) {
    detail = ": got";
    for (const Row& row : rows) detail += "\n      " + drive::Narrow(FromAnsi(row.name + " | " + row.path));
    detail += "\n    expected";
    for (const Row& row : expected) detail += "\n      " + drive::Narrow(FromAnsi(row.name + " | " + row.path));
  }
  drive::Check(rows == expected, what + detail);
}

bool ChooseRelease(const drive::Tool& tool, int release_index, const std::vector<Row>& expected) {
  Activate(tool);
  HWND combo = Control(tool, layout::kVersionCombo);
  for (int presses = 0; drive::FocusOf(tool.UiThread()) != combo && presses < 3; ++presses) {
    HWND before = drive::FocusOf(tool.UiThread());
    drive::PressKey(VK_TAB);
    drive::WaitUntil([&] { return drive::FocusOf(tool.UiThread()) != before; });
  }
  if (!drive::Check(drive::FocusOf(tool.UiThread()) == combo, "Tab reaches VersionCombo")) return false;
  auto selection = [&] { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); };
  while (selection() != release_index) {
    const int next = selection() < release_index ? selection() + 1 : selection() - 1;
    drive::PressKey(next > selection() ? VK_DOWN : VK_UP);
    if (!drive::Check(drive::WaitUntil([&] { return selection() == next; }),
                      "arrow key moves the selection to " + std::to_string(next))) {
      return false;
    }
  }
  Say("  chose " + drive::Narrow(drive::WindowText(combo)) + " with the arrow keys");
  const bool listed = drive::WaitUntil([&] { return ListedRows(tool) == expected; });
  SayRows(ListedRows(tool));
  CheckRows(tool, expected, "the list shows what the seed says for this release, in registry order");
  return listed;
}

bool PressClean(const drive::Tool& tool) {
  Activate(tool);
  HWND button = Control(tool, layout::kCleanButton);
  for (int presses = 0; drive::FocusOf(tool.UiThread()) != button && presses < 3; ++presses) {
    HWND before = drive::FocusOf(tool.UiThread());
    drive::PressKey(VK_TAB);
    drive::WaitUntil([&] { return drive::FocusOf(tool.UiThread()) != before; });
  }
  if (!drive::Check(drive::FocusOf(tool.UiThread()) == button, "focus on CleanButton")) return false;
  Say("  Space on " + drive::Narrow(drive::WindowText(button)));
  drive::PressKey(VK_SPACE);
  return true;
}

bool AnswerBox(const drive::Tool& tool, const std::wstring& text, bool yes_no, int answer, const std::string& shot,
               DWORD timeout_ms) {
  HWND box = drive::WaitForMessageBox(tool.ProcessId(), kBoxCaption, timeout_ms);
  if (!drive::Check(box != nullptr, "a box comes up")) return false;
  const std::wstring shown = drive::MessageBoxText(box);
  Say("  box: \"" + drive::Narrow(shown) + "\"");
  drive::CheckText(shown, text, "its text");
  if (yes_no) {
    drive::Check(GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr &&
                     GetDlgItem(box, IDOK) == nullptr,
                 "Yes and No buttons");
  } else {
    drive::Check(GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDYES) == nullptr, "one OK button");
  }
  Shot(tool, box, shot);
  const char* answer_name = answer == IDYES ? "Yes" : answer == IDNO ? "No" : "OK";
  Say(std::string("  answer: ") + answer_name);
  drive::Check(drive::PressBoxButton(box, answer), std::string(answer_name) + " pressed");
  if (!drive::Check(drive::WaitUntil([&] { return !drive::MessageBoxExists(tool.ProcessId(), kBoxCaption); }),
                    "the box is gone")) {
    return false;
  }
  return true;
}

bool NoBoxCame(const drive::Tool& tool) {
  // Input is handled in order: once a Tab typed now has moved the focus, what
  // came before it is done, and a box it opened would have taken the Tab.
  Activate(tool);
  HWND focus = drive::FocusOf(tool.UiThread());
  drive::PressKey(VK_TAB);
  const bool moved = drive::WaitUntil([&] { return drive::FocusOf(tool.UiThread()) != focus; });
  const bool no_box = !drive::MessageBoxExists(tool.ProcessId(), kBoxCaption);
  drive::PressKey(VK_TAB, true);
  drive::WaitForFocus(tool.UiThread(), focus);
  return moved && no_box;
}

void Shot(const drive::Tool& tool, HWND box, const std::string& name) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(tool.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  RECT rect = {};
  GetWindowRect(tool.Window(), &rect);
  if (box != nullptr) {
    RECT box_rect = {};
    GetWindowRect(box, &box_rect);
    UnionRect(&rect, &rect, &box_rect);
  }
  const std::string png = name + ".png";
  if (drive::Check(drive::Screenshot(png, rect), "screenshot " + png)) {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    Say("  screenshot: " + drive::Narrow(UnixPath(folder)) + "/" + png);
  }
}

void CheckInstallerStates(int cleaned_release, bool after) {
  for (const seed::Product& product : seed::kProducts) {
    if (!product.installed) continue;
    drive::Trace(product.label);
    const int state = ProductState(product.code);
    if (after && product.listed_for == cleaned_release) {
      drive::Check(state != INSTALLSTATE_DEFAULT,
                   "the installer no longer has it installed (state " + std::to_string(state) + ")");
    } else {
      drive::CheckEqual(state, static_cast<int>(INSTALLSTATE_DEFAULT),
                        after ? "still installed for the installer" : "installed for the installer");
    }
  }
  drive::Trace("");
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(HKEY root, const std::wstring& path) {
  RegistryKeyHandle key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.Receive()) == ERROR_SUCCESS;
}

bool ValueExists(HKEY root, const std::wstring& path, const std::wstring& name) {
  RegistryKeyHandle key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.Receive()) == ERROR_SUCCESS &&
         RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring ThisProgram() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return std::wstring(buffer, length);
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

}  // namespace e2e
