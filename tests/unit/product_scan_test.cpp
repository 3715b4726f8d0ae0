#include "cleanup/product_scan.h"

#include <gtest/gtest.h>

#include <string>

#include "app/controls.h"
#include "app/events.h"
#include "sim/sim_registry.h"
#include "sim/sim_ui.h"

namespace {

TEST(FindText, BytePositionsCaseAndDoubleByteSteps) {
  struct Case {
    const char* label;
    std::string searched;
    std::string sought;
    std::int32_t position;
  } cases[] = {
      {"at the start", "CAD 2010", "CAD 2010", 1},
      {"inside a name", "AutoCAD 2010 - English", "CAD 2010", 5},
      {"small letters fold", "autocad 2010", "CAD 2010", 5},
      {"sought folds too", "AutoCAD 2010", "cad 2010", 5},
      {"letter before, digit after", "XCAD 20101", "CAD 2010", 2},
      {"at the very end", "xxCAD 2010", "CAD 2010", 3},
      {"no space", "AutoCAD2010", "CAD 2010", -1},
      {"two spaces", "AutoCAD  2010", "CAD 2010", -1},
      {"another year", "AutoCAD 2011", "CAD 2010", -1},
      {"empty searched", "", "CAD 2010", -1},
      {"shorter than sought", "CAD 201", "CAD 2010", -1},
      {"empty sought", "CAD 2010", "", -1},
      // 0xC3 folds to nothing: only A-Z and a-z are taken as equal.
      {"high bytes are compared exactly", "\xC3\xC1" "CAD 2010", "\xE3\xC1" "CAD 2010", -1},
      {"second byte 'C' is skipped", "\xB0" "CAD 2010", "CAD 2010", -1},
      {"after a whole two-byte character", "\xB0\xE6" "CAD 2010", "CAD 2010", 3},
      {"two-byte characters before", "\xD6\xD0\xCE\xC4" "AutoCAD 2010", "CAD 2010", 9},
      {"a lead byte's step may skip the last byte", "\xB0" "C", "C", -1},
      {"a lone lead byte at the end", "xCAD 2010\xB0", "CAD 2010", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(FindText(c.searched, c.sought), c.position);
  }
}

const std::string kProducts = "SOFTWARE\\Classes\\Installer\\Products\\";

void AddProduct(const std::string& key, const std::string& product_name) {
  sim::SetString(platform::kHkeyLocalMachine, kProducts + key, "ProductName", product_name);
}

class ProductScan : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Reset();
    sim::ResetUi();
  }
  static std::vector<std::string> Column(std::int32_t column) {
    std::vector<std::string> texts;
    for (std::int32_t row = 0; row < ProductList::RowCount(); ++row)
      texts.push_back(ProductList::GetCellText(row, column));
    return texts;
  }
};

TEST_F(ProductScan, ListsMatchingProductsWithPathAndPosition) {
  AddProduct("K0", "Microsoft Visual C++ 2010 Redistributable");
  AddProduct("K1", "AutoCAD 2011 - English");
  AddProduct("K2", "AutoCAD 2010 - English");
  AddProduct("K3", "AutoCAD LT 2010");
  AddProduct("K4", "AutoCAD2010");
  AddProduct("K5", "Autodesk Design Review 2010");
  AddProduct("K6", "autocad 2010 language pack - \xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4");
  sim::ChooseItem(2);

  EXPECT_EQ(Column(0), (std::vector<std::string>{"AutoCAD 2010 - English",
                                                 "autocad 2010 language pack - \xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{
                           "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Products\\K2",
                           "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Products\\K6"}));
  ASSERT_EQ(sim::Rows().size(), 2u);
  EXPECT_EQ(sim::Rows()[0].item_value, 2);
  EXPECT_EQ(sim::Rows()[1].item_value, 6);
}

TEST_F(ProductScan, ANameWithTwoReleasesIsListedUnderBoth) {
  AddProduct("K0", "Suite: AutoCAD 2010 and AutoCAD 2011");
  for (std::int32_t index : {2, 3}) {
    SCOPED_TRACE(index);
    sim::ChooseItem(index);
    EXPECT_EQ(ProductList::RowCount(), 1);
  }
  sim::ChooseItem(4);
  EXPECT_EQ(ProductList::RowCount(), 0);
}

TEST_F(ProductScan, ProductsWithoutAUsableNameAreNeverListed) {
  sim::CreateKey(platform::kHkeyLocalMachine, kProducts + "NoName");
  AddProduct("Empty", "");
  sim::SetValue(platform::kHkeyLocalMachine, kProducts + "Number", "ProductName", sim::kRegDword, {0, 0, 0, 0});
  sim::SetValue(platform::kHkeyLocalMachine, kProducts + "Other", "DisplayName", sim::kRegSz,
                {'C', 'A', 'D', ' ', '2', '0', '1', '0', 0});
  for (std::int32_t index = 0; index < 9; ++index) {
    SCOPED_TRACE(index);
    sim::ChooseItem(index);
    EXPECT_EQ(ProductList::RowCount(), 0);
  }
}

TEST_F(ProductScan, NoMatchClearsRowsAndNoSelectionLeavesThemAlone) {
  AddProduct("K0", "AutoCAD 2010");
  ProductList::SetCellText(ProductList::InsertRow(7), 0, "left over");
  OnVersionSelected();  // nothing chosen yet
  EXPECT_EQ(ProductList::RowCount(), 1);
  EXPECT_EQ(ProductList::GetCellText(0, 0), "left over");

  sim::ChooseItem(0);
  EXPECT_EQ(ProductList::RowCount(), 0);
}

TEST_F(ProductScan, MissingProductsKeyIsCreatedAndTheListCleared) {
  ProductList::InsertRow(0);
  sim::ChooseItem(2);
  EXPECT_EQ(ProductList::RowCount(), 0);
  EXPECT_TRUE(sim::KeyExists(platform::kHkeyLocalMachine, "SOFTWARE\\Classes\\Installer\\Products"));
}

TEST_F(ProductScan, ChoosingAgainRescansFromScratch) {
  AddProduct("K0", "AutoCAD 2013");
  sim::ChooseItem(5);
  AddProduct("K1", "AutoCAD 2013 Chinese");
  sim::ChooseItem(5);
  EXPECT_EQ(ProductList::RowCount(), 2);
}

}  // namespace
