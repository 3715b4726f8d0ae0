#include "registry/paths.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "registry/registry_read.h"

namespace {

TEST(RootKeyFromCode, CodesOneToFiveGiveTheFivePredefinedKeysInThatOrder) {
  struct Case {
    RootCode code;
    platform::RegKey key;
    std::uint32_t handle_value;
  };
  const Case cases[] = {
      {1, platform::kHkeyClassesRoot, 0x80000000u},  {2, platform::kHkeyCurrentConfig, 0x80000005u},
      {3, platform::kHkeyCurrentUser, 0x80000001u},  {4, platform::kHkeyLocalMachine, 0x80000002u},
      {5, platform::kHkeyUsers, 0x80000003u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    EXPECT_EQ(RootKeyFromCode(c.code), c.key);
    // The handle value sign-extended, as <windows.h> gives HKEY_* in either build.
    EXPECT_EQ(RootKeyFromCode(c.code), static_cast<platform::RegKey>(static_cast<std::intptr_t>(
                                           static_cast<std::int32_t>(c.handle_value))));
  }
  EXPECT_EQ(kRootLocalMachine, 4);
}

TEST(RootKeyFromCodeDeathTest, ACodeOutsideOneToFiveStopsWithExitCodeMinusOne) {
  for (RootCode code : {0, 6, -1, 7, INT_MIN, INT_MAX}) {
    SCOPED_TRACE("code " + std::to_string(code));
    EXPECT_EXIT(RootKeyFromCode(code), ::testing::ExitedWithCode(255), "");
  }
}

TEST(RootKeyFromCodeDeathTest, TheRegistryRoutinesStopOnABadCodeToo) {
  EXPECT_EXIT(
      {
        TextArray names;
        EnumerateSubkeys(0, "SOFTWARE\\", names, 1);
      },
      ::testing::ExitedWithCode(255), "");
  EXPECT_EXIT(ReadValueBytes(6, "SOFTWARE\\X\\Y"), ::testing::ExitedWithCode(255), "");
  EXPECT_EXIT(ReadValueText(-4, "SOFTWARE\\X\\Y"), ::testing::ExitedWithCode(255), "");
}

struct SplitCase {
  const char* label;
  std::string path;
  std::int32_t flag_in;
  std::string path_out;
  std::string value_name;
  std::int32_t flag_out;
};

const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";
const std::string kTrail5C = "\x81\x5C";  // a double-byte character whose second byte is "\"
const std::string kZhong = "\xD6\xD0";    // an ordinary double-byte character

TEST(SplitValuePath, SplitsAtTheLastSeparatorOutsideDoubleByteCharacters) {
  const std::vector<SplitCase> cases = {
      {"key path: flag set, path whole", kProducts, 0, kProducts, "", 1},
      {"value path", kProducts + "7D2F387510089040002000060BECB6AB\\ProductName", 0,
       kProducts + "7D2F387510089040002000060BECB6AB", "ProductName", 0},
      {"name alone", "ProductName", 0, "ProductName", "", 0},
      {"leading separator", "\\ProductName", 0, "", "ProductName", 0},
      {"separator alone", "\\", 0, "\\", "", 1},
      {"flag 1 on entry", "A\\B", 1, "A\\B", "", 1},
      {"other non-zero flag on entry stays", "A\\B", 5, "A\\B", "", 5},
      {"non-zero flag and trailing separator", "A\\B\\", 5, "A\\B\\", "", 1},
      {"empty path", "", 0, "", "", 0},
      {"empty path keeps a set flag", "", 7, "", "", 7},
      {"doubled separator", "A\\\\B", 0, "A\\", "B", 0},
      {"one byte each side", "A\\B", 0, "A", "B", 0},
      {"trail byte 5C last counts as trailing", "Key" + kTrail5C, 0, "Key" + kTrail5C, "", 1},
      {"trail byte 5C inside is no separator", "Key" + kTrail5C + "Name", 0, "Key" + kTrail5C + "Name", "", 0},
      {"trail byte 5C in the value name", "Key\\Na" + kTrail5C + "me", 0, "Key", "Na" + kTrail5C + "me", 0},
      {"trail byte 5C in the key path", "K" + kTrail5C + "ey\\Name", 0, "K" + kTrail5C + "ey", "Name", 0},
      {"trail byte 5C right before the separator", "Key" + kTrail5C + "\\Name", 0, "Key" + kTrail5C, "Name", 0},
      {"double-byte names", kZhong + "\\" + kZhong + kZhong, 0, kZhong, kZhong + kZhong, 0},
      {"any high byte starts a pair", "Key\x80\\Name", 0, "Key\x80\\Name", "", 0},
      {"lead byte at the very end", "Key\\Name\x81", 0, "Key", "Name\x81", 0},
      {"separator after a pair", "\x81\x40\\N", 0, "\x81\x40", "N", 0},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::string path = c.path;
    std::int32_t flag = c.flag_in;
    EXPECT_EQ(SplitValuePath(path, flag), c.value_name);
    EXPECT_EQ(path, c.path_out);
    EXPECT_EQ(flag, c.flag_out);
  }
}

}  // namespace
