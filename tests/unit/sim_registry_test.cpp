// The simulated machine's own rules: the two views of a 32-bit process on
// 64-bit Windows, Windows' answers to the registry calls, and reg delete.
#include "sim/sim_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::RegKey;
using sim::View;

class SimRegistry : public ::testing::Test {
 protected:
  void SetUp() override { sim::Reset(); }
};

struct ViewCase {
  const char* label;
  RegKey root;
  std::string seen_32;   // a path in the 32-bit view...
  std::string physical;  // ...and the key it is in the 64-bit one
};

TEST_F(SimRegistry, The32BitViewRedirectsOnlyWhatWindowsRedirects) {
  const std::vector<ViewCase> cases = {
      {"HKLM\\SOFTWARE redirected", kHkeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R18.0",
       "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R18.0"},
      {"case does not matter", kHkeyLocalMachine, "Software\\autodesk", "SOFTWARE\\Wow6432Node\\autodesk"},
      {"Wow6432Node named directly", kHkeyLocalMachine, "SOFTWARE\\Wow6432Node\\X", "SOFTWARE\\Wow6432Node\\X"},
      {"HKLM\\SOFTWARE\\Classes shared", kHkeyLocalMachine, "SOFTWARE\\Classes\\Installer\\Products\\AB",
       "SOFTWARE\\Classes\\Installer\\Products\\AB"},
      {"Classes\\CLSID redirected", kHkeyLocalMachine, "SOFTWARE\\Classes\\CLSID\\{1}",
       "SOFTWARE\\Classes\\Wow6432Node\\CLSID\\{1}"},
      {"HKCR is the machine's Classes", kHkeyClassesRoot, "Installer\\Products\\AB",
       "SOFTWARE\\Classes\\Installer\\Products\\AB"},
      {"HKCU\\Software shared", kHkeyCurrentUser, "Software\\Autodesk\\AutoCAD\\R18.0",
       "Software\\Autodesk\\AutoCAD\\R18.0"},
      {"outside SOFTWARE shared", kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\X", "SYSTEM\\CurrentControlSet\\X"},
  };
  for (const ViewCase& c : cases) {
    SCOPED_TRACE(c.label);
    sim::Reset();
    sim::CreateKey(c.root, c.seen_32, View::k32);
    const RegKey physical_root = c.root == kHkeyClassesRoot ? kHkeyLocalMachine : c.root;
    EXPECT_TRUE(sim::KeyExists(physical_root, c.physical, View::k64));
    EXPECT_TRUE(sim::KeyExists(c.root, c.seen_32, View::k32));
    EXPECT_EQ(sim::Dump().size(), std::count(c.physical.begin(), c.physical.end(), '\\') + 1u);
  }
}

TEST_F(SimRegistry, A32BitSystemHasOneView) {
  sim::SetArchitectureWord(0);
  sim::CreateKey(kHkeyLocalMachine, "SOFTWARE\\Autodesk", View::k32);
  EXPECT_TRUE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Autodesk", View::k64));
  EXPECT_FALSE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Wow6432Node"));

  RegKey key = 0;
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyLocalMachine, "SOFTWARE\\Autodesk", 0, 0x101, &key), 0);
  EXPECT_EQ(platform::RegCloseKey(key), 0);
  ASSERT_EQ(platform::RegCreateKeyA(kHkeyLocalMachine, "SOFTWARE\\Autodesk", &key), 0);
  EXPECT_EQ(platform::RegCloseKey(key), 0);
  EXPECT_EQ(sim::Dump(), (std::vector<std::string>{"HKLM\\SOFTWARE", "HKLM\\SOFTWARE\\Autodesk"}));
}

