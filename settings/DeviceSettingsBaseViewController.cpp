#include "settings/DeviceSettingsBaseViewController.h"

#include <QPushButton>
#include <QTimer>

#include "settings/settings_editor.h"
#include "strings/app_texts.h"

namespace {

// The save's poll of its worker, in milliseconds.
constexpr int k_save_timer_ms = 1000;

}  // namespace

// What the save asks of the page, answered by the page's own operations.
class DeviceSettingsBaseViewController::SaveHooks : public settings::SavePage {
 public:
  explicit SaveHooks(DeviceSettingsBaseViewController& page) : m_page(page) {}
  const FEXOBluetoothDeviceData& saveWorkingCopy() const override { return m_page.dataCurrent(); }
  int saveModeToGo() const override { return m_page.modeToGo(); }
  void discardEditsAfterSave() override { m_page.discardEditsAfterSave(); }
  void reenableAfterSave() override { m_page.reenableAfterSave(); }
  void setControls() override { m_page.setControls(); }
  void startSaveTimer() override { m_page.m_saveTimer->start(); }
  void stopSaveTimer() override { m_page.m_saveTimer->stop(); }

 private:
  DeviceSettingsBaseViewController& m_page;
};

DeviceSettingsBaseViewController::DeviceSettingsBaseViewController(int mode, QWidget* parent)
    : DetailViewController(parent), m_mode(mode) {
  build_frame("btnBack", "btnNewDevice");
  connect_buttons();
  build_save_timer();
}

DeviceSettingsBaseViewController::~DeviceSettingsBaseViewController() { waitForSave(); }

DeviceSettingsBaseViewController::DeviceSettingsBaseViewController(int mode, PlacedButtons, QWidget* parent)
    : DetailViewController(parent), m_mode(mode) {
  m_leftButton = page_control<QPushButton>("btnBack");
  m_rightButton = page_control<QPushButton>("btnNewDevice");
  connect_buttons();
  build_save_timer();
}

void DeviceSettingsBaseViewController::build_save_timer() {
  m_saveTimer = new QTimer(this);
  m_saveTimer->setInterval(k_save_timer_ms);
  connect(m_saveTimer, &QTimer::timeout, this, &DeviceSettingsBaseViewController::timerMethodSave);
}

void DeviceSettingsBaseViewController::setSaveRules(settings::SaveRules rules) {
  waitForSave();
  if (!m_saveHooks) m_saveHooks = std::make_unique<SaveHooks>(*this);
  m_saveEngine = std::make_unique<settings::SaveEngine>(*m_saveHooks, std::move(rules));
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
  openSavePrompt(settings::save_prompt(state().languageManager(), session::MessageBoxPurpose::save_settings));
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
  if (!services()) return;
  if (m_saveEngine) {
    m_saveEngine->save(*services(), [this] { return readyToSave(); });
    return;
  }
  if (state().onProcessing()) return;
  handOffWithoutWriting();
}

void DeviceSettingsBaseViewController::saveWithoutCheck() {
  if (!services()) return;
  if (m_saveEngine) {
    m_saveEngine->save(*services());
    return;
  }
  if (state().onProcessing()) return;
  handOffWithoutWriting();
}

void DeviceSettingsBaseViewController::timerMethodSave() {
  if (m_saveEngine && services()) m_saveEngine->timerMethodSave(*services());
}

void DeviceSettingsBaseViewController::waitForSave() {
  if (m_saveEngine) m_saveEngine->join();
}

void DeviceSettingsBaseViewController::discardEditsAfterSave() {
  // the version sets stay those the page opened with
  m_dataCurrent.copyWithSource_version(state().data(), false);
  setControls();
}

void DeviceSettingsBaseViewController::handOffWithoutWriting() {
  discard_edits();
  int caller = m_mode;
  if (m_modeToGo != 0) caller = session::save_then_open(m_modeToGo);
  services()->setDeviceRecognitionWithStatus_info_from(false, nullptr, caller);
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
