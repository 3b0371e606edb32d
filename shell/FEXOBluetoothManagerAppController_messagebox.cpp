// The message box: one window-modal sheet for every question and notice.
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>
#include <atomic>
#include <functional>

#include "platform/main_queue.h"
#include "settings/DeviceAllSettingsSheet.h"
#include "settings/DeviceSettingsSecondViewController.h"
#include "settings/DeviceSettingsSpeedDialViewController.h"
#include "settings/DeviceSettingsViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/message_box_texts.h"
#include "shell/named_images.h"
#include "update/UpdateViewController.h"

using namespace shell;

namespace {

// The very first box of a run is 20 points higher; one flag for the whole process.
std::atomic<bool> g_message_box_opened_before{false};

// The sheet leaves only through its buttons: Escape and the window's close
// button answer as Cancel would, and do nothing when Cancel is not offered.
class MessageBoxSheet : public QDialog {
 public:
  MessageBoxSheet(QWidget* parent, std::function<void()> escape) : QDialog(parent), m_escape(std::move(escape)) {}
  void reject() override { m_escape(); }

 private:
  std::function<void()> m_escape;
};

}  // namespace

void FEXOBluetoothManagerAppController::build_message_box() {
  m_sheetMessageBox = new MessageBoxSheet(m_window, [this] {
    if (messageBoxStatus() != 0 && m_btnMessageBoxCancel->isEnabled()) messageBoxCancel(m_btnMessageBoxCancel);
  });
  m_sheetMessageBox->setObjectName("sheetMessageBox");
  m_sheetMessageBox->setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(m_sheetMessageBox);
  auto* body = new QGridLayout;
  m_imgMessageBox = new QLabel(m_sheetMessageBox);
  m_imgMessageBox->setObjectName("imgMessageBox");
  m_imgMessageBox->setFixedSize(64, 64);
  m_imgMessageBox->setScaledContents(true);
  // a pale backdrop behind the text marks a warning; it shares the text's cell
  // of the layout, so it covers exactly the text of the box being shown,
  // whatever its size
  m_tfBackGround = new QLabel(m_sheetMessageBox);
  m_tfBackGround->setObjectName("tfBackGround");
  m_tfBackGround->setAutoFillBackground(true);
  QPalette backdrop = m_tfBackGround->palette();
  backdrop.setColor(QPalette::Window, QColor(255, 236, 236));
  m_tfBackGround->setPalette(backdrop);
  m_tfBackGround->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);  // the text alone sizes the cell
  m_tfBackGround->setVisible(false);
  m_tfMessageBox = new QLabel(m_sheetMessageBox);
  m_tfMessageBox->setObjectName("tfMessageBox");
  m_tfMessageBox->setWordWrap(true);
  m_tfMessageBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  body->addWidget(m_imgMessageBox, 0, 0, Qt::AlignTop);
  body->addWidget(m_tfBackGround, 0, 1);
  body->addWidget(m_tfMessageBox, 0, 1);
  body->setColumnStretch(1, 1);
  m_tfBackGround->lower();
  layout->addLayout(body, 1);
  auto* buttons = new QHBoxLayout;
  m_btnMessageBoxCancel = new QPushButton(m_sheetMessageBox);
  m_btnMessageBoxCancel->setObjectName("btnMessageBoxCancel");
  m_btnMessageBoxOK = new QPushButton(m_sheetMessageBox);
  m_btnMessageBoxOK->setObjectName("btnMessageBoxOK");
  m_btnMessageBoxOK->setDefault(true);
  // a button without a title keeps its place but is invisible and disabled
  for (QPushButton* button : {m_btnMessageBoxCancel, m_btnMessageBoxOK}) {
    QSizePolicy policy = button->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    button->setSizePolicy(policy);
  }
  buttons->addStretch(1);
  buttons->addWidget(m_btnMessageBoxCancel);
  buttons->addWidget(m_btnMessageBoxOK);
  layout->addLayout(buttons);
  connect(m_btnMessageBoxOK, &QPushButton::clicked, this, [this] { messageBoxOK(m_btnMessageBoxOK); });
  connect(m_btnMessageBoxCancel, &QPushButton::clicked, this, [this] { messageBoxCancel(m_btnMessageBoxCancel); });
}

