// The update and restore pages as the user sees them: entering them, which
// controls are enabled, shown and where, the titles, and the restore page's
// backup information.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QTest>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "strings/app_texts.h"
#include "strings/common_texts.h"
#include "strings/setting_names.h"
#include "support/qt_wait.h"
#include "update/RestoreTableCellView.h"
#include "update/UpdateViewController.h"
#include "update/backup_step.h"
#include "update/server_fixture.h"
#include "widgets/BusyIndicator.h"

namespace {

constexpr int k_page_height = 316;

// The top of a frame given from the page's bottom-left corner.
int top_of(int y, int height) { return k_page_height - y - height; }

class FirmwarePages : public test_support::ServerFixture {
 protected:
  template <class Widget>
  static Widget* child(const QWidget& page, const char* name) {
    auto* found = page.findChild<Widget*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // The update page entered for 0x6010 ("FR9") at 1.0 with `firmware` as the server's list.
  void enter_update_page(UpdateViewController& page, const std::string& firmware) {
    state().setDeviceTarget(0x6010);
    state().setUsbStatus(0x6010);
    state().data().setDeviceVersionMajor_Minor(1, 0);
    m_server.set_file("Firmware", firmware);
    page.setServices(&m_services);
    page.setTimerInterval(std::chrono::milliseconds(10));
    page.operation().setServerIdleLimit(std::chrono::seconds(1));
    page.initializeObjectWithDefaultStatus(false);
  }
  void enter_restore_page(UpdateViewController& page, int product = 0x6010) {
    state().setDeviceTarget(product);
    state().setUsbStatus(product);
    page.setServices(&m_services);
    page.setTimerInterval(std::chrono::milliseconds(10));
    page.operation().setServerIdleLimit(std::chrono::seconds(1));
    page.initializeObjectWithDefaultStatus(true);
  }
  static void store_backup(int product, const FEXOBluetoothDeviceData& record) {
    ASSERT_TRUE(platform::write_file_atomically(*update::backup_archive_path(product), record.archived_bytes()));
  }
  static FEXOBluetoothDeviceData backup_of(int device, int major, int minor) {
    FEXOBluetoothDeviceData record;
    record.setManagerVersionMajor(1);
    record.setManagerVersionMinor(4);
    record.setDeviceRecognized(device);
    record.setDeviceVersionMajor_Minor(major, minor);
    return record;
  }
  static bool red(const QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(Qt::red); }
};

TEST_F(FirmwarePages, UpdatePageWithoutAListShowsTheServerFailureInRed) {
  UpdateViewController page(session::k_mode_firmware_update);
  page.show();
  enter_update_page(page, "OTHER:v9.9:other.img\r\n");
  // the circular indicator runs while the list is read, and every control waits
  auto* circular = child<BusyIndicator>(page, "piProcessingCircular");
  auto* latest = child<QLabel>(page, "tfLatestVersion");
  EXPECT_EQ(page.operation().state(), update::k_state_reading_update_list);
  EXPECT_TRUE(circular->isRunning());
  // nothing has failed yet
  EXPECT_TRUE(latest->text().isEmpty());
  EXPECT_FALSE(child<QPushButton>(page, "btnBrowse")->isEnabled());
  EXPECT_FALSE(page.btnNext()->isEnabled());
  VX_TRY_VERIFY(!state().onProcessing());
  EXPECT_FALSE(circular->isRunning());

  EXPECT_EQ(latest->text().toStdString(), UpdateTexts::vyla_string_cannot_connect_to_the_server_in(0));
  EXPECT_TRUE(red(latest));
  auto* download = child<QPushButton>(page, "btnDownload");
  EXPECT_FALSE(download->isEnabled());
  EXPECT_EQ(download->geometry(), QRect(400, top_of(194, 19), 115, 19));
  EXPECT_FALSE(child<QComboBox>(page, "popUpLanguageFirmware")->isVisible());
  EXPECT_FALSE(child<QLabel>(page, "lblUpdateLanguageVoicePrompt")->isVisible());
  EXPECT_FALSE(child<QLabel>(page, "lblUpdateVoicePromptInformation")->isVisible());
  EXPECT_TRUE(child<QPushButton>(page, "btnBrowse")->isEnabled());
  EXPECT_EQ(child<QLabel>(page, "lblFirmwareFile")->text(), "Firmware To Update");
  EXPECT_EQ(page.btnBack()->geometry(), QRect(7, top_of(8, 19), 140, 19));
  EXPECT_EQ(child<QPushButton>(page, "btnRestore")->geometry(), QRect(335, top_of(33, 19), 180, 19));
}

TEST_F(FirmwarePages, OneLanguageShowsTheFileNameAndSeveralThePopUpWithItsHelp) {
  UpdateViewController page(session::k_mode_firmware_update);
  page.show();
  enter_update_page(page, "FR9:v1.0:FR9_v1.0.img\r\n");
  VX_TRY_VERIFY(!state().onProcessing());
  auto* latest = child<QLabel>(page, "tfLatestVersion");
  EXPECT_EQ(latest->text(), "Latest Version: v1.0 (FR9_v1.0.img)");
  EXPECT_FALSE(red(latest));
  EXPECT_FALSE(child<QComboBox>(page, "popUpLanguageFirmware")->isVisible());
  EXPECT_TRUE(child<QPushButton>(page, "btnDownload")->isEnabled());
  EXPECT_EQ(child<QPushButton>(page, "btnDownload")->geometry(), QRect(400, top_of(194, 19), 115, 19));

  m_server.set_file("Firmware",
                    "FR9:v1.0:English:FR9_EN.img\r\nFR9:v1.0:French:FR9_FR.img\r\nFR9:v1.0:German:FR9_DE.img\r\n");
  page.initializeObjectWithDefaultStatus(false);
  VX_TRY_VERIFY(!state().onProcessing());
  EXPECT_EQ(latest->text(), "Latest Version: v1.0");
  auto* languages = child<QComboBox>(page, "popUpLanguageFirmware");
  EXPECT_TRUE(languages->isVisible());
  EXPECT_EQ(languages->geometry(), QRect(398, top_of(190, 26), 120, 26));
  auto* label = child<QLabel>(page, "lblUpdateLanguageVoicePrompt");
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), "Voice Prompt");
  auto* help = child<QLabel>(page, "lblUpdateVoicePromptInformation");
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->text().toStdString(), page.stringVoicePromptInformationForVerrano());
  EXPECT_EQ(child<QPushButton>(page, "btnDownload")->geometry(), QRect(400, top_of(171, 19), 115, 19));
}

