#include "recognition/DeviceSelectionViewController.h"

#include <QPushButton>

#include "shell/FEXOBluetoothManagerAppController.h"

DeviceSelectionViewController::DeviceSelectionViewController(QWidget* parent) : DetailViewController(parent) {
  build_frame("btnBack", "btnNext");
  btnBack()->setEnabled(false);
  connect(btnNext(), &QPushButton::clicked, this, [this] { targetDeviceSet(btnNext()); });
}

void DeviceSelectionViewController::initializeObjectOnStartUp(bool) { setControls(); }

void DeviceSelectionViewController::targetDeviceSet(QObject*) {
  FEXOBluetoothManagerAppController* controller = appController();
  if (controller->onProcessing()) return;
  if (controller->deviceTarget() == 0) controller->setDeviceTarget(k_default_product);
  controller->setDeviceRecognitionWithStatus_info_from(true, nullptr, 0);
}

void DeviceSelectionViewController::setControls() { setShortcuts(); }

void DeviceSelectionViewController::setShortcuts() {
  const int language = appController()->languageManager();
  show_titles(shell::k_mode_device_selection, QString::fromStdString(AppTexts::vyla_string_back_in(language)),
              QString::fromStdString(AppTexts::vyla_string_next_in(language)));
}
