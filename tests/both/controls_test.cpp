// The control operations the handlers use, natively on the simulated window
// and under Wine on the real one: both must behave alike.
#include <gtest/gtest.h>

#include <string>

#include "app/controls.h"
#include "tests/support/test_window.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    if (window_.Unavailable()) GTEST_SKIP() << "no display to build a window on";
    ASSERT_TRUE(window_.Ready()) << "MainWindow could not be built";
  }

  // Rows 0..count-1 with "name i" in column 0 and "path i" in column 1.
  static void FillRows(int count) {
    for (int i = 0; i < count; ++i) {
      const std::int32_t row = ProductList::InsertRow(i);
      ASSERT_EQ(row, i);
      ProductList::SetCellText(row, 0, "name " + std::to_string(i));
      ProductList::SetCellText(row, 1, "path " + std::to_string(i));
    }
  }

  testing_window::TestWindow window_;
};

TEST_F(Controls, StartWithNothingChosenAndNoRows) {
  EXPECT_EQ(VersionCombo::SelectedIndex(), -1);
  EXPECT_EQ(VersionCombo::SelectedText(), "");
  EXPECT_EQ(ProductList::RowCount(), 0);
  EXPECT_EQ(ProductList::GetCellText(0, 0), "");
}

TEST_F(Controls, InsertRowAppendsAnEmptyRowThatSetCellTextFills) {
  EXPECT_EQ(ProductList::InsertRow(5), 0);
  EXPECT_EQ(ProductList::RowCount(), 1);
  EXPECT_EQ(ProductList::GetCellText(0, 0), "");
  EXPECT_EQ(ProductList::GetCellText(0, 1), "");
  ProductList::SetCellText(0, 0, "AutoCAD 2010");
  EXPECT_EQ(ProductList::GetCellText(0, 0), "AutoCAD 2010");
  EXPECT_EQ(ProductList::GetCellText(0, 1), "") << "column 1 stays empty until set";
  ProductList::SetCellText(0, 1, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Products\\ABC");
  EXPECT_EQ(ProductList::GetCellText(0, 1), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Installer\\Products\\ABC");
  EXPECT_EQ(ProductList::InsertRow(9), 1) << "appended after the last row";
  EXPECT_EQ(ProductList::GetCellText(1, 0), "");
  EXPECT_EQ(ProductList::GetCellText(0, 0), "AutoCAD 2010") << "earlier rows untouched";
}

TEST_F(Controls, CellsOutsideTheListReadEmptyAndChangeNothing) {
  FillRows(3);
  struct Case {
    const char* label;
    std::int32_t row, column;
  } cases[] = {
      {"row 7", 7, 1}, {"row 3, just past the end", 3, 0}, {"row -1", -1, 0}, {"column 2", 0, 2}, {"column -1", 1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ProductList::SetCellText(c.row, c.column, "changed");
    EXPECT_EQ(ProductList::GetCellText(c.row, c.column), "");
    EXPECT_EQ(ProductList::RowCount(), 3);
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ProductList::GetCellText(i, 0), "name " + std::to_string(i));
    EXPECT_EQ(ProductList::GetCellText(i, 1), "path " + std::to_string(i));
  }
}

TEST_F(Controls, LongCellTextsComeBackWhole) {
  ProductList::InsertRow(0);
  // Around the first buffer of 512 bytes and its doublings.
  struct Case {
    const char* label;
    std::size_t length;
  } cases[] = {{"510 bytes", 510},   {"511 bytes", 511},   {"512 bytes", 512},  {"513 bytes", 513},
               {"1023 bytes", 1023}, {"1024 bytes", 1024}, {"5000 bytes", 5000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::string text;
    for (std::size_t i = 0; i < c.length; ++i) text += static_cast<char>('a' + i % 26);
    ProductList::SetCellText(0, 1, text);
    EXPECT_EQ(ProductList::GetCellText(0, 1), text);
  }
  // Double-byte characters straddling the buffer's end, for a system whose
  // code page is 936 (elsewhere they are pairs of single bytes).
  struct Wide {
    const char* label;
    const char* lead;
    std::size_t pairs;
  } wide[] = {{"255 pairs after one byte: 511 bytes", "a", 255},
              {"256 pairs: 512 bytes", "", 256},
              {"300 pairs after one byte: 601 bytes", "a", 300}};
  for (const Wide& c : wide) {
    SCOPED_TRACE(c.label);
    std::string text = c.lead;
    for (std::size_t i = 0; i < c.pairs; ++i) text += "版";  // B0 E6
    ProductList::SetCellText(0, 1, text);
    EXPECT_EQ(ProductList::GetCellText(0, 1), text);
  }
}

TEST_F(Controls, ByteTextsPassUnchanged) {
  ProductList::InsertRow(0);
  struct Case {
    const char* label;
    Text stored;
    Text read;
  } cases[] = {
      {"double-byte name", "AutoCAD 2010 - \xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4",
       "AutoCAD 2010 - \xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4"},
      {"empty", "", ""},
      {"cut at its first NUL", Text("ab\0cd", 5), "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ProductList::SetCellText(0, 0, c.stored);
    EXPECT_EQ(ProductList::GetCellText(0, 0), c.read);
  }
}

TEST_F(Controls, ClearRowsEmptiesTheListAndRowsStartAgainAtZero) {
  ProductList::ClearRows();
  EXPECT_EQ(ProductList::RowCount(), 0) << "clearing an empty list";
  FillRows(4);
  EXPECT_EQ(ProductList::RowCount(), 4);
  ProductList::ClearRows();
  EXPECT_EQ(ProductList::RowCount(), 0);
  EXPECT_EQ(ProductList::GetCellText(0, 0), "");
  EXPECT_EQ(ProductList::InsertRow(1), 0);
}

}  // namespace
