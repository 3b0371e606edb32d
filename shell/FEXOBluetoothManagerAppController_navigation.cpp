// Page switching, the controller's own refresh and the main window's actions.
#include <QAction>
#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>

#include "recognition/DeviceRecognitionViewController.h"
#include "recognition/DeviceSelectionViewController.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/ManagerUpdateViewController.h"
#include "strings/language_chooser_texts.h"
#include "update/UpdateViewController.h"
#include "widgets/FEXOBluetoothMainButton.h"

using namespace session;

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// ---- leaving a settings page ----

bool FEXOBluetoothManagerAppController::may_leave_current_page(int target, bool check_act) {
  const int current = mode();
  if (current == k_mode_device_settings) {
    if (check_act && !m_deviceSettingsViewController->checkACT()) {
      setControls();
      return false;
    }
    if (target != k_mode_device_settings) {
      m_deviceSettingsViewController->setModeToGo(target);
      if (m_deviceSettingsViewController->checkNeedToSave()) return false;
    }
  } else if ((current == k_mode_device_settings_second || current == k_mode_device_settings_speed_dial) &&
             target != current) {
    DeviceSettingsBaseViewController* page = current == k_mode_device_settings_second
                                                 ? static_cast<DeviceSettingsBaseViewController*>(
                                                       m_deviceSettingsSecondViewController)
                                                 : m_deviceSettingsSpeedDialViewController;
    page->setModeToGo(target);
    if (page->checkNeedToSave()) return false;
  }
  return true;
}

void FEXOBluetoothManagerAppController::forget_recognition(bool clear_record) {
  setRecognized(false);
  initTabData();
  setUsbStatus(0);
  if (clear_record) data().initializeObjectWithDevice_VersionMajor_Minor(0, 0, 0);
}

// ---- page setters ----

void FEXOBluetoothManagerAppController::setDetailViewController(int target) {
  switch (target) {
    case k_mode_manager_update: setManagerUpdate(); break;
    case k_mode_device_selection: setDeviceSelection(); break;
    case k_mode_device_recognition: setDeviceRecognitionWithStatus_info_from(true, nullptr, 0); break;
    case k_mode_firmware_update: setFirmwareUpdateWithStatus(true); break;
    case k_mode_firmware_restore: setFirmwareRestoreWithStatus(true); break;
    case k_mode_device_settings: setDeviceSettingsWithStatus(true); break;
    case k_mode_device_settings_second: setDeviceSettingsSecondWithStatus(true); break;
    case k_mode_device_settings_speed_dial: setDeviceSettingsSpeedDialWithStatus(true); break;
    default: break;
  }
}

void FEXOBluetoothManagerAppController::setManagerUpdate() {
  setMode(k_mode_manager_update);
  forget_recognition(false);
  switchDetailViewWithViewController(m_managerUpdateViewController);
  m_managerUpdateViewController->initializeObject();
  setStatusWithDefault();
  setControls();
}

void FEXOBluetoothManagerAppController::setDeviceSelection() {
  if (!may_leave_current_page(k_mode_device_selection, true)) return;
  setMode(k_mode_device_selection);
  forget_recognition(true);
  switchDetailViewWithViewController(m_deviceSelectionViewController);
  m_deviceSelectionViewController->initializeObjectOnStartUp(false);
  setStatusWithDefault();
  setControls();
}

void FEXOBluetoothManagerAppController::setDeviceSelectionOnStartUp(bool on_start_up) {
  if (!may_leave_current_page(k_mode_device_selection, false)) return;
  setMode(k_mode_device_selection);
  forget_recognition(true);
  switchDetailViewWithViewController(m_deviceSelectionViewController);
  m_deviceSelectionViewController->initializeObjectOnStartUp(on_start_up);
  setStatusWithDefault();
  setControls();
}

