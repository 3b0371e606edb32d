// The recognized-device header above the pages: picture, name and versions.
#include <QLabel>

#include "session/device_header.h"
#include "shell/FEXOBluetoothManagerAppController.h"
#include "widgets/named_images.h"

std::optional<std::string> FEXOBluetoothManagerAppController::getImageFileName() const {
  return session::product_image_file_name(data().deviceRecognized(), data().divisionLM6evoValue());
}

void FEXOBluetoothManagerAppController::setInformationDeviceRecognized() {
  session::HeaderInputs inputs;
  inputs.recognized = recognized();
  inputs.usb_status = usbStatus();
  inputs.language = languageManager();
  inputs.restart_dfu_pending = isRestartDFU();
  inputs.restart_dfu_version = {deviceVersionMajorRestartDFU(), deviceVersionMinorRestartDFU(),
                                deviceSecondaryVersionTypeRestartDFU(), deviceSecondaryVersionRestartDFU()};
  const session::DeviceHeader header = session::device_header(inputs, data());

  switch (header.picture) {
    case session::HeaderPicture::no_device:
      m_imgProduct->setPixmap(widgets::named_image(widgets::k_image_no_device));
      break;
    case session::HeaderPicture::firmware_management:
      m_imgProduct->setPixmap(widgets::named_image(widgets::k_image_firmware_management));
      break;
    case session::HeaderPicture::product:
      // a product without a picture shows none
      m_imgProduct->setPixmap(widgets::named_image(header.image.value_or(std::string())));
      break;
  }
  if (header.name_line) m_lblProduct->setText(QString::fromStdString(*header.name_line));
  m_lblVersion->setText(QString::fromStdString(header.version_line));
}
