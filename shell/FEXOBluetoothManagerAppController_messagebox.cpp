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
#include "session/message_box.h"
#include "strings/message_box_texts.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "widgets/named_images.h"
#include "widgets/page_keys.h"

using namespace shell;
using namespace session;

namespace {

// The very first box of a run is 20 points higher; one flag for the whole process.
std::atomic<bool> g_message_box_opened_before{false};

// The sheet leaves only through its buttons: Escape and the window's close
// button answer as Cancel would, and do nothing when Cancel is not offered.
// A save question is the exception: its Cancel (No) drops the edits, so
// Escape only closes it.
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
    if (messageBoxStatus() == 0 || !m_btnMessageBoxCancel->isEnabled()) return;
    if (escape_keeps_the_edits(static_cast<MessageBoxPurpose>(messageBoxStatus()))) {
      // the user stays where the question came from, edits and all
      closeMessageBox();
      return;
    }
    messageBoxCancel(m_btnMessageBoxCancel);
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
  // Return is OK, whichever button has focus
  widgets::keep_default_button(m_sheetMessageBox, m_btnMessageBoxOK);
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

void FEXOBluetoothManagerAppController::openMessageBox(const MessageBoxRequest& request, MessageBoxAnswer on_answer) {
  if (!on_answer) {
    on_answer = [this, purpose = request.purpose](bool ok) { messageBoxAnswered(purpose, ok); };
  }
  // pages and worker threads alike: every change to the sheet happens on the main thread
  // a box still queued when the controller goes away is dropped
  platform::post_to_main([this, alive = QPointer<FEXOBluetoothManagerAppController>(this), request,
                          on_answer = std::move(on_answer)] {
    if (!alive) return;
    m_tfMessageBox->setText(QString::fromStdString(request.message));
    m_imgMessageBox->setPixmap(request.warning
                                   ? QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(64, 64)
                                   : widgets::named_image(widgets::k_image_application));
    m_tfBackGround->setVisible(request.warning);
    const auto configure = [](QPushButton* button, const std::optional<std::string>& title) {
      button->setEnabled(title.has_value());
      button->setVisible(title.has_value());
      button->setText(QString::fromStdString(title.value_or(std::string())));
    };
    configure(m_btnMessageBoxCancel, request.cancel_title);
    configure(m_btnMessageBoxOK, request.ok_title);
    setMessageBoxStatus(static_cast<int>(request.purpose));
    m_messageBoxAnswer = on_answer;
    const MessageBoxPoints box = message_box_size(request.size, !g_message_box_opened_before.exchange(true));
    // over a modal sheet of the window (the all-settings table) the box belongs to that sheet,
    // so it opens above it and takes the clicks
    place_message_box_over(QApplication::activeModalWidget());
    // the sheet keeps its origin; only its size changes
    m_sheetMessageBox->setMinimumSize(0, 0);
    m_sheetMessageBox->setFixedSize(box.width, box.height);
    m_sheetMessageBox->open();
    m_sheetMessageBox->activateWindow();
  });
}

void FEXOBluetoothManagerAppController::openMessageBoxWithMessage_warning_buttonCancel_buttonOK_withSize_forWhat(
    const std::string& message, bool warning, const std::optional<std::string>& cancel_title,
    const std::optional<std::string>& ok_title, MessageBoxSize size, MessageBoxPurpose purpose) {
  openMessageBox({message, warning, cancel_title, ok_title, size, purpose});
}

void FEXOBluetoothManagerAppController::place_message_box_over(QWidget* modal) {
  QWidget* owner = m_window;
  if (modal && modal != m_sheetMessageBox && modal->isVisible()) {
    // only a sheet of this window; its parent chain crosses window boundaries
    for (const QObject* above = modal->parent(); above; above = above->parent()) {
      if (above == m_window) {
        owner = modal;
        break;
      }
    }
  }
  if (m_sheetMessageBox->parentWidget() == owner) return;
  // a new parent hides the box and drops its window flags; both are set again
  const Qt::WindowFlags flags = m_sheetMessageBox->windowFlags();
  m_sheetMessageBox->hide();
  m_sheetMessageBox->setParent(owner, flags);
}

MessageBoxPurpose FEXOBluetoothManagerAppController::closeMessageBox(QObject*) { return closeMessageBox(); }

MessageBoxPurpose FEXOBluetoothManagerAppController::closeMessageBox() {
  const auto purpose = static_cast<MessageBoxPurpose>(messageBoxStatus());
  setMessageBoxStatus(0);
  if (QThread::currentThread() == thread()) {
    m_messageBoxAnswer = nullptr;
    m_sheetMessageBox->hide();
    place_message_box_over(nullptr);
  } else {
    // a worker closes the box it opened: the hide queues behind that box's
    // opening, so a box opened and closed at once never stays on screen
    platform::post_to_main([this, alive = QPointer<FEXOBluetoothManagerAppController>(this)] {
      if (!alive) return;
      setMessageBoxStatus(0);
      m_messageBoxAnswer = nullptr;
      m_sheetMessageBox->hide();
      place_message_box_over(nullptr);
    });
  }
  return purpose;
}

void FEXOBluetoothManagerAppController::messageBoxOK(QObject*) { answerMessageBox(true); }

void FEXOBluetoothManagerAppController::messageBoxCancel(QObject*) { answerMessageBox(false); }

void FEXOBluetoothManagerAppController::answerMessageBox(bool ok) {
  // the handler may open the next box, so take it before the close forgets it
  const MessageBoxAnswer answer = std::move(m_messageBoxAnswer);
  closeMessageBox();
  if (answer) answer(ok);
}

void FEXOBluetoothManagerAppController::messageBoxAnswered(MessageBoxPurpose purpose, bool ok) {
  switch (purpose) {
    case MessageBoxPurpose::start_over:
    case MessageBoxPurpose::start_over_other:
      if (ok) setDeviceSelection();
      break;
    case MessageBoxPurpose::restart_to_recover:
    case MessageBoxPurpose::restart_to_recover_other:
      // the device recovers only after the manager restarts and recognizes it again
      if (ok) {
        setRestartToRecover(true);
        setModeRestartToRecover(mode());
        stopManager(m_btnClose);
      }
      break;
    case MessageBoxPurpose::mail_support:
      if (!ok) QDesktopServices::openUrl(QUrl(QString::fromStdString(support_mail_url())));
      break;
    case MessageBoxPurpose::recognition_failure:
      if (!ok) QDesktopServices::openUrl(QUrl(QString::fromStdString(recognition_failure_help_url())));
      break;
    default:
      // notices (0, 1, 2, 12): closing is all; the pages answer their own questions
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
  return strings::backup_file_failed_text(languageManager());
}

bool FEXOBluetoothManagerAppController::messageBoxOpenedBefore() { return g_message_box_opened_before.load(); }
