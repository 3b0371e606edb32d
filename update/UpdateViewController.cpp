#include "update/UpdateViewController.h"

#include <QComboBox>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/files.h"
#include "platform/main_queue.h"
#include "strings/app_texts.h"

namespace {

// The mesh products' bar runs to 102 before their procedure reports success.
constexpr int k_progress_maximum = 102;
constexpr std::chrono::milliseconds k_timer_interval{1000};

}  // namespace

UpdateViewController::UpdateViewController(int mode, QWidget* parent) : DetailViewController(parent), m_mode(mode) {
  build_frame("btnBack", "btnNext");
  connect(btnNext(), &QPushButton::clicked, this, [this] { moveToNext(btnNext()); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { moveToBack(btnBack()); });

  auto* body = new QVBoxLayout;
  m_tfFirmwareFile = new QLineEdit(this);
  m_tfFirmwareFile->setObjectName("tfFirmwareFile");
  connect(m_tfFirmwareFile, &QLineEdit::textChanged, this, [this] {
    if (services()) setControls();
  });
  m_popUpLanguageFirmware = new QComboBox(this);
  m_popUpLanguageFirmware->setObjectName("popUpLanguageFirmware");
  body->addWidget(m_tfFirmwareFile);
  body->addWidget(m_popUpLanguageFirmware);
  if (m_mode == session::k_mode_firmware_restore) {
    auto* row = new QHBoxLayout;
    m_lblRestoredData1 = new QLabel(this);
    m_lblRestoredData1->setObjectName("lblRestoredData1");
    m_tfRestoredData1 = new QLabel(this);
    m_tfRestoredData1->setObjectName("tfRestoredData1");
    row->addWidget(m_lblRestoredData1);
    row->addWidget(m_tfRestoredData1);
    body->addLayout(row);
  }

  auto* progress = new QHBoxLayout;
  m_piProcessingCircular = new QProgressBar(this);
  m_piProcessingCircular->setObjectName("piProcessingCircular");
  m_piProcessingCircular->setTextVisible(false);
  m_piProcessingCircular->setRange(0, 1);
  m_piProcessingCircular->setFixedWidth(32);
  make_processing_indicator();
  m_piProcessing->setRange(0, k_progress_maximum);
  m_tfProcessing = new QLabel(this);
  m_tfProcessing->setObjectName("tfProcessing");
  m_tfPercent = new QLabel("%", this);
  m_tfPercent->setObjectName("tfPercent");
  progress->addWidget(m_piProcessingCircular);
  progress->addWidget(m_piProcessing, 1);
  progress->addWidget(m_tfProcessing);
  progress->addWidget(m_tfPercent);
  body->addLayout(progress);

  auto* actions = new QHBoxLayout;
  m_btnUpdate = new QPushButton(this);
  m_btnUpdate->setObjectName("btnUpdate");
  connect(m_btnUpdate, &QPushButton::clicked, this, [this] { updateFirmware(m_btnUpdate); });
  m_btnRestore = new QPushButton(this);
  m_btnRestore->setObjectName("btnRestore");
  connect(m_btnRestore, &QPushButton::clicked, this, [this] { restoreFirmware(m_btnRestore); });
  actions->addWidget(m_btnUpdate);
  actions->addWidget(m_btnRestore);
  body->addLayout(actions);
  // between the page title and the stretch above the navigation buttons
  static_cast<QVBoxLayout*>(layout())->insertLayout(1, body);

  m_timer = new QTimer(this);
  m_timer->setInterval(k_timer_interval);
  connect(m_timer, &QTimer::timeout, this, &UpdateViewController::timerMethodUpdate);
  show_progress();
}

UpdateViewController::~UpdateViewController() { stopUpdate(); }

void UpdateViewController::stopUpdate() {
  if (m_operation) m_operation->stop_and_join();
}

update::UpdateOperation& UpdateViewController::operation() {
  if (!m_operation) m_operation = std::make_unique<update::UpdateOperation>(m_mode, *services(), *this);
  return *m_operation;
}

void UpdateViewController::initializeObjectWithDefaultStatus(bool) {
  m_optraUpdateEnded = false;
  if (m_mode == session::k_mode_firmware_restore) setBackupInfo();
  setControls();
}

void UpdateViewController::setControls() {
  setShortcuts();
  const bool processing = state().onProcessing();
  for (QWidget* control : {static_cast<QWidget*>(m_btnUpdate), static_cast<QWidget*>(m_btnRestore),
                           static_cast<QWidget*>(m_popUpLanguageFirmware)}) {
    control->setEnabled(!processing);
  }
  if (m_mode == session::k_mode_firmware_update && m_tfFirmwareFile->text().isEmpty()) m_btnUpdate->setEnabled(false);
  show_progress();
}

void UpdateViewController::show_progress() {
  if (!m_operation) {
    for (QWidget* part : {static_cast<QWidget*>(m_piProcessing), static_cast<QWidget*>(m_tfProcessing),
                          static_cast<QWidget*>(m_tfPercent)}) {
      part->setVisible(false);
    }
    return;
  }
  const int processed = m_operation->report().updateProcessed();
  const int page_state = m_operation->state();
  // while a list is read or a file downloaded the circular indicator runs and the bar stays hidden
  const bool fetching = page_state == update::k_state_reading_update_list ||
                        page_state == update::k_state_downloading_update ||
                        page_state == update::k_state_reading_restore_list ||
                        page_state == update::k_state_downloading_restore;
  if (fetching) {
    m_piProcessingCircular->setRange(0, state().onProcessing() ? 0 : 1);
  } else if (page_state == update::k_state_idle) {
    m_piProcessingCircular->setRange(0, 1);
  }
  const bool shown = !fetching && processed >= 0;
  m_piProcessing->setVisible(shown);
  m_tfProcessing->setVisible(shown);
  m_tfPercent->setVisible(shown);
  if (shown) {
    m_piProcessing->setValue(std::min(processed, k_progress_maximum));
    m_tfProcessing->setText(QString::number(processed));
  }
}

void UpdateViewController::setShortcuts() {
  const int language = this->language();
  show_titles(m_mode, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_next_in(language)));
  const bool update_page = m_mode == session::k_mode_firmware_update;
  if (state().showShortcuts()) {
    m_btnUpdate->setText(update_page ? "[O][C]-U" : "[C]-U");
    m_btnRestore->setText(update_page ? "[C]-E" : "[O][C]-E");
  } else {
    m_btnUpdate->setText(QString::fromStdString(
        update_page ? stringUPDATE() : AppTexts::vyla_string_mode_in(session::k_mode_firmware_update, language)));
    m_btnRestore->setText(QString::fromStdString(
        update_page ? AppTexts::vyla_string_mode_in(session::k_mode_firmware_restore, language) : stringRESTORE()));
  }
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

void UpdateViewController::displayNOBackupFirmware() {
  if (!m_lblRestoredData1) return;
  const auto [label, value] = stringNOBackupFirmwareParts_in(language());
  m_lblRestoredData1->setText(QString::fromStdString(label));
  m_tfRestoredData1->setText(QString::fromStdString(value));
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

void UpdateViewController::updateFirmware(QObject*) { operation().updateFirmware(); }

void UpdateViewController::restoreFirmware(QObject*) { operation().restoreFirmware(); }

void UpdateViewController::timerMethodUpdate() { operation().timerMethodUpdate(); }

void UpdateViewController::setTimerInterval(std::chrono::milliseconds interval) { m_timer->setInterval(interval); }

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

void UpdateViewController::open_backup_failed_box(const session::MessageBoxRequest& request) {
  openBackupFailedBox(request);
}

void UpdateViewController::open_camera_copy_done_box(const session::MessageBoxRequest& request) {
  openCameraCopyDoneBox(request);
}

void UpdateViewController::start_circular_progress() {
  platform::post_to_main([page = QPointer<UpdateViewController>(this)] {
    // an empty range is Qt's busy indicator: it moves by itself
    if (page) page->m_piProcessingCircular->setRange(0, 0);
  });
}

void UpdateViewController::stop_circular_progress() {
  platform::post_to_main([page = QPointer<UpdateViewController>(this)] {
    if (page) page->m_piProcessingCircular->setRange(0, 1);
  });
}

std::string UpdateViewController::firmware_file() const { return m_tfFirmwareFile->text().toStdString(); }

void UpdateViewController::set_firmware_file(const std::string& path) {
  m_tfFirmwareFile->setText(QString::fromStdString(path));
}

int UpdateViewController::language_item_count() const { return m_popUpLanguageFirmware->count(); }

int UpdateViewController::selected_language_item() const { return m_popUpLanguageFirmware->currentIndex(); }

void UpdateViewController::select_language_item(int index) { m_popUpLanguageFirmware->setCurrentIndex(index); }

void UpdateViewController::start_timer() { m_timer->start(); }

void UpdateViewController::stop_timer() { m_timer->stop(); }
