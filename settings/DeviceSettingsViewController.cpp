#include "settings/DeviceSettingsViewController.h"

#include "settings/DeviceAllSettingsSheet.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/app_state.h"

// The editor's view of the application controller.
class DeviceSettingsViewController::ControllerHost : public settings::SettingsHost {
 public:
  explicit ControllerHost(DeviceSettingsViewController& page) : m_page(page) {}

  int deviceTarget() const override { return controller().deviceTarget(); }
  int languageManager() const override { return controller().languageManager(); }
  const FEXOBluetoothDeviceData& data() const override { return controller().data(); }
  bool onProcessing() const override { return controller().onProcessing(); }
  bool listTabsOpened() const override { return controller().listTabsOpened(); }
  void setListTabsOpened(bool opened) override { controller().setListTabsOpened(opened); }
  void enableListTabsTo(bool enable) override { controller().enableListTabsTo(enable); }
  void setMode(int mode) override { controller().setMode(mode); }
  void setDetailViewController(int mode) override { controller().setDetailViewController(mode); }
  void open_message_box(const settings::MessageBoxRequest& box) override {
    controller().openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
        box.message, box.warning, box.cancel_title, box.ok_title, box.size, box.purpose);
  }
  // The controller answers purpose 4 with save (Yes) or moveToModeToGo (No).
  void open_save_prompt(const settings::MessageBoxRequest& box) override { open_message_box(box); }

 private:
  FEXOBluetoothManagerAppController& controller() const { return *m_page.appController(); }

  DeviceSettingsViewController& m_page;
};

DeviceSettingsViewController::DeviceSettingsViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(shell::k_mode_device_settings, parent),
      m_host(std::make_unique<ControllerHost>(*this)),
      m_editor(*m_host) {
  m_sheetDeviceAllSettings = new DeviceAllSettingsSheet(this);
}

DeviceSettingsViewController::~DeviceSettingsViewController() = default;

void DeviceSettingsViewController::save(QObject* sender) {
  if (!m_editor.begin_action()) return;
  if (!checkACT()) return;
  // No save worker writes the settings here: the fresh recognition that
  // follows reads the device again, so the page reopens on what the device
  // holds and the edits are dropped rather than shown as saved.
  m_editor.moveToSettingToSetting();
  DeviceSettingsBaseViewController::save(sender);
}

// This page shows no audio channel timeout field, so there is nothing to refuse.
bool DeviceSettingsViewController::checkACT() { return true; }

void DeviceSettingsViewController::changeToDefault(QObject*) {
  if (!m_editor.changeToDefault()) return;
  callTableviewReloadDataForOutsideClass();
  setControls();
}

void DeviceSettingsViewController::changeToOriginal(QObject*) {
  if (!m_editor.changeToOriginal()) return;
  callTableviewReloadDataForOutsideClass();
  setControls();
}

void DeviceSettingsViewController::moveToSettingToSetting() {
  m_editor.moveToSettingToSetting();
  setControls();
}

void DeviceSettingsViewController::callTableviewReloadDataForOutsideClass() { m_sheetDeviceAllSettings->reloadData(); }
