#pragma once
// The table of all settings of newer models, shown as a sheet over the
// settings page.
#include <QDialog>

class DeviceSettingsViewController;
class QTableWidget;

class DeviceAllSettingsSheet : public QDialog {
  Q_OBJECT

 public:
  explicit DeviceAllSettingsSheet(DeviceSettingsViewController* page);

  // Rebuilds the rows (after a language change).
  void reloadData();
  // Shows the information text of the setting whose control is `sender` (its tool tip).
  void allSettingsInformation(QObject* sender);
  // Asks whether to save before the sheet closes.
  void closeAllSettins(QObject* sender = nullptr);

 private:
  DeviceSettingsViewController* m_page;
  QTableWidget* m_table = nullptr;
};
