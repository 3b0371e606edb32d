#pragma once
// Which flashing procedure runs for which product: thirteen rows tried in
// order, the first row that holds the selected product id wins, and the last
// row takes every id the others do not hold. A family's procedure lives in
// update/families/<family>.h/.cpp and is named in its row here.
#include <span>

#include "update/update_engine.h"

namespace update {

struct DispatchRow {
  int order = 0;                     // 1..13
  std::span<const int> product_ids;  // empty for the last row
  FamilyProcedure procedure = nullptr;
};

// The rows in their order.
std::span<const DispatchRow> dispatch_rows();
// The row that runs for `product`.
const DispatchRow& dispatch_row_for(int product);
// The row of order `order` (1..13); the last row for any other order.
const DispatchRow& dispatch_row(int order);

}  // namespace update
