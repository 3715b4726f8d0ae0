#include "cleanup/cleanup_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "sim/sim_host.h"
#include "sim/sim_registry.h"
#include "sim/sim_ui.h"

namespace {

constexpr std::int32_t kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7, kBoxFailed = 0;

const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";
const std::string kProductsFull = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Products\\";
const std::string kChoose = "请选择一个CAD版本";
const std::string kDone = "清理完成 建议您重启一次电脑";

void AddProduct(const std::string& key, const std::string& product_name) {
  sim::SetString(platform::kHkeyLocalMachine, kProducts + key, "ProductName", product_name);
}

std::vector<std::string> CommandLines() {
  std::vector<std::string> lines;
  for (const sim::Command& command : sim::Commands()) lines.push_back(command.line);
  return lines;
}

std::vector<std::string> MessageTexts() {
  std::vector<std::string> texts;
  for (const sim::Message& message : sim::Messages()) texts.push_back(message.text);
  return texts;
}

int ScanCount() {  // each scan enumerates the products key exactly once
  int scans = 0;
  for (const std::string& line : sim::CallLog()) scans += line.rfind("RegCreateKeyA", 0) == 0;
  return scans;
}

class CleanupRun : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Reset();
    sim::ResetUi();
    sim::ResetHost();
  }
  // Chooses a release (running its scan) and forgets the calls made so far.
  void Choose(std::int32_t index) {
    sim::ChooseItem(index);
    sim::ClearCallLog();
  }
};

TEST_F(CleanupRun, NothingChosenOnlyAsksForARelease) {
  ProductList::SetCellText(ProductList::InsertRow(0), 1, kProductsFull + "A");
  sim::ClickClean();
  ASSERT_EQ(sim::Messages().size(), 1u);
  EXPECT_EQ(sim::Messages()[0].text, kChoose);
  EXPECT_EQ(sim::Messages()[0].button_set, 0u);
  EXPECT_TRUE(sim::Commands().empty());
  EXPECT_EQ(ProductList::RowCount(), 1);
  EXPECT_EQ(ScanCount(), 0);
}

TEST_F(CleanupRun, TheQuestionNamesTheItemAndAsksYesNo) {
  Choose(2);
  sim::QueueBoxResults({kIdNo});
  sim::ClickClean();
  ASSERT_EQ(sim::Messages().size(), 1u);
  EXPECT_EQ(sim::Messages()[0].text,
            "现在开始清理:AUTOCAD2010 注册表吗？提示您:如果您的CAD正常使用的,请勿执行此操作！");
  EXPECT_EQ(sim::Messages()[0].button_set, 4u);
  EXPECT_EQ(sim::Messages()[0].style, 0x2004u);  // task-modal
}

TEST_F(CleanupRun, AnythingButYesRunsNothing) {
  AddProduct("A1", "AutoCAD 2010");
  struct Case {
    const char* label;
    std::int32_t result;
  } cases[] = {{"No", kIdNo}, {"box failed to appear", kBoxFailed}, {"OK", kIdOk}, {"Cancel", kIdCancel}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    sim::ResetHost();
    Choose(2);
    sim::QueueBoxResults({c.result});
    sim::ClickClean();
    EXPECT_EQ(sim::Messages().size(), 1u);  // the question alone
    EXPECT_TRUE(sim::Commands().empty());
    EXPECT_EQ(ProductList::RowCount(), 1);
    EXPECT_EQ(ScanCount(), 0);
    EXPECT_TRUE(sim::KeyExists(platform::kHkeyLocalMachine, kProducts + "A1"));
  }
}

TEST_F(CleanupRun, DeletesRowsThenReleaseKeysThenRescansOnce) {
  AddProduct("AAAA", "AutoCAD 2010 - English");
  AddProduct("BBBB", "AutoCAD 2010 Language Pack");
  AddProduct("CCCC", "AutoCAD 2011");
  Choose(2);
  ASSERT_EQ(ProductList::RowCount(), 2);
  sim::QueueBoxResults({kIdYes});
  sim::ClickClean();

  EXPECT_EQ(CommandLines(), (std::vector<std::string>{
                                "cmd /c reg delete " + kProductsFull + "AAAA /f",
                                "cmd /c reg delete " + kProductsFull + "BBBB /f",
                                "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.0 /f /reg:32",
                                "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /f /reg:32",
                                "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\R18.0 /f /reg:64",
                                "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R18.0 /f /reg:64",
                            }));
  for (const sim::Command& command : sim::Commands()) {
    EXPECT_TRUE(command.wait);
    EXPECT_EQ(command.show_mode, 1);
  }
  // The re-scan ran once, after the deletes: the list is empty and the
  // completion message, which depends on it, comes last.
  EXPECT_EQ(ScanCount(), 1);
  EXPECT_EQ(ProductList::RowCount(), 0);
  EXPECT_EQ(MessageTexts().back(), kDone);
  EXPECT_EQ(sim::Messages().back().button_set, 0u);
  ASSERT_EQ(sim::Events().size(), 8u);
  EXPECT_EQ(sim::Events().front().kind, sim::Event::kBox);
  EXPECT_EQ(sim::Events().back().kind, sim::Event::kBox);
  EXPECT_FALSE(sim::KeyExists(platform::kHkeyLocalMachine, kProducts + "AAAA"));
  EXPECT_TRUE(sim::KeyExists(platform::kHkeyLocalMachine, kProducts + "CCCC"));
}

