#include "cleanup/product_scan.h"

#include "app/controls.h"
#include "app/events.h"
#include "cleanup/release_table.h"
#include "registry/registry_read.h"

namespace {

unsigned char FoldAscii(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool MatchesAt(const Text& searched, std::size_t start, const Text& sought) {
  for (std::size_t i = 0; i < sought.size(); ++i) {
    if (FoldAscii(static_cast<unsigned char>(searched[start + i])) !=
        FoldAscii(static_cast<unsigned char>(sought[i])))
      return false;
  }
  return true;
}

}  // namespace

std::int32_t FindText(const Text& searched, const Text& sought) {
  if (sought.empty()) return -1;
  const std::size_t length = sought.size();
  std::size_t start = 0;
  while (start < searched.size() && searched.size() - start >= length) {
    if (MatchesAt(searched, start, sought)) return static_cast<std::int32_t>(start + 1);
    start += static_cast<unsigned char>(searched[start]) >= 0x80 ? 2 : 1;
  }
  return -1;
}

void OnVersionSelected() {
  const ReleaseEntry* entry = EntryForSelection(VersionCombo::SelectedIndex());
  if (entry == nullptr) return;  // nothing chosen: the list stays as it is

  TextArray subkeys;
  EnumerateSubkeys(kRootLocalMachine, kProductsKeyPath, subkeys, 1);
  // Cleared after the enumeration, whatever it found.
  ProductList::ClearRows();

  const std::size_t count = subkeys.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Text& name = subkeys[i];
    const Text product_name = ReadValueText(kRootLocalMachine, kProductsKeyPath + name + "\\ProductName");
    if (FindText(product_name, entry->MatchText) == -1) continue;
    const std::int32_t row = ProductList::InsertRow(static_cast<std::int32_t>(i));
    ProductList::SetCellText(row, 0, product_name);
    ProductList::SetCellText(row, 1, kProductsKeyFullPath + name);
  }
}