void FEXOBluetoothManagerAppController::setDeviceRecognitionWithStatus_info_from(
    bool status, const FEXOBluetoothDeviceData* info, int from) {
  if (!may_leave_current_page(k_mode_device_recognition, true)) return;
  setMode(k_mode_device_recognition);
  forget_recognition(true);
  if (deviceTarget() == 0) {
    setDeviceSelection();
    return;
  }
  switchDetailViewWithViewController(m_deviceRecognitionViewController);
  m_deviceRecognitionViewController->setCallerMode(from);
  m_deviceRecognitionViewController->initializeObject();
  if (status) setStatusWithDefault();
  setControls();
  // a recognition on behalf of the calling page starts at once
  if (m_deviceRecognitionViewController->callerMode() != 0 && !isRestartDFU()) {
    m_deviceRecognitionViewController->doRecognize(info);
  }
}

void FEXOBluetoothManagerAppController::setFirmwareUpdateWithStatus(bool status) {
  if (!may_leave_current_page(k_mode_firmware_update, true)) return;
  setMode(k_mode_firmware_update);
  if (deviceTarget() == 0) return setDeviceSelection();
  if (!recognized()) return setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
  switchDetailViewWithViewController(m_updateViewController);
  m_updateViewController->initializeObjectWithDefaultStatus(status);
  if (status) setStatusWithDefault();
  setControls();
}

void FEXOBluetoothManagerAppController::setFirmwareRestoreWithStatus(bool status) {
  if (!may_leave_current_page(k_mode_firmware_restore, true)) return;
  setMode(k_mode_firmware_restore);
  if (deviceTarget() == 0) return setDeviceSelection();
  if (!recognized()) return setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
  switchDetailViewWithViewController(m_restoreViewController);
  m_restoreViewController->initializeObjectWithDefaultStatus(status);
  if (status && m_restoreViewController->restorePossible()) setStatusWithDefault();
  setControls();
}

namespace {
// Common body of the three settings-page setters after the leave check.
template <class Page>
void open_settings_page(FEXOBluetoothManagerAppController& controller, Page* page, int target, bool status) {
  controller.setMode(target);
  page->setModeToGo(0);
  if (controller.deviceTarget() == 0) return controller.setDeviceSelection();
  if (!controller.recognized()) return controller.setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
  controller.switchDetailViewWithViewController(page);
  page->initializeObject();
  if (status) controller.setStatusWithDefault();
  controller.setControls();
}
}  // namespace

void FEXOBluetoothManagerAppController::setDeviceSettingsWithStatus(bool status) {
  if (!may_leave_current_page(k_mode_device_settings, true)) return;
  open_settings_page(*this, m_deviceSettingsViewController, k_mode_device_settings, status);
}

void FEXOBluetoothManagerAppController::setDeviceSettingsSecondWithStatus(bool status) {
  if (!may_leave_current_page(k_mode_device_settings_second, true)) return;
  open_settings_page(*this, m_deviceSettingsSecondViewController, k_mode_device_settings_second, status);
}

void FEXOBluetoothManagerAppController::setDeviceSettingsSpeedDialWithStatus(bool status) {
  if (!may_leave_current_page(k_mode_device_settings_speed_dial, true)) return;
  open_settings_page(*this, m_deviceSettingsSpeedDialViewController, k_mode_device_settings_speed_dial, status);
}

void FEXOBluetoothManagerAppController::switchDetailViewWithViewController(DetailViewController* page) {
  // ends any text editing on the page being left
  if (QWidget* focus = m_window->focusWidget()) focus->clearFocus();
  m_boxDetail->setCurrentWidget(page->view());
}

// ---- refresh ----

void FEXOBluetoothManagerAppController::setTitle() {
  m_window->setWindowTitle(q(vyla_title_in(deviceTarget(), languageManager())));
}

void FEXOBluetoothManagerAppController::setDetailTitle() { m_lblDetailTitle->setText(QString()); }

