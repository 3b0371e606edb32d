#pragma once
// The all-settings table's cells: a row of the catalogue made into a
// DeviceSettingsTableCellView and filled from it. Filling sets every part of
// the cell the row uses (label, titles or items, selection, enabled state,
// information buttons) with the controls' signals blocked, so building a
// table never sends a setting action. The cell keeps its row index, which is
// how a control's action finds its row.
#include "settings/all_settings_rows.h"

class DeviceSettingsTableCellView;
class QObject;
class QWidget;

namespace settings {

// The cell of row `index` for `context`, made with `parent`; nullptr when the
// product has no rows or `index` is not below the count.
DeviceSettingsTableCellView* tableView_viewForTableColumn_row(const AllSettingsContext& context, int index,
                                                              QWidget* parent = nullptr);

// A cell of the kind of `row` ("settingsAllBasicOnOffCell" or
// "settingsAllBasicComboCell"), filled with `row` as row `index`.
DeviceSettingsTableCellView* make_all_settings_cell(const AllSettingsRow& row, int index, QWidget* parent = nullptr);

// Fills `cell` with `row` as row `index`. False, with the cell untouched, when
// the cell lacks the controls of the row's kind.
bool fill_all_settings_cell(DeviceSettingsTableCellView& cell, const AllSettingsRow& row, int index);

// The row index kept by the cell that holds `control` (the cell itself or any
// control inside it); -1 when no cell holds it or the cell has no row.
int rowForView(const QObject* control);

}  // namespace settings
