#include "settings/DeviceSettingsBaseViewController.h"

#include <QPushButton>

#include "shell/FEXOBluetoothManagerAppController.h"

namespace {
// A page-to-go value above this is a page mode plus 100: a save comes first.
constexpr int k_save_before_moving = 100;
}  // namespace

DeviceSettingsBaseViewController::DeviceSettingsBaseViewController(int mode, QWidget* parent)
    : DetailViewController(parent), m_mode(mode) {
  build_frame("btnBack", "btnNewDevice");
  connect(btnNewDevice(), &QPushButton::clicked, this, [this] { moveToDeviceSelection(btnNewDevice()); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { moveToFirmwareUpdate(btnBack()); });
}

void DeviceSettingsBaseViewController::initializeObject() {
  FEXOBluetoothManagerAppController* controller = appController();
  make_working_copies();
  const int index = controller->GetTabIndexWith(m_mode);
  if (index >= 0) controller->setTabIndexSelected(index);
  setControls();
}

void DeviceSettingsBaseViewController::make_working_copies() {
  discard_edits();
  m_dataDefault = FEXOBluetoothDeviceData::makeDefaultDataWithSource(appController()->data());
}

void DeviceSettingsBaseViewController::discard_edits() {
  m_dataCurrent = FEXOBluetoothDeviceData();
  m_dataCurrent.copyWithSource_version(appController()->data(), true);
}

void DeviceSettingsBaseViewController::setControls() { setShortcuts(); }

void DeviceSettingsBaseViewController::setShortcuts() {
  const int language = appController()->languageManager();
  show_titles(m_mode, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_new_device_in(language)));
}

bool DeviceSettingsBaseViewController::isSettingsChanged() const { return false; }

bool DeviceSettingsBaseViewController::checkNeedToSave() {
  if (!isSettingsChanged()) return false;
  const int language = appController()->languageManager();
  const int purpose = m_mode - shell::k_mode_device_settings + 4;  // 4, 5 or 6
  appController()->openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
      AppTexts::stringPromptSave(language), false, AppTexts::vyla_string_no_in(language),
      AppTexts::vyla_string_yes_in(language), 0, purpose);
  return true;
}

void DeviceSettingsBaseViewController::moveToModeToGo() {
  discard_edits();
  FEXOBluetoothManagerAppController* controller = appController();
  const int target = m_modeToGo > k_save_before_moving ? m_modeToGo - k_save_before_moving : m_modeToGo;
  controller->setMode(m_modeToGo);
  controller->setDetailViewController(target);
}

void DeviceSettingsBaseViewController::save(QObject*) {
  // nothing differs from the device (isSettingsChanged), so the save is only
  // the hand-off to a fresh recognition
  appController()->setOnProcessing(true);
  timerMethodSave();
}

void DeviceSettingsBaseViewController::timerMethodSave() {
  FEXOBluetoothManagerAppController* controller = appController();
  controller->setOnProcessing(false);
  int caller = m_mode;
  if (m_modeToGo != 0) caller = m_modeToGo > k_save_before_moving ? m_modeToGo : m_modeToGo + k_save_before_moving;
  controller->setDeviceRecognitionWithStatus_info_from(false, nullptr, caller);
}

void DeviceSettingsBaseViewController::moveToDeviceSelection(QObject*) {
  FEXOBluetoothManagerAppController* controller = appController();
  if (controller->onProcessing()) return;
  controller->setListTabsOpened(false);
  controller->enableListTabsTo(false);
  controller->setDeviceSelection();
}

void DeviceSettingsBaseViewController::moveToFirmwareUpdate(QObject*) {
  FEXOBluetoothManagerAppController* controller = appController();
  if (controller->onProcessing()) return;
  controller->setListTabsOpened(false);
  controller->enableListTabsTo(false);
  controller->setFirmwareUpdateWithStatus(true);
}
