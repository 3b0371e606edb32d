#include "settings/DeviceAllSettingsSheet.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>

#include "settings/DeviceSettingsViewController.h"
#include "widgets/DeviceSettingsTableCellView.h"
#include "widgets/page_keys.h"

namespace {

// Frames inside the sheet, in points from its top-left corner.
constexpr int k_margin = 12;
constexpr int k_table_height = 334;
constexpr int k_row_height = 28;
constexpr int k_button_width = 110;
constexpr int k_button_height = 19;
constexpr int k_button_gap = 8;
// the buttons sit in the band below the table, nearer its bottom edge
constexpr int k_button_top = DeviceAllSettingsSheet::k_height - 16 - k_button_height;

}  // namespace

DeviceAllSettingsSheet::DeviceAllSettingsSheet(DeviceSettingsViewController* page) : QDialog(page), m_page(page) {
  setObjectName("sheetDeviceAllSettings");
  setWindowModality(Qt::WindowModal);
  setFixedSize(k_width, k_height);

  QScrollArea* scroll = page->scrollViewDeviceAllSettingsBasic();
  scroll->setParent(this);
  // it waited off screen as a window of its own; in the sheet it shows with it
  scroll->setAttribute(Qt::WA_DontShowOnScreen, false);
  scroll->setGeometry(k_margin, k_margin, k_width - 2 * k_margin, k_table_height);
  scroll->show();

  QTableWidget* table = page->tableViewDeviceAllSettingsBasic();
  table->horizontalHeader()->hide();
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(k_row_height);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->setShowGrid(false);

  // Default and Cancel on the left, Save and Close on the right
  const auto place = [this](QPushButton* button, int x) {
    button->setParent(this);
    button->setGeometry(x, k_button_top, k_button_width, k_button_height);
    button->show();
  };
  place(page->btnDeviceAllSettingsBasicDefault(), k_margin);
  place(page->btnDeviceAllSettingsBasicCancel(), k_margin + k_button_width + k_button_gap);
  place(page->btnDeviceAllSettingsBasicClose(), k_width - k_margin - k_button_width);
  place(page->btnDeviceAllSettingsBasicSave(), k_width - k_margin - 2 * k_button_width - k_button_gap);
  // Return closes the sheet (asking first about edits); Default and Cancel
  // would throw edits away, so they take a click or Space, never Return
  widgets::keep_default_button(this, page->btnDeviceAllSettingsBasicClose());
}

void DeviceAllSettingsSheet::reloadData() {
  QTableWidget* table = m_page->tableViewDeviceAllSettingsBasic();
  if (!table) return;
  const int count = m_page->numberOfRowsInTableView();
  // rows past the new count take their cells with them; the others get fresh cells
  table->setRowCount(count);
  for (int row = 0; row < count; ++row) {
    DeviceSettingsTableCellView* cell = m_page->tableView_viewForTableColumn_row(row);
    if (cell) {
      table->setCellWidget(row, 0, cell);
    } else {
      table->removeCellWidget(row, 0);
    }
  }
  // the cells' information buttons are push buttons of the sheet too
  widgets::keep_default_button(this, m_page->btnDeviceAllSettingsBasicClose());
}

void DeviceAllSettingsSheet::endSheet() { hide(); }

void DeviceAllSettingsSheet::reject() { m_page->closeAllSettins(this); }