void FEXOBluetoothManagerAppController::setControls() {
  setTitle();
  setDetailTitle();

  const int current = mode();
  FEXOBluetoothMainButton* const main_buttons[] = {m_btnDeviceSelection, m_btnDeviceRecognition, m_btnFirmwareUpdate,
                                                   m_btnFirmwareRestore, m_btnDeviceSettings};
  // the button of the page shown is on: modes 3..6 one each, 7..9 the settings button
  const int on_button = current >= k_mode_device_selection && current <= k_mode_firmware_restore
                            ? current - k_mode_device_selection
                            : (current >= k_mode_device_settings && current <= k_mode_device_settings_speed_dial ? 4 : -1);
  for (int i = 0; i < 5; ++i) main_buttons[i]->setChecked(i == on_button);

  for (QPushButton* button : {static_cast<QPushButton*>(m_btnAbout), m_btnClose, m_btnLanguageManager}) {
    button->setEnabled(true);
  }
  for (FEXOBluetoothMainButton* button : main_buttons) button->setEnabled(true);
  m_btnStatus->setEnabled(false);
  m_btnStatus->setVisible(false);
  for (QWidget* strip : std::initializer_list<QWidget*>{
           m_lblDetailTitlePagesBottomLine, m_lblDetailTitlePagesFirstBackground, m_lblDetailTitlePagesSecondBackground,
           m_lblDetailTitlePagesFirstForeground, m_lblDetailTitlePagesSecondForeground, m_btnDetailTitlePagesFirst,
           m_btnDetailTitlePagesSecond}) {
    strip->setEnabled(false);
    strip->setVisible(false);
  }

  enableListTabsTo(listTabsOpened());

  if (onProcessing()) {
    for (QPushButton* button : {static_cast<QPushButton*>(m_btnAbout), m_btnClose, m_btnStatus, m_btnLanguageManager}) {
      button->setEnabled(false);
    }
    for (FEXOBluetoothMainButton* button : main_buttons) button->setEnabled(false);
    enableListTabsTo(false);
  } else {
    setInformationDeviceRecognized();
    const bool without_settings = target_without_settings();
    switch (current) {
      case k_mode_none:
      case k_mode_manager_update:
      case k_mode_device_selection:
        for (FEXOBluetoothMainButton* button : {m_btnDeviceRecognition, m_btnFirmwareUpdate, m_btnFirmwareRestore,
                                                m_btnDeviceSettings}) {
          button->setEnabled(false);
        }
        break;
      case k_mode_device_recognition:
        for (FEXOBluetoothMainButton* button : {m_btnFirmwareUpdate, m_btnFirmwareRestore, m_btnDeviceSettings}) {
          button->setEnabled(recognized());
        }
        if (without_settings) m_btnDeviceSettings->setEnabled(false);
        break;
      case k_mode_firmware_update:
      case k_mode_firmware_restore:
        if (without_settings || usbStatus() >= strings::k_usb_firmware_management) m_btnDeviceSettings->setEnabled(false);
        if (current == k_mode_firmware_restore && m_restoreViewController->restorePossible() &&
            m_restoreViewController->tabCount() >= 2) {
          show_page_strip(strip_tabs());
        }
        break;
      case k_mode_device_settings:
      case k_mode_device_settings_second:
      case k_mode_device_settings_speed_dial:
        if (tabCount() >= 2) show_page_strip(strip_tabs());
        break;
      default:
        break;
    }
  }

  m_menuHelp->setTitle(q(stringMenuHelp()));
  m_menuItemAbout->setText(q(stringMenuItemAbout()));
  m_menuItemHideThis->setText(q(stringMenuItemHideThis()));
  m_menuItemHideOthers->setText(q(stringMenuItemHideOthers()));
  m_menuItemShowAll->setText(q(stringMenuItemShowAll()));
  m_menuItemQuit->setText(q(stringMenuItemQuit()));
  m_menuItemOnlineHelp->setText(q(stringMenuItemOnlineHelp()));
  m_menuItemManagerLanguage->setText(q(stringMenuItemManagerLanguage()));
  m_menuItemDiagnosticLog->setText(q(stringMenuItemDiagnosticLog()));
  m_menuItemShowPrecaution->setText(q(stringMenuItemShowPrecaution()));
  m_menuItemKeyboradShortcuts->setText(q(stringMenuItemKeyboradShortcuts()));

  const QString flag = strings::language_flag_image(languageManager());
  m_btnLanguageManager->setIcon(QIcon(":/images/" + flag));
  m_btnLanguageManager->setProperty("imageName", flag);

  setShortcuts();

  for (QAction* item : {m_menuItemBluetoothKext, m_menuItemShowPrecaution}) {
    item->setEnabled(false);
    item->setVisible(false);
  }
}

