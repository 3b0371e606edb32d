#pragma once
// Firmware update page (page mode 5) and firmware restore page (page mode 6):
// two instances of one class. The page holds the controls the update engine
// reads and owns the one-second timer; what the Update and Restore actions and
// each tick do is the Qt-free update::UpdateOperation the page owns.
#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "device_data/FEXOBluetoothDeviceData.h"
#include "session/settings_tabs.h"
#include "strings/update_texts.h"
#include "update/unit_language_commands.h"
#include "update/update_operation.h"
#include "widgets/DetailViewController.h"

class BusyIndicator;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTableView;
class QTimer;

class RestoreTableCellView;

namespace update {
struct BackupPanel;
struct RestoreTableContext;
class RestoreTableModel;
}

class UpdateViewController : public DetailViewController,
                             public UpdateTexts,
                             public UnitLanguageCommands,
                             public update::UpdatePage {
  Q_OBJECT

 public:
  // `mode` 5 builds the update page, 6 the restore page.
  explicit UpdateViewController(int mode, QWidget* parent = nullptr);
  // Stops a running worker first: it calls back into this page.
  ~UpdateViewController() override;
  int pageMode() const { return m_mode; }

  // Entry of the page: the update page reads the server's "Firmware" list, the
  // restore page its backup and "Revisions"; with `status` the page's default
  // status texts are set at the end. The restore page's tabs are then those of
  // the backed-up device.
  void initializeObjectWithDefaultStatus(bool status);
  // The page's controls: titles, then the update or the restore layout.
  void setControls() override;
  // Titles of Back and Next, then of the page's own buttons.
  void setShortcuts() override;
  void setShortcutsFirmwareUpdate();
  void setShortcutsFirmwareRestore();
  // The update page: enabling, progress, the latest version, frames.
  void setControlsFirmwareUpdate();

  // Restore page: whether a restorable firmware is known.
  bool restorePossible() { return operation().restorePossible(); }
  void setRestorePossible(bool possible) { operation().setRestorePossible(possible); }
  // The restore page's own settings tabs (main thread only).
  const session::TabData& tabData() const { return m_tabs; }
  void setTabData(const session::TabData& tabs) { m_tabs = tabs; }
  int tabCount() const { return m_tabs.count; }
  void setTabCount(int count) { m_tabs.count = count; }
  // Tab kind at `index`; outside 0..2 reads 0 and a write is ignored.
  int tabAt(int index) const { return m_tabs.kind_at(index); }
  void setTab_At(int kind, int index) {
    if (index >= 0 && index < 3) m_tabs.kinds[static_cast<size_t>(index)] = kind;
  }
  int tabIndexSelected() const { return m_tabs.selected; }
  void setTabIndexSelected(int index) { m_tabs.selected = index; }

  // Reads the server's list again when it offered voice-prompt languages
  // (they follow the interface language); else only refreshes the page.
  void readLatest();
  // The restore page: the backup panel, enabling, the rows the product and
  // tab show, progress, frames.
  void setControlsFirmwareRestore();
  // The restore page's tabs back to none, the settings-tab list closed.
  void initTabData();
  // Reads the backup archive of the selected product into dataToUnarchive and
  // fills the version and date rows and the view of the selected tab. A
  // missing, damaged or refused backup leaves nothing to restore
  // (restorePossible NO) and reports "NO backup firmware" in the status line.
  void setBackupInfo();
  // Rows 1 to 3 show the backup's speed dials.
  void speedDialDataShow();
  // The restore table shows exactly when a restore is possible.
  void restoreTableViewHiddenWithRestorePossible();
  // The restore table: its rows are the settings of dataToUnarchive, by the
  // selected product, the backup's version and whether the FM radio shows.
  QTableView* tableViewRestore() const { return m_tableViewRestore; }
  // Rows of the table (0 without a backup); the table view is not looked at.
  int numberOfRowsInTableView(QTableView* tableView) const;
  // A cell of the page's own table with the row's name and value, or nullptr
  // when the product has no such row. Every column gets the same cell.
  RestoreTableCellView* tableView_viewForTableColumn_row(QTableView* tableView, int column, int row);
  // Asks every row of the table again and puts its cell in place.
  void reloadRestoreTable();
  // The record read from the backup archive on the restore page (nullptr: none).
  const FEXOBluetoothDeviceData* dataToUnarchive() const { return m_dataToUnarchive.get(); }
  // Whether that record was refused: it is shown but never restored.
  bool dataToUnarchiveRefused() const { return m_dataToUnarchive && !m_backupRestorable; }

  // Next: the settings or speed-dial page of the selected product, or the
  // device selection (firmware-management mode, products without settings).
  void moveToNext(QObject* sender = nullptr);
  // Back: the recognition page, without starting a recognition.
  void moveToBack(QObject* sender = nullptr);
  // A pop-up menu of the page opens: the settings-tab list closes.
  void menuWillOpen();

  // Browse (btnBrowse): an open panel; the chosen file is the one to flash.
  void browseFirmware(QObject* sender = nullptr);
  // The file field was edited.
  void firmwareFileChanged(QObject* sender = nullptr);
  // Download (btnDownload, and Yes on the new-update sheet): a save panel
  // proposes the file of the selected language; OK downloads it.
  void downloadFirmware(QObject* sender = nullptr);
  // The new-update sheet's answers: Yes takes the sheet's language and
  // downloads; No (and Escape) declines.
  void yesButtonSelectedAt(QObject* sender = nullptr);
  void noButtonSelectedAt(QObject* sender = nullptr);
  // Fills the new-update sheet's image, texts and button titles.
  void setControlsNewUpdateFound();
  QPushButton* btnNext() const { return m_rightButton; }
  QPushButton* btnBack() const { return m_leftButton; }

  // Update (btnUpdate): on the restore page opens the update page; here it
  // flashes the file in tfFirmwareFile.
  void updateFirmware(QObject* sender = nullptr);
  // Restore (btnRestore): on the update page opens the restore page; here it
  // downloads and flashes the restore image.
  void restoreFirmware(QObject* sender = nullptr);
  // The one-second tick of a running operation.
  void timerMethodUpdate();
  // Tests make the tick come sooner.
  void setTimerInterval(std::chrono::milliseconds interval);
  update::UpdateOperation& operation();
  // Shut-down: a running worker stops at its next wait or device exchange; waits for it.
  void stopUpdate();

  // The user confirmed the end of the camera hand-over: the next tick ends
  // the update as a success (UpdateOperation::endOptraUpdate).
  void endOptraUpdate();
  bool optraUpdateEnded() { return operation().checkOptraUpdateComplete(); }
  // Whether a message box of the engine is open; the answers to the engine's
  // questions clear it (any thread).
  void setOpenedMessageBox(bool opened) { operation().setOpenedMessageBox(opened); }
  bool openedMessageBox() { return operation().openedMessageBox(); }

  // The engine's two questions that this page answers. `request` gives the
  // texts, buttons and size; the page sets the purpose.
  // End of a camera firmware copy: OK ends the copy (endOptraUpdate).
  void openCameraCopyDoneBox(session::MessageBoxRequest request);
  // No backup file before an update: OK goes on without one
  // (skipRestoreBackupFile); either answer releases the waiting engine
  // (openedMessageBox cleared) and closes the box once more.
  void openBackupFailedBox(session::MessageBoxRequest request);

  // ---- texts of the current interface language ----
  std::string stringUPDATE() const { return stringUPDATE_in(language()); }
  std::string stringRESTORE() const { return stringRESTORE_in(language()); }
  std::string stringBrowse() const { return stringBrowse_in(language()); }
  std::string stringDownload() const { return stringDownload_in(language()); }
  std::string stringLatestVersion() const { return stringLatestVersion_in(language()); }
  std::string stringFirmwareToUpdate() const { return stringFirmwareToUpdate_in(language()); }
  std::string stringBackupFirmwareInformation() const { return stringBackupFirmwareInformation_in(language()); }
  std::string stringNewUpdateFoundInformation() const { return stringNewUpdateFoundInformation_in(language()); }
  std::string stringNewUpdateFoundCurrentVersion() const { return stringNewUpdateFoundCurrentVersion_in(language()); }
  std::string stringNewUpdateFoundNewVersion() const { return stringNewUpdateFoundNewVersion_in(language()); }
  std::string stringVoicePromptInformationForVerrano() const {
    return stringVoicePromptInformationForVerrano_in(language());
  }
  std::string stringVoicePromptInformation() const { return stringVoicePromptInformation_in(language()); }
  std::string stringMessageReconfigure() const { return stringMessageReconfigure_in(language()); }
  std::string stringMessagePowerOnPowerOff() const { return stringMessagePowerOnPowerOff_in(language()); }
  std::string stringMessageSWitchOnSwitchOff() const { return stringMessageSWitchOnSwitchOff_in(language()); }
  std::string stringMessageManagerRestart() const { return stringMessageManagerRestart_in(language()); }
  std::string stringMessageXP9ToKWXP9ForIronvale() const { return stringMessageXP9ToKWXP9ForIronvale_in(language()); }
  // Writes "NO backup " into the first backup label and "firmware" into its value field.
  void displayNOBackupFirmware();

  // ---- update::UpdatePage ----
  void open_backup_failed_box(const session::MessageBoxRequest& request) override;
  void open_camera_copy_done_box(const session::MessageBoxRequest& request) override;
  void start_circular_progress() override;
  void stop_circular_progress() override;
  std::string firmware_file() const override;
  void set_firmware_file(const std::string& path) override;
  int language_item_count() const override;
  int selected_language_item() const override;
  void select_language_item(int index) override;
  void remove_all_language_items() override;
  void add_language_item(const std::string& title) override;
  void start_timer() override;
  void stop_timer() override;
  void set_page_controls() override { setControls(); }
  const FEXOBluetoothDeviceData* data_to_unarchive() const override {
    return m_backupRestorable ? dataToUnarchive() : nullptr;
  }
  bool load_backup() override;
  void init_tab_data() override;
  void show_new_update_sheet(const update::NewUpdateSheet& sheet) override;

 private:
  int language() const { return state().languageManager(); }
  void build_update_view();
  void build_restore_view();
  void build_common_controls();
  // Progress of the page's state: the circular indicator while the list is
  // read or a file downloaded, else the bar while an operation runs.
  void show_progress(bool fetching, bool with_information);
  void show_backup_panel(const update::BackupPanel& panel);
  void show_restore_rows();
  void backup_failed();
  void build_new_update_sheet();
  // The keys of the page's hinted controls.
  void bind_keys();
  update::RestoreTableContext restore_table_context() const;

  int m_mode;
  session::TabData m_tabs;
  std::unique_ptr<FEXOBluetoothDeviceData> m_dataToUnarchive;
  bool m_backupRestorable = false;

  QLineEdit* m_tfFirmwareFile = nullptr;
  QComboBox* m_popUpLanguageFirmware = nullptr;
  BusyIndicator* m_piProcessingCircular = nullptr;
  QLabel* m_tfProcessing = nullptr;
  QLabel* m_tfPercent = nullptr;
  QPushButton* m_btnUpdate = nullptr;
  QPushButton* m_btnRestore = nullptr;
  QPushButton* m_btnBrowse = nullptr;
  QPushButton* m_btnDownload = nullptr;
  QLabel* m_lblUpdateVoicePromptInformation = nullptr;
  // the update page
  QLabel* m_lblFirmwareFile = nullptr;
  QLabel* m_tfLatestVersion = nullptr;
  QLabel* m_lblUpdateLanguageVoicePrompt = nullptr;
  // the restore page
  QLabel* m_lblBackupFirmwareInformation = nullptr;
  QLabel* m_lblRestoredVersion = nullptr;
  QLabel* m_tfRestoredVersion = nullptr;
  QLabel* m_lblRestoredDate = nullptr;
  QLabel* m_tfRestoredDate = nullptr;
  std::array<QLabel*, 6> m_lblRestoredData{};
  std::array<QLabel*, 6> m_tfRestoredData{};
  QLabel* m_lblRestoreLanguageVoicePrompt = nullptr;
  QScrollArea* m_scrollViewRestore = nullptr;
  QTableView* m_tableViewRestore = nullptr;
  update::RestoreTableModel* m_restoreTableModel = nullptr;
  // the new-update sheet
  QDialog* m_sheetNewUpdateFound = nullptr;
  QLabel* m_imgNewUpdate = nullptr;
  QLabel* m_lblNewUpdateInformation = nullptr;
  QLabel* m_lblCurrentVersion = nullptr;
  QLabel* m_tfCurrentVersion = nullptr;
  QLabel* m_lblNewVersion = nullptr;
  QLabel* m_tfNewVersion = nullptr;
  QComboBox* m_popUpLanguageFirmwareSheet = nullptr;
  QLabel* m_lblNewUpdateFoundLanguageVoicePrompt = nullptr;
  QPushButton* m_btnYes = nullptr;
  QPushButton* m_btnNo = nullptr;
  QTimer* m_timer = nullptr;
  // made on first use: it needs the controller's services
  std::unique_ptr<update::UpdateOperation> m_operation;
};
