// The 64-bit view guard on the simulated machine: which platform calls the
// registry routines make, in which order, and what each failure leaves.
#include "registry/view_guard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "registry/registry_read.h"
#include "sim/sim_registry.h"

namespace {

using Log = std::vector<std::string>;
using platform::kHkeyLocalMachine;

const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";
const std::string kProduct = kProducts + "7D2F387510089040002000060BECB6AB";
const std::string kNamePath = kProduct + "\\ProductName";

const Log kRedirectionOff = {"GetModuleHandleA kernel32.dll", "GetProcAddress Wow64DisableWow64FsRedirection",
                             "Wow64DisableWow64FsRedirection"};
const Log kReflectionOff = {"GetModuleHandleA advapi32.dll", "GetProcAddress RegDisableReflectionKey",
                            "RegDisableReflectionKey"};
const Log kReflectionOn = {"GetModuleHandleA advapi32.dll", "GetProcAddress RegEnableReflectionKey",
                           "RegEnableReflectionKey"};
const Log kRedirectionBack = {"GetModuleHandleA kernel32.dll", "GetProcAddress Wow64RevertWow64FsRedirection",
                              "Wow64RevertWow64FsRedirection"};

Log Join(std::initializer_list<Log> parts) {
  Log joined;
  for (const Log& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

bool Mentions(const Log& log, const std::string& word) {
  for (const std::string& line : log)
    if (line.find(word) != std::string::npos) return true;
  return false;
}

class ViewGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Reset();
    sim::SetString(kHkeyLocalMachine, kProduct, "ProductName", "AutoCAD 2010");  // 13 bytes with its NUL
    sim::CreateKey(kHkeyLocalMachine, kProducts + "AAAA");
    sim::ClearCallLog();
  }
  void TearDown() override {
    // Whatever happened, no key stays open.
    EXPECT_EQ(sim::OpenKeyCount(), 0u);
  }
};

TEST(IsSystem64Bit, OnlyTheWholeWords6And9CountAs64Bit) {
  struct Case {
    std::uint32_t word;
    bool system_64bit;
  };
  const Case cases[] = {{0, false},      {5, false},          {6, true},        {9, true},
                        {12, false},     {0xFFFF, false},     {0x10009, false}, {0x90000, false},
                        {0x60000, false}, {0xFFFF0009, false}, {10, false},      {1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE("word " + std::to_string(c.word));
    sim::Reset();
    sim::SetArchitectureWord(c.word);
    EXPECT_EQ(IsSystem64Bit(), c.system_64bit);
    EXPECT_EQ(sim::CallLog(), Log{"GetNativeSystemInfo"});
  }
}

TEST_F(ViewGuard, ValueReadOn64BitSystemRunsTheWholeGuardInOrder) {
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "AutoCAD 2010");
  const Log expected = Join({{"GetNativeSystemInfo"},
                             kRedirectionOff,
                             {"RegOpenKeyExA HKLM\\" + kProduct + " 0x101"},
                             kReflectionOff,
                             {"RegQueryValueExA \"ProductName\" data=NULL size=0",
                              "RegQueryValueExA \"ProductName\" data size=13"},
                             kReflectionOn,
                             {"RegCloseKey"},
                             kRedirectionBack});
  EXPECT_EQ(sim::CallLog(), expected);
  EXPECT_FALSE(sim::FsRedirectionDisabled());
  EXPECT_FALSE(sim::ReflectionDisabledAt(kHkeyLocalMachine, kProduct));
}

TEST_F(ViewGuard, ListingOn64BitSystemRunsTheWholeGuardInOrder) {
  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, 1), 2);
  const Log expected = Join({{"GetNativeSystemInfo"},
                             kRedirectionOff,
                             {"RegCreateKeyA HKLM\\" + kProducts},
                             kReflectionOff,
                             {"RegEnumKeyA 0 255", "RegEnumKeyA 1 255", "RegEnumKeyA 2 255"},
                             kReflectionOn,
                             {"RegCloseKey"},
                             kRedirectionBack});
  EXPECT_EQ(sim::CallLog(), expected);
  EXPECT_FALSE(sim::FsRedirectionDisabled());
  EXPECT_FALSE(sim::ReflectionDisabledAt(kHkeyLocalMachine, kProducts.substr(0, kProducts.size() - 1)));
}

TEST_F(ViewGuard, IA64SystemIsGuardedToo) {
  sim::SetArchitectureWord(6);
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "AutoCAD 2010");
  EXPECT_TRUE(Mentions(sim::CallLog(), "Wow64DisableWow64FsRedirection"));
  EXPECT_TRUE(Mentions(sim::CallLog(), " 0x101"));
}

