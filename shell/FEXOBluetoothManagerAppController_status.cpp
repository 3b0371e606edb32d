// The status line in the 13 interface languages.
#include <QLabel>

#include "platform/format.h"
#include "recognition/DeviceRecognitionViewController.h"
#include "shell/FEXOBluetoothManagerAppController.h"

using namespace session;

std::string FEXOBluetoothManagerAppController::getStatusDefault() {
  for (int language = 0; language < strings::k_language_count; ++language) {
    setStrStatus_In(vyla_status_default_usb_in(mode(), usbStatus(), language), language);
  }
  return getStrStatus();
}

std::string FEXOBluetoothManagerAppController::getStatusProcessing() {
  for (int language = 0; language < strings::k_language_count; ++language) {
    setStrStatus_In(vyla_status_processing_usb_in(mode(), usbStatus(), language), language);
  }
  return getStrStatus();
}

void FEXOBluetoothManagerAppController::setStatus_withWarning(const std::string& text, bool warning) {
  setStatusWithWarning(warning);
  QPalette colours = m_tfStatus->palette();
  colours.setColor(QPalette::Window, Qt::white);
  colours.setColor(QPalette::WindowText, warning ? Qt::red : Qt::black);
  m_tfStatus->setPalette(colours);
  m_tfStatus->setText(QString::fromStdString(text));
}

void FEXOBluetoothManagerAppController::setStatusWithDefault() {
  const int caller = m_deviceRecognitionViewController->callerMode();
  if (mode() == k_mode_device_recognition && caller != 0) {
    // "<what the calling page achieved>. <what to do here>"
    for (int language = 0; language < strings::k_language_count; ++language) {
      const std::string success = vyla_status_success_usb_in(caller, usbStatus(), language).value_or("");
      const std::string ready =
          vyla_status_default_usb_in(k_mode_device_recognition, usbStatus(), language).value_or("");
      setStrStatus_In(platform::format("%@. %@", success, ready), language);
    }
  } else {
    getStatusDefault();
  }
  setStatus_withWarning(getStrStatus(), false);
}

void FEXOBluetoothManagerAppController::updateStatusInManagerLanguage() {
  setStatus_withWarning(getStrStatus(), statusWithWarning());
}

void FEXOBluetoothManagerAppController::showStatus(QObject*) {
  if (onProcessing()) return;
  close_list_tabs();
  const int language = languageManager();
  const std::string text = platform::format("[%@]\n%@", vyla_string_mode_in(mode(), language),
                                            m_tfStatus->text().toStdString());
  openMessageBox({text, statusWithWarning(), std::nullopt, vyla_string_ok_in(language),
                  session::MessageBoxSize::w420_h135, session::MessageBoxPurpose::notice});
}
