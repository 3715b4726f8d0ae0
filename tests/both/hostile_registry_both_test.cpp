// Key names and values that other programs may leave, on the simulated and on
// the real registry: the routines list and read them as they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "registry/registry_read.h"
#include "tests/support/scratch_registry.h"

namespace {

using platform::kHkeyCurrentUser;
constexpr RootCode kRootCurrentUser = 3;

ByteBuffer Bytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

class HostileContents : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch::StartTest();
    key_ = std::string("Software\\QuarnelHostile-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(scratch::DeleteTree(kHkeyCurrentUser, key_));
    ASSERT_TRUE(scratch::CreateKey(kHkeyCurrentUser, key_));
  }
  void TearDown() override { EXPECT_TRUE(scratch::DeleteTree(kHkeyCurrentUser, key_)); }
  std::string key_;
};

TEST_F(HostileContents, NamesWithShellSyntaxAndHighBytesListAndReadBack) {
  // High bytes that are whole characters in both code page 936 and 1252.
  const std::vector<std::string> names = {"A B", "A&B", "A|B", "%TEMP%", "A^B", "A\"B", "A<B", "A>B",
                                          "A;B", "\xD6\xD0\xCE\xC4", "x\xB0\xE6y", std::string(254, 'L')};
  for (const std::string& name : names) {
    ASSERT_TRUE(scratch::SetValue(kHkeyCurrentUser, key_ + "\\" + name, "ProductName", scratch::kRegSz,
                                  Bytes("name of " + name + std::string(1, '\0'))));
  }
  TextArray listed;
  EnumerateSubkeys(kRootCurrentUser, key_ + "\\", listed, 1);
  std::vector<std::string> sorted_listed(listed.begin(), listed.end()), sorted_names = names;
  std::sort(sorted_listed.begin(), sorted_listed.end());
  std::sort(sorted_names.begin(), sorted_names.end());
  EXPECT_EQ(sorted_listed, sorted_names);
  for (const std::string& name : names) {
    // NOTE: Wine's ANSI registry calls refuse a whole path over 260 bytes,
    // which Windows opens; the simulated scan covers the long name's read.
    if (name.size() > 200) continue;
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadValueText(kRootCurrentUser, key_ + "\\" + name + "\\ProductName"), "name of " + name);
  }
}

TEST_F(HostileContents, AMebibyteValueComesBackWhole) {
  std::string big(1 << 20, 'x');
  big += "AutoCAD 2012";
  ASSERT_TRUE(scratch::SetValue(kHkeyCurrentUser, key_, "ProductName", scratch::kRegSz, Bytes(big + '\0')));
  ASSERT_TRUE(scratch::SetValue(kHkeyCurrentUser, key_, "Blob", scratch::kRegBinary, Bytes(big)));
  EXPECT_EQ(ReadValueText(kRootCurrentUser, key_ + "\\ProductName"), big);
  EXPECT_EQ(ReadValueBytes(kRootCurrentUser, key_ + "\\Blob"), Bytes(big));
}

TEST_F(HostileContents, BinaryValuesAreTheirBytesUpToTheFirstNul) {
  ASSERT_TRUE(scratch::SetValue(kHkeyCurrentUser, key_, "Bin", scratch::kRegBinary,
                                Bytes(std::string("\x01\x02" "CAD 2012\0rest", 15))));
  ASSERT_TRUE(scratch::SetValue(kHkeyCurrentUser, key_, "NulFirst", scratch::kRegBinary,
                                Bytes(std::string("\0CAD 2012", 9))));
  EXPECT_EQ(ReadValueText(kRootCurrentUser, key_ + "\\Bin"), "\x01\x02" "CAD 2012");
  EXPECT_EQ(ReadValueText(kRootCurrentUser, key_ + "\\NulFirst"), "");
  EXPECT_EQ(ReadValueBytes(kRootCurrentUser, key_ + "\\NulFirst").size(), 9u);
}

}  // namespace
