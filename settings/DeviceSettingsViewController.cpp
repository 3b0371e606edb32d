#include "settings/DeviceSettingsViewController.h"

#include "settings/DeviceAllSettingsSheet.h"
#include "session/app_state.h"

DeviceSettingsViewController::DeviceSettingsViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(session::k_mode_device_settings, parent) {
  m_sheetDeviceAllSettings = new DeviceAllSettingsSheet(this);
}

bool DeviceSettingsViewController::checkACT() { return true; }

void DeviceSettingsViewController::moveToSettingToSetting() {
  discard_edits();
  setControls();
}

void DeviceSettingsViewController::callTableviewReloadDataForOutsideClass() { m_sheetDeviceAllSettings->reloadData(); }
