// The control operations on the live window. The list view holds texts read
// from the registry, which are in the system's ANSI code page: its cells go
// through the A messages, unconverted.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/controls.h"
#include "app/main_window_win32.h"

namespace {

HWND Combo() { return MainWindowControl(layout::kVersionCombo); }
HWND List() { return MainWindowControl(layout::kProductList); }

std::int32_t ColumnCount(HWND list) {
  const auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<std::int32_t>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

// A cell outside the rows and columns reads empty and is never written,
// whatever the list itself would make of such an index.
bool CellExists(HWND list, std::int32_t row, std::int32_t column) {
  return list != nullptr && row >= 0 && row < ProductList::RowCount() && column >= 0 && column < ColumnCount(list);
}

}  // namespace

namespace VersionCombo {

std::int32_t SelectedIndex() {
  HWND combo = Combo();
  return combo != nullptr ? static_cast<std::int32_t>(SendMessageA(combo, CB_GETCURSEL, 0, 0)) : -1;
}

Text SelectedText() {
  HWND combo = Combo();
  if (combo == nullptr) return {};
  const int length = GetWindowTextLengthA(combo);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(combo, buffer.data(), static_cast<int>(buffer.size()));
  return Text(buffer.data());
}

}  // namespace VersionCombo

namespace ProductList {

void ClearRows() {
  if (HWND list = List()) SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

std::int32_t InsertRow(std::int32_t item_value) {
  HWND list = List();
  if (list == nullptr) return -1;
  char empty[1] = {'\0'};
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = RowCount();
  item.pszText = empty;
  item.lParam = item_value;
  return static_cast<std::int32_t>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetCellText(std::int32_t row, std::int32_t column, const Text& text) {
  HWND list = List();
  if (!CellExists(list, row, column)) return;
  std::vector<char> copy(text.c_str(), text.c_str() + text.size() + 1);
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = copy.data();
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

Text GetCellText(std::int32_t row, std::int32_t column) {
  HWND list = List();
  if (!CellExists(list, row, column)) return {};
  std::size_t size = 512;
  std::vector<char> buffer;
  for (;;) {
    // One byte more than the list is told: Wine fills a buffer that is too
    // small to its last byte, with no NUL.
    buffer.assign(size + 1, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length = static_cast<std::size_t>(
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    // The list keeps its texts as UTF-16 and converts on the way out: a
    // double-byte character that does not fit is left out whole, so a cut
    // text can end one byte before the usual size - 1.
    if (length + 2 < size) break;
    size *= 2;
  }
  return Text(buffer.data());
}

std::int32_t RowCount() {
  HWND list = List();
  return list != nullptr ? static_cast<std::int32_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

}  // namespace ProductList