TEST_F(FirmwarePages, UpdateFollowsTheFileAndProcessingAndTheBarTheProgress) {
  UpdateViewController page(session::k_mode_firmware_update);
  page.show();
  enter_update_page(page, "FR9:v1.0:FR9_v1.0.img\r\n");
  VX_TRY_VERIFY(!state().onProcessing());
  auto* update = child<QPushButton>(page, "btnUpdate");
  EXPECT_FALSE(update->isEnabled());
  child<QLineEdit>(page, "tfFirmwareFile")->setText("/tmp/FR9_v1.0.img");
  EXPECT_TRUE(update->isEnabled());
  state().setOnProcessing(true);
  page.setControls();
  for (const char* name : {"btnUpdate", "btnRestore", "btnBrowse", "btnDownload", "btnNext", "btnBack"}) {
    EXPECT_FALSE(child<QPushButton>(page, name)->isEnabled()) << name;
  }
  EXPECT_FALSE(child<QComboBox>(page, "popUpLanguageFirmware")->isEnabled());
  // the file of the running job takes no typing
  auto* file = child<QLineEdit>(page, "tfFirmwareFile");
  EXPECT_TRUE(file->isReadOnly());
  QTest::keyClicks(file, "x");
  EXPECT_EQ(file->text(), "/tmp/FR9_v1.0.img");

  auto* bar = child<QProgressBar>(page, "piProcessing");
  auto* percent = child<QLabel>(page, "tfPercent");
  page.operation().setState(update::k_state_updating);
  page.setControls();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_FALSE(percent->isVisible());
  page.operation().report().setUpdateProcessed(42);
  page.setControls();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(percent->isVisible());
  EXPECT_EQ(bar->value(), 42);
  EXPECT_EQ(child<QLabel>(page, "tfProcessing")->text(), "42");
  EXPECT_EQ(bar->maximum(), 100);
  page.operation().setState(update::k_state_idle);
  state().setOnProcessing(false);
  page.setControls();
  EXPECT_FALSE(file->isReadOnly());
}

