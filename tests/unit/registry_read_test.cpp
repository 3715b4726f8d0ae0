// Listing and reading on the simulated machine where only the simulation can
// arrange things: failures on demand, the two views of a 32-bit process.
#include "registry/registry_read.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_registry.h"

namespace {

using platform::kHkeyLocalMachine;

const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";
const std::string kProduct = kProducts + "7D2F387510089040002000060BECB6AB";
const std::string kNamePath = kProduct + "\\ProductName";

std::vector<std::string> QueryLines() {
  std::vector<std::string> lines;
  for (const std::string& line : sim::CallLog())
    if (line.rfind("RegQueryValueExA", 0) == 0) lines.push_back(line);
  return lines;
}

class RegistryRead : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }
  void TearDown() override { EXPECT_EQ(sim::OpenKeyCount(), 0u); }
};

TEST_F(RegistryRead, EachQueryFailureGivesWhatTheTableSays) {
  struct Case {
    const char* label;
    std::uint32_t architecture;
    sim::Fail fail;
    ByteBuffer bytes;
    Text text;
    std::size_t queries;
  };
  const ByteBuffer thirteen_zeros(13, 0);
  const Case cases[] = {
      {"first query fails, 64-bit", 9, sim::Fail::kFirstQuery, {}, "", 1},
      {"first query fails, 32-bit", 0, sim::Fail::kFirstQuery, {}, "", 1},
      {"second query fails: the zeroed buffer of the first size", 9, sim::Fail::kSecondQuery, thirteen_zeros, "", 2},
      {"second query fails, 32-bit", 0, sim::Fail::kSecondQuery, thirteen_zeros, "", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    sim::Reset();
    sim::SetArchitectureWord(c.architecture);
    sim::SetString(kHkeyLocalMachine, kProduct, "ProductName", "AutoCAD 2010");
    sim::FailCalls(c.fail);
    EXPECT_EQ(ReadValueBytes(kRootLocalMachine, kNamePath), c.bytes);
    EXPECT_EQ(QueryLines().size(), c.queries);
    EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), c.text);
    EXPECT_EQ(sim::OpenKeyCount(), 0u);
    EXPECT_FALSE(sim::FsRedirectionDisabled());
  }
}

TEST_F(RegistryRead, FailureOnDemandCountsCalls) {
  sim::SetString(kHkeyLocalMachine, kProduct, "ProductName", "AutoCAD 2010");
  sim::FailCalls(sim::Fail::kOpenKey, 1);
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "");
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "AutoCAD 2010");
}

TEST_F(RegistryRead, ZeroByteValueIsEmptyAndTheSecondQueryHasNoBuffer) {
  sim::SetValue(kHkeyLocalMachine, kProduct, "ProductName", sim::kRegBinary, {});
  sim::ClearCallLog();
  EXPECT_TRUE(ReadValueBytes(kRootLocalMachine, kNamePath).empty());
  const std::vector<std::string> expected = {"RegQueryValueExA \"ProductName\" data=NULL size=0",
                                             "RegQueryValueExA \"ProductName\" data=NULL size=0"};
  EXPECT_EQ(QueryLines(), expected);
}

TEST_F(RegistryRead, DefaultValueIsAskedForByNullName) {
  sim::SetString(kHkeyLocalMachine, kProduct, "", "default");
  sim::ClearCallLog();
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kProduct + "\\"), "default");
  EXPECT_EQ(ReadValueText(kRootLocalMachine, "SOFTWARE"), "");  // no "\": the key's default value
  const std::vector<std::string> expected = {
      "RegQueryValueExA NULL data=NULL size=0", "RegQueryValueExA NULL data size=8",
      "RegQueryValueExA NULL data=NULL size=0"};
  EXPECT_EQ(QueryLines(), expected);
}

