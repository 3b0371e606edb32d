#pragma once
// Settings page (page mode 7), with the all-settings sheet of newer models.
#include "settings/DeviceSettingsBaseViewController.h"

class DeviceAllSettingsSheet;

class DeviceSettingsViewController : public DeviceSettingsBaseViewController {
  Q_OBJECT

 public:
  explicit DeviceSettingsViewController(QWidget* parent = nullptr);

  // Checks the audio-channel time-out field (3..60 s): true when the page may
  // be left.
  bool checkACT();
  // The all-settings sheet window.
  DeviceAllSettingsSheet* sheetDeviceAllSettings() const { return m_sheetDeviceAllSettings; }
  // Drops the sheet's edits and refreshes the page.
  void moveToSettingToSetting();
  // Reloads every row of the all-settings table (after a language change).
  void callTableviewReloadDataForOutsideClass();

 private:
  DeviceAllSettingsSheet* m_sheetDeviceAllSettings = nullptr;
};
