#pragma once
// The table of all settings of newer models, shown as a window-modal sheet
// over the main window. It is a fixed 550 x 400 frame that places the
// settings page's scroll view with the table of rows and its four buttons;
// what the rows show and what the buttons and cells do is the page's
// (DeviceSettingsViewController: moveToAllSettins, saveToAllSettins, ...).
#include <QDialog>

class DeviceSettingsViewController;

class DeviceAllSettingsSheet : public QDialog {
  Q_OBJECT

 public:
  // The sheet's size, in points.
  static constexpr int k_width = 550;
  static constexpr int k_height = 400;

  // Places the page's table and buttons in the sheet.
  explicit DeviceAllSettingsSheet(DeviceSettingsViewController* page);

  // Rebuilds every row of the table from the catalogue and the working copy.
  void reloadData();
  // Ends the sheet and orders it out.
  void endSheet();

 protected:
  // Escape asks as Close does, so edits never leave with the sheet unasked.
  void reject() override;

 private:
  DeviceSettingsViewController* m_page;
};
