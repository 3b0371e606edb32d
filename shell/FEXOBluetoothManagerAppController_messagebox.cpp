// The message box: one window-modal sheet for every question and notice.
#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/deployment.h"
#include "platform/main_queue.h"
#include "settings/DeviceAllSettingsSheet.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "update/UpdateViewController.h"

namespace {

// Page on the default server that helps after a failed recognition.
constexpr char k_recognition_failure_help_path[] =
    "/fexobluetoothmanager/FexoBluetoothDeviceManagerHelp/Contents/Resources/English/device_recognition_failure.html";

}  // namespace

void FEXOBluetoothManagerAppController::build_message_box() {
  m_sheetMessageBox = new QDialog(m_window);
  m_sheetMessageBox->setObjectName("sheetMessageBox");
  m_sheetMessageBox->setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(m_sheetMessageBox);
  auto* body = new QHBoxLayout;
  m_imgMessageBox = new QLabel(m_sheetMessageBox);
  m_imgMessageBox->setObjectName("imgMessageBox");
  m_tfBackGround = new QLabel(m_sheetMessageBox);
  m_tfBackGround->setObjectName("tfBackGround");
  m_tfBackGround->setVisible(false);
  m_tfMessageBox = new QLabel(m_sheetMessageBox);
  m_tfMessageBox->setObjectName("tfMessageBox");
  m_tfMessageBox->setWordWrap(true);
  body->addWidget(m_imgMessageBox);
  body->addWidget(m_tfMessageBox, 1);
  layout->addLayout(body);
  auto* buttons = new QHBoxLayout;
  m_btnMessageBoxCancel = new QPushButton(m_sheetMessageBox);
  m_btnMessageBoxCancel->setObjectName("btnMessageBoxCancel");
  m_btnMessageBoxOK = new QPushButton(m_sheetMessageBox);
  m_btnMessageBoxOK->setObjectName("btnMessageBoxOK");
  m_btnMessageBoxOK->setDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(m_btnMessageBoxCancel);
  buttons->addWidget(m_btnMessageBoxOK);
  layout->addLayout(buttons);
  connect(m_btnMessageBoxOK, &QPushButton::clicked, this, [this] { messageBoxOK(m_btnMessageBoxOK); });
  connect(m_btnMessageBoxCancel, &QPushButton::clicked, this, [this] { messageBoxCancel(m_btnMessageBoxCancel); });
  // Escape answers like Cancel would, only when Cancel is offered
  connect(m_sheetMessageBox, &QDialog::rejected, this, [this] {
    if (messageBoxStatus() != 0 && m_btnMessageBoxCancel->isEnabled()) messageBoxCancel(m_btnMessageBoxCancel);
  });
}

void FEXOBluetoothManagerAppController::openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
    const std::string& message, bool warning, const std::optional<std::string>& cancel_title,
    const std::optional<std::string>& ok_title, int, int purpose) {
  platform::post_to_main([this, message, warning, cancel_title, ok_title, purpose] {
    m_tfMessageBox->setText(QString::fromStdString(message));
    m_tfBackGround->setVisible(warning);
    const auto configure = [](QPushButton* button, const std::optional<std::string>& title) {
      button->setEnabled(title.has_value());
      button->setVisible(title.has_value());
      button->setText(QString::fromStdString(title.value_or("")));
    };
    configure(m_btnMessageBoxCancel, cancel_title);
    configure(m_btnMessageBoxOK, ok_title);
    setMessageBoxStatus(purpose);
    m_sheetMessageBox->adjustSize();
    m_sheetMessageBox->open();
  });
}

int FEXOBluetoothManagerAppController::closeMessageBox(QObject*) {
  const int purpose = messageBoxStatus();
  setMessageBoxStatus(0);
  m_sheetMessageBox->hide();
  return purpose;
}

void FEXOBluetoothManagerAppController::messageBoxOK(QObject*) { messageBoxAnswered(closeMessageBox(), true); }

void FEXOBluetoothManagerAppController::messageBoxCancel(QObject*) { messageBoxAnswered(closeMessageBox(), false); }

void FEXOBluetoothManagerAppController::messageBoxAnswered(int purpose, bool ok) {
  switch (purpose) {
    case 3:
    case 15:
      // a failure after which the user starts over
      if (ok) setDeviceSelection();
      break;
    case 4:
    case 5:
    case 6: {
      // save prompt of a settings page: Yes saves, No discards and moves on
      DeviceSettingsBaseViewController* page =
          purpose == 4 ? static_cast<DeviceSettingsBaseViewController*>(m_deviceSettingsViewController)
          : purpose == 5 ? static_cast<DeviceSettingsBaseViewController*>(m_deviceSettingsSecondViewController)
                         : m_deviceSettingsSpeedDialViewController;
      if (ok) page->save(nullptr); else page->moveToModeToGo();
      break;
    }
    case 7:
    case 8:
      // the device recovers only after a restart of the manager
      if (ok) {
        setRestartToRecover(true);
        setModeRestartToRecover(mode());
        stopManager(m_btnClose);
      }
      break;
    case 9:
      if (!ok) QDesktopServices::openUrl(QUrl(QString("mailto:") + platform::k_support_email));
      break;
    case 10:
      if (!ok) QDesktopServices::openUrl(QUrl(QString(platform::k_help_host) + k_recognition_failure_help_path));
      break;
    case 11:
      if (ok) (mode() == shell::k_mode_firmware_update ? m_updateViewController : m_restoreViewController)->endOptraUpdate();
      break;
    case 13: {
      DeviceAllSettingsSheet* sheet = m_deviceSettingsViewController->sheetDeviceAllSettings();
      sheet->hide();
      if (ok) m_deviceSettingsViewController->save(nullptr); else m_deviceSettingsViewController->moveToSettingToSetting();
      break;
    }
    case 14:
      if (ok) setSkipRestoreBackupFile(true);
      m_updateViewController->setOpenedMessageBox(false);
      closeMessageBox();
      break;
    default:
      // notices (0, 1, 2, 12): closing is all
      break;
  }
}
