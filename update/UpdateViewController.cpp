#include "update/UpdateViewController.h"

#include <QPushButton>

#include "platform/files.h"
#include "shell/FEXOBluetoothManagerAppController.h"

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
  const int language = appController()->languageManager();
  show_titles(m_mode, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_next_in(language)));
}

void UpdateViewController::readLatest() { setControls(); }

void UpdateViewController::setControlsFirmwareRestore() { setControls(); }

void UpdateViewController::setBackupInfo() {
  m_dataToUnarchive.reset();
  const std::optional<std::string> name =
      AppTexts::vyla_product_name_for_internal(appController()->deviceTarget(), 1);
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
  FEXOBluetoothManagerAppController* controller = appController();
  if (controller->onProcessing()) return;
  if (controller->usbStatus() >= strings::k_usb_firmware_management || controller->target_without_settings()) {
    controller->setDeviceSelection();
  } else if (controller->target_speed_dial_only()) {
    controller->setDeviceSettingsSpeedDialWithStatus(true);
  } else {
    controller->setDeviceSettingsWithStatus(true);
  }
}

void UpdateViewController::moveToBack(QObject*) {
  if (appController()->onProcessing()) return;
  appController()->setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
}

void UpdateViewController::endOptraUpdate() { m_optraUpdateEnded = true; }

void UpdateViewController::timerMethodUpdate() {
  FEXOBluetoothManagerAppController* controller = appController();
  controller->setDeviceUpdatedOrRestored(controller->deviceTarget());
  controller->setOnProcessing(false);
  const FEXOBluetoothDeviceData* info = m_mode == session::k_mode_firmware_restore ? dataToUnarchive() : nullptr;
  controller->setDeviceRecognitionWithStatus_info_from(false, info, m_mode);
}
