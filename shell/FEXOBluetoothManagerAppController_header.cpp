// The recognized-device header above the pages: picture, name and versions.
#include <QLabel>

#include "shell/FEXOBluetoothManagerAppController.h"
#include "shell/device_header.h"
#include "shell/named_images.h"
#include "shell/product_images.h"

std::optional<std::string> FEXOBluetoothManagerAppController::getImageFileName() const {
  return shell::product_image_file_name(data().deviceRecognized(), data().divisionLM6evoValue());
}

void FEXOBluetoothManagerAppController::setInformationDeviceRecognized() {
  shell::HeaderInputs inputs;
  inputs.recognized = recognized();
  inputs.usb_status = usbStatus();
  inputs.language = languageManager();
  inputs.restart_dfu_pending = isRestartDFU();
  inputs.restart_dfu_version = {deviceVersionMajorRestartDFU(), deviceVersionMinorRestartDFU(),
                                deviceSecondaryVersionTypeRestartDFU(), deviceSecondaryVersionRestartDFU()};
  const shell::DeviceHeader header = shell::device_header(inputs, data());

  switch (header.picture) {
    case shell::HeaderPicture::no_device:
      m_imgProduct->setPixmap(shell::named_image(shell::k_image_no_device));
      break;
    case shell::HeaderPicture::firmware_management:
      m_imgProduct->setPixmap(shell::named_image(shell::k_image_firmware_management));
      break;
    case shell::HeaderPicture::product:
      // a product without a picture shows none
      m_imgProduct->setPixmap(shell::named_image(header.image.value_or(std::string())));
      break;
  }
  if (header.name_line) m_lblProduct->setText(QString::fromStdString(*header.name_line));
  m_lblVersion->setText(QString::fromStdString(header.version_line));
}
