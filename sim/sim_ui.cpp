#include "sim/sim_ui.h"

#include "app/controls.h"
#include "app/events.h"
#include "app/layout.h"
#include "cleanup/release_table.h"

namespace sim {
namespace {

struct UiState {
  TextArray items;
  std::int32_t selection = -1;
  std::vector<Row> rows;
  bool refuse_rows = false;
};

UiState& State() {
  static UiState state = [] {
    UiState fresh;
    for (const ReleaseEntry& entry : ReleaseTable) fresh.items.push_back(entry.ItemText);
    return fresh;
  }();
  return state;
}

bool CellExists(std::int32_t row, std::int32_t column) {
  return row >= 0 && row < static_cast<std::int32_t>(State().rows.size()) && column >= 0 &&
         column < ColumnCount();
}

}  // namespace

void ResetUi() {
  UiState& state = State();
  state.selection = -1;
  state.rows.clear();
  state.refuse_rows = false;
}

void ChooseItem(std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(State().items.size())) return;
  State().selection = index;
  OnVersionSelected();
}

void ClickClean() { OnCleanClicked(); }

const TextArray& ComboItems() { return State().items; }
const std::vector<Row>& Rows() { return State().rows; }
std::int32_t ColumnCount() { return static_cast<std::int32_t>(layout::kListColumns.size()); }
void RefuseRows(bool refuse) { State().refuse_rows = refuse; }

}  // namespace sim

namespace VersionCombo {

std::int32_t SelectedIndex() { return sim::State().selection; }

Text SelectedText() {
  const sim::UiState& state = sim::State();
  if (state.selection < 0) return {};
  return state.items[static_cast<std::size_t>(state.selection)];
}

}  // namespace VersionCombo

namespace ProductList {

void ClearRows() { sim::State().rows.clear(); }

std::int32_t InsertRow(std::int32_t item_value) {
  sim::UiState& state = sim::State();
  if (state.refuse_rows) return -1;
  state.rows.push_back({item_value, TextArray(static_cast<std::size_t>(sim::ColumnCount()))});
  return static_cast<std::int32_t>(state.rows.size()) - 1;
}

void SetCellText(std::int32_t row, std::int32_t column, const Text& text) {
  if (!sim::CellExists(row, column)) return;
  // The real list keeps a cell's text up to its first NUL, like any C string.
  sim::State().rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] =
      text.substr(0, text.find('\0'));
}

Text GetCellText(std::int32_t row, std::int32_t column) {
  if (!sim::CellExists(row, column)) return {};
  return sim::State().rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

std::int32_t RowCount() { return static_cast<std::int32_t>(sim::State().rows.size()); }

}  // namespace ProductList
