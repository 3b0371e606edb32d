#include "recognition/DeviceRecognitionViewController.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/format.h"
#include "strings/app_texts.h"

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

// USB status of a device in normal mode for the default status after a restart.
constexpr int k_usb_normal_mode = 0x4D10;
// After an update of this product a failed recognition offers a restart of
// the manager, unless it is the selected product itself.
constexpr int k_product_needing_restart = 0x5310;

}  // namespace

DeviceRecognitionViewController::DeviceRecognitionViewController(QWidget* parent) : DetailViewController(parent) {
  build_frame("btnBack", "btnNext");
  auto* body = new QVBoxLayout;
  m_tvInstruction = page_control<QTextBrowser>("tvInstruction");
  m_tvInstruction->setReadOnly(true);
  m_tvInstruction->setOpenExternalLinks(true);  // links open in the browser
  m_tfInstruction = page_control<QLineEdit>("tfInstruction");
  m_tfHIDInstruction = page_control<QLineEdit>("tfHIDInstruction");
  m_webView = page_control<QWidget>("webView");
  make_processing_indicator();
  for (QWidget* widget : {static_cast<QWidget*>(m_tvInstruction), static_cast<QWidget*>(m_tfInstruction),
                          static_cast<QWidget*>(m_tfHIDInstruction), m_webView,
                          static_cast<QWidget*>(m_piProcessing)}) {
    body->addWidget(widget);
  }
  static_cast<QVBoxLayout*>(layout())->insertLayout(1, body);
  m_timer = new QTimer(this);
  m_timer->setInterval(1000);
  connect(m_timer, &QTimer::timeout, this, &DeviceRecognitionViewController::timerMethodRecognize);
  connect(m_rightButton, &QPushButton::clicked, this, [this] { recognize(m_rightButton); });
  connect(m_leftButton, &QPushButton::clicked, this, [this] { targetDevice(m_leftButton); });
}

DeviceRecognitionViewController::~DeviceRecognitionViewController() {
  stopRecognition();
  m_deviceInfoReport.stop_and_join();
}

void DeviceRecognitionViewController::stopRecognition() {
  if (m_worker) m_worker->stop_and_join();
}

int DeviceRecognitionViewController::language() const {
  return services() ? state().languageManager() : 0;
}

std::string DeviceRecognitionViewController::stringInstructionPressNextButtonAt(int step) const {
  return stringInstructionPressNextButtonAt_in(step, language());
}
std::string DeviceRecognitionViewController::stringInstructionNormalActivated() const {
  return stringInstructionNormalActivated_in(language());
}
std::string DeviceRecognitionViewController::stringInstruction() const { return stringInstruction_in(language()); }
std::string DeviceRecognitionViewController::stringMessageDeviceOtherThan() const {
  return stringMessageDeviceOtherThan_in(language());
}
std::string DeviceRecognitionViewController::stringMessageRestartingManager() const {
  return stringMessageRestartingManager_in(language());
}

QString DeviceRecognitionViewController::autoLinkURLs(const QString& text) {
  static const QRegularExpression address(
      R"((https?://[^\s<>"]+|www\.[^\s<>"]+\.[^\s<>"]+))", QRegularExpression::CaseInsensitiveOption);
  QString html;
  qsizetype at = 0;
  for (auto matches = address.globalMatch(text); matches.hasNext();) {
    const QRegularExpressionMatch match = matches.next();
    html += text.mid(at, match.capturedStart() - at).toHtmlEscaped();
    QString target = match.captured();
    while (target.endsWith('.') || target.endsWith(',') || target.endsWith(')')) target.chop(1);
    const QString href = target.startsWith("www.", Qt::CaseInsensitive) ? "http://" + target : target;
    html += QString("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), target.toHtmlEscaped());
    at = match.capturedStart() + target.size();
  }
  html += text.mid(at).toHtmlEscaped();
  html.replace("\n", "<br>");
  return html;
}

bool DeviceRecognitionViewController::deviceInfoCollector() {
  if (!services()) return false;
  return m_deviceInfoReport.deviceInfoCollector(recognition::device_info_snapshot(state()));
}

