// The product scan's own work per key, without the registry: building the
// value path, searching the name and, for the one key in a hundred that
// matches, filling its row. Measured on the simulated window.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "cleanup/product_scan.h"
#include "sim/sim_ui.h"

int main() {
  constexpr int kKeys = 10000;
  std::vector<std::string> names, products;
  for (int i = 0; i < kKeys; ++i) {
    char name[40];
    std::snprintf(name, sizeof(name), "%08X%08X%08X%08X", i * 2654435761u, i, ~i, i * 40503u);
    names.push_back(name);
    products.push_back(i % 100 == 7 ? "AutoCAD 2010 - English" : "Some Other Product " + std::to_string(i));
  }
  constexpr int kRounds = 20;
  std::size_t sink = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < kRounds; ++round) {
    sim::ResetUi();
    for (int i = 0; i < kKeys; ++i) {
      const std::string path = kProductsKeyPath + names[i] + "\\ProductName";
      sink += path.size();
      if (FindText(products[i], "CAD 2010") == -1) continue;
      const std::int32_t row = ProductList::InsertRow(i);
      ProductList::SetCellText(row, 0, products[i]);
      ProductList::SetCellText(row, 1, kProductsKeyFullPath + names[i]);
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("scan's own work: %.3f us/key (%d keys x %d rounds, %d rows; checksum %zu)\n",
              seconds / (kKeys * kRounds) * 1e6, kKeys, kRounds, ProductList::RowCount(), sink);
  return 0;
}
