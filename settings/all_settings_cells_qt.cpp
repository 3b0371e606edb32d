#include "settings/all_settings_cells_qt.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>

#include "widgets/DeviceSettingsTableCellView.h"

namespace settings {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

void show_information(QPushButton* button, bool shown) {
  if (!button) return;
  button->setHidden(!shown);
  button->setEnabled(shown);
}

bool fill_on_off(DeviceSettingsTableCellView& cell, const AllSettingsRow& row) {
  QButtonGroup* radio = cell.radiobtn();
  if (!radio || !cell.enablebtn() || !cell.disablebtn()) return false;
  cell.enablebtn()->setText(q(row.enable_title));
  cell.disablebtn()->setText(q(row.disable_title));
  // column 0 is the Enable cell, column 1 the Disable cell
  const QSignalBlocker group_blocker(radio);
  const QSignalBlocker enable_blocker(cell.enablebtn());
  const QSignalBlocker disable_blocker(cell.disablebtn());
  (row.selected == 0 ? cell.enablebtn() : cell.disablebtn())->setChecked(true);
  cell.enablebtn()->setEnabled(row.enabled);
  cell.disablebtn()->setEnabled(row.enabled);
  return true;
}

bool fill_pop_up(DeviceSettingsTableCellView& cell, const AllSettingsRow& row) {
  QComboBox* pop_up = cell.popUpBtn();
  if (!pop_up) return false;
  const QSignalBlocker blocker(pop_up);
  pop_up->clear();
  QStringList items;
  for (const std::string& item : row.items) items.append(q(item));
  pop_up->addItems(items);
  // -1 leaves the pop-up with nothing selected
  pop_up->setCurrentIndex(row.selected);
  pop_up->setEnabled(row.enabled);
  return true;
}

}  // namespace

bool fill_all_settings_cell(DeviceSettingsTableCellView& cell, const AllSettingsRow& row, int index) {
  const bool filled = row.kind == RowKind::on_off ? fill_on_off(cell, row) : fill_pop_up(cell, row);
  if (!filled) return false;
  if (cell.textField()) cell.textField()->setText(q(row.label));
  show_information(cell.infoOnOffBtn(), row.information_shown);
  if (row.hides_pop_up_information) show_information(cell.infoPopUpBtn(), false);
  cell.setRow(index);
  return true;
}

DeviceSettingsTableCellView* make_all_settings_cell(const AllSettingsRow& row, int index, QWidget* parent) {
  const char* identifier = row.kind == RowKind::on_off ? DeviceSettingsTableCellView::k_on_off_cell
                                                       : DeviceSettingsTableCellView::k_combo_cell;
  auto* cell = new DeviceSettingsTableCellView(QString::fromLatin1(identifier), parent);
  fill_all_settings_cell(*cell, row, index);
  return cell;
}

DeviceSettingsTableCellView* tableView_viewForTableColumn_row(const AllSettingsContext& context, int index,
                                                              QWidget* parent) {
  const std::optional<AllSettingsRow> row = all_settings_row(context, index);
  if (!row) return nullptr;
  return make_all_settings_cell(*row, index, parent);
}

int rowForView(const QObject* control) {
  for (const QObject* object = control; object; object = object->parent()) {
    if (const auto* cell = dynamic_cast<const DeviceSettingsTableCellView*>(object)) return cell->row();
  }
  return -1;
}

}  // namespace settings
