#pragma once
// The one application controller: owns the main window and its common
// controls, the eight pages and the shared state, starts up from the
// configuration archive, switches pages and shows the status line.
//
// Everything here runs on the main thread, except the shared state inherited
// from session::AppState, which worker threads may read and write, and the
// message box, which any thread may open and close. Pages, workers and engines
// reach it only through session::Services.
#include <QObject>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "platform/keyed_archive.h"
#include "session/app_state.h"
#include "session/services.h"
#include "shell/configuration_archive.h"
#include "strings/app_texts.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QDialog;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTranslator;

class DetailViewController;
class DeviceSettingsBaseViewController;
class DeviceRecognitionViewController;
class DeviceSelectionViewController;
class DeviceSettingsSecondViewController;
class DeviceSettingsSpeedDialViewController;
class DeviceSettingsViewController;
class FEXOBluetoothMainButton;
class FEXOBluetoothManagerView;
class ManagerUpdateViewController;
class UpdateViewController;

class FEXOBluetoothManagerAppController : public QObject,
                                          public AppTexts,
                                          public session::AppState,
                                          public session::Services {
  Q_OBJECT

 public:
  // Builds the controller, its pages and the main window, then starts up
  // (reads the configuration archive and shows the first page).
  explicit FEXOBluetoothManagerAppController(QObject* parent = nullptr);
  ~FEXOBluetoothManagerAppController() override;

  QMainWindow* window() const { return m_window; }

  session::AppState& state() override { return *this; }
  const session::AppState& state() const override { return *this; }

  // ---- pages (created once, in this order) ----
  ManagerUpdateViewController* managerUpdateViewController() const { return m_managerUpdateViewController; }
  DeviceSelectionViewController* deviceSelectionViewController() const { return m_deviceSelectionViewController; }
  DeviceRecognitionViewController* deviceRecognitionViewController() const {
    return m_deviceRecognitionViewController;
  }
  UpdateViewController* updateViewController() const { return m_updateViewController; }
  UpdateViewController* restoreViewController() const { return m_restoreViewController; }
  DeviceSettingsViewController* deviceSettingsViewController() const { return m_deviceSettingsViewController; }
  DeviceSettingsSecondViewController* deviceSettingsSecondViewController() const {
    return m_deviceSettingsSecondViewController;
  }
  DeviceSettingsSpeedDialViewController* deviceSettingsSpeedDialViewController() const {
    return m_deviceSettingsSpeedDialViewController;
  }
  // The page of `mode` 2..9; nullptr for any other mode.
  DetailViewController* currentDetailViewController() const;

  // ---- start-up ----
  // Runs initializeObject once the window is built.
  void awakeFromNib();
  // Defaults, configuration archive, interface language, first page.
  void initializeObject();
  // Parses an operating-system version text ("major.minor[.patch]" somewhere
  // among blank-separated words) into the three OS version fields; false (and
  // nothing changed) when no word qualifies.
  bool setOsVersionFromString(const std::string& text);

  // ---- configuration archive ----
  using ArchivedConfiguration = shell::ArchivedConfiguration;
  // Class record of the archived controller.
  static const platform::ArchiveClass& archive_class();
  // "<application folder>/Vexlink Setwise.vylaconf".
  static std::string configuration_file_path();
  // Writes the archived keys of the current state in their fixed order.
  void encodeWithCoder(platform::KeyedArchiver& coder) const;
  // The archived values; throws platform::ArchiveError on a key of the wrong type.
  static ArchivedConfiguration initWithCoder(const platform::KeyedUnarchiver& coder);
  // The whole configuration archive of this controller.
  platform::Bytes archived_bytes() const;
  // Writes the archive to configuration_file_path(); false when it could not be written.
  bool write_configuration_archive() const override;

  // ---- page switching ----
  void setDetailViewController(int mode) override;
  void setManagerUpdate() override;
  void setDeviceSelection() override;
  void setDeviceSelectionOnStartUp(bool on_start_up);
  // Opens the recognition page for caller `from` (0, 5..9 or a mode plus 100);
  // `info` is the record a restore writes back into the device (nullptr for none).
  void setDeviceRecognitionWithStatus_info_from(bool status, const FEXOBluetoothDeviceData* info, int from) override;
  void setFirmwareUpdateWithStatus(bool status) override;
  void setFirmwareRestoreWithStatus(bool status) override;
  void setDeviceSettingsWithStatus(bool status) override;
  void setDeviceSettingsSecondWithStatus(bool status) override;
  void setDeviceSettingsSpeedDialWithStatus(bool status) override;
  void switchDetailViewWithViewController(DetailViewController* page);

  // ---- refresh of the controller's own controls ----
  void setControls() override;
  void setControlsFont();
  void setShortcuts();
  void setMainButtonTitleColor();
  void reflectShortcuts() override;
  void enableListTabsTo(bool enable) override;
  void setTitle() override;
  void setDetailTitle();

  // ---- actions (a sender is ignored unless said) ----
  void deviceSelection(QObject* sender = nullptr);
  void deviceRecognition(QObject* sender = nullptr);
  void firmwareUpdate(QObject* sender = nullptr);
  void firmwareRestore(QObject* sender = nullptr);
  void deviceSettings(QObject* sender = nullptr);
  void moveToFirstPage(QObject* sender = nullptr);
  void moveToSecondPage(QObject* sender = nullptr);
  // `sender` is one of the three tab-list buttons.
  void changeSelectionListTabs(QObject* sender);
  void changeShortcuts(QObject* sender = nullptr);
  void goNext(QObject* sender = nullptr);
  void goBack(QObject* sender = nullptr);
  // Ends the application through the one termination path (archive, USB, relaunch).
  void stopManager() override;
  void stopManager(QObject* sender);
  // The first step of the shut-down: stops the pages' workers and waits for
  // them, always in this order: the update and restore workers and the
  // recognition (they hold the USB devices), the settings pages' saves (waited
  // for, not stopped), then the manager's version check (its request is aborted).
  void stopWorkers();

  // ---- status line ----
  std::string getStatusDefault() override;
  std::string getStatusProcessing() override;
  void setStatus_withWarning(const std::string& text, bool warning) override;
  void setStatusWithDefault() override;
  void updateStatusInManagerLanguage();
  void showStatus(QObject* sender = nullptr);

  // ---- message box ----
  // Shows the box; callable from any thread, returns at once. The answer goes
  // to `on_answer`, or without one to the controller's answer for the purpose.
  void openMessageBox(const session::MessageBoxRequest& request, session::MessageBoxAnswer on_answer = {}) override;
  // The same box without a handler: `message` with the given button titles
  // (nullopt: no such button), answered by the controller for `purpose`.
  void openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
      const std::string& message, bool warning, const std::optional<std::string>& cancel_title,
      const std::optional<std::string>& ok_title, session::MessageBoxSize size, session::MessageBoxPurpose purpose);
  // Closes the box without an answer; answers the purpose it had. Callable
  // from any thread: a worker's close is carried out on the main thread after
  // its earlier open.
  session::MessageBoxPurpose closeMessageBox() override;
  session::MessageBoxPurpose closeMessageBox(QObject* sender);
  // The buttons: close the box, then hand its answer to the box's handler.
  void messageBoxOK(QObject* sender = nullptr);
  void messageBoxCancel(QObject* sender = nullptr);
  // Whether a message box has been opened in this process (the first one is taller).
  static bool messageBoxOpenedBefore();
  // What the user of the selected product (deviceTarget) holds to bring it
  // into firmware-management mode, in the interface language; nullopt for a
  // product without an instruction.
  std::optional<std::string> getMessageBoxFirstButton() const;
  std::optional<std::string> getMessageBoxFailureFirstButton() const;
  std::optional<std::string> getMessageBoxSecondButton() const;
  // The notice that no backup file could be made before an update.
  std::optional<std::string> getMessageBoxFileCreationFailed() const;

  // ---- file panels ----
  // A window-modal open or save panel ("filePanel") on the main window; the
  // answer comes when it closes.
  void openFilePanel(const session::FilePanelRequest& request, session::FilePanelAnswer on_answer) override;

  // ---- language chooser ----
  // Opens the sheet on the row of the interface language (nothing while processing).
  void openLanguageManager(QObject* sender = nullptr);
  // A row's radio cell or label was clicked: select it and preview its language.
  void changeLanguageManager(QObject* sender);
  // Re-labels the sheet in the language of the selected row.
  void setControlsLanguageManager();
  // Applies the chosen language and firmware-language flag, re-labels the window.
  void languageManagerOK(QObject* sender = nullptr);
  void languageManagerCancel(QObject* sender = nullptr);
  // Interface language of chooser row `row`, and the row of `language`.
  static int languageManagerFromButtonCellIndex(int row);
  static int buttonCellIndexFromLanguageManager(int language);

  // ---- about, diagnostic log, online help ----
  void about(QObject* sender = nullptr);
  void aboutOK(QObject* sender = nullptr);
  // Proposes a log file name in a save panel; the log is written when the user confirms.
  void logStatus(QObject* sender = nullptr);
  // Opens the help site in the interface language in the browser.
  void showOnlineHelp(QObject* sender = nullptr);

  // ---- recognized-device header ----
  // Picture file of the recognized product (data's deviceRecognized); nullopt when it has none.
  std::optional<std::string> getImageFileName() const;
  void setInformationDeviceRecognized();

  // ---- menu titles in the interface language ----
  using MenuTexts::stringMenuHelp;
  using MenuTexts::stringMenuItemAbout;
  using MenuTexts::stringMenuItemDiagnosticLog;
  using MenuTexts::stringMenuItemHideOthers;
  using MenuTexts::stringMenuItemHideThis;
  using MenuTexts::stringMenuItemKeyboradShortcuts;
  using MenuTexts::stringMenuItemManagerLanguage;
  using MenuTexts::stringMenuItemOnlineHelp;
  using MenuTexts::stringMenuItemQuit;
  using MenuTexts::stringMenuItemShowAll;
  using MenuTexts::stringMenuItemShowPrecaution;
  using MenuTexts::stringPromptSave;
  std::string stringMenuHelp() const { return stringMenuHelp(languageManager()); }
  std::string stringMenuItemAbout() const { return stringMenuItemAbout(languageManager()); }
  std::string stringMenuItemHideThis() const { return stringMenuItemHideThis(languageManager()); }
  std::string stringMenuItemHideOthers() const { return stringMenuItemHideOthers(languageManager()); }
  std::string stringMenuItemShowAll() const { return stringMenuItemShowAll(languageManager()); }
  std::string stringMenuItemQuit() const { return stringMenuItemQuit(languageManager()); }
  std::string stringMenuItemOnlineHelp() const { return stringMenuItemOnlineHelp(languageManager()); }
  std::string stringMenuItemManagerLanguage() const { return stringMenuItemManagerLanguage(languageManager()); }
  std::string stringMenuItemDiagnosticLog() const { return stringMenuItemDiagnosticLog(languageManager()); }
  std::string stringMenuItemKeyboradShortcuts() const {
    return stringMenuItemKeyboradShortcuts(showShortcuts(), languageManager());
  }
  std::string stringMenuItemShowPrecaution() const { return stringMenuItemShowPrecaution(languageManager()); }
  std::string stringPromptSave() const { return stringPromptSave(languageManager()); }

  // "More..." in the interface language `language`.
  static std::string more_tabs_text(int language);

 signals:
  // Emitted by stopManager: the application is asked to terminate.
  void terminationRequested();

 private:
  void build_window();
  void build_menus();
  void build_message_box();
  // Parents the message box to `modal` when it is a visible modal window inside the main
  // window (the all-settings sheet), else to the main window.
  void place_message_box_over(QWidget* modal);
  void build_language_chooser();
  void build_about_sheet();
  // Qt's own texts (file panels, standard buttons) in the interface language,
  // where Qt has a translation for it.
  void load_qt_translations();
  // The check every page setter but setManagerUpdate starts with: false when
  // the settings page being left keeps the window (invalid field or save prompt).
  bool may_leave_current_page(int target, bool check_act);
  // Common entry of pages 2, 3 and 4: forget the recognition.
  void forget_recognition(bool clear_record);
  // Opens the settings page of tab kind `kind` with status YES.
  void open_tab_page(int kind);
  // Tab data of the current page strip: the restore page's in mode 6.
  session::TabData strip_tabs() const;
  void show_page_strip(const session::TabData& tabs);
  // The controller's own answer to a box of `purpose`, after it closed.
  void messageBoxAnswered(session::MessageBoxPurpose purpose, bool ok);
  // Closes the box and hands `ok` to the handler it was opened with.
  void answerMessageBox(bool ok);
  // The settings page shown (modes 7..9), else nullptr.
  DeviceSettingsBaseViewController* current_settings_page() const;
  // Closes an open tab list (every action does so first).
  void close_list_tabs();

  QMainWindow* m_window = nullptr;

  ManagerUpdateViewController* m_managerUpdateViewController = nullptr;
  DeviceSelectionViewController* m_deviceSelectionViewController = nullptr;
  DeviceRecognitionViewController* m_deviceRecognitionViewController = nullptr;
  UpdateViewController* m_updateViewController = nullptr;
  UpdateViewController* m_restoreViewController = nullptr;
  DeviceSettingsViewController* m_deviceSettingsViewController = nullptr;
  DeviceSettingsSecondViewController* m_deviceSettingsSecondViewController = nullptr;
  DeviceSettingsSpeedDialViewController* m_deviceSettingsSpeedDialViewController = nullptr;

  // outlets of the main window (objectName = outlet name)
  FEXOBluetoothManagerView* m_view = nullptr;
  QStackedWidget* m_boxDetail = nullptr;
  QLabel* m_tfStatus = nullptr;
  QPushButton* m_btnStatus = nullptr;
  QLabel* m_imgProduct = nullptr;
  QLabel* m_lblProduct = nullptr;
  QLabel* m_lblVersion = nullptr;
  QPushButton* m_btnAbout = nullptr;
  QPushButton* m_btnLanguageManager = nullptr;
  QPushButton* m_btnClose = nullptr;
  QLabel* m_lblShortcutsKeys = nullptr;
  QLabel* m_lblShortcutsAbout = nullptr;
  QLabel* m_lblShortcutsLanguageManager = nullptr;
  QLabel* m_lblShortcutsClose = nullptr;
  FEXOBluetoothMainButton* m_btnDeviceSelection = nullptr;
  FEXOBluetoothMainButton* m_btnDeviceRecognition = nullptr;
  FEXOBluetoothMainButton* m_btnFirmwareUpdate = nullptr;
  FEXOBluetoothMainButton* m_btnFirmwareRestore = nullptr;
  FEXOBluetoothMainButton* m_btnDeviceSettings = nullptr;
  QLabel* m_lblDetailTitle = nullptr;
  QLabel* m_lblDetailTitlePagesBottomLine = nullptr;
  QLabel* m_lblDetailTitlePagesFirstBackground = nullptr;
  QLabel* m_lblDetailTitlePagesFirstForeground = nullptr;
  QPushButton* m_btnDetailTitlePagesFirst = nullptr;
  QLabel* m_lblDetailTitlePagesSecondBackground = nullptr;
  QLabel* m_lblDetailTitlePagesSecondForeground = nullptr;
  QPushButton* m_btnDetailTitlePagesSecond = nullptr;
  QFrame* m_boxListTabsBox = nullptr;
  std::array<QPushButton*, 3> m_btnListTabs{};
  std::array<QLabel*, 3> m_lblListTabs{};

  QMenu* m_menuApplication = nullptr;
  QMenu* m_menuHelp = nullptr;
  QAction* m_menuItemAbout = nullptr;
  QAction* m_menuItemHideThis = nullptr;
  QAction* m_menuItemHideOthers = nullptr;
  QAction* m_menuItemShowAll = nullptr;
  QAction* m_menuItemQuit = nullptr;
  QAction* m_menuItemOnlineHelp = nullptr;
  QAction* m_menuItemManagerLanguage = nullptr;
  QAction* m_menuItemDiagnosticLog = nullptr;
  QAction* m_menuItemKeyboradShortcuts = nullptr;
  QAction* m_menuItemShowPrecaution = nullptr;
  QAction* m_menuItemBluetoothKext = nullptr;

  // language chooser: the partner's sheet, and the generic outlets pointing at it
  QDialog* m_sheetLanguageManagerVerrano = nullptr;
  QGroupBox* m_boxLanguageManagerVerrano = nullptr;
  QButtonGroup* m_radioLanguageManagerVerrano = nullptr;
  std::array<QPushButton*, 6> m_btnLanguageManagerVerrano{};
  QCheckBox* m_btnApplyToLanguageFirmwareVerrano = nullptr;
  QPushButton* m_btnLanguageManagerOKVerrano = nullptr;
  QPushButton* m_btnLanguageManagerCancelVerrano = nullptr;
  QDialog* m_sheetLanguageManager = nullptr;
  QGroupBox* m_boxLanguageManager = nullptr;
  QButtonGroup* m_radioLanguageManager = nullptr;
  QCheckBox* m_btnApplyToLanguageFirmware = nullptr;
  QPushButton* m_btnLanguageManagerOK = nullptr;
  QPushButton* m_btnLanguageManagerCancel = nullptr;

  // about sheet, title image and the diagnostic log's save panel
  QDialog* m_sheetAbout = nullptr;
  QLabel* m_tfAbout = nullptr;
  QPushButton* m_btnAboutOK = nullptr;
  QLabel* m_imgAboutImg = nullptr;
  QLabel* m_imgManagerImg = nullptr;
  QFileDialog* m_logSavePanel = nullptr;

  QDialog* m_sheetMessageBox = nullptr;
  QLabel* m_imgMessageBox = nullptr;
  QLabel* m_tfMessageBox = nullptr;
  QPushButton* m_btnMessageBoxOK = nullptr;
  QPushButton* m_btnMessageBoxCancel = nullptr;
  QLabel* m_tfBackGround = nullptr;
  // Handler of the open box (main thread only).
  session::MessageBoxAnswer m_messageBoxAnswer;

  QTranslator* m_qtTranslations = nullptr;

  bool m_initialized = false;
};
