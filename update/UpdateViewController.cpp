#include "update/UpdateViewController.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <algorithm>
#include <functional>
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
#include "shell/named_images.h"
#include "strings/app_texts.h"

namespace {

// The mesh products' bar runs to 102 before their procedure reports success.
constexpr int k_progress_maximum = 102;
constexpr std::chrono::milliseconds k_timer_interval{1000};

// A pop-up button that tells its page before its menu opens.
class MenuPopUpButton : public QComboBox {
 public:
  MenuPopUpButton(QWidget* parent, std::function<void()> menu_will_open)
      : QComboBox(parent), m_menu_will_open(std::move(menu_will_open)) {}
  void showPopup() override {
    m_menu_will_open();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> m_menu_will_open;
};

// A label of the new-update sheet.
QLabel* sheet_label(QDialog* sheet, const char* name) {
  auto* label = new QLabel(sheet);
  label->setObjectName(name);
  return label;
}

}  // namespace

UpdateViewController::UpdateViewController(int mode, QWidget* parent) : DetailViewController(parent), m_mode(mode) {
  build_frame("btnBack", "btnNext");
  connect(btnNext(), &QPushButton::clicked, this, [this] { moveToNext(btnNext()); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { moveToBack(btnBack()); });

  auto* body = new QVBoxLayout;
  m_tfFirmwareFile = new QLineEdit(this);
  m_tfFirmwareFile->setObjectName("tfFirmwareFile");
  connect(m_tfFirmwareFile, &QLineEdit::textChanged, this, [this] {
    if (services()) firmwareFileChanged(m_tfFirmwareFile);
  });
  m_popUpLanguageFirmware = new MenuPopUpButton(this, [this] {
    if (services()) menuWillOpen();
  });
  m_popUpLanguageFirmware->setObjectName("popUpLanguageFirmware");
  if (m_mode == session::k_mode_firmware_update) {
    auto* file_row = new QHBoxLayout;
    m_btnBrowse = new QPushButton(this);
    m_btnBrowse->setObjectName("btnBrowse");
    connect(m_btnBrowse, &QPushButton::clicked, this, [this] { browseFirmware(m_btnBrowse); });
    m_btnDownload = new QPushButton(this);
    m_btnDownload->setObjectName("btnDownload");
    connect(m_btnDownload, &QPushButton::clicked, this, [this] { downloadFirmware(m_btnDownload); });
    file_row->addWidget(m_tfFirmwareFile, 1);
    file_row->addWidget(m_btnBrowse);
    body->addLayout(file_row);
    auto* download_row = new QHBoxLayout;
    download_row->addStretch(1);
    download_row->addWidget(m_popUpLanguageFirmware);
    download_row->addWidget(m_btnDownload);
    body->addLayout(download_row);
  } else {
    body->addWidget(m_tfFirmwareFile);
    body->addWidget(m_popUpLanguageFirmware);
  }
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
  if (m_mode == session::k_mode_firmware_update) build_new_update_sheet();
  show_progress();
}

void UpdateViewController::build_new_update_sheet() {
  m_sheetNewUpdateFound = new QDialog(this);
  m_sheetNewUpdateFound->setObjectName("sheetNewUpdateFound");
  m_sheetNewUpdateFound->setWindowModality(Qt::WindowModal);
  // Escape and the window's close button decline, as No does
  connect(m_sheetNewUpdateFound, &QDialog::rejected, this, [this] { noButtonSelectedAt(m_btnNo); });
  auto* grid = new QGridLayout(m_sheetNewUpdateFound);
  m_imgNewUpdate = sheet_label(m_sheetNewUpdateFound, "imgNewUpdate");
  m_imgNewUpdate->setFixedSize(64, 64);
  m_imgNewUpdate->setScaledContents(true);
  m_lblNewUpdateInformation = sheet_label(m_sheetNewUpdateFound, "lblNewUpdateInformation");
  m_lblNewUpdateInformation->setWordWrap(true);
  m_lblCurrentVersion = sheet_label(m_sheetNewUpdateFound, "lblCurrentVersion");
  m_tfCurrentVersion = sheet_label(m_sheetNewUpdateFound, "tfCurrentVersion");
  m_lblNewVersion = sheet_label(m_sheetNewUpdateFound, "lblNewVersion");
  m_tfNewVersion = sheet_label(m_sheetNewUpdateFound, "tfNewVersion");
  m_lblNewUpdateFoundLanguageVoicePrompt = sheet_label(m_sheetNewUpdateFound, "lblNewUpdateFoundLanguageVoicePrompt");
  m_popUpLanguageFirmwareSheet = new QComboBox(m_sheetNewUpdateFound);
  m_popUpLanguageFirmwareSheet->setObjectName("popUpLanguageFirmwareSheet");
  m_btnYes = new QPushButton(m_sheetNewUpdateFound);
  m_btnYes->setObjectName("btnYes");
  m_btnYes->setDefault(true);
  connect(m_btnYes, &QPushButton::clicked, this, [this] { yesButtonSelectedAt(m_btnYes); });
  m_btnNo = new QPushButton(m_sheetNewUpdateFound);
  m_btnNo->setObjectName("btnNo");
  connect(m_btnNo, &QPushButton::clicked, m_sheetNewUpdateFound, &QDialog::reject);
  grid->addWidget(m_imgNewUpdate, 0, 0, 4, 1, Qt::AlignTop);
  grid->addWidget(m_lblNewUpdateInformation, 0, 1, 1, 2);
  grid->addWidget(m_lblCurrentVersion, 1, 1);
  grid->addWidget(m_tfCurrentVersion, 1, 2);
  grid->addWidget(m_lblNewVersion, 2, 1);
  grid->addWidget(m_tfNewVersion, 2, 2);
  grid->addWidget(m_lblNewUpdateFoundLanguageVoicePrompt, 3, 1);
  grid->addWidget(m_popUpLanguageFirmwareSheet, 3, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_btnNo);
  buttons->addWidget(m_btnYes);
  grid->addLayout(buttons, 4, 0, 1, 3);
}

UpdateViewController::~UpdateViewController() { stopUpdate(); }

void UpdateViewController::stopUpdate() {
  if (m_operation) m_operation->stop_and_join();
}

update::UpdateOperation& UpdateViewController::operation() {
  if (!m_operation) m_operation = std::make_unique<update::UpdateOperation>(m_mode, *services(), *this);
  return *m_operation;
}

void UpdateViewController::initializeObjectWithDefaultStatus(bool status) {
  operation().initializeObjectWithDefaultStatus(status);
  if (m_mode != session::k_mode_firmware_restore) return;
  // the restore page's tabs are those of the backed-up device
  const FEXOBluetoothDeviceData* backup = dataToUnarchive();
  const session::TabData tabs =
      session::tab_data_for(backup ? backup->deviceRecognized() : 0, backup ? backup->deviceVersionMajor() : 0,
                            backup ? backup->deviceVersionMinor() : 0, state().fmRadioShowAndHide());
  m_tabs = tabs;
}

void UpdateViewController::setControls() {
  setShortcuts();
  const bool processing = state().onProcessing();
  for (QWidget* control : {static_cast<QWidget*>(m_btnUpdate), static_cast<QWidget*>(m_btnRestore),
                           static_cast<QWidget*>(m_popUpLanguageFirmware), static_cast<QWidget*>(m_btnBrowse),
                           static_cast<QWidget*>(m_btnDownload)}) {
    if (control) control->setEnabled(!processing);
  }
  if (m_mode == session::k_mode_firmware_update) {
    if (m_tfFirmwareFile->text().isEmpty()) m_btnUpdate->setEnabled(false);
    // no list read: nothing to download
    if (!m_operation || m_operation->latestVersion().none()) m_btnDownload->setEnabled(false);
  }
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
  if (m_btnBrowse) {
    m_btnBrowse->setText(state().showShortcuts() ? "[C]-B" : QString::fromStdString(stringBrowse()));
    m_btnDownload->setText(state().showShortcuts() ? "[C]-D" : QString::fromStdString(stringDownload()));
  }
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

void UpdateViewController::readLatest() { operation().readLatest(); }

void UpdateViewController::setControlsFirmwareRestore() { setControls(); }

void UpdateViewController::setBackupInfo() {
  m_dataToUnarchive.reset();
  const std::optional<std::string> name =
      AppTexts::vyla_product_name_for_internal(state().deviceTarget(), 1);
  const std::optional<platform::Bytes> bytes =
      name ? platform::read_file(platform::application_folder() / (*name + ".vylaarch")) : std::nullopt;
  if (bytes) {
    try {
      m_dataToUnarchive =
          std::make_unique<FEXOBluetoothDeviceData>(FEXOBluetoothDeviceData::unarchived_from(*bytes));
    } catch (const platform::ArchiveError&) {
      m_dataToUnarchive.reset();
    }
  }
  if (!m_dataToUnarchive) operation().setRestorePossible(false);
}

bool UpdateViewController::load_backup() {
  setBackupInfo();
  return m_dataToUnarchive != nullptr;
}

void UpdateViewController::init_tab_data() {
  m_tabs = session::TabData{};
  state().setListTabsOpened(false);
}

void UpdateViewController::displayNOBackupFirmware() {
  if (!m_lblRestoredData1) return;
  const auto [label, value] = stringNOBackupFirmwareParts_in(language());
  m_lblRestoredData1->setText(QString::fromStdString(label));
  m_tfRestoredData1->setText(QString::fromStdString(value));
}

void UpdateViewController::moveToNext(QObject*) {
  if (state().onProcessing()) return;
  operation().moveToNext();
}

void UpdateViewController::moveToBack(QObject*) {
  if (state().onProcessing()) return;
  operation().moveToBack();
}

void UpdateViewController::menuWillOpen() { operation().menuWillOpen(); }

void UpdateViewController::browseFirmware(QObject*) {
  if (state().onProcessing()) return;
  operation().browseFirmware();
}

void UpdateViewController::firmwareFileChanged(QObject*) { setControls(); }

void UpdateViewController::downloadFirmware(QObject*) {
  if (state().onProcessing()) return;
  operation().downloadFirmware();
}

void UpdateViewController::yesButtonSelectedAt(QObject*) {
  const int index = m_popUpLanguageFirmwareSheet->currentIndex();
  // accept, not reject: the sheet's Escape answer is No
  m_sheetNewUpdateFound->accept();
  operation().yesButtonSelectedAt(index);
}

void UpdateViewController::noButtonSelectedAt(QObject*) {
  m_sheetNewUpdateFound->hide();
  operation().noButtonSelectedAt();
}

void UpdateViewController::setControlsNewUpdateFound() {
  const int language = this->language();
  m_imgNewUpdate->setPixmap(shell::named_image(shell::k_image_application));
  m_lblNewUpdateInformation->setText(QString::fromStdString(stringNewUpdateFoundInformation()));
  m_lblCurrentVersion->setText(QString::fromStdString(stringNewUpdateFoundCurrentVersion() + ":"));
  m_lblNewVersion->setText(QString::fromStdString(stringNewUpdateFoundNewVersion() + ":"));
  m_btnYes->setText(QString::fromStdString(AppTexts::vyla_string_yes_in(language)));
  m_btnNo->setText(QString::fromStdString(AppTexts::vyla_string_no_in(language)));
}

void UpdateViewController::show_new_update_sheet(const update::NewUpdateSheet& sheet) {
  if (!m_sheetNewUpdateFound) return;
  m_tfNewVersion->setText(QString::fromStdString(sheet.versions.tfNewVersion));
  m_tfCurrentVersion->setText(QString::fromStdString(sheet.versions.tfCurrentVersion));
  // the sheet's pop-up mirrors the page's
  m_popUpLanguageFirmwareSheet->clear();
  for (int i = 0; i < m_popUpLanguageFirmware->count(); ++i) {
    m_popUpLanguageFirmwareSheet->addItem(m_popUpLanguageFirmware->itemText(i));
  }
  m_popUpLanguageFirmwareSheet->setCurrentIndex(m_popUpLanguageFirmware->currentIndex());
  m_popUpLanguageFirmwareSheet->setVisible(sheet.show_languages);
  m_popUpLanguageFirmwareSheet->setEnabled(sheet.show_languages);
  m_lblNewUpdateFoundLanguageVoicePrompt->setVisible(sheet.show_languages);
  if (sheet.show_languages) m_lblNewUpdateFoundLanguageVoicePrompt->setText(QString::fromStdString(sheet.language_label));
  setControlsNewUpdateFound();
  m_sheetNewUpdateFound->open();
  m_sheetNewUpdateFound->activateWindow();
}

void UpdateViewController::updateFirmware(QObject*) { operation().updateFirmware(); }

void UpdateViewController::restoreFirmware(QObject*) { operation().restoreFirmware(); }

void UpdateViewController::timerMethodUpdate() { operation().timerMethodUpdate(); }

void UpdateViewController::setTimerInterval(std::chrono::milliseconds interval) { m_timer->setInterval(interval); }

void UpdateViewController::endOptraUpdate() { operation().endOptraUpdate(); }

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

void UpdateViewController::remove_all_language_items() { m_popUpLanguageFirmware->clear(); }

void UpdateViewController::add_language_item(const std::string& title) {
  m_popUpLanguageFirmware->addItem(QString::fromStdString(title));
}

void UpdateViewController::start_timer() { m_timer->start(); }

void UpdateViewController::stop_timer() { m_timer->stop(); }