TEST_F(FirmwarePages, ShortcutTitlesOfBothPagesAndWhereNextLeads) {
  UpdateViewController update_page(session::k_mode_firmware_update);
  UpdateViewController restore_page(session::k_mode_firmware_restore);
  update_page.setServices(&m_services);
  restore_page.setServices(&m_services);
  state().setDeviceTarget(0x6010);
  state().setShowShortcuts(true);
  update_page.setShortcuts();
  restore_page.setShortcuts();
  EXPECT_EQ(update_page.btnNext()->text(), QString::fromUtf8("[C]-▶"));
  EXPECT_EQ(update_page.btnBack()->text(), QString::fromUtf8("[C]-◀"));
  EXPECT_EQ(child<QPushButton>(update_page, "btnUpdate")->text(), "[O][C]-U");
  EXPECT_EQ(child<QPushButton>(update_page, "btnRestore")->text(), "[C]-E");
  EXPECT_EQ(child<QPushButton>(update_page, "btnBrowse")->text(), "[C]-B");
  EXPECT_EQ(child<QPushButton>(update_page, "btnDownload")->text(), "[C]-D");
  EXPECT_EQ(child<QLabel>(update_page, "lblUpdateLanguageVoicePrompt")->text(), "[S][C]-L");
  EXPECT_EQ(child<QPushButton>(restore_page, "btnUpdate")->text(), "[C]-U");
  EXPECT_EQ(child<QPushButton>(restore_page, "btnRestore")->text(), "[O][C]-E");
  EXPECT_EQ(child<QLabel>(restore_page, "lblRestoreLanguageVoicePrompt")->text(), "[S][C]-L");

  state().setShowShortcuts(false);
  update_page.setShortcuts();
  restore_page.setShortcuts();
  EXPECT_EQ(update_page.btnNext()->text().toStdString(), AppTexts::vyla_string_next_in(0));
  EXPECT_EQ(update_page.btnBack()->text().toStdString(), AppTexts::vyla_string_back_in(0));
  EXPECT_EQ(child<QPushButton>(update_page, "btnUpdate")->text().toStdString(), update_page.stringUPDATE());
  EXPECT_EQ(child<QPushButton>(update_page, "btnRestore")->text().toStdString(), AppTexts::vyla_string_mode_in(6, 0));
  EXPECT_EQ(child<QPushButton>(restore_page, "btnUpdate")->text().toStdString(), AppTexts::vyla_string_mode_in(5, 0));
  EXPECT_EQ(child<QPushButton>(restore_page, "btnRestore")->text().toStdString(), restore_page.stringRESTORE());
  EXPECT_EQ(child<QLabel>(restore_page, "lblRestoreLanguageVoicePrompt")->text(), "Voice Prompt");

  struct Case {
    int product, usb, major, minor;
    bool new_device;
  };
  for (const Case& c : {Case{0x6010, 0x6010, 1, 0, false}, Case{0x6010, 0x8000, 1, 0, true},
                        Case{0x5310, 0x5310, 1, 0, true}, Case{0x3020, 0x3020, 1, 0, true},
                        Case{0x3560, 0x3560, 1, 0, true}, Case{0x3570, 0x3570, 1, 1, false},
                        Case{0x3500, 0x3500, 2, 1, true}, Case{0x3500, 0x3500, 2, 2, false}}) {
    SCOPED_TRACE(c.product);
    state().setDeviceTarget(c.product);
    state().setUsbStatus(c.usb);
    state().data().setDeviceVersionMajor_Minor(c.major, c.minor);
    restore_page.setShortcuts();
    EXPECT_EQ(restore_page.btnNext()->text().toStdString(),
              c.new_device ? AppTexts::vyla_string_new_device_in(0) : AppTexts::vyla_string_next_in(0));
  }
}

