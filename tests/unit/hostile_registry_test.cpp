// Whatever other programs left under the installer products key, the scan
// lists what the rules say and the cleanup names nothing but plain listed
// product keys and the release's own keys.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/controls.h"
#include "sim/sim_host.h"
#include "sim/sim_registry.h"
#include "sim/sim_ui.h"

namespace {

const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";
const std::string kProductsFull = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Products\\";

ByteBuffer Bytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

void Put(const std::string& key, std::uint32_t type, const std::string& data) {
  sim::SetValue(platform::kHkeyLocalMachine, kProducts + key, "ProductName", type, Bytes(data));
}

std::set<std::string> ListedKeys() {
  std::set<std::string> keys;
  for (std::int32_t row = 0; row < ProductList::RowCount(); ++row)
    keys.insert(ProductList::GetCellText(row, 1).substr(kProductsFull.size()));
  return keys;
}

// Confirms a cleanup for the chosen release and checks every line it started.
std::vector<std::string> ConfirmedCleanupLines(const std::string& release_key) {
  sim::ResetHost();
  sim::QueueBoxResults({6});
  sim::ClickClean();
  const std::regex allowed("cmd /c reg delete " + std::regex_replace(kProductsFull, std::regex(R"(\\)"), R"(\\)") +
                           "[A-Za-z0-9]+ /f|cmd /c reg delete HKEY_(CURRENT_USER\\\\Software|LOCAL_MACHINE\\\\SOFTWARE)"
                           "\\\\Autodesk\\\\AutoCAD\\\\" + std::regex_replace(release_key, std::regex(R"(\.)"), R"(\.)") +
                           " /f /reg:(32|64)");
  std::vector<std::string> lines;
  for (const sim::Command& command : sim::Commands()) {
    EXPECT_TRUE(std::regex_match(command.line, allowed)) << command.line;
    lines.push_back(command.line);
  }
  return lines;
}

class HostileRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Reset();
    sim::ResetUi();
    sim::ResetHost();
  }
};

TEST_F(HostileRegistry, KeyNamesThatCmdWouldReadAsSyntaxAreListedButNeverDeleted) {
  const std::vector<std::string> hostile = {"A B",  "A&calc", "A|B",  "%TEMP%", "A^B", "A\"B", "A<B", "A>B",
                                            "\xE9t\xE9", "\xD6\xD0\xCE\xC4", "*", "A;B", "A,B", "A=B",
                                            std::string(254, 'Q')};
  for (const std::string& key : hostile) Put(key, sim::kRegSz, std::string("AutoCAD 2010") + '\0');
  Put("5783F2D7800104090002" "0060B0CE6BBA", sim::kRegSz, std::string("AutoCAD 2010") + '\0');
  sim::ChooseItem(2);
  std::set<std::string> expected(hostile.begin(), hostile.end());
  expected.insert("5783F2D78001040900020060B0CE6BBA");
  // A name ending in a byte from 0x80 up swallows the "\" after it when the
  // value path is split, so its value is never found: no row.
  expected.erase("\xE9t\xE9");
  EXPECT_EQ(ListedKeys(), expected);

  const std::vector<std::string> lines = ConfirmedCleanupLines("R18.0");
  // The plain 32-digit key, the 254-byte plain key, and the four release lines.
  EXPECT_EQ(lines.size(), 6u);
  for (const std::string& key : hostile) {
    SCOPED_TRACE(key);
    const bool plain = key == std::string(254, 'Q');
    EXPECT_EQ(sim::KeyExists(platform::kHkeyLocalMachine, kProducts + key), !plain);
  }
  EXPECT_EQ(ProductList::RowCount(), static_cast<std::int32_t>(hostile.size()) - 2);
}