void FEXOBluetoothManagerAppController::setShortcuts() {
  FEXOBluetoothMainButton* const main_buttons[] = {m_btnDeviceSelection, m_btnDeviceRecognition, m_btnFirmwareUpdate,
                                                   m_btnFirmwareRestore, m_btnDeviceSettings};
  const bool hints = showShortcuts();
  for (QLabel* label : {m_lblShortcutsKeys, m_lblShortcutsAbout, m_lblShortcutsLanguageManager, m_lblShortcutsClose}) {
    label->setVisible(hints);
  }
  if (hints) {
    const char* const titles[] = {"[C]-S", "[C]-R", "[C]-U", "[C]-E", "[C]-T"};
    for (int i = 0; i < 5; ++i) main_buttons[i]->setText(titles[i]);
    setMainButtonTitleColor();
    m_lblDetailTitlePagesFirstForeground->setText("[C]-1");
    m_lblDetailTitlePagesSecondForeground->setText("[C]-2");
    return;
  }

  const int language = languageManager();
  for (int i = 0; i < 5; ++i) main_buttons[i]->setText(q(vyla_string_mode_in(k_mode_device_selection + i, language)));
  setMainButtonTitleColor();

  const int current = mode();
  const bool settings_page = current >= k_mode_device_settings && current <= k_mode_device_settings_speed_dial;
  if (!settings_page && current != k_mode_firmware_restore) return;
  const TabData tabs = strip_tabs();
  const auto tab_text = [language](int kind) {
    return q(FEXOBluetoothDeviceData::getTabText_With_In_SetEquivalentTo(kind, false, language, nullptr).value_or(""));
  };
  if (tabs.count == 2) {
    m_lblDetailTitlePagesFirstForeground->setText(tab_text(tabs.kinds[0]));
    m_lblDetailTitlePagesSecondForeground->setText(tab_text(tabs.kinds[1]));
  } else if (tabs.count == 3) {
    const int selected = tabs.selected >= 0 && tabs.selected < 3 ? tabs.selected : 0;
    m_lblDetailTitlePagesFirstForeground->setText(tab_text(tabs.kinds[static_cast<size_t>(selected)]));
    m_lblDetailTitlePagesSecondForeground->setText(q(more_tabs_text(language)));
  }
}

void FEXOBluetoothManagerAppController::setMainButtonTitleColor() {
  for (FEXOBluetoothMainButton* button : {m_btnDeviceSelection, m_btnDeviceRecognition, m_btnFirmwareUpdate,
                                          m_btnFirmwareRestore, m_btnDeviceSettings}) {
    button->setTitleColor(button->isChecked() ? Qt::white : Qt::black);
  }
}