TEST_F(FirmwarePages, RestorePageWithoutABackupOffersNothing) {
  UpdateViewController page(session::k_mode_firmware_restore);
  page.show();
  enter_restore_page(page);
  EXPECT_EQ(page.dataToUnarchive(), nullptr);
  EXPECT_FALSE(page.restorePossible());
  EXPECT_EQ(page.operation().state(), update::k_state_idle);
  EXPECT_FALSE(state().onProcessing());
  EXPECT_FALSE(child<QPushButton>(page, "btnRestore")->isEnabled());
  for (const char* name : {"lblRestoredVersion", "tfRestoredVersion", "lblRestoredDate", "tfRestoredDate",
                           "lblRestoredData1", "tfRestoredData6"}) {
    EXPECT_FALSE(child<QLabel>(page, name)->isVisible()) << name;
  }
  EXPECT_FALSE(child<QScrollArea>(page, "scrollViewRestore")->isVisible());
  EXPECT_FALSE(child<QTableView>(page, "tableViewRestore")->isVisible());
  EXPECT_EQ(m_services.calls.back(), "setStatus_withWarning Failed to restore firmware. NO backup firmware 1");
  EXPECT_EQ(state().getStrStatus(), "Failed to restore firmware. NO backup firmware");
  // no list is read
  EXPECT_EQ(m_server.request_count("/fexobluetoothmanager/Revisions"), 0);

  // without a selected product nothing is reported
  UpdateViewController other(session::k_mode_firmware_restore);
  m_services.calls.clear();
  enter_restore_page(other, 0);
  for (const std::string& call : m_services.calls) EXPECT_EQ(call.find("setStatus_withWarning"), std::string::npos);
}

TEST_F(FirmwarePages, RestorePageResumesAnInterruptedRestoreAtOnce) {
  state().setStrRestartDFUFirmwareFile(m_folder + "/FR9.img");
  UpdateViewController page(session::k_mode_firmware_restore);
  enter_restore_page(page);
  EXPECT_TRUE(state().onProcessing());
  EXPECT_EQ(child<QLineEdit>(page, "tfFirmwareFile")->text().toStdString(), m_folder + "/FR9.img");
  // the restore runs and ends: no device answers here
  VX_TRY_EQ(page.operation().state(), update::k_state_idle);
}

TEST_F(FirmwarePages, ARefusedBackupIsShownButNeverHandedOn) {
  FEXOBluetoothDeviceData old = backup_of(0x6010, 1, 2);
  old.setManagerVersionMajor(0);
  old.setManagerVersionMinor(0);
  store_backup(0x6010, old);
  UpdateViewController page(session::k_mode_firmware_restore);
  enter_restore_page(page);
  ASSERT_NE(page.dataToUnarchive(), nullptr);
  EXPECT_TRUE(page.dataToUnarchiveRefused());
  EXPECT_FALSE(page.restorePossible());
  // what the end of a restore hands to recognition
  const update::UpdatePage& engine_side = page;
  EXPECT_EQ(engine_side.data_to_unarchive(), nullptr);

  store_backup(0x6010, backup_of(0x6010, 1, 2));
  page.setBackupInfo();
  EXPECT_FALSE(page.dataToUnarchiveRefused());
  EXPECT_EQ(engine_side.data_to_unarchive(), page.dataToUnarchive());
}

