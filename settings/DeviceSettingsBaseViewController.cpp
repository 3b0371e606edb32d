#include "settings/DeviceSettingsBaseViewController.h"

#include <QPushButton>

#include "strings/app_texts.h"

DeviceSettingsBaseViewController::DeviceSettingsBaseViewController(int mode, QWidget* parent)
    : DetailViewController(parent), m_mode(mode) {
  build_frame("btnBack", "btnNewDevice");
  connect_buttons();
}

DeviceSettingsBaseViewController::DeviceSettingsBaseViewController(int mode, PlacedButtons, QWidget* parent)
    : DetailViewController(parent), m_mode(mode) {
  m_leftButton = new QPushButton(this);
  m_leftButton->setObjectName("btnBack");
  m_rightButton = new QPushButton(this);
  m_rightButton->setObjectName("btnNewDevice");
  connect_buttons();
}

void DeviceSettingsBaseViewController::connect_buttons() {
  connect(btnNewDevice(), &QPushButton::clicked, this, [this] { moveToDeviceSelection(btnNewDevice()); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { moveToFirmwareUpdate(btnBack()); });
}

void DeviceSettingsBaseViewController::initializeObject() {
  session::AppState& state = this->state();
  make_working_copies();
  const int index = state.GetTabIndexWith(m_mode);
  if (index >= 0) state.setTabIndexSelected(index);
  setControls();
}

void DeviceSettingsBaseViewController::make_working_copies() {
  discard_edits();
  m_dataDefault = FEXOBluetoothDeviceData::makeDefaultDataWithSource(state().data());
}

void DeviceSettingsBaseViewController::discard_edits() {
  m_dataCurrent = FEXOBluetoothDeviceData();
  m_dataCurrent.copyWithSource_version(state().data(), true);
}

void DeviceSettingsBaseViewController::setControls() { setShortcuts(); }

void DeviceSettingsBaseViewController::setShortcuts() {
  const int language = state().languageManager();
  show_titles(m_mode, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_new_device_in(language)));
}

bool DeviceSettingsBaseViewController::isSettingsChanged() const { return false; }

bool DeviceSettingsBaseViewController::checkNeedToSave() {
  if (!isSettingsChanged()) return false;
  openSavePrompt();
  return true;
}

void DeviceSettingsBaseViewController::openSavePrompt() {
  const int language = state().languageManager();
  openSavePrompt({AppTexts::stringPromptSave(language), false, AppTexts::vyla_string_no_in(language),
                  AppTexts::vyla_string_yes_in(language), session::MessageBoxSize::w420_h115});
}

void DeviceSettingsBaseViewController::openSavePrompt(session::MessageBoxRequest request) {
  using session::MessageBoxPurpose;
  request.purpose = m_mode == session::k_mode_device_settings_second      ? MessageBoxPurpose::save_settings_second
                    : m_mode == session::k_mode_device_settings_speed_dial ? MessageBoxPurpose::save_speed_dial
                                                                            : MessageBoxPurpose::save_settings;
  services()->openMessageBox(request, [this](bool ok) {
    // Yes saves (the save then opens the page asked for), No discards and moves on
    if (ok) {
      save(nullptr);
    } else {
      moveToModeToGo();
    }
  });
}

void DeviceSettingsBaseViewController::moveToModeToGo() {
  discard_edits();
  session::Services* controller = services();
  session::AppState& state = controller->state();
  const int target = session::page_mode_of(m_modeToGo);
  state.setMode(m_modeToGo);
  controller->setDetailViewController(target);
}

void DeviceSettingsBaseViewController::save(QObject*) {
  // nothing differs from the device (isSettingsChanged), so the save is only
  // the hand-off to a fresh recognition
  state().setOnProcessing(true);
  timerMethodSave();
}

void DeviceSettingsBaseViewController::timerMethodSave() {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  state.setOnProcessing(false);
  int caller = m_mode;
  if (m_modeToGo != 0) caller = session::save_then_open(m_modeToGo);
  controller->setDeviceRecognitionWithStatus_info_from(false, nullptr, caller);
}

void DeviceSettingsBaseViewController::moveToDeviceSelection(QObject*) {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  if (state.onProcessing()) return;
  state.setListTabsOpened(false);
  controller->enableListTabsTo(false);
  controller->setDeviceSelection();
}

void DeviceSettingsBaseViewController::moveToFirmwareUpdate(QObject*) {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  if (state.onProcessing()) return;
  state.setListTabsOpened(false);
  controller->enableListTabsTo(false);
  controller->setFirmwareUpdateWithStatus(true);
}
