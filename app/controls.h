#pragma once
// Operations on the two live controls that the handlers read and fill.
// Rows and columns count from 0. None of them reports an error.
#include <cstdint>

#include "app/text.h"

namespace VersionCombo {
// The current selection, read from the control each time: 0 to 8, -1 for none.
std::int32_t SelectedIndex();
// The text of the selected item; empty while nothing is chosen.
Text SelectedText();
}  // namespace VersionCombo

namespace ProductList {
// Removes every row.
void ClearRows();
// Appends an empty row carrying item_value; its index, or -1 when refused.
std::int32_t InsertRow(std::int32_t item_value);
// Sets one cell; a row or column that does not exist is left alone.
void SetCellText(std::int32_t row, std::int32_t column, const Text& text);
// The whole text of one cell; empty for an empty cell or one that does not exist.
Text GetCellText(std::int32_t row, std::int32_t column);
std::int32_t RowCount();
}  // namespace ProductList
