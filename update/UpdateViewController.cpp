#include "update/UpdateViewController.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/format.h"
#include "platform/main_queue.h"
#include "strings/app_texts.h"
#include "strings/setting_names.h"
#include "update/RestoreTableCellView.h"
#include "update/backup_panel.h"
#include "update/restore_table.h"
#include "update/restore_table_model_qt.h"
#include "widgets/BusyIndicator.h"
#include "widgets/main_window_layout.h"
#include "widgets/named_images.h"
#include "widgets/page_keys.h"

namespace {

// The bar is a percentage, like the figure beside it; the mesh products'
// figure runs on to 102 before their procedure reports success, and the bar
// stands full meanwhile.
constexpr int k_progress_maximum = 100;
constexpr std::chrono::milliseconds k_timer_interval{1000};

// A pop-up button that tells its page before its menu opens.
class MenuPopUpButton : public QComboBox {
 public:
  MenuPopUpButton(std::function<void()> menu_will_open, QWidget* parent)
      : QComboBox(parent), m_menu_will_open(std::move(menu_will_open)) {}
  void showPopup() override {
    m_menu_will_open();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> m_menu_will_open;
};

// The product whose versions have four parts: secondary type and number first.
constexpr int k_four_part_version_product = 0x3020;

// Download sits beside the latest version, or lower when the language pop-up takes its place.
constexpr UpdateViewController::Frame k_frame_download{400, 194, 115, 19};
constexpr UpdateViewController::Frame k_frame_download_below_languages{400, 171, 115, 19};

// Key hints of the page's own controls. The voice-prompt pop-up takes Shift
// with its L: Ctrl+L alone opens the language chooser on every page.
constexpr const char* k_hint_update_on_update_page = "[O][C]-U";
constexpr const char* k_hint_restore_on_restore_page = "[O][C]-E";
constexpr const char* k_hint_browse = "[C]-B";
constexpr const char* k_hint_download = "[C]-D";
constexpr const char* k_hint_voice_prompt = "[S][C]-L";

// The restore page's six rows, from the top.
constexpr int k_restored_row_y[] = {194, 177, 160, 143, 126, 109};

QString q(const std::string& text) { return QString::fromStdString(text); }

void set_text_colour(QLabel* label, Qt::GlobalColor colour) {
  QPalette colours = label->palette();
  colours.setColor(QPalette::WindowText, colour);
  label->setPalette(colours);
}

// The moment of a backup (seconds since 2001-01-01 UTC) in local time, in the
// date format of `language`.
QString archive_date_text(const std::optional<double>& seconds_since_2001, int language) {
  if (!seconds_since_2001) return {};
  constexpr double k_seconds_1970_to_2001 = 978307200.0;
  const auto since_1970 = static_cast<qint64>(*seconds_since_2001 + k_seconds_1970_to_2001);
  return QDateTime::fromSecsSinceEpoch(since_1970).toString(q(CommonTexts::vyla_string_date_format_in(language)));
}

}  // namespace

UpdateViewController::UpdateViewController(int mode, QWidget* parent) : DetailViewController(parent), m_mode(mode) {
  // a fixed page: frames are measured from its bottom edge
  setFixedSize(widgets::layout::k_page_width, widgets::layout::k_page_height);
  build_common_controls();
  if (m_mode == session::k_mode_firmware_update) {
    build_update_view();
  } else {
    build_restore_view();
  }
  m_timer = new QTimer(this);
  m_timer->setInterval(k_timer_interval);
  connect(m_timer, &QTimer::timeout, this, &UpdateViewController::timerMethodUpdate);
  if (m_mode == session::k_mode_firmware_update) build_new_update_sheet();
  bind_keys();
  for (QWidget* part : {static_cast<QWidget*>(m_piProcessing), static_cast<QWidget*>(m_tfProcessing),
                        static_cast<QWidget*>(m_tfPercent)}) {
    part->setVisible(false);
  }
}

void UpdateViewController::build_common_controls() {
  m_leftButton = page_control<QPushButton>("btnBack");
  m_rightButton = page_control<QPushButton>("btnNext");
  connect(btnNext(), &QPushButton::clicked, this, [this] { moveToNext(btnNext()); });
  connect(btnBack(), &QPushButton::clicked, this, [this] { moveToBack(btnBack()); });

  m_tfFirmwareFile = page_control<QLineEdit>("tfFirmwareFile");
  connect(m_tfFirmwareFile, &QLineEdit::textChanged, this, [this] {
    if (services()) firmwareFileChanged(m_tfFirmwareFile);
  });
  m_popUpLanguageFirmware = page_control<MenuPopUpButton>("popUpLanguageFirmware", [this] {
    if (services()) menuWillOpen();
  });
  m_lblUpdateVoicePromptInformation = page_control<QLabel>("lblUpdateVoicePromptInformation");
  m_lblUpdateVoicePromptInformation->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  m_piProcessingCircular = page_control<BusyIndicator>("piProcessingCircular");
  make_processing_indicator();
  m_piProcessing->setRange(0, k_progress_maximum);
  m_tfProcessing = page_control<QLabel>("tfProcessing");
  m_tfProcessing->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_tfPercent = page_control<QLabel>("tfPercent");
  m_tfPercent->setText("%");

  m_btnUpdate = page_control<QPushButton>("btnUpdate");
  connect(m_btnUpdate, &QPushButton::clicked, this, [this] { updateFirmware(m_btnUpdate); });
  m_btnRestore = page_control<QPushButton>("btnRestore");
  connect(m_btnRestore, &QPushButton::clicked, this, [this] { restoreFirmware(m_btnRestore); });
}

void UpdateViewController::build_update_view() {
  m_lblFirmwareFile = page_control<QLabel>("lblFirmwareFile");
  m_btnBrowse = page_control<QPushButton>("btnBrowse");
  connect(m_btnBrowse, &QPushButton::clicked, this, [this] { browseFirmware(m_btnBrowse); });
  m_btnDownload = page_control<QPushButton>("btnDownload");
  connect(m_btnDownload, &QPushButton::clicked, this, [this] { downloadFirmware(m_btnDownload); });
  m_tfLatestVersion = page_control<QLabel>("tfLatestVersion");
  m_lblUpdateLanguageVoicePrompt = page_control<QLabel>("lblUpdateLanguageVoicePrompt");
  m_lblUpdateLanguageVoicePrompt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  // the frames the controls keep; setControlsFirmwareUpdate places the rest
  place(m_lblFirmwareFile, {4, 262, 505, 17});
  place(m_tfFirmwareFile, {7, 236, 388, 22});
  place(m_btnBrowse, {400, 238, 115, 19});
  place(m_tfLatestVersion, {4, 215, 390, 17});
  place(m_lblUpdateLanguageVoicePrompt, {205, 194, 190, 17});
  place(m_lblUpdateVoicePromptInformation, {7, 80, 508, 80});
  place(m_piProcessingCircular, {250, 51, 24, 20});
  place(m_piProcessing, {17, 51, 490, 20});
  place(m_tfProcessing, {223, 30, 38, 17});
  place(m_tfPercent, {263, 30, 38, 17});
}

void UpdateViewController::build_restore_view() {
  // the restore image's path: the engine flashes it, the user never edits it
  m_tfFirmwareFile->setVisible(false);
  m_lblBackupFirmwareInformation = page_control<QLabel>("lblBackupFirmwareInformation");
  m_lblBackupFirmwareInformation->setAlignment(Qt::AlignCenter);
  m_lblRestoredVersion = page_control<QLabel>("lblRestoredVersion");
  m_tfRestoredVersion = page_control<QLabel>("tfRestoredVersion");
  m_lblRestoredDate = page_control<QLabel>("lblRestoredDate");
  m_lblRestoredDate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_tfRestoredDate = page_control<QLabel>("tfRestoredDate");
  for (std::size_t row = 0; row < m_lblRestoredData.size(); ++row) {
    const std::string number = std::to_string(row + 1);
    m_lblRestoredData[row] = page_control<QLabel>(("lblRestoredData" + number).c_str());
    m_lblRestoredData[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_tfRestoredData[row] = page_control<QLabel>(("tfRestoredData" + number).c_str());
  }
  m_lblRestoreLanguageVoicePrompt = page_control<QLabel>("lblRestoreLanguageVoicePrompt");
  m_lblRestoreLanguageVoicePrompt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_scrollViewRestore = page_control<QScrollArea>("scrollViewRestore");
  m_scrollViewRestore->setWidgetResizable(true);
  m_tableViewRestore = new QTableView;
  m_tableViewRestore->setObjectName("tableViewRestore");
  m_restoreTableModel = new update::RestoreTableModel([this] { return restore_table_context(); }, this);
  m_tableViewRestore->setModel(m_restoreTableModel);
  // one column of cells that show name and value; nothing to select or edit
  m_tableViewRestore->horizontalHeader()->setVisible(false);
  m_tableViewRestore->horizontalHeader()->setStretchLastSection(true);
  m_tableViewRestore->verticalHeader()->setVisible(false);
  m_tableViewRestore->verticalHeader()->setDefaultSectionSize(20);
  m_tableViewRestore->setSelectionMode(QAbstractItemView::NoSelection);
  m_tableViewRestore->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_tableViewRestore->setShowGrid(false);
  m_scrollViewRestore->setWidget(m_tableViewRestore);
  m_scrollViewRestore->setVisible(false);

  // the frames the controls keep; setControlsFirmwareRestore places the rest
  place(m_scrollViewRestore, {4, 100, 511, 110});
  place(m_lblUpdateVoicePromptInformation, {7, 75, 508, 30});
  place(m_piProcessingCircular, {250, 51, 24, 20});
}
void UpdateViewController::build_new_update_sheet() {
  m_sheetNewUpdateFound = new QDialog(this);
  m_sheetNewUpdateFound->setObjectName("sheetNewUpdateFound");
  m_sheetNewUpdateFound->setWindowModality(Qt::WindowModal);
  // Escape and the window's close button decline, as No does
  connect(m_sheetNewUpdateFound, &QDialog::rejected, this, [this] { noButtonSelectedAt(m_btnNo); });
  QWidget* sheet = m_sheetNewUpdateFound;
  auto* grid = new QGridLayout(sheet);
  m_imgNewUpdate = named_child<QLabel>(sheet, "imgNewUpdate");
  m_imgNewUpdate->setFixedSize(64, 64);
  m_imgNewUpdate->setScaledContents(true);
  m_lblNewUpdateInformation = named_child<QLabel>(sheet, "lblNewUpdateInformation");
  m_lblNewUpdateInformation->setWordWrap(true);
  m_lblCurrentVersion = named_child<QLabel>(sheet, "lblCurrentVersion");
  m_tfCurrentVersion = named_child<QLabel>(sheet, "tfCurrentVersion");
  m_lblNewVersion = named_child<QLabel>(sheet, "lblNewVersion");
  m_tfNewVersion = named_child<QLabel>(sheet, "tfNewVersion");
  m_lblNewUpdateFoundLanguageVoicePrompt = named_child<QLabel>(sheet, "lblNewUpdateFoundLanguageVoicePrompt");
  m_popUpLanguageFirmwareSheet = named_child<QComboBox>(sheet, "popUpLanguageFirmwareSheet");
  // Return always answers Yes, wherever the focus is: a button that takes
  // the focus does not take the default with it
  m_btnYes = named_child<QPushButton>(sheet, "btnYes");
  m_btnYes->setAutoDefault(false);
  m_btnYes->setDefault(true);
  connect(m_btnYes, &QPushButton::clicked, this, [this] { yesButtonSelectedAt(m_btnYes); });
  m_btnNo = named_child<QPushButton>(sheet, "btnNo");
  m_btnNo->setAutoDefault(false);
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

void UpdateViewController::bind_keys() {
  const auto free = [this] { return services() && !state().onProcessing(); };
  const auto open_voice_prompts = [this] { m_popUpLanguageFirmware->showPopup(); };
  widgets::bind_hinted_key(this, k_hint_voice_prompt, m_popUpLanguageFirmware, open_voice_prompts, free);
  // the other page's button is the main button of that page, whose key the window binds
  if (m_mode == session::k_mode_firmware_update) {
    widgets::bind_hinted_key(this, k_hint_update_on_update_page, m_btnUpdate, free);
    widgets::bind_hinted_key(this, k_hint_browse, m_btnBrowse, free);
    widgets::bind_hinted_key(this, k_hint_download, m_btnDownload, free);
  } else {
    widgets::bind_hinted_key(this, k_hint_restore_on_restore_page, m_btnRestore, free);
  }
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
  session::AppState::SetTabDataInTabCount_tabs_tabIndexSelected_toDevice_withVerMajor_Minor_fmRadioShowAndHide(
      m_tabs.count, m_tabs.kinds.data(), m_tabs.selected, backup ? backup->deviceRecognized() : 0, backup ? backup->deviceVersionMajor() : 0,
      backup ? backup->deviceVersionMinor() : 0, state().fmRadioShowAndHide());
}

void UpdateViewController::initTabData() {
  session::AppState::SetTabDataDefaultInTabCount_tabs_tabIndexSelected(m_tabs.count, m_tabs.kinds.data(),
                                                                     m_tabs.selected);
  state().setListTabsOpened(false);
}

void UpdateViewController::setControls() {
  setShortcuts();
  // the page's own layout: the controls of the other page do not exist here
  if (m_mode == session::k_mode_firmware_update) {
    setControlsFirmwareUpdate();
  } else {
    setControlsFirmwareRestore();
  }
}

void UpdateViewController::setShortcuts() {
  const int language = this->language();
  if (state().showShortcuts()) {
    btnNext()->setText(QString::fromUtf8("[C]-▶"));
    btnBack()->setText(QString::fromUtf8("[C]-◀"));
  } else {
    btnBack()->setText(q(AppTexts::vyla_string_back_in(language)));
    btnNext()->setText(q(operation().nextLeadsToDeviceSelection() ? AppTexts::vyla_string_new_device_in(language)
                                                                   : AppTexts::vyla_string_next_in(language)));
  }
  if (m_mode == session::k_mode_firmware_update) {
    setShortcutsFirmwareUpdate();
  } else {
    setShortcutsFirmwareRestore();
  }
}

void UpdateViewController::setShortcutsFirmwareUpdate() {
  const int language = this->language();
  if (state().showShortcuts()) {
    m_btnUpdate->setText(k_hint_update_on_update_page);
    m_btnRestore->setText("[C]-E");
    m_btnBrowse->setText(k_hint_browse);
    m_btnDownload->setText(k_hint_download);
    m_lblUpdateLanguageVoicePrompt->setText(k_hint_voice_prompt);
  } else {
    m_btnUpdate->setText(q(stringUPDATE()));
    m_btnRestore->setText(q(AppTexts::vyla_string_mode_in(session::k_mode_firmware_restore, language)));
    m_btnBrowse->setText(q(stringBrowse()));
    m_btnDownload->setText(q(stringDownload()));
    m_lblUpdateLanguageVoicePrompt->setText(q(strings::setting_name(strings::SettingName::VoicePrompt, language)));
  }
}

void UpdateViewController::setShortcutsFirmwareRestore() {
  const int language = this->language();
  if (state().showShortcuts()) {
    m_btnUpdate->setText("[C]-U");
    m_btnRestore->setText(k_hint_restore_on_restore_page);
    m_lblRestoreLanguageVoicePrompt->setText(k_hint_voice_prompt);
  } else {
    m_btnUpdate->setText(q(AppTexts::vyla_string_mode_in(session::k_mode_firmware_update, language)));
    m_btnRestore->setText(q(stringRESTORE()));
    m_lblRestoreLanguageVoicePrompt->setText(q(strings::setting_name(strings::SettingName::VoicePrompt, language)));
  }
}

void UpdateViewController::show_progress(bool fetching, bool with_information) {
  const bool processing = state().onProcessing();
  if (fetching) {
    m_piProcessingCircular->setRunning(processing);
    for (QWidget* part : {static_cast<QWidget*>(m_piProcessing), static_cast<QWidget*>(m_tfProcessing),
                          static_cast<QWidget*>(m_tfPercent)}) {
      part->setVisible(false);
    }
    if (with_information) m_lblUpdateVoicePromptInformation->setVisible(true);
    return;
  }
  m_piProcessingCircular->setRunning(false);
  const int processed = operation().report().updateProcessed();
  const bool shown = processed >= 0;
  m_piProcessing->setVisible(shown);
  m_tfProcessing->setVisible(shown);
  m_tfPercent->setVisible(shown);
  if (with_information) m_lblUpdateVoicePromptInformation->setVisible(!shown);
  if (shown) {
    m_piProcessing->setValue(std::clamp(processed, 0, k_progress_maximum));
    // QProgressBar repaints by itself only when the change is wider than one
    // chunk of its style; the bar is to show the figure beside it at every tick
    m_piProcessing->update();
    m_tfProcessing->setText(QString::number(processed));
  }
}

void UpdateViewController::setControlsFirmwareUpdate() {
  const int language = this->language();
  const bool processing = state().onProcessing();
  m_lblFirmwareFile->setText(q(stringFirmwareToUpdate()));
  for (QWidget* control : {static_cast<QWidget*>(m_btnBrowse), static_cast<QWidget*>(m_btnDownload),
                           static_cast<QWidget*>(m_btnRestore), static_cast<QWidget*>(m_btnUpdate),
                           static_cast<QWidget*>(btnNext()), static_cast<QWidget*>(btnBack()),
                           static_cast<QWidget*>(m_popUpLanguageFirmware)}) {
    control->setEnabled(!processing);
  }
  // the file of a running update stays as it is; its path can still be selected and copied
  m_tfFirmwareFile->setReadOnly(processing);
  const int page_state = operation().state();
  const bool reading_list = page_state == update::k_state_reading_update_list;
  show_progress(reading_list || page_state == update::k_state_downloading_update, true);

  // the latest version of the server's list
  const update::LatestVersion& latest = operation().latestVersion();
  const bool several_languages = m_popUpLanguageFirmware->count() >= 2;
  if (latest.none()) {
    m_btnDownload->setEnabled(false);
    // while the list is read the spinner says so; the failure shows once the reading has failed
    m_tfLatestVersion->setText(
        reading_list ? QString() : q(UpdateTexts::vyla_string_cannot_connect_to_the_server_in(language)));
    set_text_colour(m_tfLatestVersion, Qt::red);
    m_popUpLanguageFirmware->setVisible(false);
    m_lblUpdateLanguageVoicePrompt->setVisible(false);
    m_lblUpdateVoicePromptInformation->setVisible(false);
    place(m_btnDownload, k_frame_download);
  } else {
    const std::string suffix = latest.secondary == 0 ? "" : platform::format(".%d", latest.secondary);
    const bool four_parts = state().deviceTarget() == k_four_part_version_product;
    std::string text = four_parts ? platform::format("%@: v%d.%d.%d.%d", stringLatestVersion(), latest.secondary_type,
                                                     latest.secondary, latest.major, latest.minor)
                                  : platform::format("%@: v%d.%d%@", stringLatestVersion(), latest.major,
                                                     latest.minor, suffix);
    if (!several_languages) {
      text += platform::format(" (%@)", operation().fileNameLatestVersion().value_or(""));
    }
    m_tfLatestVersion->setText(q(text));
    set_text_colour(m_tfLatestVersion, Qt::black);
    m_popUpLanguageFirmware->setVisible(several_languages);
    m_lblUpdateLanguageVoicePrompt->setVisible(several_languages);
    m_lblUpdateVoicePromptInformation->setVisible(several_languages);
    if (several_languages) m_lblUpdateVoicePromptInformation->setText(q(stringVoicePromptInformationForVerrano()));
    place(m_btnDownload, several_languages ? k_frame_download_below_languages : k_frame_download);
  }
  // nothing to flash yet
  if (m_tfFirmwareFile->text().isEmpty()) m_btnUpdate->setEnabled(false);

  place(btnBack(), {7, 8, 140, 19});
  place(btnNext(), {375, 8, 140, 19});
  place(m_btnUpdate, {185, 7, 155, 19});
  place(m_btnRestore, {335, 33, 180, 19});
  place(m_popUpLanguageFirmware, {398, 190, 120, 26});
}

void UpdateViewController::setControlsFirmwareRestore() {
  const session::AppState& state = this->state();
  const int language = this->language();
  setBackupInfo();
  m_lblBackupFirmwareInformation->setText(q(stringBackupFirmwareInformation()));

  const int items = m_popUpLanguageFirmware->count();
  const std::string version_name = AppTexts::vyla_string_version_in(language);
  if (items == 0) {
    m_lblRestoredVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblRestoredVersion->setText(q(version_name + ":"));
  } else {
    m_lblRestoredVersion->setAlignment(Qt::AlignCenter);
    m_lblRestoredVersion->setText(q(version_name + ": ") + m_tfRestoredVersion->text());
  }

  const bool processing = state.onProcessing();
  for (QWidget* control : {static_cast<QWidget*>(m_btnRestore), static_cast<QWidget*>(m_btnUpdate),
                           static_cast<QWidget*>(btnNext()), static_cast<QWidget*>(btnBack()),
                           static_cast<QWidget*>(m_popUpLanguageFirmware)}) {
    control->setEnabled(!processing);
  }

  std::vector<QWidget*> panel = {m_lblRestoredVersion, m_tfRestoredVersion, m_lblRestoredDate, m_tfRestoredDate};
  for (std::size_t row = 0; row < m_lblRestoredData.size(); ++row) {
    panel.push_back(m_lblRestoredData[row]);
    panel.push_back(m_tfRestoredData[row]);
  }
  for (QWidget* control : panel) control->setVisible(true);
  const bool several_languages = items >= 2;
  m_popUpLanguageFirmware->setVisible(several_languages);
  m_lblRestoreLanguageVoicePrompt->setVisible(several_languages);
  m_lblUpdateVoicePromptInformation->setVisible(several_languages);
  // the version is in its label
  if (several_languages) m_tfRestoredVersion->setVisible(false);
  m_tableViewRestore->setVisible(false);
  m_scrollViewRestore->setVisible(false);

  if (!restorePossible()) {
    m_btnRestore->setEnabled(false);
    for (QWidget* control : panel) control->setVisible(false);
    for (QWidget* control : {static_cast<QWidget*>(m_popUpLanguageFirmware),
                             static_cast<QWidget*>(m_lblRestoreLanguageVoicePrompt),
                             static_cast<QWidget*>(m_lblUpdateVoicePromptInformation)}) {
      control->setVisible(false);
    }
  }
  show_restore_rows();

  const int page_state = operation().state();
  show_progress(page_state == update::k_state_reading_restore_list ||
                    page_state == update::k_state_downloading_restore,
                false);

  place(m_lblBackupFirmwareInformation, {0, 250, 525, 17});
  place(m_popUpLanguageFirmware, {398, 231, 112, 26});
  place(m_lblRestoreLanguageVoicePrompt, {205, 235, 194, 17});
  place(m_lblRestoredVersion, {4, 232, 305, 17});
  place(m_tfRestoredVersion, {315, 232, 200, 17});
  place(m_lblRestoredDate, {4, 215, 305, 17});
  place(m_tfRestoredDate, {315, 215, 200, 17});
  for (std::size_t row = 0; row < m_lblRestoredData.size(); ++row) {
    const int y = k_restored_row_y[row];
    place(m_lblRestoredData[row], {row == 0 ? 3 : 4, y, 305, 17});
    place(m_tfRestoredData[row], {315, y, 200, 17});
  }
  place(m_piProcessing, {17, 51, 490, 20});
  place(m_tfProcessing, {223, 43, 38, 17});
  place(m_tfPercent, {263, 43, 38, 17});
  place(m_btnUpdate, {7, 28, 180, 19});
  place(btnBack(), {7, 7, 140, 19});
  place(m_btnRestore, {185, 7, 155, 19});
  place(btnNext(), {375, 7, 140, 19});
  // the table's rows follow the backup just read
  reloadRestoreTable();
}

update::RestoreTableContext UpdateViewController::restore_table_context() const {
  // before the controller attaches the page there is nothing to show
  if (!services()) return {};
  const session::AppState& state = this->state();
  return {state.deviceTarget(), dataToUnarchive(), state.fmRadioShowAndHide(), language()};
}

int UpdateViewController::numberOfRowsInTableView(QTableView*) const {
  return update::restore_table_row_count(restore_table_context());
}

RestoreTableCellView* UpdateViewController::tableView_viewForTableColumn_row(QTableView*, int, int row) {
  if (!m_tableViewRestore) return nullptr;
  const std::optional<update::RestoreTableCell> cell = update::restore_table_cell(restore_table_context(), row);
  if (!cell) return nullptr;
  // the page's own table owns the cell until a row takes it
  auto* view = new RestoreTableCellView(m_tableViewRestore->viewport());
  view->settingNameText()->setText(q(cell->name));
  view->settingValueText()->setText(q(cell->value));
  return view;
}

void UpdateViewController::reloadRestoreTable() {
  if (!m_restoreTableModel || !services()) return;
  m_restoreTableModel->reload();
  const int rows = m_restoreTableModel->rowCount();
  for (int row = 0; row < rows; ++row) {
    // a counted row the product does not define stays empty
    RestoreTableCellView* view = tableView_viewForTableColumn_row(m_tableViewRestore, 0, row);
    if (view) m_tableViewRestore->setIndexWidget(m_restoreTableModel->index(row, 0), view);
  }
}

void UpdateViewController::show_restore_rows() {
  const session::AppState& state = this->state();
  const FEXOBluetoothDeviceData* backup = dataToUnarchive();
  const update::RestoreRows rows =
      update::restore_rows(state.deviceTarget(), m_tabs.kind_at(m_tabs.selected),
                           backup ? backup->deviceVersionMajor() : 0, backup ? backup->deviceVersionMinor() : 0);
  for (std::size_t row = 0; row < m_lblRestoredData.size(); ++row) {
    const int number = static_cast<int>(row) + 1;
    if (number > rows.shown || (rows.hide_4_and_5 && (number == 4 || number == 5))) {
      m_lblRestoredData[row]->setVisible(false);
      m_tfRestoredData[row]->setVisible(false);
    }
  }
  // systems before 10.7 keep the rows
  const bool table_possible = (state.osVersionPrimary() == 10 && state.osVersionSecondary() > 6) ||
                              state.osVersionPrimary() >= 11;
  if (rows.table && table_possible) restoreTableViewHiddenWithRestorePossible();
}

void UpdateViewController::restoreTableViewHiddenWithRestorePossible() {
  const bool possible = restorePossible();
  m_tableViewRestore->setVisible(possible);
  m_scrollViewRestore->setVisible(possible);
  if (possible) m_scrollViewRestore->raise();
}

void UpdateViewController::readLatest() { operation().readLatest(); }

void UpdateViewController::setBackupInfo() {
  const session::AppState& state = this->state();
  const int product = state.deviceTarget();
  update::BackupReading reading = update::read_backup(product, state.data().deviceRecognized());
  // replaced before any check: a refused record stays for display
  m_backupRestorable = reading.restorable();
  m_dataToUnarchive = std::move(reading.record);
  if (!m_backupRestorable) {
    backup_failed();
    return;
  }
  show_backup_panel(update::backup_panel(*m_dataToUnarchive, product, m_tabs.kind_at(m_tabs.selected), language()));
}

void UpdateViewController::show_backup_panel(const update::BackupPanel& panel) {
  const Qt::Alignment alignment =
      (panel.alignment == update::RowAlignment::left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
  // the sixth label keeps its alignment
  for (std::size_t row = 0; row + 1 < m_lblRestoredData.size(); ++row) m_lblRestoredData[row]->setAlignment(alignment);
  m_tfRestoredVersion->setText(q(panel.version));
  m_lblRestoredDate->setText(q(panel.date_label));
  if (panel.date_value) {
    m_tfRestoredDate->setText(q(*panel.date_value));
  } else {
    m_tfRestoredDate->setText(archive_date_text(m_dataToUnarchive->dateArchived(), language()));
  }
  for (std::size_t row = 0; row < m_lblRestoredData.size(); ++row) {
    if (panel.labels[row]) m_lblRestoredData[row]->setText(q(*panel.labels[row]));
    if (panel.values[row]) m_tfRestoredData[row]->setText(q(*panel.values[row]));
  }
}

void UpdateViewController::speedDialDataShow() {
  if (!m_dataToUnarchive || !m_lblRestoredData[0]) return;
  update::BackupPanel panel;
  update::fill_speed_dials(panel, *m_dataToUnarchive, language());
  for (std::size_t row = 0; row < m_lblRestoredData.size(); ++row) {
    if (panel.labels[row]) m_lblRestoredData[row]->setText(q(*panel.labels[row]));
    if (panel.values[row]) m_tfRestoredData[row]->setText(q(*panel.values[row]));
  }
}

void UpdateViewController::backup_failed() {
  session::AppState& state = this->state();
  // without a selected product there is nothing to report; the status field
  // keeps its white background
  if (state.deviceTarget() == 0) return;
  setRestorePossible(false);
  for (int language = 0; language < strings::k_language_count; ++language) {
    state.setStrStatus_In(
        platform::format("%@. %@", vyla_status_failure_usb_in(m_mode, state.usbStatus(), language).value_or(""),
                         vyla_string_no_backup_firmware_in(language)),
        language);
  }
  services()->setStatus_withWarning(state.getStrStatus(), true);
}

bool UpdateViewController::load_backup() {
  setBackupInfo();
  return m_backupRestorable;
}

void UpdateViewController::init_tab_data() { initTabData(); }

void UpdateViewController::displayNOBackupFirmware() {
  if (!m_lblRestoredData[0]) return;
  const auto [label, value] = stringNOBackupFirmwareParts_in(language());
  m_lblRestoredData[0]->setText(q(label));
  m_tfRestoredData[0]->setText(q(value));
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
  m_imgNewUpdate->setPixmap(widgets::named_image(widgets::k_image_application));
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
  // every showing starts on Yes, not where the last one was left
  m_btnYes->setFocus(Qt::OtherFocusReason);
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
    operation().report().answer_backup_failed(ok);
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
    if (page) page->m_piProcessingCircular->setRunning(true);
  });
}

void UpdateViewController::stop_circular_progress() {
  platform::post_to_main([page = QPointer<UpdateViewController>(this)] {
    if (page) page->m_piProcessingCircular->setRunning(false);
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