TEST_F(SimRegistry, CallsReachTheViewTheirFlagsChoose) {
  sim::SetString(kHkeyLocalMachine, "SOFTWARE\\Vendor", "Which", "64");
  sim::SetString(kHkeyLocalMachine, "SOFTWARE\\Vendor", "Which", "32", View::k32);
  struct Case {
    const char* label;
    std::uint32_t mask;
    const char* expected;
  };
  const Case cases[] = {
      {"KEY_READ: default view", 0x20019, "32"},
      {"KEY_WOW64_64KEY | KEY_QUERY_VALUE", 0x101, "64"},
      {"KEY_WOW64_32KEY | KEY_QUERY_VALUE", 0x201, "32"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    RegKey key = 0;
    ASSERT_EQ(platform::RegOpenKeyExA(kHkeyLocalMachine, "SOFTWARE\\Vendor", 0, c.mask, &key), 0);
    std::uint8_t data[8] = {};
    std::uint32_t size = sizeof data;
    EXPECT_EQ(platform::RegQueryValueExA(key, "which", data, &size), 0);
    EXPECT_EQ(size, 3u);
    EXPECT_STREQ(reinterpret_cast<const char*>(data), c.expected);
    platform::RegCloseKey(key);
  }
  // RegCreateKeyA takes no flags: the default view.
  RegKey key = 0;
  ASSERT_EQ(platform::RegCreateKeyA(kHkeyLocalMachine, "SOFTWARE\\Vendor\\Child", &key), 0);
  platform::RegCloseKey(key);
  EXPECT_TRUE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Wow6432Node\\Vendor\\Child"));
  EXPECT_FALSE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Vendor\\Child"));
  EXPECT_EQ(sim::OpenKeyCount(), 0u);
}

TEST_F(SimRegistry, SubkeysAreListedInUpperCaseOrder) {
  for (const char* name : {"_x", "zebra", "Apple", "b", "B2", "a1"}) sim::CreateKey(kHkeyCurrentUser, std::string("Software\\T\\") + name);
  const std::vector<std::string> expected = {"a1", "Apple", "b", "B2", "zebra", "_x"};
  EXPECT_EQ(sim::SubkeyNames(kHkeyCurrentUser, "Software\\T"), expected);

  RegKey key = 0;
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\T", 0, 0x20019, &key), 0);
  std::vector<std::string> listed;
  char buffer[255];
  for (std::uint32_t index = 0; platform::RegEnumKeyA(key, index, buffer, sizeof buffer) == 0; ++index)
    listed.push_back(buffer);
  EXPECT_EQ(listed, expected);
  platform::RegCloseKey(key);
}

TEST_F(SimRegistry, EnumerationAnswersLikeWindows) {
  const std::string name_254(254, 'B'), name_255(255, 'C');
  for (const std::string& name : {std::string("A"), name_254, name_255, std::string("D")})
    sim::CreateKey(kHkeyCurrentUser, "Software\\T\\" + name);
  RegKey key = 0;
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\T", 0, 0x20019, &key), 0);
  char buffer[256];
  struct Case {
    std::uint32_t index;
    std::uint32_t size;
    platform::RegResult result;
    std::string name;
  };
  const Case cases[] = {
      {0, 255, 0, "A"},   {1, 255, 0, name_254}, {2, 255, 234, ""}, {2, 256, 0, name_255},
      {3, 255, 0, "D"},   {4, 255, 259, ""},     {0, 1, 234, ""},   {0, 2, 0, "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("index " + std::to_string(c.index) + " size " + std::to_string(c.size));
    std::memset(buffer, 0, sizeof buffer);
    EXPECT_EQ(platform::RegEnumKeyA(key, c.index, buffer, c.size), c.result);
    EXPECT_EQ(std::string(buffer), c.name);
  }
  platform::RegCloseKey(key);

  // KEY_QUERY_VALUE alone does not allow listing.
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\T", 0, 0x1, &key), 0);
  EXPECT_EQ(platform::RegEnumKeyA(key, 0, buffer, 255), 5);
  platform::RegCloseKey(key);
}

TEST_F(SimRegistry, QueriesAnswerLikeWindows) {
  sim::SetString(kHkeyCurrentUser, "Software\\T", "Sz", "abc");
  sim::SetValue(kHkeyCurrentUser, "Software\\T", "Raw", sim::kRegSz, {'x', 'y'});
  sim::SetValue(kHkeyCurrentUser, "Software\\T", "Bin", sim::kRegBinary, {'x', 'y'});
  RegKey key = 0;
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\T", 0, 0x20019, &key), 0);
  struct Case {
    const char* label;
    const char* name;
    bool buffer;
    std::uint32_t size_in;
    platform::RegResult result;
    std::uint32_t size_out;
    std::string data;  // the buffer's first bytes afterwards ('.' untouched)
  };
  const Case cases[] = {
      {"size only", "Sz", false, 0, 0, 4, "...."},
      {"exact buffer", "Sz", true, 4, 0, 4, std::string("abc\0", 4)},
      {"buffer too small", "Sz", true, 3, 234, 4, "...."},
      {"missing value, size only: size cleared", "Nope", false, 9, 2, 0, "...."},
      {"missing value with a buffer: size kept", "Nope", true, 9, 2, 9, "...."},
      {"string without NUL, exact buffer", "Raw", true, 2, 0, 2, "xy.."},
      {"string without NUL gets one where there is room", "Raw", true, 4, 0, 2, std::string("xy\0.", 4)},
      {"binary gets no NUL", "Bin", true, 4, 0, 2, "xy.."},
      {"names ignore case", "sZ", false, 0, 0, 4, "...."},
      {"no default value", nullptr, false, 0, 2, 0, "...."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::uint8_t data[4] = {'.', '.', '.', '.'};
    std::uint32_t size = c.size_in;
    EXPECT_EQ(platform::RegQueryValueExA(key, c.name, c.buffer ? data : nullptr, &size), c.result);
    EXPECT_EQ(size, c.size_out);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 4), c.data);
  }
  platform::RegCloseKey(key);

  // Without KEY_QUERY_VALUE a handle cannot read.
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\T", 0, 0x100, &key), 0);
  std::uint32_t size = 0;
  EXPECT_EQ(platform::RegQueryValueExA(key, "Sz", nullptr, &size), 5);
  platform::RegCloseKey(key);
}

TEST_F(SimRegistry, HandlesBehaveLikeWindowsHandles) {
  RegKey key = 0;
  EXPECT_EQ(platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\Missing", 0, 0x20019, &key), 2);
  EXPECT_EQ(key, 0u);
  EXPECT_FALSE(sim::KeyExists(kHkeyCurrentUser, "Software\\Missing"));

  // Trailing backslashes are accepted, empty components inside are not.
  ASSERT_EQ(platform::RegCreateKeyA(kHkeyCurrentUser, "Software\\T\\\\", &key), 0);
  EXPECT_EQ(sim::OpenKeyCount(), 1u);
  RegKey bad = 0;
  EXPECT_NE(platform::RegCreateKeyA(kHkeyCurrentUser, "Software\\\\T", &bad), 0);
  EXPECT_NE(platform::RegCreateKeyA(kHkeyCurrentUser, "\\Software", &bad), 0);

  // A key deleted while open answers ERROR_KEY_DELETED.
  sim::SetString(kHkeyCurrentUser, "Software\\T", "V", "x");
  EXPECT_TRUE(sim::DeleteKeyTree(kHkeyCurrentUser, "Software\\T"));
  std::uint32_t size = 0;
  EXPECT_EQ(platform::RegQueryValueExA(key, "V", nullptr, &size), 1018);
  EXPECT_EQ(platform::RegCloseKey(key), 0);
  EXPECT_EQ(platform::RegCloseKey(key), 6);  // closed twice
  EXPECT_EQ(platform::RegCloseKey(kHkeyLocalMachine), 0);
  EXPECT_EQ(sim::OpenKeyCount(), 0u);
}

TEST_F(SimRegistry, CallsAreLoggedInOrder) {
  RegKey key = 0;
  platform::RegCreateKeyA(kHkeyLocalMachine, "SOFTWARE\\Classes\\Installer\\Products\\", &key);
  char buffer[255];
  platform::RegEnumKeyA(key, 0, buffer, 255);
  platform::RegCloseKey(key);
  platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\X", 0, 0x101, &key);
  std::uint32_t size = 0;
  platform::RegQueryValueExA(key, nullptr, nullptr, &size);
  std::uint8_t native[44] = {};
  platform::GetNativeSystemInfo(native);
  const platform::ModuleHandle module = platform::GetModuleHandleA("advapi32.dll");
  EXPECT_NE(platform::GetProcAddress(module, "RegEnableReflectionKey"), 0u);
  EXPECT_EQ(platform::GetProcAddress(module, "Wow64RevertWow64FsRedirection"), 0u);  // kernel32's
  const std::vector<std::string> expected = {
      "RegCreateKeyA HKLM\\SOFTWARE\\Classes\\Installer\\Products\\",
      "RegEnumKeyA 0 255",
      "RegCloseKey",
      "RegOpenKeyExA HKCU\\Software\\X 0x101",
      "RegQueryValueExA NULL data=NULL size=0",
      "GetNativeSystemInfo",
      "GetModuleHandleA advapi32.dll",
      "GetProcAddress RegEnableReflectionKey",
      "GetProcAddress Wow64RevertWow64FsRedirection",
  };
  EXPECT_EQ(sim::CallLog(), expected);
  EXPECT_EQ(native[0], 9);
  EXPECT_EQ(native[1] | native[2] | native[3], 0);
}

TEST_F(SimRegistry, ResetGivesANewMachine) {
  sim::SetArchitectureWord(0);
  sim::SetString(kHkeyCurrentUser, "Software\\T", "V", "x");
  sim::RemoveFunction("RegDisableReflectionKey");
  sim::FailCalls(sim::Fail::kOpenKey);
  sim::FailEnumAt(0);
  RegKey key = 0;
  platform::RegCreateKeyA(kHkeyCurrentUser, "Software\\T", &key);

  sim::Reset();
  EXPECT_TRUE(sim::Dump().empty());
  EXPECT_TRUE(sim::CallLog().empty());
  EXPECT_EQ(sim::OpenKeyCount(), 0u);
  std::uint8_t native[44] = {};
  platform::GetNativeSystemInfo(native);
  EXPECT_EQ(native[0], 9);
  EXPECT_NE(platform::GetProcAddress(platform::GetModuleHandleA("advapi32.dll"), "RegDisableReflectionKey"), 0u);
  sim::CreateKey(kHkeyCurrentUser, "Software\\T\\Child");
  ASSERT_EQ(platform::RegOpenKeyExA(kHkeyCurrentUser, "Software\\T", 0, 0x20019, &key), 0);
  char buffer[255];
  EXPECT_EQ(platform::RegEnumKeyA(key, 0, buffer, 255), 0);
  platform::RegCloseKey(key);
}

TEST_F(SimRegistry, DumpListsEveryKeyAndValueSorted) {
  sim::SetString(kHkeyCurrentUser, "Software\\B", "Name", "v");
  sim::SetValue(kHkeyLocalMachine, "SOFTWARE\\A", "", sim::kRegDword, {1, 0, 0, 0}, View::k32);
  const std::vector<std::string> expected = {
      "HKCU\\Software",
      "HKCU\\Software\\B",
      "HKCU\\Software\\B = \"Name\" type 1 data 76 00",
      "HKLM\\SOFTWARE",
      "HKLM\\SOFTWARE\\Wow6432Node",
      "HKLM\\SOFTWARE\\Wow6432Node\\A",
      "HKLM\\SOFTWARE\\Wow6432Node\\A = \"\" type 4 data 01 00 00 00",
  };
  EXPECT_EQ(sim::Dump(), expected);

  std::uint32_t type = 0;
  ByteBuffer data;
  ASSERT_TRUE(sim::GetValue(kHkeyLocalMachine, "SOFTWARE\\A", "", &type, &data, View::k32));
  EXPECT_EQ(type, sim::kRegDword);
  EXPECT_EQ(data, (ByteBuffer{1, 0, 0, 0}));
  EXPECT_FALSE(sim::GetValue(kHkeyLocalMachine, "SOFTWARE\\A", "", &type, &data, View::k64));
  EXPECT_FALSE(sim::GetValue(kHkeyCurrentUser, "Software\\B", "Other", &type, &data));
}

struct RegCase {
  const char* label;
  std::string line;
  int exit_code;
  std::vector<std::string> gone;  // 64-bit-view paths under HKLM ("U:" for HKCU)
};

TEST_F(SimRegistry, RegDeleteRemovesTheKeyInTheViewItNames) {
  const std::string r18 = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0";
  const std::string r18_32 = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R18.0";
  const std::string products = "SOFTWARE\\Classes\\Installer\\Products\\7D2F387510089040002000060BECB6AB";
  const std::vector<RegCase> cases = {
      {"/reg:32 takes Wow6432Node", "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /f /reg:32",
       0, {r18_32}},
      {"/reg:64 takes the 64-bit key", "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /f /reg:64",
       0, {r18}},
      {"no view: the 32-bit reg", "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /f", 0,
       {r18_32}},
      {"short root, any case", "CMD /C REG DELETE hklm\\software\\autodesk\\autocad\\r18.0 /F /REG:64", 0, {r18}},
      {"options in either order", "cmd /c reg delete HKLM\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /reg:64 /f", 0, {r18}},
      {"HKCU\\Software is shared", "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.0 /f /reg:32",
       0, {"U:Software\\Autodesk\\AutoCAD\\R18.0"}},
      {"HKLM\\SOFTWARE\\Classes is shared", "cmd /c reg delete HKEY_LOCAL_MACHINE\\" + products + " /f", 0, {products}},
      {"trailing backslash", "cmd /c reg delete HKEY_LOCAL_MACHINE\\" + products + "\\ /f /reg:64", 0, {products}},
      {"quoted key", "cmd /c reg delete \"HKEY_LOCAL_MACHINE\\" + products + "\" /f", 0, {products}},
      {"missing key", "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R99.0 /f /reg:64", 1, {}},
      {"missing in that view", "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Only64 /f /reg:32", 1, {}},
      {"without /f reg waits for an answer", "cmd /c reg delete HKLM\\" + r18 + " /reg:64", 1, {}},
      {"a root alone", "cmd /c reg delete HKLM /f", 1, {}},
      {"unknown root", "cmd /c reg delete HKLN\\SOFTWARE\\Autodesk /f", 1, {}},
      {"another reg operation", "cmd /c reg add HKLM\\" + r18 + " /f", 1, {}},
      {"a value deletion", "cmd /c reg delete HKLM\\" + r18 + " /v CurVer /f /reg:64", 1, {}},
      {"both views", "cmd /c reg delete HKLM\\" + r18 + " /f /reg:32 /reg:64", 1, {}},
      {"not through cmd", "reg delete HKLM\\" + r18 + " /f /reg:64", 1, {}},
      {"another command", "cmd /c rd /s /q C:\\", 1, {}},
      {"a space splits the key", "cmd /c reg delete HKLM\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 Extra /f /reg:64", 1, {}},
      {"cmd operators are refused", "cmd /c reg delete HKLM\\" + r18 + " /f /reg:64 & echo", 1, {}},
      {"empty line", "", 1, {}},
  };
  auto seed = [&] {
    sim::Reset();
    sim::SetString(kHkeyLocalMachine, r18 + "\\ACAD-8001:804", "ProductName", "x");
    sim::SetString(kHkeyLocalMachine, r18_32 + "\\ACAD-8001:804", "ProductName", "x");
    sim::SetString(kHkeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R18.00", "x", "neighbour");
    sim::SetString(kHkeyCurrentUser, "Software\\Autodesk\\AutoCAD\\R18.0", "CurVer", "x");
    sim::SetString(kHkeyLocalMachine, products, "ProductName", "AutoCAD 2010");
    sim::CreateKey(kHkeyLocalMachine, "SOFTWARE\\Vendor\\Only64");
  };
  for (const RegCase& c : cases) {
    SCOPED_TRACE(c.label);
    seed();
    const std::size_t lines_before = sim::Dump().size();
    for (const std::string& path : c.gone) {
      if (path.rfind("U:", 0) == 0) {
        ASSERT_TRUE(sim::DeleteKeyTree(kHkeyCurrentUser, path.substr(2)));
      } else {
        ASSERT_TRUE(sim::DeleteKeyTree(kHkeyLocalMachine, path));
      }
    }
    const std::vector<std::string> expected = sim::Dump();
    ASSERT_EQ(expected.size() < lines_before, !c.gone.empty());

    seed();
    EXPECT_EQ(sim::RunRegCommand(c.line), c.exit_code);
    EXPECT_EQ(sim::Dump(), expected);
  }
}

TEST_F(SimRegistry, DeletingTheSharedUserKeyTwiceFindsNothingTheSecondTime) {
  sim::SetString(kHkeyCurrentUser, "Software\\Autodesk\\AutoCAD\\R18.0", "CurVer", "x");
  EXPECT_EQ(sim::RunRegCommand("cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.0 /f /reg:32"), 0);
  EXPECT_EQ(sim::RunRegCommand("cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.0 /f /reg:64"), 1);
  EXPECT_TRUE(sim::KeyExists(kHkeyCurrentUser, "Software\\Autodesk\\AutoCAD"));
}

TEST_F(SimRegistry, RegDeleteOnA32BitSystemHasOneView) {
  sim::SetArchitectureWord(0);
  sim::CreateKey(kHkeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R17.0");
  EXPECT_EQ(sim::RunRegCommand("cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R17.0 /f /reg:32"), 0);
  EXPECT_FALSE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD\\R17.0"));
  EXPECT_TRUE(sim::KeyExists(kHkeyLocalMachine, "SOFTWARE\\Autodesk\\AutoCAD"));
}

}  // namespace
