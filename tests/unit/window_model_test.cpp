// The simulated window's control operations, and the layout's fixed texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/controls.h"
#include "app/layout.h"
#include "sim/sim_ui.h"

namespace {

class WindowModel : public ::testing::Test {
 protected:
  void SetUp() override { sim::ResetUi(); }
};

TEST_F(WindowModel, StartsWithNineItemsNothingChosenAndNoRows) {
  const TextArray expected = {"AUTOCAD2007", "AUTOCAD2008", "AUTOCAD2010", "AUTOCAD2011", "AUTOCAD2012",
                              "AUTOCAD2013", "AUTOCAD2014", "AUTOCAD2015", "AUTOCAD2016"};
  EXPECT_EQ(sim::ComboItems(), expected);
  EXPECT_EQ(VersionCombo::SelectedIndex(), -1);
  EXPECT_EQ(VersionCombo::SelectedText(), "");
  EXPECT_EQ(ProductList::RowCount(), 0);
}

TEST_F(WindowModel, InsertRowAppendsEmptyRowsThatSetCellTextFills) {
  EXPECT_EQ(ProductList::InsertRow(5), 0);
  EXPECT_EQ(ProductList::GetCellText(0, 0), "");
  EXPECT_EQ(ProductList::GetCellText(0, 1), "");
  ProductList::SetCellText(0, 0, "name");
  ProductList::SetCellText(0, 1, "path");
  EXPECT_EQ(ProductList::InsertRow(9), 1);
  EXPECT_EQ(ProductList::GetCellText(0, 0), "name");
  EXPECT_EQ(ProductList::GetCellText(0, 1), "path");
  EXPECT_EQ(ProductList::RowCount(), 2);
  ASSERT_EQ(sim::Rows().size(), 2u);
  EXPECT_EQ(sim::Rows()[0].item_value, 5);
  EXPECT_EQ(sim::Rows()[1].item_value, 9);
}

TEST_F(WindowModel, OutOfRangeCellsReadEmptyAndChangeNothing) {
  for (int i = 0; i < 3; ++i) ProductList::SetCellText(ProductList::InsertRow(i), 1, "p" + std::to_string(i));
  struct Case {
    const char* label;
    std::int32_t row, column;
  } cases[] = {{"row 7", 7, 1}, {"row -1", -1, 0}, {"column 2", 0, 2}, {"column -1", 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ProductList::SetCellText(c.row, c.column, "x");
    EXPECT_EQ(ProductList::GetCellText(c.row, c.column), "");
  }
  EXPECT_EQ(ProductList::RowCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ProductList::GetCellText(i, 1), "p" + std::to_string(i));
}

TEST_F(WindowModel, LongCellTextComesBackWhole) {
  const std::string long_text(5000, 'k');
  ProductList::SetCellText(ProductList::InsertRow(0), 0, long_text);
  EXPECT_EQ(ProductList::GetCellText(0, 0), long_text);
}

TEST_F(WindowModel, ClearRowsEmptiesAndARefusedRowIsMinusOne) {
  ProductList::ClearRows();
  EXPECT_EQ(ProductList::RowCount(), 0);
  ProductList::InsertRow(1);
  ProductList::ClearRows();
  EXPECT_EQ(ProductList::RowCount(), 0);
  sim::RefuseRows(true);
  EXPECT_EQ(ProductList::InsertRow(1), -1);
  EXPECT_EQ(ProductList::RowCount(), 0);
}

TEST(Layout, TextsAreCodePage936Bytes) {
  // "CAD版本": 版 is B0 E6, 本 is B1 BE in code page 936.
  EXPECT_EQ(std::string(layout::kControls[0].text), "CAD\xB0\xE6\xB1\xBE");
  EXPECT_EQ(std::strlen(layout::kHintText), 79u);
  const std::string hint = layout::kHintText;
  EXPECT_EQ(hint.substr(4, 1), ":");  // ASCII colon after the first two characters
  EXPECT_EQ(hint.substr(hint.size() - 8), "\"\xD2\xD4\xB0\xB2\xD7\xB0\"");  // "以安装" in ASCII quotes
  EXPECT_EQ(std::string(layout::kListColumns[0].title), "\xD0\xC5\xCF\xA2");  // 信息
  EXPECT_EQ(layout::kListColumns[1].width, 1);
}

TEST(Layout, ControlsDoNotOverlap) {
  for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
    for (std::size_t j = i + 1; j < layout::kControls.size(); ++j) {
      const layout::Control& a = layout::kControls[i];
      const layout::Control& b = layout::kControls[j];
      SCOPED_TRACE(std::to_string(a.id) + " and " + std::to_string(b.id));
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart);
    }
  }
}

}  // namespace
