#pragma once
// What the end-to-end drivers need beyond drive.h: the sandbox's seed as a
// .reg file and its import, a full snapshot of the registry in both views and
// its comparison, the installer's own view of a product, started processes,
// and the stand-in programs planted beside the tool.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/wine/drive.h"
#include "tests/wine/seed/leftovers.h"

namespace e2e {

// Text in the system's ANSI code page, as the tool reads the registry.
std::string Ansi(const std::wstring& text);
std::wstring FromAnsi(const std::string& text);
// One line of the walk-through on stdout (UTF-8).
void Say(const std::string& line);

// The key name Windows Installer gives a product code: the first three groups
// reversed, the two hex digits of each remaining byte swapped.
std::wstring PackedCode(const std::wstring& product_code);

// The leftovers as a REGEDIT5 file's text; with_odd_products adds the
// registrations whose key is not a product code.
std::wstring LeftoversRegText(bool with_odd_products);
// Writes the .reg file (UTF-16LE with a byte order mark) and imports it with
// the system's reg.exe; false if either fails.
bool SeedRegistry(const std::wstring& reg_file, bool with_odd_products);

std::wstring SystemDirectory();
// Starts command_line (application may be empty) in directory, hidden, and
// waits; the exit code, or -1 if it did not start or end in time.
long RunProcess(const std::wstring& application, const std::wstring& command_line, const std::wstring& directory,
                DWORD timeout_ms = 30000);

// MsiQueryProductState: 5 (INSTALLSTATE_DEFAULT) for an installed product.
int ProductState(const std::wstring& product_code);

// Case-insensitive ordering, as the registry compares names.
struct NoCaseLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const;
};

struct RegistryValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  bool operator==(const RegistryValue& other) const { return type == other.type && data == other.data; }
};

struct RegistryKey {
  bool readable = true;
  std::map<std::wstring, RegistryValue, NoCaseLess> values;
  bool operator==(const RegistryKey& other) const { return readable == other.readable && values == other.values; }
};

// Every key of HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER as a 64-bit and as a
// 32-bit program sees it, named "64:HKEY_LOCAL_MACHINE\SOFTWARE\..." or
// "32:...", with its values.
using Snapshot = std::map<std::wstring, RegistryKey, NoCaseLess>;
Snapshot TakeSnapshot();

// The names under which a seeded key appears in a snapshot: in the views
// that show it, by the path each view uses.
std::vector<std::wstring> SnapshotNames(seed::Hive hive, seed::View view, const std::wstring& path);
// The name of a key under HKLM\SOFTWARE\Classes\Installer\Products (64-bit view).
std::wstring ProductSnapshotName(const std::wstring& key);

// Checks that exactly the trees under `removed` went (each of them present
// before, nothing of it left after), that nothing else was removed or added
// and that every other key kept its values. Says what was deleted.
void CheckRegistryChange(const Snapshot& before, const Snapshot& after, const std::vector<std::wstring>& removed);

// The expected trees for a confirmed run of release_index: its listed product
// keys and its Autodesk keys, by the seed's own word.
std::vector<std::wstring> ExpectedRemovals(int release_index, bool with_odd_products);

// For the copies of a driver planted beside the tool as cmd.exe, reg.exe or
// reg.com: when this program runs under such a name it leaves a marker file
// beside itself (the name, ".ran") and returns true, and main should end.
bool RunAsPlantedProgram();
std::wstring MarkerName(const std::wstring& planted_name);

// ---- working the tool as a user does ----

constexpr wchar_t kCaption[] = L"Quarnel(Ostrivo)";
constexpr wchar_t kBoxCaption[] = L"信息：";

// A row of ProductList as the window holds it (code page bytes).
struct Row {
  std::string name;
  std::string path;
  bool operator==(const Row& other) const { return name == other.name && path == other.path; }
};
std::vector<Row> ListedRows(const drive::Tool& tool);
// The rows the seed says a scan for release_index shows, in the order the
// registry enumerates the products key.
std::vector<Row> ExpectedRows(int release_index, bool with_odd_products);
void SayRows(const std::vector<Row>& rows);
void CheckRows(const drive::Tool& tool, const std::vector<Row>& expected, const std::string& what);

// Makes the tool's window the active one again, if it is not, before keys
// are typed into it.
void Activate(const drive::Tool& tool);
// Moves the focus to VersionCombo with Tab and steps to the item with the
// arrow keys, one choice per key, then waits until the list shows expected.
bool ChooseRelease(const drive::Tool& tool, int release_index, const std::vector<Row>& expected);
// Tabs to CleanButton and presses Space.
bool PressClean(const drive::Tool& tool);

// Waits for the tool's box, checks its text and buttons (a Yes/No box or a
// lone OK), saves a screenshot, presses answer and waits until it is gone.
bool AnswerBox(const drive::Tool& tool, const std::wstring& text, bool yes_no, int answer, const std::string& shot,
               DWORD timeout_ms = drive::kDefaultTimeoutMs);
// True once input typed now has been handled without a box coming up.
bool NoBoxCame(const drive::Tool& tool);

// Saves the tool's window (and a box over it) as name.png in the scenario
// folder and says where.
void Shot(const drive::Tool& tool, HWND box, const std::string& name);

// Installed state of every installed product of the seed: for products of
// cleaned_release, 5 before and not 5 after; 5 for all others.
void CheckInstallerStates(int cleaned_release, bool after);

bool FileExists(const std::wstring& path);
// In the 64-bit view.
bool KeyExists(HKEY root, const std::wstring& path);
bool ValueExists(HKEY root, const std::wstring& path, const std::wstring& name);
std::wstring ThisProgram();
// "C:\dir\file" -> "C:\dir".
std::wstring FolderOf(const std::wstring& path);

}  // namespace e2e