TEST_F(HostileRegistry, ANameTooLongForTheBufferEndsTheListing) {
  Put("A0", sim::kRegSz, "AutoCAD 2011");
  Put(std::string(255, 'M'), sim::kRegSz, "AutoCAD 2011");
  Put("N0", sim::kRegSz, "AutoCAD 2011");
  sim::ChooseItem(3);
  EXPECT_EQ(ListedKeys(), (std::set<std::string>{"A0"}));
  ConfirmedCleanupLines("R18.1");
  EXPECT_FALSE(sim::KeyExists(platform::kHkeyLocalMachine, kProducts + "A0"));
  EXPECT_TRUE(sim::KeyExists(platform::kHkeyLocalMachine, kProducts + "N0"));
}

TEST_F(HostileRegistry, ProductNamesOfEveryShape) {
  const std::string big = std::string(1 << 20, 'x') + "AutoCAD 2012";
  struct Case {
    const char* key;
    std::uint32_t type;
    std::string data;
    bool listed;
  } cases[] = {
      {"Big", sim::kRegSz, big + '\0', true},
      {"BigTail", sim::kRegSz, big + std::string(1, '\0') + "tail", true},
      {"Binary", sim::kRegBinary, std::string("\x01\x02" "CAD 2012", 10), true},
      {"BinaryNulFirst", sim::kRegBinary, std::string("\0CAD 2012", 9), false},
      {"Number", sim::kRegDword, std::string("\x00\x00\x00\x00", 4), false},
      {"MultiFirst", sim::kRegMultiSz, std::string("AutoCAD 2012\0other\0\0", 21), true},
      {"MultiSecond", sim::kRegMultiSz, std::string("other\0AutoCAD 2012\0\0", 21), false},
      {"Expandable", sim::kRegExpandSz, std::string("%ProgramFiles%\\AutoCAD 2012") + '\0', true},
      {"Empty", sim::kRegSz, "", false},
      {"NoNul", sim::kRegSz, "AutoCAD 2012", true},
  };
  for (const Case& c : cases) Put(c.key, c.type, c.data);
  sim::ChooseItem(4);
  std::set<std::string> expected;
  for (const Case& c : cases)
    if (c.listed) expected.insert(c.key);
  EXPECT_EQ(ListedKeys(), expected);
  for (std::int32_t row = 0; row < ProductList::RowCount(); ++row) {
    if (ProductList::GetCellText(row, 1) == kProductsFull + "Big") {
      EXPECT_EQ(ProductList::GetCellText(row, 0), big);  // whole, a mebibyte and more
    }
  }
  ConfirmedCleanupLines("R18.2");
  EXPECT_EQ(ProductList::RowCount(), 0);
}

TEST_F(HostileRegistry, KeysThatCannotBeOpenedOrQueriedGetNoRow) {
  for (const char* key : {"K1", "K2", "K3", "K4"}) Put(key, sim::kRegSz, "AutoCAD 2015");
  struct Case {
    const char* label;
    sim::Fail fail;
  } cases[] = {{"open refused (or the key vanished after the listing)", sim::Fail::kOpenKey},
               {"size query refused", sim::Fail::kFirstQuery}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    sim::FailCalls(c.fail, 1);  // the first product's read
    sim::ChooseItem(7);
    EXPECT_EQ(ListedKeys(), (std::set<std::string>{"K2", "K3", "K4"}));
  }
  sim::FailCalls(sim::Fail::kOpenKey, -1);
  sim::ChooseItem(7);
  EXPECT_EQ(ProductList::RowCount(), 0);
  EXPECT_EQ(sim::OpenKeyCount(), 0u);
}

TEST_F(HostileRegistry, AListingThatFailsPartWayKeepsWhatItHas) {
  for (const char* key : {"K1", "K2", "K3"}) Put(key, sim::kRegSz, "AutoCAD 2016");
  sim::FailEnumAt(2, 5);  // access denied at the third subkey
  sim::ChooseItem(8);
  EXPECT_EQ(ListedKeys(), (std::set<std::string>{"K1", "K2"}));
}

}  // namespace
