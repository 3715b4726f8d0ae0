// What EnumerateSubkeys and the value readers give on a registry: run natively
// against the simulated registry and under Wine against the real one. Every
// test works under its own scratch key, which it wipes first and last.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/registry_read.h"
#include "tests/support/scratch_registry.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using scratch::View;

constexpr RootCode kRootCurrentUser = 3;

ByteBuffer Bytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

// HKCU\Software is the same key in both views, so both backends see the same
// thing whatever the process's default view is.
class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch::StartTest();
    key_ = std::string("Software\\QuarnelContract-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(scratch::DeleteTree(kHkeyCurrentUser, key_));
    ASSERT_TRUE(scratch::CreateKey(kHkeyCurrentUser, key_));
  }
  void TearDown() override { EXPECT_TRUE(scratch::DeleteTree(kHkeyCurrentUser, key_)); }

  std::string Under(const std::string& rest) const { return key_ + "\\" + rest; }
  void AddSubkey(const std::string& name) { ASSERT_TRUE(scratch::CreateKey(kHkeyCurrentUser, Under(name))); }
  void AddValue(const std::string& name, std::uint32_t type, const ByteBuffer& data) {
    ASSERT_TRUE(scratch::SetValue(kHkeyCurrentUser, key_, name, type, data));
  }

  std::string key_;
};

TEST_F(RegistryContract, ListsDirectSubkeysInTheRegistrysOrder) {
  for (const char* name : {"beta", "Alpha", "gamma", "Delta", "epsilon2", "Epsilon1"}) AddSubkey(name);
  AddSubkey("beta\\Grandchild");
  AddValue("NotAKey", scratch::kRegSz, Bytes("x"));

  TextArray names;
  const std::int32_t count = EnumerateSubkeys(kRootCurrentUser, key_ + "\\", names, 1);
  const TextArray expected = {"Alpha", "beta", "Delta", "Epsilon1", "epsilon2", "gamma"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(count, 6);
}

TEST_F(RegistryContract, KeyWithoutSubkeysListsNothing) {
  AddValue("Only", scratch::kRegSz, Bytes("value"));
  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootCurrentUser, key_ + "\\", names, 1), 0);
  EXPECT_TRUE(names.empty());
}

TEST_F(RegistryContract, MissingKeyIsCreatedEmpty) {
  ASSERT_FALSE(scratch::KeyExists(kHkeyCurrentUser, Under("New\\Deeper")));
  TextArray names = {"left over"};
  EXPECT_EQ(EnumerateSubkeys(kRootCurrentUser, Under("New\\Deeper\\"), names, 1), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(scratch::KeyExists(kHkeyCurrentUser, Under("New\\Deeper")));
  EXPECT_TRUE(scratch::SubkeyNames(kHkeyCurrentUser, Under("New\\Deeper")).empty());
}

TEST_F(RegistryContract, CallersNamesAreReplacedNotAppendedTo) {
  AddSubkey("Fresh");
  TextArray names = {"stale one", "stale two", "Fresh"};
  EXPECT_EQ(EnumerateSubkeys(kRootCurrentUser, key_ + "\\", names, 0), 1);
  EXPECT_EQ(names, TextArray{"Fresh"});

  // Called again with its own result: still one name.
  EXPECT_EQ(EnumerateSubkeys(kRootCurrentUser, key_ + "\\", names, 1), 1);
  EXPECT_EQ(names, TextArray{"Fresh"});
}

TEST_F(RegistryContract, PathWithoutTrailingBackslashListsTheKeyAbove) {
  AddSubkey("Parent\\Child");
  AddSubkey("Sibling");
  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootCurrentUser, Under("Parent"), names, 1), 2);
  EXPECT_EQ(names, (TextArray{"Parent", "Sibling"}));
}