TEST_F(FirmwarePages, RestorePageShowsTheBackupAndTheRowsOfTheSelectedTab) {
  FEXOBluetoothDeviceData backup = backup_of(0x6010, 1, 2);
  backup.setDateArchived(0.0);
  backup.setHandsfreeVOX(1);
  backup.setFmRadioPresetsAt_with(0, 8750);
  store_backup(0x6010, backup);
  m_server.set_file("Revisions", "FR9:v1.2:FR9_v1.2.img\r\n");
  UpdateViewController page(session::k_mode_firmware_restore);
  page.show();
  enter_restore_page(page);
  VX_TRY_EQ(page.operation().state(), update::k_state_idle);
  ASSERT_TRUE(page.restorePossible());
  // the tabs are those of the backed-up device: settings, speed dial, FM
  EXPECT_EQ(page.tabCount(), 3);
  EXPECT_EQ(child<QLabel>(page, "lblBackupFirmwareInformation")->text(), "Backup Firmware Information");
  EXPECT_EQ(child<QLabel>(page, "lblRestoredVersion")->text(), "Version:");
  EXPECT_EQ(child<QLabel>(page, "tfRestoredVersion")->text(), "v1.2");
  EXPECT_EQ(child<QLabel>(page, "lblRestoredDate")->text(), "Date: ");
  const QString date = QDateTime::fromSecsSinceEpoch(978307200).toString("MM/dd/yyyy HH:mm:ss");
  EXPECT_EQ(child<QLabel>(page, "tfRestoredDate")->text(), date);
  EXPECT_EQ(child<QLabel>(page, "lblRestoredData2")->text(), "VOX Phone:");
  EXPECT_EQ(child<QLabel>(page, "tfRestoredData2")->text(), "Enabled");
  EXPECT_EQ(child<QLabel>(page, "lblRestoredData1")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  // this product's settings go into the restore table, the rows stay beneath it
  EXPECT_TRUE(child<QScrollArea>(page, "scrollViewRestore")->isVisible());
  EXPECT_TRUE(child<QLabel>(page, "lblRestoredData6")->isVisible());
  EXPECT_TRUE(child<QPushButton>(page, "btnRestore")->isEnabled());
  EXPECT_EQ(child<QLabel>(page, "lblRestoredData1")->geometry(), QRect(3, top_of(194, 17), 305, 17));
  EXPECT_EQ(child<QLabel>(page, "tfRestoredData6")->geometry(), QRect(315, top_of(109, 17), 200, 17));
  EXPECT_EQ(child<QPushButton>(page, "btnUpdate")->geometry(), QRect(7, top_of(28, 19), 180, 19));

  // speed dial: three rows
  page.setTabIndexSelected(1);
  page.setControls();
  EXPECT_EQ(child<QLabel>(page, "lblRestoredData1")->text(), "Speed Dial 1: ");
  EXPECT_TRUE(child<QLabel>(page, "lblRestoredData3")->isVisible());
  EXPECT_FALSE(child<QLabel>(page, "lblRestoredData4")->isVisible());
  EXPECT_FALSE(child<QScrollArea>(page, "scrollViewRestore")->isVisible());
  // FM: six presets, the region in the date row, left-aligned
  page.setTabIndexSelected(2);
  page.setControls();
  EXPECT_EQ(child<QLabel>(page, "lblRestoredDate")->text(), "Radio Region:");
  EXPECT_EQ(child<QLabel>(page, "tfRestoredDate")->text(), "Worldwide");
  EXPECT_EQ(child<QLabel>(page, "lblRestoredData1")->text(), "  1:   87.5 MHz");
  EXPECT_EQ(child<QLabel>(page, "lblRestoredData1")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_TRUE(child<QLabel>(page, "lblRestoredData6")->isVisible());
  // back on settings the date returns
  page.setTabIndexSelected(0);
  page.setControls();
  EXPECT_EQ(child<QLabel>(page, "tfRestoredDate")->text(), date);
}

TEST_F(FirmwarePages, ALanguageChangeRetitlesThePage) {
  UpdateViewController page(session::k_mode_firmware_restore);
  enter_restore_page(page);
  state().setLanguageManager(1);
  page.readLatest();
  EXPECT_EQ(page.btnBack()->text().toStdString(), AppTexts::vyla_string_back_in(1));
  EXPECT_EQ(child<QPushButton>(page, "btnUpdate")->text().toStdString(), AppTexts::vyla_string_mode_in(5, 1));
  EXPECT_EQ(child<QLabel>(page, "lblRestoreLanguageVoicePrompt")->text().toStdString(),
            strings::setting_name(strings::SettingName::VoicePrompt, 1));
}

// The texts of the restore table's rows as the page shows them; "-" for a row without a cell.
std::vector<std::pair<QString, QString>> table_rows(const UpdateViewController& page) {
  std::vector<std::pair<QString, QString>> rows;
  QTableView* table = page.tableViewRestore();
  for (int row = 0; row < table->model()->rowCount(); ++row) {
    auto* cell = qobject_cast<RestoreTableCellView*>(table->indexWidget(table->model()->index(row, 0)));
    if (!cell) {
      rows.emplace_back("-", "-");
      continue;
    }
    EXPECT_EQ(cell->objectName(), "RestoreTextCell");
    EXPECT_EQ(cell->findChild<QLabel*>("settingNameText"), cell->settingNameText());
    EXPECT_EQ(cell->findChild<QLabel*>("settingValueText"), cell->settingValueText());
    rows.emplace_back(cell->settingNameText()->text(), cell->settingValueText()->text());
  }
  return rows;
}

TEST_F(FirmwarePages, RestoreTableShowsTheBackedUpSettingsAndFollowsTheLanguage) {
  FEXOBluetoothDeviceData backup = backup_of(0x6010, 1, 2);
  backup.setSmartNaviSystem(1);
  backup.setIntercomVOX(1);
  backup.setBasicSettingKR5VOXSensitivity_with(0, 3);
  backup.setVoicePrompt(1);
  backup.setEssStatus(1);
  store_backup(0x6010, backup);
  m_server.set_file("Revisions", "FR9:v1.2:FR9_v1.2.img\r\n");
  UpdateViewController page(session::k_mode_firmware_restore);
  page.show();
  enter_restore_page(page);
  VX_TRY_EQ(page.operation().state(), update::k_state_idle);
  ASSERT_TRUE(child<QTableView>(page, "tableViewRestore")->isVisible());
  EXPECT_EQ(page.numberOfRowsInTableView(nullptr), 12);
  auto rows = table_rows(page);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0], std::make_pair(QString("Smart Navi System"), QString("Enabled")));
  EXPECT_EQ(rows[3], std::make_pair(QString("VOX Intercom"), QString("Enabled")));
  EXPECT_EQ(rows[5], std::make_pair(QString("VOX Sensitivity"), QString("3")));
  EXPECT_EQ(rows[6], std::make_pair(QString("Voice Prompt"), QString("Disabled")));
  EXPECT_EQ(rows[10], std::make_pair(QString("ESS Configuration"), QString("Headlight + ESS")));
  // the view's column plays no part
  std::unique_ptr<RestoreTableCellView> other_column(page.tableView_viewForTableColumn_row(nullptr, 3, 3));
  ASSERT_TRUE(other_column);
  EXPECT_EQ(other_column->settingNameText()->text(), "VOX Intercom");
  EXPECT_EQ(page.tableView_viewForTableColumn_row(nullptr, 0, 12), nullptr);

  // German: names and words change at the next reload, the values stay
  constexpr int german = 2;
  state().setLanguageManager(german);
  page.readLatest();
  rows = table_rows(page);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[3].first.toStdString(), strings::setting_name(strings::SettingName::VOXIntercom, german));
  EXPECT_EQ(rows[3].second.toStdString(), CommonTexts::vyla_string_enabled_in(german));
  EXPECT_EQ(rows[6].second.toStdString(), CommonTexts::vyla_string_disabled_in(german));
  EXPECT_EQ(rows[5].second, "3");
  EXPECT_EQ(rows[10].second, "Headlight + ESS");
}