TEST_F(RegistryRead, ReadingAMissingValueChangesNothing) {
  sim::SetString(kHkeyLocalMachine, kProduct, "ProductName", "AutoCAD 2010");
  sim::SetString(platform::kHkeyCurrentUser, "Software\\Autodesk\\AutoCAD\\R18.0", "CurVer", "x");
  for (std::uint32_t architecture : {9u, 0u}) {
    SCOPED_TRACE("architecture " + std::to_string(architecture));
    sim::SetArchitectureWord(architecture);
    const std::vector<std::string> before = sim::Dump();
    EXPECT_TRUE(ReadValueBytes(kRootLocalMachine, kProducts + "Missing\\ProductName").empty());
    EXPECT_TRUE(ReadValueBytes(kRootLocalMachine, kProduct + "\\Absent").empty());
    EXPECT_TRUE(ReadValueBytes(3, "Software\\Autodesk\\AutoCAD\\R19.0\\CurVer").empty());
    EXPECT_EQ(sim::Dump(), before);
  }
}

TEST_F(RegistryRead, ListingStopsAtTheFirstFailureAndKeepsWhatItHas) {
  for (const char* name : {"A", "B", "C", "D"}) sim::CreateKey(kHkeyLocalMachine, kProducts + name);
  struct Case {
    const char* label;
    std::uint32_t index;
    platform::RegResult error;
    TextArray names;
  };
  const Case cases[] = {
      {"end reported early", 2, 259, {"A", "B"}},
      {"access denied at 1", 1, 5, {"A"}},
      {"failure at 0", 0, 1018, {}},
      {"failure after the end", 4, 5, {"A", "B", "C", "D"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    sim::FailEnumAt(c.index, c.error);
    TextArray names = {"stale"};
    EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, 1), static_cast<std::int32_t>(c.names.size()));
    EXPECT_EQ(names, c.names);
    EXPECT_FALSE(sim::FsRedirectionDisabled());
  }
}

TEST_F(RegistryRead, LongNamesEndTheListing) {
  const std::string name_254(254, 'B');
  const std::string name_300(300, 'C');
  for (const std::string& name : {std::string("A"), name_254, name_300, std::string("D")})
    sim::CreateKey(kHkeyLocalMachine, kProducts + name);
  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, 1), 2);
  EXPECT_EQ(names, (TextArray{"A", name_254}));
}

TEST_F(RegistryRead, ListingUsesTheDefaultViewAndValuesThe64BitOne) {
  sim::CreateKey(kHkeyLocalMachine, "SOFTWARE\\Vendor\\In64");
  sim::CreateKey(kHkeyLocalMachine, "SOFTWARE\\Vendor\\In32", sim::View::k32);
  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, "SOFTWARE\\Vendor\\", names, 1), 1);
  EXPECT_EQ(names, TextArray{"In32"});

  // A missing key is created where the 32-bit process sees it.
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, "SOFTWARE\\Fresh\\", names, 1), 0);
  EXPECT_TRUE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Wow6432Node\\Fresh"));
  EXPECT_FALSE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Fresh"));

  // The installer products key is shared: both views list the same keys.
  sim::CreateKey(kHkeyLocalMachine, kProducts + "P64");
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, 1), 1);
  EXPECT_EQ(names, TextArray{"P64"});
}

TEST_F(RegistryRead, FourthArgumentIsIgnored) {
  sim::CreateKey(kHkeyLocalMachine, kProducts + "A");
  for (std::int32_t unused : {0, 1, -7, 1000}) {
    SCOPED_TRACE(unused);
    TextArray names;
    EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, unused), 1);
    EXPECT_EQ(names, TextArray{"A"});
  }
}

TEST_F(RegistryRead, DoubleByteNamesAndTextsPassThrough) {
  const std::string chinese = "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4";  // code page 936
  const std::string odd_key = "K\x81\x5C" "ey";                    // a trail byte that reads as "\"
  sim::SetString(kHkeyLocalMachine, kProducts + odd_key, "ProductName", "AutoCAD 2010 - " + chinese);
  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, 1), 1);
  ASSERT_EQ(names, TextArray{odd_key});
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kProducts + names[0] + "\\ProductName"), "AutoCAD 2010 - " + chinese);
}

}  // namespace
