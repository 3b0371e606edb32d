#include "update/UpdateViewController.h"

#include <QPushButton>

#include "platform/files.h"
#include "strings/app_texts.h"

UpdateViewController::UpdateViewController(int mode, QWidget* parent) : DetailViewController(parent), m_mode(mode) {
  build_frame("btnBack", "btnNext");
  connect(btnNext(), &QPushButton::clicked, this, [this] { moveToNext(btnNext()); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { moveToBack(btnBack()); });
}

void UpdateViewController::initializeObjectWithDefaultStatus(bool) {
  m_optraUpdateEnded = false;
  if (m_mode == session::k_mode_firmware_restore) setBackupInfo();
  setControls();
}

void UpdateViewController::setControls() { setShortcuts(); }

void UpdateViewController::setShortcuts() {
  const int language = state().languageManager();
  show_titles(m_mode, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_next_in(language)));
}

void UpdateViewController::readLatest() { setControls(); }

void UpdateViewController::setControlsFirmwareRestore() { setControls(); }

void UpdateViewController::setBackupInfo() {
  m_dataToUnarchive.reset();
  const std::optional<std::string> name =
      AppTexts::vyla_product_name_for_internal(state().deviceTarget(), 1);
  if (!name) return;
  const std::optional<platform::Bytes> bytes = platform::read_file(platform::application_folder() / (*name + ".vylaarch"));
  if (!bytes) return;
  try {
    m_dataToUnarchive =
        std::make_unique<FEXOBluetoothDeviceData>(FEXOBluetoothDeviceData::unarchived_from(*bytes));
  } catch (const platform::ArchiveError&) {
    m_dataToUnarchive.reset();
  }
}

void UpdateViewController::moveToNext(QObject*) {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  if (state.onProcessing()) return;
  if (state.usbStatus() >= strings::k_usb_firmware_management || state.target_without_settings()) {
    controller->setDeviceSelection();
  } else if (state.target_speed_dial_only()) {
    controller->setDeviceSettingsSpeedDialWithStatus(true);
  } else {
    controller->setDeviceSettingsWithStatus(true);
  }
}

void UpdateViewController::moveToBack(QObject*) {
  if (state().onProcessing()) return;
  services()->setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
}

void UpdateViewController::endOptraUpdate() { m_optraUpdateEnded = true; }

void UpdateViewController::openCameraCopyDoneBox(session::MessageBoxRequest request) {
  request.purpose = session::MessageBoxPurpose::camera_copy_done;
  services()->openMessageBox(request, [this](bool ok) {
    if (ok) endOptraUpdate();
  });
}

void UpdateViewController::openBackupFailedBox(session::MessageBoxRequest request) {
  request.purpose = session::MessageBoxPurpose::backup_failed;
  services()->openMessageBox(request, [this](bool ok) {
    if (ok) state().setSkipRestoreBackupFile(true);
    setOpenedMessageBox(false);
    services()->closeMessageBox();
  });
}

void UpdateViewController::timerMethodUpdate() {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  state.setDeviceUpdatedOrRestored(state.deviceTarget());
  state.setOnProcessing(false);
  const FEXOBluetoothDeviceData* info = m_mode == session::k_mode_firmware_restore ? dataToUnarchive() : nullptr;
  controller->setDeviceRecognitionWithStatus_info_from(false, info, m_mode);
}
