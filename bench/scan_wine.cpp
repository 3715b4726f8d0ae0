// Under Wine, against the real registry: one product scan as the program runs
// it, next to the least any scan must ask of the registry for the same keys
// (enumerate every subkey; per subkey open, query ProductName's size and data,
// close). Prints the median per-key cost of each and their ratio.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/events.h"
#include "app/main_window_win32.h"
#include "registry/registry_read.h"
#include "registry/view_guard.h"

namespace {

const char kProducts[] = "SOFTWARE\\Classes\\Installer\\Products";

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Replaces the products key with `count` keys, one in a hundred naming 2010.
bool Seed(int count) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProducts);
  HKEY products = nullptr;
  if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kProducts, &products) != ERROR_SUCCESS) return false;
  for (int i = 0; i < count; ++i) {
    char name[40];
    std::snprintf(name, sizeof(name), "%08X%08X%08X%08X", i * 2654435761u, i, ~i, i * 40503u);
    HKEY key = nullptr;
    if (RegCreateKeyA(products, name, &key) != ERROR_SUCCESS) return false;
    const std::string product = i % 100 == 7 ? "AutoCAD 2010 - English" : "Some Other Product " + std::to_string(i);
    RegSetValueExA(key, "ProductName", 0, REG_SZ, reinterpret_cast<const BYTE*>(product.c_str()),
                   static_cast<DWORD>(product.size() + 1));
    RegSetValueExA(key, "PackageCode", 0, REG_SZ, reinterpret_cast<const BYTE*>("0123"), 5);
    RegCloseKey(key);
  }
  RegCloseKey(products);
  return true;
}

// from_root: open each subkey by its whole path from HKEY_LOCAL_MACHINE, as
// the program's value read does, instead of relative to the listed key.
int BareCalls(bool from_root = false) {
  HKEY products = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProducts, 0, KEY_READ, &products) != ERROR_SUCCESS) return 0;
  int found = 0;
  char name[256];
  for (DWORD index = 0; RegEnumKeyA(products, index, name, sizeof(name)) == ERROR_SUCCESS; ++index) {
    HKEY key = nullptr;
    const std::string path = std::string(kProducts) + "\\" + name;
    const LONG opened = from_root ? RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key)
                                  : RegOpenKeyExA(products, name, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key);
    if (opened != ERROR_SUCCESS) continue;
    DWORD size = 0;
    if (RegQueryValueExA(key, "ProductName", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
      std::vector<BYTE> data(size);
      RegQueryValueExA(key, "ProductName", nullptr, nullptr, data.data(), &size);
      found += size > 0;
    }
    RegCloseKey(key);
  }
  RegCloseKey(products);
  return found;
}

void BareList() {
  HKEY products = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProducts, 0, KEY_READ, &products) != ERROR_SUCCESS) return;
  char name[256];
  for (DWORD index = 0; RegEnumKeyA(products, index, name, sizeof(name)) == ERROR_SUCCESS; ++index) {
  }
  RegCloseKey(products);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX classes = {};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&classes);
  MainWindow window;  // built hidden, never shown
  if (!window.Create(GetModuleHandleW(nullptr))) return 1;
  SendMessageW(window.Control(layout::kVersionCombo), CB_SETCURSEL, 2, 0);  // AUTOCAD2010

  std::printf("%-8s %14s %14s %8s %6s %16s %16s %14s %12s\n", "keys", "scan us/key", "bare us/key", "ratio", "rows",
              "scan: list us/key", "bare: list us/key", "bare from root", "ratio to it");
  constexpr int kRuns = 7;
  for (int count : {1000, 10000}) {
    if (!Seed(count)) return 1;
    std::vector<double> scan, bare, bare_root, scan_list, bare_list;
    OnVersionSelected();  // warm up: the first pass over new keys costs more
    BareCalls();
    // Alternate the two so that neither gets a warmer registry.
    for (int run = 0; run < kRuns; ++run) {
      TextArray names;
      auto list_start = std::chrono::steady_clock::now();
      EnumerateSubkeys(4, "SOFTWARE\\Classes\\Installer\\Products\\", names, 1);
      scan_list.push_back(Seconds(list_start));
      list_start = std::chrono::steady_clock::now();
      BareList();
      bare_list.push_back(Seconds(list_start));
      auto start = std::chrono::steady_clock::now();
      OnVersionSelected();
      scan.push_back(Seconds(start));
      start = std::chrono::steady_clock::now();
      if (BareCalls() != count) return 1;
      bare.push_back(Seconds(start));
      start = std::chrono::steady_clock::now();
      if (BareCalls(true) != count) return 1;
      bare_root.push_back(Seconds(start));
    }
    const double scan_key = Median(scan) / count * 1e6, bare_key = Median(bare) / count * 1e6;
    const double root_key = Median(bare_root) / count * 1e6;
    std::printf("%-8d %14.2f %14.2f %8.2f %6d %16.2f %16.2f %14.2f %12.2f\n", count, scan_key, bare_key,
                scan_key / bare_key, ProductList::RowCount(), Median(scan_list) / count * 1e6,
                Median(bare_list) / count * 1e6, root_key, scan_key / root_key);
  }
  // Where the difference goes: the guard's own steps around each read.
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProducts, 0, KEY_READ, &key);
  constexpr int kCalls = 20000;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) IsSystem64Bit();
  const double check = Seconds(start) / kCalls * 1e6;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) {
    DisableKeyReflection(reinterpret_cast<platform::RegKey>(key));
    EnableKeyReflection(reinterpret_cast<platform::RegKey>(key));
  }
  const double reflection = Seconds(start) / kCalls * 1e6;
  RegCloseKey(key);
  std::printf("guard per read: 64-bit check %.2f us, reflection off and on %.2f us\n", check, reflection);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProducts);
  return 0;
}