std::optional<std::string> DeviceRecognitionViewController::deviceInfoGetXMLID() const {
  return recognition::DeviceInfoReport::deviceInfoGetXMLID(services() ? state().deviceTarget() : 0);
}

std::string DeviceRecognitionViewController::deviceInfoGetLanguage() const {
  return recognition::DeviceInfoReport::deviceInfoGetLanguage(language());
}

std::string DeviceRecognitionViewController::deviceInfoGetPSKey(int key) const {
  return recognition::DeviceInfoReport::deviceInfoGetPSKey(key, services() ? state().deviceTarget() : 0);
}

std::optional<std::string> DeviceRecognitionViewController::deviceInfoGetPSKeyValueLength_with(
    int count, std::span<const std::uint16_t> words) const {
  return recognition::DeviceInfoReport::deviceInfoGetPSKeyValueLength_with(count, words);
}

void DeviceRecognitionViewController::hide_unused_outlets_and_show_instruction() {
  for (QWidget* widget : {m_webView, static_cast<QWidget*>(m_tfHIDInstruction),
                          static_cast<QWidget*>(m_tfInstruction)}) {
    widget->setVisible(false);
    widget->setEnabled(false);
  }
  m_tvInstruction->setReadOnly(true);
  m_tvInstruction->setHtml(autoLinkURLs(qs(stringInstruction())));
}

void DeviceRecognitionViewController::initializeObject() {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  m_handOff.setIsFirst(true);
  state.setShowShortcuts(false);
  controller->reflectShortcuts();
  if (state.restartToRecover()) {
    for (int i = 0; i < strings::k_language_count; ++i) {
      state.setStrStatus_In(
          platform::format("%@. %@", AppTexts::vyla_status_default_usb_in(session::k_mode_device_recognition, k_usb_normal_mode, i)
                                         .value_or(""),
                           AppTexts::vyla_string_continue_the_firmware_update_or_restore_in(
                               state.modeRestartToRecover(), i)),
          i);
    }
    controller->setStatus_withWarning(state.getStrStatus(), true);
  } else {
    controller->setStatus_withWarning(state.getStrStatus(), false);
  }
  hide_unused_outlets_and_show_instruction();
  setControls();
}

void DeviceRecognitionViewController::setShortcuts() {
  const int lang = language();
  const bool shortcuts = services() && state().showShortcuts();
  show_titles(session::k_mode_device_recognition,
              shortcuts ? QString::fromUtf8("[C]-◀") : qs(AppTexts::vyla_string_back_in(lang)),
              shortcuts ? QString::fromUtf8("[C]-▶") : qs(AppTexts::vyla_string_next_in(lang)));
}

void DeviceRecognitionViewController::setControls() {
  setShortcuts();
  hide_unused_outlets_and_show_instruction();
  const bool processing = services() && state().onProcessing();
  btnNext()->setEnabled(!processing);
  btnBack()->setEnabled(!processing);
  show_processing(processing);
}

void DeviceRecognitionViewController::recognize(QObject*) { doRecognize(nullptr); }

void DeviceRecognitionViewController::doRecognize(const FEXOBluetoothDeviceData* info) {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  if (!m_worker) m_worker = std::make_unique<recognition::RecognitionWorker>(state, m_handOff);
  // at most one worker and one poll; a settings page's save may still hold onProcessing
  if (m_worker->active()) return;
  controller->setStatus_withWarning(controller->getStatusProcessing(), false);
  state.setOnProcessing(true);
  controller->setControls();
  setControls();
  m_worker->start(info ? std::optional<FEXOBluetoothDeviceData>(*info) : std::nullopt);
  m_timer->start();
}

