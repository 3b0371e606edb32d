#pragma once
// Which flashing procedure runs for which product: thirteen rows, one per
// update family; a product's catalogue row names its family, and the last row
// (USB DFU) takes every id without another. A family's procedure lives in
// update/families/<family>.h/.cpp and is named in its row here.
#include <span>

#include "device_data/product_facts.h"
#include "update/update_engine.h"

namespace update {

struct DispatchRow {
  int order = 0;                     // 1..13
  device_data::UpdateFamily family = device_data::UpdateFamily::usb_dfu;
  std::span<const int> product_ids;  // the catalogue's products of the family; empty for the last row
  FamilyProcedure procedure = nullptr;
};

// The rows in their order.
std::span<const DispatchRow> dispatch_rows();
// The row that runs for `product`.
const DispatchRow& dispatch_row_for(int product);
// The row of order `order` (1..13); the last row for any other order.
const DispatchRow& dispatch_row(int order);
// The row of `family`.
const DispatchRow& dispatch_row(device_data::UpdateFamily family);

}  // namespace update
