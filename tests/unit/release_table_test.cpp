#include "cleanup/release_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ExpectedEntry {
  const char* item;
  const char* match;
  const char* key;
  std::vector<std::string> lines;
};

// Written out whole, so that a slip in how the lines are put together shows.
const std::vector<ExpectedEntry> kExpected = {
    {"AUTOCAD2007", "CAD 2007", "R17.0",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R17.0 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R17.0 /f /reg:32"}},
    {"AUTOCAD2008", "CAD 2008", "R17.1",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R17.1 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R17.1 /f /reg:32"}},
    {"AUTOCAD2010", "CAD 2010", "R18.0",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.0 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /f /reg:32",
      "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.0 /f /reg:64",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /f /reg:64"}},
    {"AUTOCAD2011", "CAD 2011", "R18.1",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.1 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.1 /f /reg:32",
      "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.1 /f /reg:64",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.1 /f /reg:64"}},
    {"AUTOCAD2012", "CAD 2012", "R18.2",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.2 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.2 /f /reg:32",
      "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.2 /f /reg:64",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.2 /f /reg:64"}},
    {"AUTOCAD2013", "CAD 2013", "R19.0",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R19.0 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R19.0 /f /reg:32",
      "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R19.0 /f /reg:64",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R19.0 /f /reg:64"}},
    {"AUTOCAD2014", "CAD 2014", "R19.1",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R19.1 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R19.1 /f /reg:32",
      "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R19.1 /f /reg:64",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R19.1 /f /reg:64"}},
    {"AUTOCAD2015", "CAD 2015", "R20.0",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R20.0 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R20.0 /f /reg:32",
      "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R20.0 /f /reg:64",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R20.0 /f /reg:64"}},
    {"AUTOCAD2016", "CAD 2016", "R20.1",
     {"cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R20.1 /f /reg:32",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R20.1 /f /reg:32",
      "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R20.1 /f /reg:64",
      "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R20.1 /f /reg:64"}},
};

TEST(ReleaseTable, EveryEntryAndItsDeleteLines) {
  ASSERT_EQ(ReleaseTable.size(), kExpected.size());
  for (std::int32_t i = 0; i < 9; ++i) {
    SCOPED_TRACE("index " + std::to_string(i));
    const ReleaseEntry* entry = EntryForSelection(i);
    ASSERT_NE(entry, nullptr);
    const ExpectedEntry& expected = kExpected[static_cast<std::size_t>(i)];
    EXPECT_EQ(entry->index, i);
    EXPECT_STREQ(entry->ItemText, expected.item);
    EXPECT_STREQ(entry->MatchText, expected.match);
    EXPECT_STREQ(entry->ReleaseKey, expected.key);
    EXPECT_EQ(ReleaseDeleteCommands(*entry), expected.lines);
  }
}

TEST(ReleaseTable, NoEntryOutsideTheNineItems) {
  for (std::int32_t index : {-1, 9, 10, -2, 1000}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(EntryForSelection(index), nullptr);
  }
}

TEST(ReleaseTable, MatchTextsAreEightBytesWithOneSpace) {
  for (const ReleaseEntry& entry : ReleaseTable) {
    SCOPED_TRACE(entry.ItemText);
    const std::string match = entry.MatchText;
    EXPECT_EQ(match.size(), 8u);
    EXPECT_EQ(match.substr(0, 4), "CAD ");
    EXPECT_EQ(std::string(entry.ItemText), "AUTOCAD" + match.substr(4));
  }
}

}  // namespace
