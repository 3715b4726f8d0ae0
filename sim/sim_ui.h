#pragma once
// The simulated window: VersionCombo's items and selection and ProductList's
// rows, built from the same layout and release table as the real window, and
// the user's actions that raise the controls' events.
#include <cstdint>
#include <vector>

#include "app/text.h"

namespace sim {

struct Row {
  std::int32_t item_value;
  TextArray cells;  // one per column
};

// A fresh window as start-up leaves it: nine items, nothing chosen, no rows.
void ResetUi();

// The user settles on an item: the selection changes, then the item-chosen
// event runs OnVersionSelected (as the posted message does, after the list
// has closed). Choosing the selected item again raises it again.
void ChooseItem(std::int32_t index);
// The user presses CleanButton: OnCleanClicked runs.
void ClickClean();

const TextArray& ComboItems();
const std::vector<Row>& Rows();
std::int32_t ColumnCount();
// Makes ProductList refuse every InsertRow from now on (true) or accept again.
void RefuseRows(bool refuse);

}  // namespace sim