void DeviceRecognitionViewController::timerMethodRecognize() {
  const int result = m_worker ? m_worker->take_result() : 0;
  if (result <= 0) return;
  session::Services* controller = services();
  session::AppState& state = controller->state();
  m_timer->stop();
  state.setOnProcessing(false);
  controller->setControls();
  setControls();
  const int lang = language();
  switch (result) {
    case recognition::k_recognize_failure: {
      const bool offer_restart = state.deviceUpdatedOrRestored() == k_product_needing_restart &&
                                  state.deviceTarget() != k_product_needing_restart;
      if (offer_restart) {
        const std::string title = AppTexts::vyla_title_in(0, lang);
        controller->openMessageBox({platform::format(stringMessageRestartingManager(), title, title), true,
                                    AppTexts::vyla_string_no_in(lang), AppTexts::vyla_string_yes_in(lang),
                                    session::MessageBoxSize::w520_h175,
                                    session::MessageBoxPurpose::restart_to_recover_other});
      }
      for (int i = 0; i < strings::k_language_count; ++i) {
        // "<page failure>. <reason>[N]"; a page without a failure text shows the reason alone
        const std::optional<std::string> failure =
            AppTexts::vyla_status_failure_usb_in(state.mode(), state.usbStatus(), i);
        std::string text = m_handOff.strStatusThreadRecognizeAt(i).value_or("");
        if (failure) text = platform::format("%@. %@", *failure, text);
        if (!offer_restart) text = platform::format("%@[%c]", text, 'N');
        state.setStrStatus_In(text, i);
      }
      controller->setStatus_withWarning(state.getStrStatus(), true);
      break;
    }
    case recognition::k_recognize_success:
      moveToCaller_withWarning(m_handOff.strStatusThreadRecognizeAt(lang).value_or(""),
                               m_handOff.doWarnThreadRecognize());
      break;
    case recognition::k_recognize_other_device:
      controller->openMessageBox({platform::format(stringMessageDeviceOtherThan(),
                                                   AppTexts::vyla_product_name(state.deviceTarget()).value_or("")),
                                  true, std::nullopt, AppTexts::vyla_string_ok_in(lang),
                                  session::MessageBoxSize::w420_h115, session::MessageBoxPurpose::start_over});
      break;
    default:
      break;
  }
}

void DeviceRecognitionViewController::moveToCaller_withWarning(const std::string& status, bool warning) {
  session::Services* controller = services();
  session::AppState& state = controller->state();
  controller->setControls();
  const int caller = callerMode();
  const int usb = state.usbStatus();
  const bool management_mode = usb >= strings::k_usb_firmware_management;
  const auto success_status = [&](int mode, bool with_warning) {
    for (int i = 0; i < strings::k_language_count; ++i) {
      state.setStrStatus_In(AppTexts::vyla_status_success_usb_in(mode, usb, i), i);
    }
    controller->setStatus_withWarning(state.getStrStatus(), with_warning);
  };
  if (session::is_save_then_open(caller)) {
    controller->setDetailViewController(session::page_mode_of(caller));
    if (management_mode) controller->setStatus_withWarning(status, warning);
  } else if (caller == session::k_mode_firmware_update || caller == session::k_mode_firmware_restore) {
    if (caller == session::k_mode_firmware_update) {
      controller->setFirmwareUpdateWithStatus(false);
    } else {
      controller->setFirmwareRestoreWithStatus(false);
    }
    const std::optional<session::StatusLine::StatusTexts> kept = state.takeOperationWarning();
    if (management_mode && !state.isRestartDFU()) {
      controller->setStatus_withWarning(status, warning);
    } else if (kept) {
      // the part that did not take is still what the user must read
      for (int i = 0; i < strings::k_language_count; ++i) state.setStrStatus_In((*kept)[static_cast<size_t>(i)], i);
      controller->setStatus_withWarning(state.getStrStatus(), true);
    } else {
      success_status(caller, false);
    }
  } else if (caller >= session::k_mode_device_settings && caller <= session::k_mode_device_settings_speed_dial) {
    if (caller == session::k_mode_device_settings) controller->setDeviceSettingsWithStatus(false);
    if (caller == session::k_mode_device_settings_second) controller->setDeviceSettingsSecondWithStatus(false);
    if (caller == session::k_mode_device_settings_speed_dial) controller->setDeviceSettingsSpeedDialWithStatus(false);
    if (management_mode) {
      controller->setStatus_withWarning(status, warning);
    } else {
      success_status(caller, warning);
    }
  } else {
    // from the device selection a recognized device always goes on to the update page
    controller->setFirmwareUpdateWithStatus(false);
    controller->setStatus_withWarning(status, warning);
  }
}

void DeviceRecognitionViewController::targetDevice(QObject*) { services()->setDeviceSelection(); }
