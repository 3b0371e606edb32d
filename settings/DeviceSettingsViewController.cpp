#include "settings/DeviceSettingsViewController.h"

#include "settings/DeviceAllSettingsSheet.h"

// The editor's view of the application controller, through the page's services.
class DeviceSettingsViewController::ControllerHost : public settings::SettingsHost {
 public:
  explicit ControllerHost(DeviceSettingsViewController& page) : m_page(page) {}

  int deviceTarget() const override { return state().deviceTarget(); }
  int languageManager() const override { return state().languageManager(); }
  const FEXOBluetoothDeviceData& data() const override { return state().data(); }
  bool onProcessing() const override { return state().onProcessing(); }
  bool listTabsOpened() const override { return state().listTabsOpened(); }
  void setListTabsOpened(bool opened) override { state().setListTabsOpened(opened); }
  void enableListTabsTo(bool enable) override { m_page.services()->enableListTabsTo(enable); }
  void setMode(int mode) override { state().setMode(mode); }
  void setDetailViewController(int mode) override { m_page.services()->setDetailViewController(mode); }
  void open_message_box(const session::MessageBoxRequest& box) override { m_page.services()->openMessageBox(box); }
  // The page answers its save prompt: save (Yes) or moveToModeToGo (No).
  void open_save_prompt(const session::MessageBoxRequest& box) override { m_page.openSavePrompt(box); }

 private:
  session::AppState& state() const { return m_page.state(); }

  DeviceSettingsViewController& m_page;
};

DeviceSettingsViewController::DeviceSettingsViewController(QWidget* parent)
    : DeviceSettingsBaseViewController(session::k_mode_device_settings, parent),
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