// On a 32-bit system, on ARM64 and for any other word, no WOW64 function is
// looked up or called and the value is read with KEY_READ.
TEST_F(ViewGuard, OtherArchitecturesTakeThePlainPath) {
  struct Case {
    const char* label;
    std::uint32_t word;
  };
  const Case cases[] = {{"32-bit x86", 0}, {"ARM64", 12}, {"reserved word set", 0x10009}, {"unknown", 0xFFFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    sim::Reset();
    sim::SetArchitectureWord(c.word);
    sim::SetString(kHkeyLocalMachine, kProduct, "ProductName", "AutoCAD 2010");
    sim::CreateKey(kHkeyLocalMachine, kProducts + "AAAA");

    EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "AutoCAD 2010");
    const Log read = {"GetNativeSystemInfo", "RegOpenKeyExA HKLM\\" + kProduct + " 0x20019",
                      "RegQueryValueExA \"ProductName\" data=NULL size=0",
                      "RegQueryValueExA \"ProductName\" data size=13", "RegCloseKey"};
    EXPECT_EQ(sim::CallLog(), read);

    sim::ClearCallLog();
    TextArray names;
    EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, 1), 2);
    const Log listing = {"GetNativeSystemInfo", "RegCreateKeyA HKLM\\" + kProducts, "RegEnumKeyA 0 255",
                         "RegEnumKeyA 1 255", "RegEnumKeyA 2 255", "RegCloseKey"};
    EXPECT_EQ(sim::CallLog(), listing);
    EXPECT_EQ(sim::OpenKeyCount(), 0u);
  }
}

TEST_F(ViewGuard, ARM64ReadsTheProcesss32BitView) {
  // Under WOW64 on ARM64 the plain path's KEY_READ reaches Wow6432Node.
  sim::SetArchitectureWord(12);
  sim::SetString(kHkeyLocalMachine, "SOFTWARE\\Vendor", "Which", "64");
  sim::SetString(kHkeyLocalMachine, "SOFTWARE\\Vendor", "Which", "32", sim::View::k32);
  EXPECT_EQ(ReadValueText(kRootLocalMachine, "SOFTWARE\\Vendor\\Which"), "32");
  sim::SetArchitectureWord(9);
  EXPECT_EQ(ReadValueText(kRootLocalMachine, "SOFTWARE\\Vendor\\Which"), "64");
}

TEST_F(ViewGuard, RedirectionRefusedSkipsTheAccess) {
  sim::FailCalls(sim::Fail::kFsRedirection);
  const Log refused = Join({{"GetNativeSystemInfo"}, kRedirectionOff});

  EXPECT_TRUE(ReadValueBytes(kRootLocalMachine, kNamePath).empty());
  EXPECT_EQ(sim::CallLog(), refused);
  sim::ClearCallLog();
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "");
  EXPECT_EQ(sim::CallLog(), refused);

  sim::ClearCallLog();
  TextArray names = {"stale"};
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts + "Missing\\", names, 1), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(sim::CallLog(), refused);
  // Nothing was opened, so nothing was created.
  EXPECT_FALSE(sim::KeyExists(kHkeyLocalMachine, kProducts + "Missing"));
  EXPECT_FALSE(sim::FsRedirectionDisabled());
}

TEST_F(ViewGuard, KeyThatCannotBeOpenedStillRestoresRedirection) {
  struct Case {
    const char* label;
    void (*arrange)();
    bool listing;
    std::string opened;
  };
  const Case cases[] = {
      {"missing key", [] {}, false, "RegOpenKeyExA HKLM\\" + kProducts + "Missing 0x101"},
      {"open refused", [] { sim::FailCalls(sim::Fail::kOpenKey); }, false,
       "RegOpenKeyExA HKLM\\" + kProducts + "Missing 0x101"},
      {"create refused", [] { sim::FailCalls(sim::Fail::kCreateKey); }, true,
       "RegCreateKeyA HKLM\\" + kProducts + "Missing\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    sim::FailCalls(sim::Fail::kOpenKey, 0);
    sim::FailCalls(sim::Fail::kCreateKey, 0);
    c.arrange();
    sim::ClearCallLog();
    if (c.listing) {
      TextArray names = {"stale"};
      EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts + "Missing\\", names, 1), 0);
      EXPECT_TRUE(names.empty());
    } else {
      EXPECT_TRUE(ReadValueBytes(kRootLocalMachine, kProducts + "Missing\\ProductName").empty());
    }
    EXPECT_EQ(sim::CallLog(), Join({{"GetNativeSystemInfo"}, kRedirectionOff, {c.opened}, kRedirectionBack}));
    EXPECT_FALSE(sim::FsRedirectionDisabled());
    EXPECT_FALSE(sim::KeyExists(kHkeyLocalMachine, kProducts + "Missing"));
  }
}

