// The recognized-device header above the pages.
#include <QLabel>

#include "platform/format.h"
#include "shell/FEXOBluetoothManagerAppController.h"

void FEXOBluetoothManagerAppController::setInformationDeviceRecognized() {
  if (!recognized()) {
    m_imgProduct->clear();
    m_lblProduct->clear();
    m_lblVersion->clear();
    return;
  }
  const FEXOBluetoothDeviceData& record = data();
  m_lblProduct->setText(QString::fromStdString(record.deviceName().value_or("")));
  m_lblVersion->setText(QString::fromStdString(
      platform::format("v%d.%d", record.deviceVersionMajor(), record.deviceVersionMinor())));
}