TEST_F(RegistryContract, NameOf254BytesIsListedAndOneOf255EndsTheList) {
  const std::string name_254 = "B" + std::string(253, 'x');
  const std::string name_255 = "C" + std::string(254, 'y');
  for (const std::string& name : {std::string("Alpha"), name_254, name_255, std::string("Delta")}) AddSubkey(name);
  ASSERT_EQ(scratch::SubkeyNames(kHkeyCurrentUser, key_).size(), 4u);

  TextArray names;
  EXPECT_EQ(EnumerateSubkeys(kRootCurrentUser, key_ + "\\", names, 1), 2);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "Alpha");
  EXPECT_EQ(names[1], name_254);
}

struct ValueCase {
  const char* label;
  std::uint32_t type;
  ByteBuffer stored;
  ByteBuffer bytes;  // what ReadValueBytes gives
  Text text;         // what ReadValueText gives
};

TEST_F(RegistryContract, ValuesComeBackAsStoredAndAsTextUpToTheFirstNul) {
  const std::vector<ValueCase> cases = {
      {"string with its NUL", scratch::kRegSz, Bytes(std::string("AutoCAD 2010\0", 13)),
       Bytes(std::string("AutoCAD 2010\0", 13)), "AutoCAD 2010"},
      {"string without a NUL", scratch::kRegSz, Bytes("AutoCAD 2011"), Bytes("AutoCAD 2011"), "AutoCAD 2011"},
      {"empty string with its NUL", scratch::kRegSz, {0}, {0}, ""},
      {"multi-string", scratch::kRegMultiSz, Bytes(std::string("first\0second\0\0", 14)),
       Bytes(std::string("first\0second\0\0", 14)), "first"},
      {"expandable string, not expanded", scratch::kRegExpandSz, Bytes(std::string("%SystemRoot%\\x\0", 15)),
       Bytes(std::string("%SystemRoot%\\x\0", 15)), "%SystemRoot%\\x"},
      {"32-bit number 0", scratch::kRegDword, {0, 0, 0, 0}, {0, 0, 0, 0}, ""},
      {"32-bit number 0x00434241", scratch::kRegDword, {0x41, 0x42, 0x43, 0}, {0x41, 0x42, 0x43, 0}, "ABC"},
      {"binary with a NUL inside", scratch::kRegBinary, {'a', 'b', 0, 'c'}, {'a', 'b', 0, 'c'}, "ab"},
      {"binary of zero bytes", scratch::kRegBinary, {}, {}, ""},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const ValueCase& c = cases[i];
    SCOPED_TRACE(c.label);
    const std::string name = "Value" + std::to_string(i);
    AddValue(name, c.type, c.stored);
    EXPECT_EQ(ReadValueBytes(kRootCurrentUser, Under(name)), c.bytes);
    EXPECT_EQ(ReadValueText(kRootCurrentUser, Under(name)), c.text);
  }
}

TEST_F(RegistryContract, PathEndingInBackslashReadsTheDefaultValue) {
  AddValue("", scratch::kRegSz, Bytes(std::string("default\0", 8)));
  AddValue("Named", scratch::kRegSz, Bytes(std::string("named\0", 6)));
  EXPECT_EQ(ReadValueText(kRootCurrentUser, key_ + "\\"), "default");
  EXPECT_EQ(ReadValueBytes(kRootCurrentUser, key_ + "\\"), Bytes(std::string("default\0", 8)));
  EXPECT_EQ(ReadValueText(kRootCurrentUser, Under("Named")), "named");
}

TEST_F(RegistryContract, KeyWithoutADefaultValueReadsEmpty) {
  AddValue("Named", scratch::kRegSz, Bytes(std::string("named\0", 6)));
  EXPECT_TRUE(ReadValueBytes(kRootCurrentUser, key_ + "\\").empty());
  EXPECT_EQ(ReadValueText(kRootCurrentUser, key_ + "\\"), "");
}