void FEXOBluetoothManagerAppController::openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
    const std::string& message, bool warning, const std::optional<std::string>& cancel_title,
    const std::optional<std::string>& ok_title, int size, int purpose) {
  // pages and worker threads alike: every change to the sheet happens on the main thread
  // a box still queued when the controller goes away is dropped
  platform::post_to_main([this, alive = QPointer<FEXOBluetoothManagerAppController>(this), message, warning,
                          cancel_title, ok_title, size, purpose] {
    if (!alive) return;
    m_tfMessageBox->setText(QString::fromStdString(message));
    m_imgMessageBox->setPixmap(warning ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(64, 64)
                                       : named_image(k_image_application));
    m_tfBackGround->setVisible(warning);
    const auto configure = [](QPushButton* button, const std::optional<std::string>& title) {
      button->setEnabled(title.has_value());
      button->setVisible(title.has_value());
      button->setText(QString::fromStdString(title.value_or(std::string())));
    };
    configure(m_btnMessageBoxCancel, cancel_title);
    configure(m_btnMessageBoxOK, ok_title);
    setMessageBoxStatus(purpose);
    const MessageBoxSize box = message_box_size(size, !g_message_box_opened_before.exchange(true));
    // the sheet keeps its origin; only its size changes
    m_sheetMessageBox->setMinimumSize(0, 0);
    m_sheetMessageBox->setFixedSize(box.width, box.height);
    m_sheetMessageBox->open();
    m_sheetMessageBox->activateWindow();
  });
}

int FEXOBluetoothManagerAppController::closeMessageBox(QObject*) {
  const int purpose = messageBoxStatus();
  setMessageBoxStatus(0);
  if (QThread::currentThread() == thread()) {
    m_sheetMessageBox->hide();
  } else {
    // a worker closes the box it opened: the hide queues behind that box's
    // opening, so a box opened and closed at once never stays on screen
    platform::post_to_main([this, alive = QPointer<FEXOBluetoothManagerAppController>(this)] {
      if (!alive) return;
      setMessageBoxStatus(0);
      m_sheetMessageBox->hide();
    });
  }
  return purpose;
}

void FEXOBluetoothManagerAppController::messageBoxOK(QObject*) { messageBoxAnswered(closeMessageBox(), true); }

void FEXOBluetoothManagerAppController::messageBoxCancel(QObject*) { messageBoxAnswered(closeMessageBox(), false); }

void FEXOBluetoothManagerAppController::messageBoxAnswered(int purpose, bool ok) {
  switch (purpose) {
    case k_box_start_over:
    case k_box_start_over_other:
      if (ok) setDeviceSelection();
      break;
    case k_box_save_settings:
    case k_box_save_settings_second:
    case k_box_save_speed_dial: {
      // Yes saves (the save worker then opens the page asked for), No discards and moves on
      DeviceSettingsBaseViewController* page =
          purpose == k_box_save_settings
              ? static_cast<DeviceSettingsBaseViewController*>(m_deviceSettingsViewController)
          : purpose == k_box_save_settings_second
              ? static_cast<DeviceSettingsBaseViewController*>(m_deviceSettingsSecondViewController)
              : m_deviceSettingsSpeedDialViewController;
      if (ok) {
        page->save(nullptr);
      } else {
        page->moveToModeToGo();
      }
      break;
    }
    case k_box_restart_to_recover:
    case k_box_restart_to_recover_other:
      // the device recovers only after the manager restarts and recognizes it again
      if (ok) {
        setRestartToRecover(true);
        setModeRestartToRecover(mode());
        stopManager(m_btnClose);
      }
      break;
    case k_box_mail_support:
      if (!ok) QDesktopServices::openUrl(QUrl(QString::fromStdString(support_mail_url())));
      break;
    case k_box_recognition_failure:
      if (!ok) QDesktopServices::openUrl(QUrl(QString::fromStdString(recognition_failure_help_url())));
      break;
    case k_box_camera_copy_done:
      if (ok) (mode() == k_mode_firmware_update ? m_updateViewController : m_restoreViewController)->endOptraUpdate();
      break;
    case k_box_close_all_settings: {
      if (DeviceAllSettingsSheet* sheet = m_deviceSettingsViewController->sheetDeviceAllSettings()) sheet->hide();
      if (ok) {
        m_deviceSettingsViewController->save(nullptr);
      } else {
        m_deviceSettingsViewController->moveToSettingToSetting();
      }
      break;
    }
    case k_box_backup_failed:
      if (ok) setSkipRestoreBackupFile(true);
      m_updateViewController->setOpenedMessageBox(false);
      closeMessageBox();
      break;
    default:
      // notices (0, 1, 2, 12): closing is all
      break;
  }
}

std::optional<std::string> FEXOBluetoothManagerAppController::getMessageBoxFirstButton() const {
  return message_box_first_button(deviceTarget(), languageManager());
}

std::optional<std::string> FEXOBluetoothManagerAppController::getMessageBoxFailureFirstButton() const {
  return message_box_failure_first_button(deviceTarget(), languageManager());
}

std::optional<std::string> FEXOBluetoothManagerAppController::getMessageBoxSecondButton() const {
  return message_box_second_button(deviceTarget(), languageManager());
}

std::optional<std::string> FEXOBluetoothManagerAppController::getMessageBoxFileCreationFailed() const {
  return message_box_file_creation_failed(languageManager());
}

bool FEXOBluetoothManagerAppController::messageBoxOpenedBefore() { return g_message_box_opened_before.load(); }