void FEXOBluetoothManagerAppController::setControlsFont() {
  const QFont system = QApplication::font();
  const int size = system.pointSize() > 0 ? system.pointSize() : 12;
  const auto sized = [&](int points) {
    QFont font = system;
    font.setPointSize(points);
    return font;
  };
  const int language = languageManager();
  m_btnDeviceRecognition->setFont(sized(language == 1 ? size - 1 : size));
  m_btnFirmwareRestore->setFont(sized(language == 1 ? size - 2 : language == 2 ? size - 1 : size));
  m_btnDeviceSettings->setFont(sized(language == 2 ? size - 1 : size));
  m_btnAbout->setToolTip(q(stringMenuItemAbout()));
  m_btnClose->setToolTip(q(stringMenuItemQuit()));
  m_btnLanguageManager->setToolTip(q(vyla_string_language_manager_in(language)));
}

void FEXOBluetoothManagerAppController::reflectShortcuts() {
  enableListTabsTo(listTabsOpened());
  m_menuItemKeyboradShortcuts->setText(q(stringMenuItemKeyboradShortcuts()));
  setShortcuts();
  if (DetailViewController* page = currentDetailViewController()) page->setShortcuts();
}

// ---- actions ----

DeviceSettingsBaseViewController* FEXOBluetoothManagerAppController::current_settings_page() const {
  const int current = mode();
  if (current < k_mode_device_settings || current > k_mode_device_settings_speed_dial) return nullptr;
  return static_cast<DeviceSettingsBaseViewController*>(currentDetailViewController());
}

void FEXOBluetoothManagerAppController::close_list_tabs() {
  setListTabsOpened(false);
  enableListTabsTo(false);
}

void FEXOBluetoothManagerAppController::deviceSelection(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  setDeviceSelection();
}

void FEXOBluetoothManagerAppController::deviceRecognition(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
}

void FEXOBluetoothManagerAppController::firmwareUpdate(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  setFirmwareUpdateWithStatus(true);
}

void FEXOBluetoothManagerAppController::firmwareRestore(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  setFirmwareRestoreWithStatus(true);
}

void FEXOBluetoothManagerAppController::deviceSettings(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  if (target_without_settings()) return;
  if (target_speed_dial_only()) {
    setDeviceSettingsSpeedDialWithStatus(true);
  } else {
    setDeviceSettingsWithStatus(true);
  }
}

void FEXOBluetoothManagerAppController::changeShortcuts(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  setShowShortcuts(!showShortcuts());
  reflectShortcuts();
}

void FEXOBluetoothManagerAppController::goNext(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  switch (mode()) {
    case k_mode_device_selection:
      m_deviceSelectionViewController->targetDeviceSet(m_deviceSelectionViewController->btnNext());
      break;
    case k_mode_device_recognition:
      m_deviceRecognitionViewController->recognize(m_deviceRecognitionViewController->btnNext());
      break;
    case k_mode_firmware_update:
      m_updateViewController->moveToNext(m_updateViewController->btnNext());
      break;
    case k_mode_firmware_restore:
      m_restoreViewController->moveToNext(m_restoreViewController->btnNext());
      break;
    default:
      if (DeviceSettingsBaseViewController* page = current_settings_page()) {
        if (!target_without_settings()) page->moveToDeviceSelection(page->btnNewDevice());
      }
      break;
  }
}

void FEXOBluetoothManagerAppController::goBack(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  switch (mode()) {
    case k_mode_device_recognition:
      m_deviceRecognitionViewController->targetDevice(m_deviceRecognitionViewController->btnBack());
      break;
    case k_mode_firmware_update:
      m_updateViewController->moveToBack(m_updateViewController->btnBack());
      break;
    case k_mode_firmware_restore:
      m_restoreViewController->moveToBack(m_restoreViewController->btnBack());
      break;
    default:
      if (DeviceSettingsBaseViewController* page = current_settings_page()) {
        if (!target_without_settings()) page->moveToFirmwareUpdate(page->btnBack());
      }
      break;
  }
}

void FEXOBluetoothManagerAppController::stopManager(QObject*) { stopManager(); }

void FEXOBluetoothManagerAppController::stopManager() {
  // the user's Quit is refused while processing (see the window); the update
  // engine and the message box call this to end and relaunch the application
  emit terminationRequested();
}