TEST_F(ViewGuard, TwoAccessesEachSwitchAndLookUpAnew) {
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "AutoCAD 2010");
  const Log one = sim::CallLog();
  sim::ClearCallLog();
  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "AutoCAD 2010");
  EXPECT_EQ(sim::CallLog(), one);

  int lookups = 0, disables = 0, reverts = 0;
  for (const std::string& line : one) {
    lookups += line.rfind("GetProcAddress ", 0) == 0;
    disables += line == "Wow64DisableWow64FsRedirection";
    reverts += line == "Wow64RevertWow64FsRedirection";
  }
  EXPECT_EQ(lookups, 4);
  EXPECT_EQ(disables, 1);
  EXPECT_EQ(reverts, 1);
  EXPECT_FALSE(sim::FsRedirectionDisabled());
}

TEST_F(ViewGuard, RedirectionComesBackToWhatItWasBefore) {
  std::uintptr_t outer = 0;
  ASSERT_TRUE(DisableFsRedirection(outer));
  ASSERT_TRUE(sim::FsRedirectionDisabled());

  EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), "AutoCAD 2010");
  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootLocalMachine, kProducts, names, 1), 2);
  EXPECT_TRUE(sim::FsRedirectionDisabled());

  EXPECT_TRUE(RevertFsRedirection(outer));
  EXPECT_FALSE(sim::FsRedirectionDisabled());
}

TEST_F(ViewGuard, SwitchesReachThePlatformWithTheirArgument) {
  std::uintptr_t saved = 0;
  EXPECT_TRUE(DisableFsRedirection(saved));
  EXPECT_NE(saved, 0u);  // the platform stored the previous state there
  EXPECT_TRUE(sim::FsRedirectionDisabled());
  EXPECT_FALSE(RevertFsRedirection(saved + 2));  // not a state the platform stored
  EXPECT_TRUE(sim::FsRedirectionDisabled());
  EXPECT_TRUE(RevertFsRedirection(saved));
  EXPECT_FALSE(sim::FsRedirectionDisabled());

  platform::RegKey key = 0;
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyLocalMachine, kProduct.c_str(), 0, 0x101, &key), 0);
  EXPECT_EQ(DisableKeyReflection(key), 0);
  EXPECT_TRUE(sim::ReflectionDisabled(key));
  EXPECT_TRUE(sim::ReflectionDisabledAt(kHkeyLocalMachine, kProduct));
  EXPECT_EQ(EnableKeyReflection(key), 0);
  EXPECT_FALSE(sim::ReflectionDisabled(key));
  platform::RegCloseKey(key);
  // The platform's own result comes back unchanged.
  EXPECT_EQ(DisableKeyReflection(0x7777), 6);  // ERROR_INVALID_HANDLE
  sim::SetArchitectureWord(0);
  EXPECT_EQ(EnableKeyReflection(kHkeyLocalMachine), 120);  // ERROR_CALL_NOT_IMPLEMENTED
  EXPECT_FALSE(DisableFsRedirection(saved));  // no WOW64 on 32-bit Windows
}

TEST_F(ViewGuard, MissingFunctionsAreNeverCalled) {
  struct Case {
    const char* removed;
    bool read_succeeds;
    bool redirection_left_off;
  };
  const Case cases[] = {
      {"Wow64DisableWow64FsRedirection", false, false},
      {"Wow64RevertWow64FsRedirection", true, true},
      {"RegDisableReflectionKey", true, false},
      {"RegEnableReflectionKey", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.removed);
    sim::Reset();
    sim::SetString(kHkeyLocalMachine, kProduct, "ProductName", "AutoCAD 2010");
    sim::RemoveFunction(c.removed);
    EXPECT_EQ(ReadValueText(kRootLocalMachine, kNamePath), c.read_succeeds ? "AutoCAD 2010" : "");
    const Log& log = sim::CallLog();
    EXPECT_TRUE(Mentions(log, std::string("GetProcAddress ") + c.removed));
    EXPECT_EQ(std::count(log.begin(), log.end(), std::string(c.removed)), 0);
    EXPECT_EQ(sim::FsRedirectionDisabled(), c.redirection_left_off);
    EXPECT_EQ(sim::OpenKeyCount(), 0u);
  }
  sim::Reset();
  sim::RemoveFunction("RegDisableReflectionKey");
  EXPECT_EQ(DisableKeyReflection(kHkeyLocalMachine), 127);  // ERROR_PROC_NOT_FOUND
  sim::RemoveFunction("Wow64DisableWow64FsRedirection");
  std::uintptr_t saved = 0;
  EXPECT_FALSE(DisableFsRedirection(saved));
}

}  // namespace
