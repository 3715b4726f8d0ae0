// Over many generated registries and every release, a confirmed cleanup
// removes exactly the product keys the scan listed with plain names and the
// release's own keys, and changes nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/controls.h"
#include "cleanup/release_table.h"
#include "sim/sim_host.h"
#include "sim/sim_registry.h"
#include "sim/sim_ui.h"

namespace {

using platform::RegKey;

struct Item {  // one key with one string value, in the 64-bit (physical) view
  RegKey root;
  std::string path;
  std::string value_name;
  std::string value;
};

const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";
const char* const kYears[] = {"2007", "2008", "2010", "2011", "2012", "2013", "2014", "2015", "2016"};
const char* const kReleaseKeys[] = {"R17.0", "R17.1", "R18.0", "R18.1", "R18.2", "R19.0", "R19.1", "R20.0", "R20.1"};

// The match rule, written independently of the program: candidate starts walk
// the name one byte at a time, two from a byte of 0x80 or above.
bool Contains(const std::string& name, const std::string& sought) {
  auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  for (std::size_t i = 0; i + sought.size() <= name.size();
       i += static_cast<unsigned char>(name[i]) >= 0x80 ? 2 : 1) {
    std::size_t k = 0;
    while (k < sought.size() && fold(name[i + k]) == fold(sought[k])) ++k;
    if (k == sought.size()) return true;
  }
  return false;
}

bool PlainName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  std::vector<Item> Registry() {
    std::vector<Item> items;
    const int products = Pick(5, 40);
    for (int i = 0; i < products; ++i) {
      const std::string key = ProductKey();
      items.push_back({platform::kHkeyLocalMachine, kProducts + key, "ProductName", ProductName()});
      if (Pick(0, 1))
        items.push_back({platform::kHkeyLocalMachine, kProducts + key + "\\SourceList", "PackageName", "acad.msi"});
      items.push_back({platform::kHkeyLocalMachine,
                       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\" +
                           key + "\\InstallProperties",
                       "DisplayName", "x"});
    }
    // Release keys in both hives and both views, with neighbours that must stay.
    const std::string places[] = {"Software\\Autodesk\\AutoCAD\\", "SOFTWARE\\Autodesk\\AutoCAD\\",
                                  "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\"};
    for (int p = 0; p < 3; ++p) {
      const RegKey root = p == 0 ? platform::kHkeyCurrentUser : platform::kHkeyLocalMachine;
      items.push_back({root, places[p].substr(0, places[p].size() - 1), "CurVer", "R18.0"});
      for (const char* release : kReleaseKeys) {
        if (Pick(0, 2) == 0) continue;
        items.push_back({root, places[p] + release + "\\ACAD-8001:804", "ProductName", "x"});
        items.push_back({root, places[p] + release, "CurVer", "ACAD-8001:804"});
      }
      items.push_back({root, places[p] + "R18", "x", "neighbour"});
      items.push_back({root, places[p] + "R18.00", "x", "neighbour"});
      items.push_back({root, places[p].substr(0, places[p].size() - 8) + "Inventor\\R18.0", "x", "other product"});
    }
    items.push_back({platform::kHkeyLocalMachine, "SOFTWARE\\Vendor\\Tool", "Path", "C:\\Tool"});
    return items;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  std::string ProductKey() {
    static const char* const tricky[] = {"A B", "X&Y", "P|Q", "%TEMP%", "a^b", "q\"r", "<x>", "\xD6\xD0\xCE\xC4",
                                         "ab-cd", "x.y", " lead", "trail "};
    if (Pick(0, 5) == 0) return tricky[Pick(0, 11)];
    const int length = Pick(0, 20) == 0 ? 254 : 32;
    std::string key;
    for (int i = 0; i < length; ++i) key += "0123456789ABCDEF"[Pick(0, 15)];
    return key;
  }

  std::string ProductName() {
    const std::string year = kYears[Pick(0, 8)];
    switch (Pick(0, 11)) {
      case 0: return "AutoCAD " + year + " - English";
      case 1: return "AutoCAD " + year + " - \xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4";  // Simplified Chinese
      case 2: return "AutoCAD " + year + " Language Pack - Deutsch";
      case 3: return "autocad " + year;
      case 4: return "AutoCAD LT " + year;
      case 5: return "AutoCAD" + year;
      case 6: return "AutoCAD  " + year;
      case 7: return "\xB0" "CAD " + year;  // the C is a trail byte
      case 8: return "\xB0\xE6" "CAD " + year;
      case 9: return "Microsoft Office Professional Plus " + year;
      case 10: return "Autodesk DWG TrueView " + year;
      default: return "";
    }
  }

  std::mt19937 rng_;
};

void Seed(const std::vector<Item>& items) {
  for (const Item& item : items) sim::SetString(item.root, item.path, item.value_name, item.value);
}

TEST(CleanupSafety, RemovesExactlyTheListedPlainProductsAndTheReleaseKeys) {
  constexpr int kRegistries = 150;
  int runs = 0, deleted_products = 0, kept_listed = 0;
  for (int r = 0; r < kRegistries; ++r) {
    const std::vector<Item> items = Generator(1000u + static_cast<unsigned>(r)).Registry();
    for (std::int32_t release = 0; release < 9; ++release) {
      SCOPED_TRACE("registry " + std::to_string(r) + ", release " + std::to_string(release));
      const ReleaseEntry& entry = *EntryForSelection(release);

      // What must go: plain-named listed products, and the release's keys in
      // the views its lines name (HKCU\Software is the same key in both).
      std::vector<std::pair<RegKey, std::string>> gone = {
          {platform::kHkeyCurrentUser, std::string("Software\\Autodesk\\AutoCAD\\") + entry.ReleaseKey},
          {platform::kHkeyLocalMachine, std::string("SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\") + entry.ReleaseKey}};
      if (entry.has_64bit_view)
        gone.push_back({platform::kHkeyLocalMachine, std::string("SOFTWARE\\Autodesk\\AutoCAD\\") + entry.ReleaseKey});
      int listed_plain = 0;
      for (const Item& item : items) {
        if (item.value_name != "ProductName" || item.path.rfind(kProducts, 0) != 0) continue;
        const std::string key = item.path.substr(kProducts.size());
        if (key.find('\\') != std::string::npos || !Contains(item.value, entry.MatchText)) continue;
        if (PlainName(key)) {
          gone.push_back({item.root, item.path});
          ++listed_plain;
        } else {
          ++kept_listed;
        }
      }

      sim::Reset();
      Seed(items);
      for (const auto& key : gone) sim::DeleteKeyTree(key.first, key.second);
      const std::vector<std::string> expected = sim::Dump();

      sim::Reset();
      sim::ResetUi();
      sim::ResetHost();
      Seed(items);
      sim::ChooseItem(release);
      sim::QueueBoxResults({6});  // IDYES
      sim::ClickClean();
      ASSERT_EQ(sim::Dump(), expected);
      deleted_products += listed_plain;
      ++runs;
    }
  }
  std::printf("cleanup safety: %d registries x 9 releases = %d confirmed runs; %d product keys deleted, "
              "%d listed ones with unsafe names left alone\n",
              kRegistries, runs, deleted_products, kept_listed);
  EXPECT_GT(deleted_products, 0);
  EXPECT_GT(kept_listed, 0);
}

}  // namespace