TEST_F(CleanupRun, ReleasesBefore2010HaveTwo32BitLines) {
  for (std::int32_t index : {0, 1}) {
    SCOPED_TRACE(index);
    sim::ResetHost();
    Choose(index);
    sim::QueueBoxResults({kIdYes});
    sim::ClickClean();
    const std::string key = index == 0 ? "R17.0" : "R17.1";
    EXPECT_EQ(CommandLines(), (std::vector<std::string>{
                                  "cmd /c reg delete HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\" + key + " /f /reg:32",
                                  "cmd /c reg delete HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\" + key + " /f /reg:32",
                              }));
    EXPECT_EQ(MessageTexts().back(), kDone);
  }
}

TEST_F(CleanupRun, UnsafeRowsAreLeftAloneAndReportedAsLeft) {
  const std::vector<std::string> unsafe = {"A B", "X&calc", "P|Q", "%PATH%", "a\"b", "C^D", "x<y", "..\\..",
                                           "\xB0\xE6"};
  for (const std::string& key : unsafe) AddProduct(key, "AutoCAD 2014");
  AddProduct("ABCDEF0123456789ABCDEF0123456789", "AutoCAD 2014");
  Choose(6);
  ProductList::SetCellText(ProductList::InsertRow(99), 0, "a blank path row");
  sim::QueueBoxResults({kIdYes});
  sim::ClickClean();

  for (const std::string& line : CommandLines()) {
    SCOPED_TRACE(line);
    EXPECT_TRUE(line == "cmd /c reg delete " + kProductsFull + "ABCDEF0123456789ABCDEF0123456789 /f" ||
                line.find("\\Autodesk\\AutoCAD\\R19.1 /f /reg:") != std::string::npos);
  }
  EXPECT_EQ(CommandLines().size(), 5u);
  // "..\\.." is a key ".." holding the named one, so eight unsafe rows show.
  const std::int32_t left = ProductList::RowCount();
  EXPECT_EQ(left, 8);
  EXPECT_EQ(MessageTexts().back(), "清理未完成，仍有" + std::to_string(left) + "项注册信息未能删除，请以管理员身份运行后重试");
}

TEST_F(CleanupRun, CommandsThatCannotStartAreNotRetriedAndReportedAsLeft) {
  AddProduct("AAAA", "AutoCAD 2016");
  AddProduct("BBBB", "AutoCAD 2016 SP1");
  Choose(8);
  sim::FailProcessStart(true);
  sim::QueueBoxResults({kIdYes});
  sim::ClickClean();
  EXPECT_EQ(sim::Commands().size(), 6u);
  EXPECT_EQ(ScanCount(), 1);
  EXPECT_EQ(ProductList::RowCount(), 2);
  EXPECT_EQ(MessageTexts().back(), "清理未完成，仍有2项注册信息未能删除，请以管理员身份运行后重试");
}

TEST(PlainProductKeyPath, OnlyTheProductsKeyAndLettersAndDigits) {
  struct Case {
    std::string path;
    bool plain;
  } cases[] = {
      {kProductsFull + "7D2F387510089040002000060BECB6AB", true},
      {kProductsFull + "a1", true},
      {kProductsFull, false},
      {"", false},
      {kProductsFull + "A B", false},
      {kProductsFull + "A&B", false},
      {kProductsFull + "A\\B", false},
      {kProductsFull + "A-B", false},
      {kProductsFull + "\xB0\xE6", false},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Product\\ABC", false},
      {"HKEY_CURRENT_USER\\SOFTWARE\\Classes\\Installer\\Products\\ABC", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(IsPlainProductKeyPath(c.path), c.plain);
  }
}

}  // namespace
