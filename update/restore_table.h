#pragma once
// The restore page's table of backed-up settings, free of Qt: how many rows
// the table has and, for a row, the setting's name and its value as the
// backup archive recorded it. Both follow the selected product, the main
// firmware version recorded in the backup and, for a few products, whether
// the FM radio is shown. The row count and the rows a product defines are
// two separate tables and do not always agree: a counted row the product does
// not define has no cell, a defined row beyond the count is never asked for.
// Stateless: callable from any thread.
#include <optional>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"

namespace update {

// What the table depends on at the moment it is asked.
struct RestoreTableContext {
  // The selected product id (the controller's deviceTarget).
  int product = 0;
  // The record read back from the backup archive; nullptr: none.
  const FEXOBluetoothDeviceData* backup = nullptr;
  // The controller's fmRadioShowAndHide: 4 hides the FM radio.
  int fmRadioShowAndHide = 3;
  // Interface language 0..12 (any other index reads English).
  int language = 0;
};

// How many rows the table shows; 0 without a backup or for a product without rows.
int restore_table_row_count(const RestoreTableContext& context);

struct RestoreTableCell {
  std::string name;   // settingNameText
  std::string value;  // settingValueText
};

// The texts of row `row` (from 0); none when there is no backup or the product
// defines no such row. Option texts have no translations: every language
// reads them in English; the enabled/disabled words and the names follow the
// language.
std::optional<RestoreTableCell> restore_table_cell(const RestoreTableContext& context, int row);

}  // namespace update