TEST_F(FirmwarePages, RestoreTableCountsRowsTheProductDoesNotDefine) {
  struct Case {
    int product;
    std::vector<std::pair<QString, QString>> rows;
  };
  const Case cases[] = {
      // seven counted of eight defined: the last is not shown
      {0x6500,
       {{"Audio Equalizer", "Off"}, {"VOX Phone", "Disabled"}, {"HD Voice", "Disabled"}, {"Voice Prompt", "Enabled"},
        {"FM Station Guide", "Disabled"}, {"VOX Sensitivity", "1"}, {"Audio Veneer Volume Management", "Disabled"}}},
      // eight counted, none defined
      {0x6114, std::vector<std::pair<QString, QString>>(8, {"-", "-"})},
      // eight defined, none counted
      {0x3360, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    store_backup(c.product, backup_of(c.product, 1, 0));
    UpdateViewController page(session::k_mode_firmware_restore);
    enter_restore_page(page, c.product);
    ASSERT_NE(page.dataToUnarchive(), nullptr);
    EXPECT_EQ(table_rows(page), c.rows);
  }
}

TEST_F(FirmwarePages, RestoreTableWithoutABackupHasNoRows) {
  UpdateViewController page(session::k_mode_firmware_restore);
  enter_restore_page(page);
  ASSERT_EQ(page.dataToUnarchive(), nullptr);
  EXPECT_EQ(page.numberOfRowsInTableView(page.tableViewRestore()), 0);
  EXPECT_EQ(page.tableView_viewForTableColumn_row(page.tableViewRestore(), 0, 0), nullptr);
  EXPECT_EQ(page.tableViewRestore()->model()->rowCount(), 0);

  // a page the controller has not attached yet answers no rows either
  UpdateViewController detached(session::k_mode_firmware_restore);
  EXPECT_EQ(detached.numberOfRowsInTableView(nullptr), 0);
  EXPECT_EQ(detached.tableView_viewForTableColumn_row(nullptr, 0, 0), nullptr);
}

}  // namespace
