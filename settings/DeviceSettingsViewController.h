#pragma once
// Settings page (page mode 7), with the all-settings sheet of newer models.
// The editing itself (working copies, change detection, resets, setting
// actions) is the Qt-free settings::SettingsEditor; the page forwards to it.
#include <memory>

#include "settings/DeviceSettingsBaseViewController.h"
#include "settings/settings_editor.h"

class DeviceAllSettingsSheet;

class DeviceSettingsViewController : public DeviceSettingsBaseViewController {
  Q_OBJECT

 public:
  explicit DeviceSettingsViewController(QWidget* parent = nullptr);
  ~DeviceSettingsViewController() override;

  // The page's editing core: the panel's and the sheet's controls act through it.
  settings::SettingsEditor& editor() { return m_editor; }
  const settings::SettingsEditor& editor() const { return m_editor; }

  const FEXOBluetoothDeviceData& dataCurrent() const override { return m_editor.dataCurrent(); }
  const FEXOBluetoothDeviceData& dataDefault() const override { return m_editor.dataDefault(); }
  bool isSettingsChanged() const override { return m_editor.isSettingsChanged(); }
  bool checkNeedToSave() override { return m_editor.checkNeedToSave(); }
  void moveToModeToGo() override { m_editor.moveToModeToGo(modeToGo()); }
  // Checks the audio channel timeout, then saves.
  void save(QObject* sender = nullptr) override;

  // Checks the audio-channel time-out field (3..60 s): true when the page may
  // be left.
  bool checkACT();
  // Default: the working copy takes the factory defaults.
  void changeToDefault(QObject* sender = nullptr);
  // Cancel: the working copy takes the device's values again.
  void changeToOriginal(QObject* sender = nullptr);
  // The all-settings sheet window.
  DeviceAllSettingsSheet* sheetDeviceAllSettings() const { return m_sheetDeviceAllSettings; }
  // Drops the sheet's edits and refreshes the page.
  void moveToSettingToSetting();
  // Reloads every row of the all-settings table (after a language change).
  void callTableviewReloadDataForOutsideClass();

 protected:
  void make_working_copies() override { m_editor.initializeObject(); }

 private:
  class ControllerHost;

  std::unique_ptr<ControllerHost> m_host;
  settings::SettingsEditor m_editor;
  DeviceAllSettingsSheet* m_sheetDeviceAllSettings = nullptr;
};