TEST_F(RegistryContract, MissingValueReadsEmpty) {
  AddValue("Present", scratch::kRegSz, Bytes(std::string("here\0", 5)));
  EXPECT_TRUE(ReadValueBytes(kRootCurrentUser, Under("Absent")).empty());
  EXPECT_EQ(ReadValueText(kRootCurrentUser, Under("Absent")), "");
}

TEST_F(RegistryContract, ValueUnderAMissingKeyReadsEmptyAndCreatesNothing) {
  AddSubkey("Existing");
  const std::vector<std::string> before = scratch::SubkeyNames(kHkeyCurrentUser, key_);
  EXPECT_TRUE(ReadValueBytes(kRootCurrentUser, Under("Missing\\ProductName")).empty());
  EXPECT_EQ(ReadValueText(kRootCurrentUser, Under("Missing\\Deeper\\ProductName")), "");
  EXPECT_FALSE(scratch::KeyExists(kHkeyCurrentUser, Under("Missing")));
  EXPECT_EQ(scratch::SubkeyNames(kHkeyCurrentUser, key_), before);
}

TEST_F(RegistryContract, CallersPathIsLeftAsItWas) {
  AddSubkey("Child");
  AddValue("Name", scratch::kRegSz, Bytes(std::string("v\0", 2)));
  const Text key_path = key_ + "\\";
  const Text value_path = Under("Name");
  TextArray names;
  EnumerateSubkeys(kRootCurrentUser, key_path, names, 1);
  ReadValueText(kRootCurrentUser, value_path);
  EXPECT_EQ(key_path, key_ + "\\");
  EXPECT_EQ(value_path, key_ + "\\Name");
}

// HKLM\SOFTWARE has a 64-bit and a 32-bit (Wow6432Node) copy on a 64-bit
// system: the value routine reads the 64-bit one.
class RegistryContract64BitView : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch::StartTest();
    key_ = std::string("SOFTWARE\\QuarnelContract-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    Wipe();
  }
  void TearDown() override { Wipe(); }
  void Wipe() {
    EXPECT_TRUE(scratch::DeleteTree(kHkeyLocalMachine, key_, View::k64));
    EXPECT_TRUE(scratch::DeleteTree(kHkeyLocalMachine, key_, View::k32));
  }
  std::string key_;
};

TEST_F(RegistryContract64BitView, ValueRoutineReadsThe64BitView) {
  ASSERT_TRUE(scratch::SetValue(kHkeyLocalMachine, key_, "Which", scratch::kRegSz, Bytes(std::string("64\0", 3)),
                                View::k64));
  ASSERT_TRUE(scratch::SetValue(kHkeyLocalMachine, key_, "Which", scratch::kRegSz, Bytes(std::string("32\0", 3)),
                                View::k32));
  ASSERT_TRUE(scratch::SetValue(kHkeyLocalMachine, key_, "Only32", scratch::kRegSz,
                                Bytes(std::string("32 only\0", 8)), View::k32));

  EXPECT_EQ(ReadValueText(kRootLocalMachine, key_ + "\\Which"), "64");
  EXPECT_EQ(ReadValueBytes(kRootLocalMachine, key_ + "\\Which"), Bytes(std::string("64\0", 3)));
  EXPECT_EQ(ReadValueText(kRootLocalMachine, key_ + "\\Only32"), "");
}

TEST_F(RegistryContract64BitView, KeyOnlyInThe32BitViewReadsEmpty) {
  ASSERT_TRUE(scratch::SetValue(kHkeyLocalMachine, key_, "Which", scratch::kRegSz, Bytes(std::string("32\0", 3)),
                                View::k32));
  ASSERT_FALSE(scratch::KeyExists(kHkeyLocalMachine, key_, View::k64));
  EXPECT_TRUE(ReadValueBytes(kRootLocalMachine, key_ + "\\Which").empty());
  EXPECT_FALSE(scratch::KeyExists(kHkeyLocalMachine, key_, View::k64));
}

}  // namespace
